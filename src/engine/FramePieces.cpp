#include "FramePieces.h"

#include <QPainter>

FrameTemplateScale frameTemplateScale(int shorterSide) {
    FrameTemplateScale scale;
    if (shorterSide <= 0)
        return scale;
    scale.referenceSide = shorterSide <= 4000 ? 4000 : (shorterSide / 4000 + 4) * 1000;
    scale.shrink = double(scale.referenceSide) / shorterSide;
    scale.square = int(kFrameTemplateSquare / scale.shrink);
    scale.corner = int(kFrameTemplateCorner / scale.shrink);
    scale.edge = int(kFrameTemplateEdge / scale.shrink);
    return scale;
}

std::array<QImage, 8> cutFramePieces(const QImage& frameTemplate, const FrameTemplateScale& scale) {
    std::array<QImage, 8> pieces;
    const int n = scale.square;
    const int c = scale.corner;
    const int e = scale.edge;
    if (frameTemplate.isNull() || n <= 0)
        return pieces;
    QImage square(n, n, QImage::Format_ARGB32);
    square.fill(Qt::transparent);
    {
        QPainter painter(&square);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(QRect(0, 0, n, n), frameTemplate,
                          QRect(0, 0, kFrameTemplateSquare, kFrameTemplateSquare));
    }
    const QRect rects[8] = {
        {0, 0, c, c}, {n - c, 0, c, c}, {n - c, n - c, c, c}, {0, n - c, c, c},
        {c, 0, e, c}, {n - c, c, c, e}, {c, n - c, e, c},     {0, c, c, e},
    };
    for (int i = 0; i < 8; ++i)
        pieces[i] = square.copy(rects[i]);
    return pieces;
}

std::array<int, 8> frameSliceSizes(const FrameTemplateScale& scale) {
    const int c = scale.corner;
    const int e = scale.edge;
    return {c, e, c, c, c, c, e, c};
}
