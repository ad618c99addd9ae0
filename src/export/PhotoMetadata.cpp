#include "PhotoMetadata.h"

#include <exiv2/exiv2.hpp>

#include <mutex>

namespace PhotoMetadata {

namespace {

// Several exports may run at once (the renderer's batch); the XMP toolkit under exiv2 is not
// safe across threads unless it is given a lock.
std::mutex xmpMutex;

void lockXmp(void* data, bool lock) {
    auto* mutex = static_cast<std::mutex*>(data);
    if (lock)
        mutex->lock();
    else
        mutex->unlock();
}

void initialise() {
    static std::once_flag once;
    std::call_once(once, [] {
        Exiv2::XmpParser::initialize(lockXmp, &xmpMutex);
        // Odd maker notes are common and harmless; a failure is reported by the caller.
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
    });
}

// Sets key to value when the source has it; adding a tag the photo never had would claim
// something about the file that a reader did not ask for.
void updateIfPresent(Exiv2::ExifData& exif, const char* key, uint32_t value) {
    const auto found = exif.findKey(Exiv2::ExifKey(key));
    if (found != exif.end())
        found->setValue(std::to_string(value));
}

void updateIfPresent(Exiv2::XmpData& xmp, const char* key, uint32_t value) {
    const auto found = xmp.findKey(Exiv2::XmpKey(key));
    if (found != xmp.end())
        found->setValue(std::to_string(value));
}

void describeExported(Exiv2::ExifData& exif, Exiv2::XmpData& xmp, const QSize& size, bool tiff) {
    const auto width = uint32_t(size.width());
    const auto height = uint32_t(size.height());
    if (!exif.empty()) {
        exif["Exif.Image.Orientation"] = uint16_t(1);
        // A TIFF's own size tags describe its pixels and are written by the encoder.
        if (!tiff) {
            updateIfPresent(exif, "Exif.Image.ImageWidth", width);
            updateIfPresent(exif, "Exif.Image.ImageLength", height);
        }
        if (exif.findKey(Exiv2::ExifKey("Exif.Photo.ExifVersion")) != exif.end() ||
            exif.findKey(Exiv2::ExifKey("Exif.Photo.PixelXDimension")) != exif.end()) {
            exif["Exif.Photo.PixelXDimension"] = width;
            exif["Exif.Photo.PixelYDimension"] = height;
        }
        Exiv2::ExifThumb(exif).erase();
    }
    if (!xmp.empty()) {
        updateIfPresent(xmp, "Xmp.tiff.Orientation", 1);
        updateIfPresent(xmp, "Xmp.tiff.ImageWidth", width);
        updateIfPresent(xmp, "Xmp.tiff.ImageLength", height);
        updateIfPresent(xmp, "Xmp.exif.PixelXDimension", width);
        updateIfPresent(xmp, "Xmp.exif.PixelYDimension", height);
    }
}

} // namespace

bool carriesMetadata(const QByteArray& mimeType) {
    return mimeType == "image/jpeg" || mimeType == "image/png" || mimeType == "image/tiff";
}

QString carryOver(const QString& encodedPath, const QString& sourcePath, const QSize& size) {
    initialise();
    Exiv2::ExifData exif;
    Exiv2::XmpData xmp;
    try {
        auto source = Exiv2::ImageFactory::open(sourcePath.toStdString());
        source->readMetadata();
        exif = source->exifData();
        xmp = source->xmpData();
    } catch (const Exiv2::AnyError&) {
        // A picture exiv2 does not know (a BMP, a GIF) has nothing it could carry.
        return {};
    }
    if (exif.empty() && xmp.empty())
        return {};

    try {
        // Edited where it lies: the library holds one copy of the file while it rewrites it.
        auto target = Exiv2::ImageFactory::open(encodedPath.toStdString());
        // Read first, so that what the encoder wrote (the colour profile above all) is kept.
        target->readMetadata();
        describeExported(exif, xmp, size, target->mimeType() == "image/tiff");
        target->setExifData(exif);
        target->setXmpData(xmp);
        target->writeMetadata();
        return {};
    } catch (const Exiv2::AnyError& error) {
        return QStringLiteral("The photo's metadata could not be kept: %1")
            .arg(QString::fromStdString(error.what()));
    }
}

} // namespace PhotoMetadata
