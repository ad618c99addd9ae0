#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QImage>
#include <QList>
#include <QString>

#include <functional>
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

// Encodes the picture into device in the encoder's format; false when it cannot be encoded or
// the device takes no more. quality < 0 keeps the encoder's default. An opaque picture is written
// without an alpha channel; one with transparency keeps it where the format has room for it (PNG,
// TIFF) and is flattened onto white elsewhere (JPEG, BMP). A picture with a colour space carries
// it as an embedded profile where the format has room for one. Handed over (moved), the picture
// is reformatted in place rather than copied.
bool encode(QImage image, const ImageEncoder& encoder, int quality, QIODevice* device);

// What a written file must survive. A user's file is flushed to the disk before it replaces the
// old one, so a power cut leaves one or the other. A working file is scratch that the next start
// removes anyway; waiting for the disk would cost a thumbnail run a third of its time.
enum class Durability { Flushed, Scratch };

// Writes path through a temporary file in the same folder, renamed over path once fill has
// written all of it: an existing file is replaced only by a complete new one. An empty text on
// success, otherwise why not: the file's own error, or "incomplete" when fill failed without one.
QString writeFile(const QString& path, const std::function<bool(QFileDevice&)>& fill,
                  Durability durability = Durability::Flushed);

// Encodes straight into the file at path. quality < 0 keeps the encoder's default.
bool save(QImage image, const QString& path, const ImageEncoder& encoder, int quality = -1,
          Durability durability = Durability::Flushed);

} // namespace Encoders
