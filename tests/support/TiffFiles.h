#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

// TIFF files written byte by byte, so a test can make pages, and the flaws of real camera and
// scanner files, without handing TIFF to any library of the program.
namespace TiffFiles {

enum class Flaw {
    None,
    PrivateTag, // an unknown tag in every directory: libtiff warns while reading
    CutStrip,   // the last page's pixels end early: libtiff fails while reading
};

// Uncompressed 8-bit RGB, one page per picture, in order.
QByteArray pages(const QList<QImage>& pictures, Flaw flaw = Flaw::None);

} // namespace TiffFiles
