#pragma once

#include <QImage>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

// What a printed PDF holds, read with poppler's command-line tools.
namespace PdfPages {

// A field of pdfinfo ("Pages", "Title", "Page size"); empty when the file cannot be read.
QString info(const QString& pdf, const QString& field);

// The pixel size of every picture embedded in the PDF, page by page (soft masks left out).
QList<QSize> embeddedImages(const QString& pdf, int page);

// Every page rasterised at dpi.
QList<QImage> rasterise(const QString& pdf, int dpi);

// The smallest rectangle holding every pixel that is clearly not white.
QRect inkBounds(const QImage& page);

} // namespace PdfPages
