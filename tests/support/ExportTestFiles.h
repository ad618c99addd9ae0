#pragma once

#include "CatalogTypes.h"
#include "ShippedLooks.h"

#include <QImage>
#include <QSize>
#include <QString>

// Photos, catalogues and reference pictures shared by the export tests.
namespace ExportTestFiles {

// coffee.png enlarged factor times in each direction, written losslessly to path (returned).
QString writeLargePhoto(const QString& path, int factor);

// The picture turned clockwise by a multiple of 90 degrees, pixel by pixel: a reference that
// shares no code with the program's own turn.
QImage turnedClockwise(const QImage& picture, int angle);

// Smoothly scaled to size, proportions not kept.
QImage scaledTo(const QImage& picture, const QSize& size);

} // namespace ExportTestFiles
