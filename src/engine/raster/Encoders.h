#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

#include <optional>

// An image encoder: what Qt can write, plus GIF, which goes through MagickWand.
struct ImageEncoder {
    QByteArray mimeType; // "image/jpeg", "image/gif", ...
    QByteArray format;   // the Qt writer's format name; empty for encoders that are not Qt's
    bool viaMagick = false;

    friend bool operator==(const ImageEncoder&, const ImageEncoder&) = default;
};

namespace Encoders {

// Every encoder available, in a stable order.
QList<ImageEncoder> all();

// The first encoder whose MIME type equals mimeType exactly.
std::optional<ImageEncoder> byMimeType(const QByteArray& mimeType);

// The JPEG encoder ("image/jpeg").
std::optional<ImageEncoder> findJpegEncoder();

// The encoder an export file's extension asks for, in any letter case: jpg, jpeg and jpe
// choose JPEG, bmp BMP, gif GIF, tif and tiff TIFF, png PNG; anything else (or no extension)
// chooses none.
std::optional<ImageEncoder> findExportEncoder(const QString& path);

// The picture as a file's bytes in the encoder's format; empty when it cannot be encoded.
// quality < 0 keeps the encoder's default. An opaque picture is written without an alpha
// channel; one with transparency keeps it where the format has room for it (PNG, TIFF) and is
// flattened onto white elsewhere (JPEG, BMP). A picture with a colour space carries it as an
// embedded profile where the format has room for one. Handed over (moved), the picture is
// reformatted in place rather than copied.
QByteArray encode(QImage image, const ImageEncoder& encoder, int quality = -1);

// Writes bytes to path through a temporary file in the same folder, renamed over path once it
// is complete: an existing file is replaced only by a complete new one. An empty text on
// success, otherwise why the file could not be written.
QString writeFile(const QByteArray& bytes, const QString& path);

// Encodes and writes. quality < 0 keeps the encoder's default.
bool save(const QImage& image, const QString& path, const ImageEncoder& encoder, int quality = -1);

} // namespace Encoders
