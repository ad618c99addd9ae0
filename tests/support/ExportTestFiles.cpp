#include "ExportTestFiles.h"

#include "TestSupport.h"

#include <QtTest>

namespace ExportTestFiles {

QString writeLargePhoto(const QString& path, int factor) {
    const QImage photo(TestSupport::dataFile(QStringLiteral("coffee.png")));
    const QImage large = photo.scaled(photo.size() * factor, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (!large.save(path, "PNG"))
        qWarning("cannot write %s", qPrintable(path));
    return path;
}

QImage turnedClockwise(const QImage& picture, int angle) {
    const int quarters = ((angle / 90) % 4 + 4) % 4;
    const QImage source = picture.convertToFormat(QImage::Format_ARGB32);
    const int w = source.width();
    const int h = source.height();
    QImage turned(quarters % 2 ? QSize(h, w) : QSize(w, h), QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const QRgb pixel = source.pixel(x, y);
            switch (quarters) {
            case 1:
                turned.setPixel(h - 1 - y, x, pixel);
                break;
            case 2:
                turned.setPixel(w - 1 - x, h - 1 - y, pixel);
                break;
            case 3:
                turned.setPixel(y, w - 1 - x, pixel);
                break;
            default:
                turned.setPixel(x, y, pixel);
                break;
            }
        }
    }
    return turned;
}

QImage scaledTo(const QImage& picture, const QSize& size) {
    return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32);
}

} // namespace ExportTestFiles
