#include "CropTool.h"

#include "EditState.h"

namespace {

bool outside(const Rect& bounds, const QPoint& p) {
    // The bounds' own edges count as inside.
    return p.x() < bounds.left || p.x() > bounds.right || p.y() < bounds.top || p.y() > bounds.bottom;
}

} // namespace

void CropTool::setBox(EditState& state, const Rect& box) {
    state.cropRect = box;
    cropDragRect = box;
    cropHandleRects = UpdateCropHandles(box);
}

void CropTool::open(EditState& state) {
    setBox(state, state.cropStartRect);
}

void CropTool::chooseRatio(EditState& state, int position) {
    ratios.reset();
    state.cropRatioIndex = position;
    setBox(state, cropPresetBox(position, state.viewRect, state.cropBoundsRect));
}

void CropTool::toggleOrientation(EditState& state) {
    setBox(state, turnCropBox(state.cropRect, state.cropRatioIndex == RatioOriginal, state.cropBoundsRect));
    ratios.turn();
}

double CropTool::widthPerHeight(const EditState& state) const {
    const double heightPerWidth = ratios.heightPerWidth(state.cropRatioIndex, state.previewAspect);
    return heightPerWidth > 0.0 ? 1.0 / heightPerWidth : 0.0;
}

CropTool::Press CropTool::press(const EditState& state, const QPoint& p) {
    // The title band wins over the crop box, even in crop mode.
    if (inTitleDragRect(p))
        return Press::MoveWindow;
    if (outside(state.cropBoundsRect, p))
        return Press::Ignored;
    if (!state.cropMode)
        return Press::Captured;
    dragAnchor = p;
    grabbedHandle = HitTestCrop(cropHandleRects, state.cropRect, p);
    dragMode = grabbedHandle > HitInside    ? CropDrag::Handle
               : grabbedHandle == HitInside ? CropDrag::Move
                                            : CropDrag::NewBox;
    if (dragMode == CropDrag::Handle)
        ratioFixedCorner = fixedCornerFor(grabbedHandle, cropDragRect);
    return Press::Dragging;
}

CropCursor CropTool::move(EditState& state, const QPoint& p, bool buttonsOrKeysHeld) {
    if (!state.cropMode)
        return CropCursor::Keep;
    CropCursor cursor = CropCursor::Keep;
    if (!buttonsOrKeysHeld) {
        grabbedHandle = HitTestCrop(cropHandleRects, state.cropRect, p);
        cursor = cursorForHit(grabbedHandle, state.cropRatioIndex != RatioFree);
    } else {
        switch (dragMode) {
        case CropDrag::Handle: {
            const QPoint pointer = clampToRect(p, state.cropBoundsRect);
            const HandleStep step = stepCropHandle(grabbedHandle, state.cropRect, cropDragRect, pointer,
                                                   widthPerHeight(state), ratioFixedCorner);
            state.cropRect = step.box;
            if (step.keepsReference)
                cropDragRect = step.box;
            cropHandleRects = UpdateCropHandles(state.cropRect);
            break;
        }
        case CropDrag::Move:
            setBox(state, moveCropBox(state.cropRect, p.x() - dragAnchor.x(), p.y() - dragAnchor.y(),
                                      state.cropBoundsRect));
            dragAnchor = p;
            break;
        case CropDrag::NewBox:
            // Held to the picture shown in crop mode: the picture as taken in, where the box
            // is cut from.
            setBox(state, spanCropBox(dragAnchor, p, state.cropBoundsRect));
            break;
        case CropDrag::None:
            break;
        }
    }
    // Crop mode opens again with the box as it was last seen.
    state.cropStartRect = state.cropRect;
    return cursor;
}

void CropTool::release() {
    dragMode = CropDrag::None;
    grabbedHandle = HitOutside;
}
