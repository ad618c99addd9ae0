#include "NineSliceFrame.h"

#include "Encoders.h"
#include "PrintShared.h"

#include <QPainter>

NineSliceLayout nineSliceLayout(const QSize& picture, const std::array<int, 8>& sliceSizes, int fullWidth) {
    NineSliceLayout layout;
    layout.canvas = picture;
    const int width = picture.width();
    const int height = picture.height();
    if (width <= 0 || height <= 0 || fullWidth <= 0)
        return layout;
    // The real ratio, never a whole quotient: a 2600-wide picture under a 1000-wide preview
    // would otherwise get pieces a quarter too large on screen, and a preview wider than its
    // full-size picture a zero divisor.
    layout.divisor = double(fullWidth) / width;
    layout.corner = int(sliceSizes[0] / layout.divisor);
    layout.edge = int(sliceSizes[1] / layout.divisor);
    layout.cornerHeight = int(sliceSizes[2] / layout.divisor);
    if (layout.edge < 1)
        return layout;
    layout.framed = true;
    const int c = layout.corner;
    const int e = layout.edge;
    const double across = double(width - 2 * c) / e;
    const double down = double(height - 2 * layout.cornerHeight) / e;
    layout.lastTileAcross = int(across);
    layout.lastTileDown = int(down);
    // Tiles that do not fit a whole number of times: grow the canvas so one more fits exactly.
    const int canvasWidth =
        across - layout.lastTileAcross <= 0 ? width : (layout.lastTileAcross + 1) * e + 2 * c;
    const int canvasHeight = down - layout.lastTileDown <= 0 ? height : (layout.lastTileDown + 1) * e + 2 * c;
    layout.canvas = QSize(canvasWidth, canvasHeight);
    return layout;
}

static void drawPiece(QPainter& painter, const QImage& piece, int x, int y, int width, int height) {
    if (!piece.isNull())
        painter.drawImage(QRect(x, y, width, height), piece);
}

QImage composeNineSliceFrame(const QImage& picture, const std::array<QImage, 8>& pieces,
                             const std::array<int, 8>& sliceSizes, int fullWidth, bool flipHorizontal,
                             bool flipVertical) {
    if (picture.isNull())
        return {};
    const NineSliceLayout layout = nineSliceLayout(picture.size(), sliceSizes, fullWidth);
    const int w = layout.canvas.width();
    const int h = layout.canvas.height();
    QImage canvas(w, h, QImage::Format_ARGB32);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    DrawMirrored(painter, picture, QRectF(0, 0, w, h), flipHorizontal, flipVertical);
    if (!layout.framed)
        return canvas;

    const int c = layout.corner;
    const int e = layout.edge;
    const auto& [topLeft, topRight, bottomRight, bottomLeft, top, right, bottom, left] = pieces;
    // Edges first, corners last: where the tiles fit exactly, the last tile of an edge runs one
    // tile past its side and must end up under the corner there, on every side.
    for (int i = 0; i <= layout.lastTileAcross; ++i)
        drawPiece(painter, top, c + i * e, 0, e, c);
    for (int i = 0; i <= layout.lastTileDown; ++i)
        drawPiece(painter, right, w - c, c + i * e, c, e);
    for (int i = 0; i <= layout.lastTileAcross; ++i)
        drawPiece(painter, bottom, c + i * e, h - c, e, c);
    for (int i = 0; i <= layout.lastTileDown; ++i)
        drawPiece(painter, left, 0, c + i * e, c, e);
    drawPiece(painter, topLeft, 0, 0, c, c);
    drawPiece(painter, topRight, w - c, 0, c, c);
    drawPiece(painter, bottomRight, w - c, h - c, c, c);
    drawPiece(painter, bottomLeft, 0, h - c, c, c);
    return canvas;
}

int shownFullWidth(const EditState& state) {
    const bool quarterTurned = (state.rotationAngle / 90) % 2 != 0;
    return quarterTurned ? state.sourceHeight : state.sourceWidth;
}

bool drawNineSliceFrame(QPainter* painter, const Rect& destination, const QImage& picture, bool saveMode,
                        const EditState& state) {
    PrintShared& print = PrintShared::instance();
    const int fullWidth = shownFullWidth(state);
    const QImage framed = composeNineSliceFrame(picture, state.framePieces, state.frameSliceSizes, fullWidth,
                                                print.printFlipHorizontal, print.printFlipVertical);
    if (framed.isNull())
        return false;
    if (saveMode) {
        const std::optional<ImageEncoder> encoder = Encoders::findExportEncoder(state.exportPath);
        return encoder && Encoders::save(framed, state.exportPath, *encoder);
    }
    // Only the screen publishes the divisor: the print dialog lays the preview-sized pieces the
    // way the view does, and an export on its own thread must not change what it reads.
    print.printPieceScale = nineSliceLayout(picture.size(), state.frameSliceSizes, fullWidth).divisor;
    if (!painter || destination.isEmpty())
        return false;
    painter->save();
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->drawImage(destination.toQRectF(), framed);
    painter->restore();
    return true;
}
