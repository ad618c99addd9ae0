#include "PrintPainting.h"

#include "NineSliceTiles.h"

#include <QPainter>

#include <cmath>

namespace {

const QColor kPreviewGround(220, 220, 220);

} // namespace

PrintContent PrintContent::of(const PrintShared& shared, const QImage& overlay) {
    PrintContent content;
    content.shared = shared;
    content.overlay = overlay;
    const QImage& corner = shared.printFramePieces[0];
    const QImage& edge = shared.printFramePieces[4];
    // No scale yet means the frame was never laid on screen: print the picture unframed rather
    // than divide by zero.
    if (!corner.isNull() && !edge.isNull() && shared.printPieceScale > 0.0) {
        content.cornerSize = int(std::trunc(corner.width() / shared.printPieceScale));
        content.edgeLength = int(std::trunc(edge.width() / shared.printPieceScale));
    }
    return content;
}

void DrawFramed(QPainter& painter, const QImage& raster, const Rect& target, const PrintContent& content) {
    if (raster.isNull() || target.isEmpty())
        return;
    const int b = content.cornerSize;
    const NineSliceTiles tiles = nineSliceTiles(raster.size(), b, content.edgeLength, b);
    const PrintShared& shared = content.shared;
    const QImage canvas = composeNineSlice(raster, shared.printFramePieces, tiles, shared.printFlipHorizontal,
                                           shared.printFlipVertical);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target.toQRectF(), canvas);
    painter.restore();
}

void drawPrintPicture(QPainter& painter, const PrintContent& content, const Rect& target) {
    const QImage& raster = content.raster();
    if (raster.isNull() || target.isEmpty())
        return;
    const PrintShared& shared = content.shared;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    switch (shared.printFrameMode) {
    case 1:
        DrawFramed(painter, raster, target, content);
        break;
    case 0:
        DrawMirrored(painter, raster, target, shared.printFlipHorizontal, shared.printFlipVertical);
        if (!content.overlay.isNull())
            painter.drawImage(target.toQRectF(), content.overlay);
        break;
    default:
        DrawMirrored(painter, raster, target, shared.printFlipHorizontal, shared.printFlipVertical);
        break;
    }
    painter.restore();
}

PrintPreview paintPrintPreview(QPainter& painter, const PaperSetup& paper, const PrintContent& content) {
    PrintPreview preview;
    preview.paper = PreviewPaperRect(paper);
    preview.printable = PrintableRect(preview.paper, paper);
    preview.picture = PlacePrintPicture(content.shared, preview.printable);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const Rect& frame = PrintGeometry::kPreviewFrame;
    painter.fillRect(frame.toQRect(), kPreviewGround);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(frame.left, frame.top, frame.width() - 1, frame.height() - 1));

    const Rect& p = preview.paper;
    painter.fillRect(p.toQRect(), kPreviewGround);
    painter.drawRect(QRect(p.left - 1, p.top - 1, p.width() + 1, p.height() + 1));

    drawPrintPicture(painter, content, preview.picture);

    const Rect& r = preview.printable;
    painter.setPen(QPen(Qt::red, 1, Qt::DashLine));
    painter.drawRect(QRect(r.left, r.top, r.width(), r.height()));
    painter.restore();
    return preview;
}

QImage composeScreenPicture(const PrintContent& content, const QSize& largest) {
    const QImage& raster = content.raster();
    if (raster.isNull() || largest.isEmpty())
        return {};
    QSize size = largest;
    if (size.width() > raster.width() || size.height() > raster.height())
        size = size.scaled(raster.size(), Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    // Printed on white paper: white under whatever the frame leaves transparent.
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    drawPrintPicture(painter, content, Rect{0, 0, size.width(), size.height()});
    return picture;
}
