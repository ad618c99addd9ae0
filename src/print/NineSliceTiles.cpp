#include "NineSliceTiles.h"

#include "PrintShared.h"

#include <QPainter>

NineSliceTiles nineSliceTiles(const QSize& picture, int corner, int edge, int cornerHeight) {
    NineSliceTiles tiles;
    tiles.canvas = picture;
    tiles.corner = corner;
    tiles.edge = edge;
    tiles.cornerHeight = cornerHeight;
    const int width = picture.width();
    const int height = picture.height();
    if (width <= 0 || height <= 0 || edge < 1)
        return tiles;
    tiles.framed = true;
    const int c = corner;
    const int e = edge;
    const double across = double(width - 2 * c) / e;
    const double down = double(height - 2 * cornerHeight) / e;
    tiles.lastTileAcross = int(across);
    tiles.lastTileDown = int(down);
    // Tiles that do not fit a whole number of times: grow the canvas so one more fits exactly.
    const int canvasWidth =
        across - tiles.lastTileAcross <= 0 ? width : (tiles.lastTileAcross + 1) * e + 2 * c;
    const int canvasHeight = down - tiles.lastTileDown <= 0 ? height : (tiles.lastTileDown + 1) * e + 2 * c;
    tiles.canvas = QSize(canvasWidth, canvasHeight);
    return tiles;
}

static void drawPiece(QPainter& painter, const QImage& piece, int x, int y, int width, int height) {
    if (!piece.isNull())
        painter.drawImage(QRect(x, y, width, height), piece);
}

QImage composeNineSlice(const QImage& picture, const std::array<QImage, 8>& pieces,
                        const NineSliceTiles& tiles, bool flipHorizontal, bool flipVertical) {
    if (picture.isNull())
        return {};
    const int w = tiles.canvas.width();
    const int h = tiles.canvas.height();
    QImage canvas(w, h, QImage::Format_ARGB32);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    DrawMirrored(painter, picture, QRectF(0, 0, w, h), flipHorizontal, flipVertical);
    if (!tiles.framed)
        return canvas;

    const int c = tiles.corner;
    const int e = tiles.edge;
    const auto& [topLeft, topRight, bottomRight, bottomLeft, top, right, bottom, left] = pieces;
    // Edges first, corners last: where the tiles fit exactly, the last tile of an edge runs one
    // tile past its side and must end up under the corner there, on every side.
    for (int i = 0; i <= tiles.lastTileAcross; ++i)
        drawPiece(painter, top, c + i * e, 0, e, c);
    for (int i = 0; i <= tiles.lastTileDown; ++i)
        drawPiece(painter, right, w - c, c + i * e, c, e);
    for (int i = 0; i <= tiles.lastTileAcross; ++i)
        drawPiece(painter, bottom, c + i * e, h - c, e, c);
    for (int i = 0; i <= tiles.lastTileDown; ++i)
        drawPiece(painter, left, 0, c + i * e, c, e);
    drawPiece(painter, topLeft, 0, 0, c, c);
    drawPiece(painter, topRight, w - c, 0, c, c);
    drawPiece(painter, bottomRight, w - c, h - c, c, c);
    drawPiece(painter, bottomLeft, 0, h - c, c, c);
    return canvas;
}
