#pragma once

#include "ReportLine.h"

#include <QImage>
#include <QString>

struct _MagickWand;
typedef struct _MagickWand MagickWand;

// The pixel exchange between MagickWand images and Qt rasters. Both sides use 32-bit pixels
// laid out B, G, R, A in memory (QImage::Format_ARGB32 on little-endian machines), which is the
// wand's "BGRA" map byte for byte.

// Decodes the picture at path and stretches it to width x height (proportions not kept), alpha
// included, as 32-bit ARGB. A file that cannot be decoded gives a fully transparent picture of
// that size (reported once on standard error). Null when the size is empty or does not fit in
// memory.
QImage stretchedPicture(const QString& path, int width, int height);

// stretchedPicture() put into the empty wand. Returns false (after reporting on standard error)
// when there is no such picture or the wand refuses the pixels.
bool bitmap2magick(const QString& path, MagickWand* wand, int width, int height);

// The rows top to top + rows - 1 of an ARGB32 raster as the empty wand's picture, alpha
// included. Returns false (after reporting on standard error as routine) when the library
// refuses the pixels.
bool rowsToMagick(const QImage& argb, int top, int rows, MagickWand* wand, const char* routine);

// The wand's current image as a raster that owns its pixels. Null (after reporting on standard
// error as routine) when the export fails.
QImage magick2raster(MagickWand* wand, const char* routine = "CcsAllDlg::run_effect_function");

// A raster as a new one-image wand (for tests, the renderer and GIF encoding). The caller
// destroys the wand; it is empty when the raster is null or the library refuses the pixels.
MagickWand* raster2magick(const QImage& image);

// Whether the wand's picture, as the library read it from a file, holds numbers that are not
// sRGB, decided as the decoders decide it (RasterIO::isForeignColourSpace) from the file's
// profile, else its gamma and chromaticities. The library takes a file's numbers as they are
// stored, profile or not.
bool holdsForeignColours(MagickWand* wand);

// Replaces whatever the wand holds by the picture, with an alpha channel only when some pixel is
// not opaque (as a file read by the library would). Returns false (after reporting on standard
// error as routine) when the library refuses the pixels.
bool replaceWithRaster(MagickWand* wand, const QImage& picture, const char* routine);

// Reports a MagickWand failure as one line on standard error:
// "veZirDlg <routine> <line> <description>", the description being the wand's exception, which
// is then cleared.
void reportMagickFailure(MagickWand* wand, const char* routine, unsigned long line);

// Paths handed to MagickWand are UTF-8.
QByteArray magickPath(const QString& path);
