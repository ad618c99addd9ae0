#pragma once

#include "CatalogTypes.h"

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

// A look at full size against the same look on the preview, as a viewer compares them: the
// full-size result shrunk to the preview's size, both softened by a blur of two pixels (where a
// one-pixel line or a grain falls is no part of the look, its tone is), then the RMSE of red,
// green and blue over 0..1.
namespace LookSizeComparison {

inline constexpr double kSoftening = 2.0;

// A picture as a full-size file beside its preview, made from it as intake makes one: by
// shrinking. PNG keeps both free of compression artefacts.
struct PicturePair {
    QString name;
    QString previewPath;
    QString fullSizePath;
    double lengthScale = 1.0;
};

// Writes fullSize and its preview, previewWidth wide, into folder as <name>-full.png and
// <name>-preview.png.
PicturePair writePair(const QString& folder, const QString& name, const QImage& fullSize, int previewWidth);

// A photo of tests/data enlarged to width (proportions kept), opaque.
QImage enlargedPhoto(const QString& dataFile, int width);

// The filter (0-based index into filterLooks) on the picture file at path, with its lengths
// scaled by lengthScale, as the view gets it; null when it does not render.
QImage renderFilter(const FilterLook& look, int index, const QString& path, double lengthScale);

// The difference described above; -1 when either picture is missing.
double softenedDifference(const QImage& preview, const QImage& fullSize);

// The filter on both pictures of pair, compared as above; -1 when either does not render.
double filterDifference(const FilterLook& look, int index, const PicturePair& pair);

} // namespace LookSizeComparison
