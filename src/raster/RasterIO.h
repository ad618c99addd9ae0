#pragma once

#include <QColorSpace>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

// Decoding and working-file encoding of pictures. Every picture is decoded upright (the
// orientation tag that phones write is applied) and in sRGB (an embedded colour profile is
// honoured), so the view, the thumbnails, the looks and the export all agree on which way is up
// and on what the colours are.
namespace RasterIO {

// Pictures larger than this are refused: they would not fit a desktop's memory comfortably.
inline constexpr qint64 kMaxPixels = 100'000'000;

// The most bytes a decoder here spends on one pixel: four 32-bit floating-point samples (a float
// TIFF). 8-bit pictures take 4, 16-bit PNG and TIFF 8.
inline constexpr qint64 kMaxDecodedBytesPerPixel = 16;

// Raises Qt's decoder allocation limit so pictures up to kMaxPixels open whatever their depth.
// Idempotent.
void allowLargePictures();

// The upright size of a picture file without decoding its pixels; an invalid size when the
// file is not a picture the decoders understand, or is larger than kMaxPixels.
QSize pictureSize(const QString& path);

// Whether a file's description of its colours asks for its numbers to be converted before they
// are shown as sRGB: a profile or a gamma with primaries other than sRGB's. No description, or
// one of sRGB within the rounding of a PNG's gAMA and cHRM chunks, keeps the numbers as they
// are: ImageMagick describes every sRGB picture it writes as gamma 1/2.2 with sRGB's primaries,
// which browsers show as sRGB, and converting that curve to sRGB's would darken the shadows.
bool isForeignColourSpace(const QColorSpace& space);

// Converts a freshly decoded picture whose colours are foreign (Display P3 from phones, Adobe
// RGB from cameras, linear or wide-gamut PNG and TIFF) to sRGB, in the precision the decoder
// delivered: a 16-bit picture is converted before it is reduced to 8 bits per channel. Returns
// whether it converted anything; a picture described as sRGB is tagged so and left as it is.
bool convertToSRgb(QImage& picture);

// Whether any pixel of the picture is less than opaque. Its format does not tell: every decoded
// picture is ARGB32 here, opaque or not.
bool hasTransparency(const QImage& picture);

// The picture laid on white where it is not opaque, as a working JPEG or a file type without
// alpha shows it, tagged with its colour space; the picture itself, untouched, when it is opaque.
QImage onWhite(QImage picture);

// Decodes a picture upright and in sRGB into 32-bit ARGB. Null when the file cannot be decoded
// or is larger than kMaxPixels.
QImage load(const QString& path);

// Decodes a picture upright at uprightSize (proportions not kept) without holding its full size
// in memory first: a JPEG is reduced while it is decoded. Null as load() is.
QImage load(const QString& path, const QSize& uprightSize);

// Decodes only the part region of a picture, region given in upright pixels (as load() shows
// the picture). Decoders that can leave out what lies outside the region (JPEG) do so, which
// keeps cutting a small piece out of a large photo quick. The region is clipped to the
// picture; null when nothing of it is left or the file cannot be decoded.
QImage loadRegion(const QString& path, const QRect& region);

// Saves a working picture as JPEG at quality 95: working files are re-read and re-encoded
// many times, and 95 keeps the generation loss invisible. The file is replaced atomically, but
// not flushed to the disk: it is scratch.
bool saveWorkingJpeg(const QImage& image, const QString& path);

} // namespace RasterIO
