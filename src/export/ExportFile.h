#pragma once

#include <QImage>
#include <QString>

// Writing a finished picture to the file the user chose.
namespace ExportFile {

// JPEG exports are written at this quality; working files keep a higher one.
inline constexpr int kJpegQuality = 85;

// Why a file of this name cannot be written by type, or an empty text: the extension, in any
// letter case, chooses the type (jpg, jpeg, jpe, png, bmp, gif, tif, tiff).
QString checkType(const QString& target);

// Why target cannot be written before any work is done (its type, a folder that does not
// exist), or an empty text.
QString checkTarget(const QString& target);

struct Written {
    QString error;   // why nothing was written; empty on success
    QString warning; // written, but something of the photo could not be kept
};

// Encodes image in the type target's extension chooses, tagged sRGB, with the metadata of the
// photo at metadataSource (JPEG, PNG and TIFF), and writes it. Nothing is written before the
// file is complete, so a failure leaves an existing file at target exactly as it was. A picture
// handed over (moved) is encoded without a copy of its pixels.
Written write(QImage image, const QString& target, const QString& metadataSource);

} // namespace ExportFile
