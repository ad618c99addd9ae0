#include "PrintStatePublish.h"

#include "EditState.h"
#include "NineSliceFrame.h"
#include "PrintShared.h"

void publishPrintState(const EditState& state, PrintShared& print) {
    print.printPicture = state.viewBitmap;
    const bool lookOn = state.lookOn();
    // The look as the view blends it at its strength.
    print.printLook = !lookOn                        ? QImage()
                      : state.blendedBitmap.isNull() ? state.effectBitmap
                                                     : state.blendedBitmap;
    print.printRotation = state.rotationAngle;
    print.printFlipHorizontal = state.flipHorizontal;
    print.printFlipVertical = state.flipVertical;
    print.printFrameMode = state.frameMode;
    print.printOverlayPath = state.frameOverlayPath;
    print.printFramePieces = state.framePieces;
    // The preview's pieces are laid around the screen picture in the proportions the full-size
    // picture gives them, on the page as in the view.
    print.printPieceScale =
        state.frameMode == FrameNineSlice ? nineSliceLayout(state.viewBitmap.size(), state.frameSliceSizes, shownFullWidth(state))
                                   .divisor
                             : 0.0;
}
