#pragma once

#include "CropGeometry.h"

#include <QPoint>

struct EditState;

// The crop box while the user shapes it: the box itself lives in EditState (cropRect, with
// cropStartRect, cropBoundsRect and cropRatioIndex), this keeps what the mouse and the ratio
// choices need besides. Every method is one window event; the window maps its events here and
// paints state.cropRect.
class CropTool {
  public:
    // What a left-button press asks of the window.
    enum class Press {
        MoveWindow, // in the title band: the window moves, nothing else happens
        Ignored,    // outside the picture
        Captured,   // on the picture outside crop mode: moves keep coming, nothing is dragged
        Dragging,   // a drag of the crop box has begun
    };

    // Opening crop mode: the box where it was left (cropStartRect).
    void open(EditState& state);

    // A ratio from the ratio field: landscape again, and the box that ratio starts with.
    void chooseRatio(EditState& state, int position);

    // The orientation button: the box turned between landscape and portrait, and the fixed
    // ratios with it.
    void toggleOrientation(EditState& state);

    Press press(const EditState& state, const QPoint& p);

    // A pointer move with buttonsOrKeysHeld telling whether any mouse button or Shift/Control is
    // down. Returns the pointer shape hovering asks for (Keep while dragging or outside crop
    // mode). Every move in crop mode remembers the box in cropStartRect.
    CropCursor move(EditState& state, const QPoint& p, bool buttonsOrKeysHeld);

    void release();

    // Width / height a corner drag keeps; 0 for a free box.
    double widthPerHeight(const EditState& state) const;

    Rect cropDragRect;
    CropHandles cropHandleRects{};
    CropRatioTable ratios;
    CropDrag dragMode = CropDrag::None;
    int grabbedHandle = HitOutside;
    QPoint dragAnchor;
    QPoint ratioFixedCorner;

  private:
    void setBox(EditState& state, const Rect& box);
};
