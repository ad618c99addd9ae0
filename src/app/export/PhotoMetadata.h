#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

// The photo's own description (EXIF: camera, lens, exposure, date, GPS; and XMP) carried from
// the user's file into an exported one.
namespace PhotoMetadata {

// Which kinds of file can carry it: JPEG, PNG and TIFF.
bool carriesMetadata(const QByteArray& mimeType);

struct Carried {
    QByteArray bytes; // the encoded file, with the metadata when there was any to carry
    QString warning;  // why the metadata could not be carried; the picture is still complete
};

// The encoded file with the EXIF and XMP of the photo at sourcePath. The pixels are already
// upright, so the orientation is written as 1; the pixel dimensions become size; an embedded
// thumbnail of the original, which would show the unedited photo, is left out. A source
// without metadata, or one that cannot be read, leaves the bytes as they are.
Carried carryOver(const QByteArray& encoded, const QString& sourcePath, const QSize& size);

} // namespace PhotoMetadata
