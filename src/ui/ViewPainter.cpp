#include "ViewPainter.h"

#include "EditState.h"
#include "FitRules.h"
#include "NineSliceFrame.h"
#include "PrintShared.h"
#include "RasterIO.h"

#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>

#include <cstdlib>

namespace {

const QColor kVeil(150, 150, 150, 50);
const QColor kShade(150, 150, 150, 200);

} // namespace

void ViewPainter::paint(QPainter& painter, const EditState& state, const Rect& cropBox) {
    // The window paints opaquely: whatever no picture covers must not show stale pixels.
    painter.fillRect(0, 0, kWidth, kHeight, Qt::black);
    const QString backgroundName = state.startBackground ? QStringLiteral("1.png") : QStringLiteral("1.bmp");
    StripPicture::Cache& backgroundCache = state.startBackground ? m_startBackground : m_background;
    const QImage& background = backgroundCache.get(StripPicture::uiPath(backgroundName));
    if (!background.isNull()) {
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(0, 0, kWidth, kHeight), background);
        painter.restore();
    }

    if (state.compareActive) {
        DrawMirrored(painter, state.viewBitmap, state.compareLeftRect, state.flipHorizontal,
                     state.flipVertical);
        drawLook(painter, state, state.compareRightRect);
    } else if (state.showPictureFile) {
        const QImage& file = pictureFile(state.currentImagePath);
        if (!file.isNull())
            painter.drawImage(FitToView(file.width(), file.height()).toQRectF(), file);
    } else {
        drawLook(painter, state, state.fitRect);
    }

    if (state.cropMode)
        drawCropOverlay(painter, cropBox, state.cropBoundsRect);
}

void ViewPainter::drawLook(QPainter& painter, const EditState& state, const Rect& target) {
    const bool withLook = state.lookOn();
    // Below full strength the look is drawn blended over the picture; the frame never is.
    const QImage& look = state.blendedBitmap.isNull() ? state.effectBitmap : state.blendedBitmap;
    const QImage& base = withLook ? look : state.viewBitmap;
    if (base.isNull())
        return;
    DrawMirrored(painter, base, target, state.flipHorizontal, state.flipVertical);
    if (state.frameMode == FrameOverlay) {
        const QImage& overlay = m_overlay.get(state.frameOverlayPath);
        if (!overlay.isNull())
            painter.drawImage(target.toQRectF(), overlay);
    } else if (state.frameMode == FrameNineSlice) {
        drawNineSliceFrame(painter, target, base, state);
    }
}

bool ViewPainter::showsCropCaption(int width, int height) {
    return !((width == 0 && height == 0) || (width == 1 && height == 1));
}

void ViewPainter::drawCropOverlay(QPainter& painter, const Rect& box, const Rect& boundsRect) {
    const QRectF bounds = boundsRect.toQRectF();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(bounds, kVeil);

    // Covered twice, the inside of the box stays clear; the rest of the bounds is darkened.
    QPainterPath shade;
    shade.setFillRule(Qt::OddEvenFill);
    shade.addRect(bounds);
    shade.addRect(QRectF(box.left, box.top, box.right - box.left, box.bottom - box.top));
    painter.fillPath(shade, kShade);

    const int midX = (box.left + box.right) / 2;
    const int midY = (box.top + box.bottom) / 2;
    const QPoint handles[] = {{box.left, box.top},    {box.right, box.top}, {box.right, box.bottom},
                              {box.left, box.bottom}, {midX, box.top},      {midX, box.bottom},
                              {box.right, midY},      {box.left, midY}};
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    for (const QPoint& handle : handles)
        painter.drawEllipse(QRect(handle.x() - 5, handle.y() - 5, 10, 10));

    const int width = std::abs(box.right - box.left);
    const int height = std::abs(box.bottom - box.top);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, 2));
    painter.drawRect(QRect(box.left, box.top, width, height));

    if (showsCropCaption(width, height)) {
        QFont font(QStringLiteral("Times New Roman"));
        font.setBold(true);
        font.setPixelSize(10);
        painter.setFont(font);
        painter.drawText(QRect(box.left + 10, box.top - 15, 80, 20),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                         QString::asprintf("%d * %d", width, height));
    }

    painter.setPen(QPen(Qt::white, 1));
    painter.drawLine(midX, box.top, midX, box.bottom);
    painter.drawLine(box.left, midY, box.right, midY);
    painter.restore();
}

const QImage& ViewPainter::pictureFile(const QString& path) {
    const QFileInfo info(path);
    const QDateTime stamp = info.exists() ? info.lastModified() : QDateTime();
    const qint64 size = info.exists() ? info.size() : -1;
    if (path != m_filePath || stamp != m_fileStamp || size != m_fileSize) {
        m_filePath = path;
        m_fileStamp = stamp;
        m_fileSize = size;
        m_file = path.isEmpty() ? QImage() : RasterIO::load(path);
    }
    return m_file;
}
