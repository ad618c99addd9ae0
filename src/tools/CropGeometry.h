#pragma once

#include "Rect.h"

#include <QPoint>

#include <array>

// The geometry of the crop box, as pure functions of rectangles and points in window client
// pixels. The crop tool (CropTool) strings them together; tests drive them directly.

// The ratios the ratio field offers, by their position in it.
enum CropRatio : int {
    RatioFree = 0,
    Ratio1to1 = 1,
    Ratio3to2 = 2,
    Ratio4to3 = 3,
    Ratio16to9 = 4,
    RatioOriginal = 5,
};
inline constexpr int kCropRatioCount = 6;

// What a left-button drag in crop mode does.
enum class CropDrag { None, Handle, Move, NewBox };

// The pointer shape a hit code asks for. Keep leaves whatever the window shows.
enum class CropCursor {
    Keep,
    Arrow,
    PointingHand,
    SizeNorthWestSouthEast,
    SizeNorthEastSouthWest,
    SizeWestEast,
    SizeNorthSouth
};

// Hit codes of HitTestCrop: -1 outside the box, 0 inside, 1..8 a handle in the order of
// UpdateCropHandles.
enum CropHit : int {
    HitOutside = -1,
    HitInside = 0,
    HitTopLeft = 1,
    HitTopRight = 2,
    HitBottomRight = 3,
    HitBottomLeft = 4,
    HitTopMiddle = 5,
    HitBottomMiddle = 6,
    HitRightMiddle = 7,
    HitLeftMiddle = 8,
};

using CropHandles = std::array<Rect, 8>;

// The band across the top of the window that moves it, (0, 0, 1000, 50).
inline constexpr Rect titleDragRect{0, 0, 1000, 50};
// Strictly inside the title band: its edges belong to the view.
bool inTitleDragRect(const QPoint& p);

// The 10 x 10 hit squares centred on the corners (top-left, top-right, bottom-right,
// bottom-left) and then the edge middles (top, bottom, right, left) of box.
CropHandles UpdateCropHandles(const Rect& box);

// The first handle square holding p gives 1..8; otherwise 0 inside box, -1 outside. Squares
// and box are half-open: left and top edges inside, right and bottom edges outside.
int HitTestCrop(const CropHandles& handles, const Rect& box, const QPoint& p);

// The pointer for a hit code while hovering. Under a fixed ratio the edge handles do not resize,
// so they keep whatever pointer is shown.
CropCursor cursorForHit(int hit, bool fixedRatio);

// Height / width of the box for each fixed ratio, landscape or turned to portrait; index 0
// (free) holds none. The picture's own proportions ("Original") turn with the others.
struct CropRatioTable {
    double ratio1to1 = 1.0;
    double ratio3to2 = 2.0 / 3.0;
    double ratio4to3 = 0.75;
    double ratio16to9 = 0.5625;
    bool cropLandscape = true;

    // Height / width of ratio index for a picture of the given height / width; 0 for free or an
    // index outside the table.
    double heightPerWidth(int index, double pictureAspect) const;
    // Landscape values again.
    void reset() { *this = CropRatioTable(); }
    // Landscape boxes become portrait ones and back; 1:1 stays.
    void turn();
};

// The box a ratio choice starts with: the free box inside view, a preset centred on (365, 310)
// for the fixed ratios, the whole picture (bounds) for "Original" or any other position. The box
// always lies on the picture: on a narrow or small picture a preset shrinks to fit, keeping its
// ratio, so its handles can be grabbed and the cut has the ratio chosen.
Rect cropPresetBox(int ratioIndex, const Rect& view, const Rect& bounds);

// The box turned about its centre between landscape and portrait, fitted to the picture area
// and shifted back inside. With the picture's own ratio the height stays and the width becomes
// height * height / width. A turned box that would still reach past the picture shrinks to fit
// it, keeping its proportions.
Rect turnCropBox(const Rect& box, bool originalRatio, const Rect& bounds);

// box on bounds: a box larger than bounds shrinks about its centre, keeping its proportions when
// keepProportions is set and clipped otherwise, and is then pushed inside without changing size.
Rect holdCropBoxInside(const Rect& box, const Rect& bounds, bool keepProportions);

// The box moved by (dx, dy) and pushed back inside bounds without changing its size.
Rect moveCropBox(const Rect& box, int dx, int dy, const Rect& bounds);

// The box spanned by the press and the pointer, the pointer held inside limits.
Rect spanCropBox(const QPoint& anchor, const QPoint& pointer, const Rect& limits);

// p held inside bounds, edges included.
QPoint clampToRect(const QPoint& p, const Rect& bounds);

// The corner that a ratio-held drag of a corner handle pivots on: the one opposite it.
QPoint fixedCornerFor(int handle, const Rect& reference);

// One step of a handle drag. reference is the box as it was after the last step that kept the
// pointer on the handle's side; pointer is already held inside the bounds. widthPerHeight is 0
// for a free box. box is the crop box before the step (the sides a fixed-ratio edge handle
// does not move stay as they are).
struct HandleStep {
    Rect box;
    // The new box becomes the reference of the next step: the pointer has not reached the
    // opposite side.
    bool keepsReference = false;
};
HandleStep stepCropHandle(int handle, const Rect& box, const Rect& reference, const QPoint& pointer,
                          double widthPerHeight, const QPoint& fixedCorner);

// A corner drag held to widthPerHeight: a box too wide loses width, one too high loses height,
// the fixed corner keeps its place; a pointer past the fixed corner collapses the box to 1 x 1
// there.
Rect fitCornerToRatio(int handle, const Rect& box, const QPoint& pointer, double widthPerHeight,
                      const QPoint& fixedCorner);
