#include "RasterIO.h"

#include "Encoders.h"

#include <QColorTransform>
#include <QImageReader>
#include <QPainter>
#include <QTransform>

#include <cmath>

namespace RasterIO {

void allowLargePictures() {
    // Qt refuses a picture whose decoded pixels would take more than the limit, counted in the
    // format the decoder delivers: a 16-bit picture takes twice the bytes of an 8-bit one. The
    // limit lets the widest of them through at kMaxPixels; the pixel count itself is checked
    // against kMaxPixels before anything is decoded.
    constexpr qint64 kMiB = 1024 * 1024;
    constexpr int limit = int((kMaxPixels * kMaxDecodedBytesPerPixel + kMiB - 1) / kMiB);
    if (QImageReader::allocationLimit() < limit)
        QImageReader::setAllocationLimit(limit);
}

static QSize uprightSize(QImageReader& reader) {
    QSize size = reader.size();
    if (size.isValid() && reader.transformation().testFlag(QImageIOHandler::TransformationRotate90))
        size.transpose();
    return size;
}

static bool withinLimit(const QSize& size) {
    return size.isValid() && qint64(size.width()) * size.height() <= kMaxPixels;
}

QSize pictureSize(const QString& path) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize size = uprightSize(reader);
    return withinLimit(size) ? size : QSize();
}

// A PNG's gAMA chunk holds 1/gamma in hundred-thousandths (45455 for 1/2.2); tools round it
// differently, and a gamma this close to 2.2 is no visible difference anyway.
static bool nearSRgbGamma(float gamma) {
    constexpr double kStoredGammaTolerance = 0.01;
    return gamma > 0 && std::abs(1.0 / gamma - 1.0 / 2.2) <= kStoredGammaTolerance;
}

// Whether space's primaries and white point are sRGB's within a cHRM chunk's rounding: with its
// primaries swapped for sRGB's and its curve kept, space maps the primaries and white onto
// themselves. Qt names sRGB's primaries only when they are given exactly.
static bool hasSRgbPrimaries(const QColorSpace& space) {
    if (space.primaries() == QColorSpace::Primaries::SRgb)
        return true;
    if (space.primaries() != QColorSpace::Primaries::Custom)
        return false;
    QColorSpace withSRgbPrimaries = space;
    withSRgbPrimaries.setPrimaries(QColorSpace::Primaries::SRgb);
    const QColorTransform transform = space.transformationToColorSpace(withSRgbPrimaries);
    constexpr float kTolerance = 0.002f;
    for (const QColor colour : {QColor(Qt::red), QColor(Qt::green), QColor(Qt::blue), QColor(Qt::white)}) {
        const QColor mapped = transform.map(colour);
        if (std::abs(mapped.redF() - colour.redF()) > kTolerance ||
            std::abs(mapped.greenF() - colour.greenF()) > kTolerance ||
            std::abs(mapped.blueF() - colour.blueF()) > kTolerance)
            return false;
    }
    return true;
}

bool isForeignColourSpace(const QColorSpace& space) {
    if (!space.isValid() || space == QColorSpace::SRgb)
        return false;
    switch (space.transferFunction()) {
    case QColorSpace::TransferFunction::SRgb:
        break;
    case QColorSpace::TransferFunction::Gamma:
        if (!nearSRgbGamma(space.gamma()))
            return true;
        break;
    default:
        return true;
    }
    return !hasSRgbPrimaries(space);
}

bool convertToSRgb(QImage& picture) {
    const QColorSpace space = picture.colorSpace();
    if (!isForeignColourSpace(space)) {
        // Said outright, so that nothing later (a painter, an encoder writing the profile) takes
        // the near-sRGB description at its word.
        if (space.isValid() && space != QColorSpace::SRgb)
            picture.setColorSpace(QColorSpace::SRgb);
        return false;
    }
    picture.convertToColorSpace(QColorSpace::SRgb);
    return true;
}

bool hasTransparency(const QImage& picture) {
    if (!picture.hasAlphaChannel())
        return false;
    const QImage argb = picture.format() == QImage::Format_ARGB32_Premultiplied
                            ? picture
                            : picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            if (qAlpha(line[x]) != 255)
                return true;
    }
    return false;
}

QImage onWhite(QImage picture) {
    if (!hasTransparency(picture))
        return picture;
    QImage flat(picture.size(), QImage::Format_RGB32);
    if (flat.isNull())
        return {};
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, picture);
    painter.end();
    flat.setColorSpace(picture.colorSpace());
    return flat;
}

// Every decode ends here: one pixel format for the rest of the program.
static QImage decodeUpright(QImageReader& reader) {
    QImage image = reader.read();
    if (image.isNull() || !withinLimit(image.size()))
        return {};
    convertToSRgb(image);
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage load(const QString& path) {
    allowLargePictures();
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize size = uprightSize(reader);
    if (size.isValid() && !withinLimit(size))
        return {};
    return decodeUpright(reader);
}

QImage load(const QString& path, const QSize& scaledSize) {
    allowLargePictures();
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize size = uprightSize(reader);
    if (!size.isValid() || !withinLimit(size) || scaledSize.isEmpty())
        return {};
    // The reader scales in the file's own orientation, before the orientation tag turns it.
    const bool quarterTurned = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    reader.setScaledSize(quarterTurned ? scaledSize.transposed() : scaledSize);
    return decodeUpright(reader);
}

// The rectangle of the stored pixels that shows as upright in a picture of storedSize read
// with transformation applied. The reader mirrors and flips first, then turns a quarter
// clockwise; going back undoes them in the opposite order.
static QRect storedRegion(const QRect& upright, const QSize& storedSize,
                          QImageIOHandler::Transformations transformation) {
    QTransform toUpright;
    if (transformation.testFlag(QImageIOHandler::TransformationMirror))
        toUpright *= QTransform(-1, 0, 0, 1, storedSize.width(), 0);
    if (transformation.testFlag(QImageIOHandler::TransformationFlip))
        toUpright *= QTransform(1, 0, 0, -1, 0, storedSize.height());
    if (transformation.testFlag(QImageIOHandler::TransformationRotate90))
        toUpright *= QTransform(0, 1, -1, 0, storedSize.height(), 0);
    return toUpright.inverted().mapRect(QRectF(upright)).toAlignedRect();
}

QImage loadRegion(const QString& path, const QRect& region) {
    allowLargePictures();
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize storedSize = reader.size();
    const QSize size = uprightSize(reader);
    if (!withinLimit(size))
        return {};
    const QRect wanted = region & QRect(QPoint(0, 0), size);
    if (wanted.isEmpty())
        return {};
    reader.setClipRect(storedRegion(wanted, storedSize, reader.transformation()));
    QImage image = reader.read();
    if (image.size() != wanted.size())
        return {};
    convertToSRgb(image);
    return image.convertToFormat(QImage::Format_ARGB32);
}

bool saveWorkingJpeg(const QImage& image, const QString& path) {
    const std::optional<ImageEncoder> jpeg = Encoders::findJpegEncoder();
    return jpeg && Encoders::save(image, path, *jpeg, 95, Encoders::Durability::Scratch);
}

} // namespace RasterIO
