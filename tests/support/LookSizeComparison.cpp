#include "LookSizeComparison.h"

#include "LookRendering.h"
#include "MagickBridge.h"
#include "TestSupport.h"

#include <wand/MagickWand.h>

namespace LookSizeComparison {

namespace {

QImage softened(const QImage& image) {
    WandPtr wand(raster2magick(image.convertToFormat(QImage::Format_ARGB32)));
    if (!wand || MagickGetNumberImages(wand.get()) == 0 ||
        MagickGaussianBlurImage(wand.get(), 0.0, kSoftening) != MagickTrue)
        return {};
    return magick2raster(wand.get(), "LookSizeComparison");
}

} // namespace

PicturePair writePair(const QString& folder, const QString& name, const QImage& fullSize, int previewWidth) {
    PicturePair pair;
    pair.name = name;
    pair.fullSizePath = folder + name + QStringLiteral("-full.png");
    pair.previewPath = folder + name + QStringLiteral("-preview.png");
    pair.lengthScale = double(fullSize.width()) / previewWidth;
    const QSize previewSize(previewWidth, qRound(fullSize.height() / pair.lengthScale));
    const QImage preview = fullSize.scaled(previewSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (!fullSize.save(pair.fullSizePath) || !preview.save(pair.previewPath))
        return {};
    return pair;
}

QImage enlargedPhoto(const QString& dataFile, int width) {
    const QImage photo = QImage(TestSupport::dataFile(dataFile)).convertToFormat(QImage::Format_RGB32);
    if (photo.isNull())
        return {};
    return photo.scaledToWidth(width, Qt::SmoothTransformation);
}

QImage renderFilter(const FilterLook& look, int index, const QString& path, double lengthScale) {
    EffectRouting routing;
    routing.renderTarget = RenderToView;
    routing.lengthScale = lengthScale;
    if (!renderFilterLook(routing, look, index + 1, path, "LookSizeComparison"))
        return {};
    return routing.effectBitmap;
}

double softenedDifference(const QImage& preview, const QImage& fullSize) {
    if (preview.isNull() || fullSize.isNull())
        return -1;
    const QImage shrunk = fullSize.scaled(preview.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return TestSupport::rmseDifference(softened(shrunk), softened(preview));
}

double filterDifference(const FilterLook& look, int index, const PicturePair& pair) {
    return softenedDifference(renderFilter(look, index, pair.previewPath, 1.0),
                              renderFilter(look, index, pair.fullSizePath, pair.lengthScale));
}

} // namespace LookSizeComparison
