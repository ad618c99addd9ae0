#include "LookPhotos.h"

#include "RasterIO.h"
#include "TestSupport.h"

#include <cmath>

namespace {

// Saved as the editor's working pictures are (JPEG, no alpha), since looks only ever run on those.
LookPhoto savePhoto(const QString& folder, const QString& name, const QImage& picture) {
    const QString path = folder + name + QStringLiteral(".jpg");
    RasterIO::saveWorkingJpeg(picture, path);
    return {name, path, RasterIO::load(path)};
}

} // namespace

QList<LookPhoto> prepareLookPhotos(const QString& folder) {
    const QImage astronaut = RasterIO::load(TestSupport::dataFile(QStringLiteral("astronaut.png")));
    const QImage coffee = RasterIO::load(TestSupport::dataFile(QStringLiteral("coffee.png")));
    const QImage chelsea = RasterIO::load(TestSupport::dataFile(QStringLiteral("chelsea.png")));
    return {
        savePhoto(folder, QStringLiteral("portrait"), astronaut.copy(64, 0, 384, 512)),
        savePhoto(folder, QStringLiteral("landscape"), coffee),
        savePhoto(folder, QStringLiteral("small"), chelsea.scaledToWidth(160, Qt::SmoothTransformation)),
    };
}

double luminanceDeviation(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    double sum = 0, sumSquares = 0;
    for (int y = 0; y < argb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            const double luma =
                (0.299 * qRed(row[x]) + 0.587 * qGreen(row[x]) + 0.114 * qBlue(row[x])) / 255.0;
            sum += luma;
            sumSquares += luma * luma;
        }
    }
    const double count = double(argb.width()) * argb.height();
    if (count == 0)
        return 0;
    const double mean = sum / count;
    return std::sqrt(std::max(0.0, sumSquares / count - mean * mean));
}

bool fullyOpaque(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            if (qAlpha(row[x]) != 255)
                return false;
    }
    return true;
}

QImage comparisonCopy(const QImage& image, int maxWidth) {
    if (image.width() <= maxWidth)
        return image.convertToFormat(QImage::Format_ARGB32);
    return image.scaledToWidth(maxWidth, Qt::SmoothTransformation).convertToFormat(QImage::Format_ARGB32);
}
