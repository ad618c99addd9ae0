#include "PrintShared.h"

#include "Rect.h"

#include <QPainter>
#include <QTransform>

void PrintShared::reset() {
    *this = PrintShared();
}

PrintShared& PrintShared::instance() {
    static PrintShared shared;
    return shared;
}

void DrawMirrored(QPainter& painter, const QImage& image, const QRectF& target, bool flipHorizontal,
                  bool flipVertical) {
    if (image.isNull() || target.isEmpty())
        return;
    if (!flipHorizontal && !flipVertical) {
        painter.drawImage(target, image);
        return;
    }
    // Mirror about the target's centre so the picture stays exactly inside the target.
    painter.save();
    QTransform mirror;
    mirror.translate(target.center().x(), target.center().y());
    mirror.scale(flipHorizontal ? -1.0 : 1.0, flipVertical ? -1.0 : 1.0);
    mirror.translate(-target.center().x(), -target.center().y());
    painter.setTransform(mirror, true);
    painter.drawImage(target, image);
    painter.restore();
}

void DrawMirrored(QPainter& painter, const QImage& image, const Rect& target, bool flipHorizontal,
                  bool flipVertical) {
    DrawMirrored(painter, image, target.toQRectF(), flipHorizontal, flipVertical);
}

void DrawMirrored(QPainter& painter, const QImage& image, const Rect& target) {
    const PrintShared& shared = PrintShared::instance();
    DrawMirrored(painter, image, target, shared.printFlipHorizontal, shared.printFlipVertical);
}
