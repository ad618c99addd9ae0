#include "Encoders.h"

#include "MagickBridge.h"
#include "RasterIO.h"

#include <QColorSpace>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>
#include <QTemporaryFile>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <wand/MagickWand.h>

namespace Encoders {

QList<ImageEncoder> all() {
    QList<ImageEncoder> encoders;
    for (const QByteArray& mime : QImageWriter::supportedMimeTypes()) {
        const QList<QByteArray> formats = QImageWriter::imageFormatsForMimeType(mime);
        if (!formats.isEmpty())
            encoders.append({mime, formats.first(), false});
    }
    const bool qtWritesGif = std::any_of(encoders.begin(), encoders.end(),
                                         [](const ImageEncoder& e) { return e.mimeType == "image/gif"; });
    if (!qtWritesGif)
        encoders.append({"image/gif", QByteArray(), true});
    return encoders;
}

std::optional<ImageEncoder> byMimeType(const QByteArray& mimeType) {
    for (const QByteArray& mime : QImageWriter::supportedMimeTypes()) {
        if (mime == mimeType) {
            const QList<QByteArray> formats = QImageWriter::imageFormatsForMimeType(mime);
            if (!formats.isEmpty())
                return ImageEncoder{mime, formats.first(), false};
        }
    }
    if (mimeType == "image/gif")
        return ImageEncoder{"image/gif", QByteArray(), true};
    return std::nullopt;
}

std::optional<ImageEncoder> findJpegEncoder() {
    return byMimeType("image/jpeg");
}

static QByteArray mimeTypeForExtension(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0)
        return {};
    const QString ext = name.mid(dot + 1).toLower();
    if (ext == u"jpg" || ext == u"jpeg" || ext == u"jpe")
        return "image/jpeg";
    if (ext == u"bmp")
        return "image/bmp";
    if (ext == u"gif")
        return "image/gif";
    if (ext == u"tif" || ext == u"tiff")
        return "image/tiff";
    if (ext == u"png")
        return "image/png";
    return {};
}

std::optional<ImageEncoder> findExportEncoder(const QString& path) {
    const QByteArray mime = mimeTypeForExtension(path);
    if (mime.isEmpty())
        return std::nullopt;
    return byMimeType(mime);
}

static bool encodeGif(const QImage& image, QIODevice* device) {
    MagickWand* wand = raster2magick(image);
    bool written = false;
    if (MagickGetNumberImages(wand) > 0 && MagickSetImageFormat(wand, "GIF") == MagickTrue) {
        if (image.colorSpace().isValid()) {
            const QByteArray icc = image.colorSpace().iccProfile();
            MagickSetImageProfile(wand, "icc", icc.constData(), size_t(icc.size()));
        }
        size_t length = 0;
        unsigned char* data = MagickGetImageBlob(wand, &length);
        if (data) {
            written = device->write(reinterpret_cast<const char*>(data), qint64(length)) == qint64(length);
            MagickRelinquishMemory(data);
        }
    }
    DestroyMagickWand(wand);
    return written;
}

bool encode(QImage image, const ImageEncoder& encoder, int quality, QIODevice* device) {
    if (image.isNull())
        return false;
    if (encoder.viaMagick)
        return encodeGif(image, device);
    const bool roomForAlpha = encoder.mimeType != "image/jpeg" && encoder.mimeType != "image/bmp";
    if (!roomForAlpha) {
        // Rather than let transparent black show. The writers take only the colour of an
        // opaque picture, whatever its format.
        image = RasterIO::onWhite(std::move(image));
        if (image.isNull())
            return false;
    } else if (image.hasAlphaChannel() && !RasterIO::hasTransparency(image)) {
        // The writers choose the file's channels by the raster's format alone.
        image.convertTo(image.depth() > 32 ? QImage::Format_RGBX64 : QImage::Format_RGB32);
    }
    QImageWriter writer(device, encoder.format);
    if (quality >= 0)
        writer.setQuality(quality);
    return writer.write(image);
}

namespace {

QString writeScratchFile(const QString& path, const std::function<bool(QFileDevice&)>& fill) {
    QTemporaryFile file(path + QStringLiteral(".XXXXXX"));
    if (!file.open())
        return file.errorString();
    if (!fill(file) || !file.flush() || file.error() != QFileDevice::NoError)
        return file.error() != QFileDevice::NoError ? file.errorString() : QStringLiteral("incomplete");
    file.close();
    // rename(2) replaces the earlier file in one step; QFile::rename would refuse to.
    if (std::rename(QFile::encodeName(file.fileName()).constData(), QFile::encodeName(path).constData()) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    file.setAutoRemove(false);
    return {};
}

} // namespace

QString writeFile(const QString& path, const std::function<bool(QFileDevice&)>& fill, Durability durability) {
    if (durability == Durability::Scratch)
        return writeScratchFile(path, fill);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (!fill(file) || file.error() != QFileDevice::NoError) {
        const QString reason =
            file.error() != QFileDevice::NoError ? file.errorString() : QStringLiteral("incomplete");
        file.cancelWriting();
        return reason;
    }
    // Only a complete file, flushed to the disk, replaces what was there.
    if (!file.commit())
        return file.errorString();
    return {};
}

bool save(QImage image, const QString& path, const ImageEncoder& encoder, int quality,
          Durability durability) {
    return writeFile(
               path, [&](QFileDevice& file) { return encode(std::move(image), encoder, quality, &file); },
               durability)
        .isEmpty();
}

} // namespace Encoders
