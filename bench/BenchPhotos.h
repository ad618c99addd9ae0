#pragma once

#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QRandomGenerator>
#include <QString>

// Sky, shapes, fine lines and sensor-like noise: a JPEG of about the size and entropy a camera
// writes, so neither decoder gets an unusually easy file.
inline QImage cameraPicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, width, height);
    sky.setColorAt(0, QColor(30, 70, 160));
    sky.setColorAt(1, QColor(240, 190, 120));
    painter.fillRect(image.rect(), sky);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 60; ++i) {
        painter.setBrush(QColor::fromHsv((i * 37) % 360, 160, 220, 180));
        painter.drawEllipse(QPointF((i * 1733) % width, (i * 977) % height), width / 40.0 + i * 9,
                            height / 40.0 + i * 5);
    }
    painter.setPen(QColor(20, 20, 20, 90));
    for (int x = 0; x < width; x += 9)
        painter.drawLine(x, 0, x + width / 6, height);
    painter.end();
    QRandomGenerator noise(7);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int n = int(noise.bounded(9)) - 4;
            const QRgb p = line[x];
            line[x] = qRgb(qBound(0, qRed(p) + n, 255), qBound(0, qGreen(p) + n, 255),
                           qBound(0, qBlue(p) + n, 255));
        }
    }
    return image;
}

inline QString writeCameraJpeg(const QString& path, int width, int height, bool progressive) {
    QImageWriter writer(path, "jpeg");
    writer.setQuality(92);
    writer.setProgressiveScanWrite(progressive);
    writer.write(cameraPicture(width, height));
    return path;
}
