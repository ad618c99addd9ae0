#include "NineSliceFrame.h"

#include "Encoders.h"
#include "PrintShared.h"

#include <QPainter>

NineSliceLayout nineSliceLayout(const QSize& picture, const std::array<int, 8>& sliceSizes, int sourceWidth) {
    NineSliceLayout layout;
    layout.canvas = picture;
    const int width = picture.width();
    if (width <= 0 || picture.height() <= 0 || sourceWidth <= 0)
        return layout;
    // A picture wider than the full-size one (a preview of a narrow picture, a turned portrait)
    // gives a zero integral quotient: scale by the real ratio instead of dividing by zero.
    const int quotient = sourceWidth / width;
    layout.divisor = quotient >= 1 ? double(quotient) : double(sourceWidth) / width;
    static_cast<NineSliceTiles&>(layout) =
        nineSliceTiles(picture, int(sliceSizes[0] / layout.divisor), int(sliceSizes[1] / layout.divisor),
                       int(sliceSizes[2] / layout.divisor));
    return layout;
}

QImage composeNineSliceFrame(const QImage& picture, const std::array<QImage, 8>& pieces,
                             const std::array<int, 8>& sliceSizes, int sourceWidth, bool flipHorizontal,
                             bool flipVertical) {
    return composeNineSlice(picture, pieces, nineSliceLayout(picture.size(), sliceSizes, sourceWidth),
                            flipHorizontal, flipVertical);
}

bool drawNineSliceFrame(QPainter* painter, const Rect& destination, const QImage& picture, bool saveMode,
                        const EditState& state) {
    PrintShared& print = PrintShared::instance();
    const QImage framed =
        composeNineSliceFrame(picture, state.framePieces, state.frameSliceSizes, state.sourceWidth,
                              print.printFlipHorizontal, print.printFlipVertical);
    if (framed.isNull())
        return false;
    if (saveMode) {
        const std::optional<ImageEncoder> encoder = Encoders::findExportEncoder(state.exportPath);
        return encoder && Encoders::save(framed, state.exportPath, *encoder);
    }
    // Only the screen publishes the divisor: the print dialog lays the preview-sized pieces the
    // way the view does, and an export on its own thread must not change what it reads.
    print.printPieceScale = nineSliceLayout(picture.size(), state.frameSliceSizes, state.sourceWidth).divisor;
    if (!painter || destination.isEmpty())
        return false;
    painter->save();
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->drawImage(destination.toQRectF(), framed);
    painter->restore();
    return true;
}
