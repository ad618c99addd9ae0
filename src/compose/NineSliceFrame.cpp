#include "NineSliceFrame.h"

#include "Encoders.h"

#include <QPainter>

NineSliceLayout nineSliceLayout(const QSize& picture, const std::array<int, 8>& sliceSizes, int fullWidth) {
    NineSliceLayout layout;
    layout.canvas = picture;
    const int width = picture.width();
    if (width <= 0 || picture.height() <= 0 || fullWidth <= 0)
        return layout;
    // The real ratio, never a whole quotient: a 2600-wide picture under a 1000-wide preview
    // would otherwise get pieces a quarter too large on screen, and a preview wider than its
    // full-size picture a zero divisor.
    layout.divisor = double(fullWidth) / width;
    static_cast<NineSliceTiles&>(layout) =
        nineSliceTiles(picture, int(sliceSizes[0] / layout.divisor), int(sliceSizes[1] / layout.divisor),
                       int(sliceSizes[2] / layout.divisor));
    return layout;
}

QImage composeNineSliceFrame(const QImage& picture, const std::array<QImage, 8>& pieces,
                             const std::array<int, 8>& sliceSizes, int fullWidth, bool flipHorizontal,
                             bool flipVertical) {
    return composeNineSlice(picture, pieces, nineSliceLayout(picture.size(), sliceSizes, fullWidth),
                            flipHorizontal, flipVertical);
}

int shownFullWidth(const EditState& state) {
    const bool quarterTurned = (state.rotationAngle / 90) % 2 != 0;
    return quarterTurned ? state.sourceHeight : state.sourceWidth;
}

bool drawNineSliceFrame(QPainter& painter, const Rect& destination, const QImage& picture,
                        const EditState& state) {
    const QImage framed =
        composeNineSliceFrame(picture, state.framePieces, state.frameSliceSizes, shownFullWidth(state),
                              state.flipHorizontal, state.flipVertical);
    if (framed.isNull() || destination.isEmpty())
        return false;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(destination.toQRectF(), framed);
    painter.restore();
    return true;
}
