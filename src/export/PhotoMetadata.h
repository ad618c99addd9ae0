#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

// The photo's own description (EXIF: camera, lens, exposure, date, GPS; and XMP) carried from
// the user's file into an exported one.
namespace PhotoMetadata {

// Which kinds of file can carry it: JPEG, PNG and TIFF.
bool carriesMetadata(const QByteArray& mimeType);

// Writes the EXIF and XMP of the photo at sourcePath into the encoded file at encodedPath, in
// place. The pixels are already upright, so the orientation is written as 1; the pixel
// dimensions become size; an embedded thumbnail of the original, which would show the unedited
// photo, is left out. A source without metadata, or one that cannot be read, leaves the file as
// it is. An empty text, or why the metadata could not be kept (the picture is still complete).
QString carryOver(const QString& encodedPath, const QString& sourcePath, const QSize& size);

} // namespace PhotoMetadata
