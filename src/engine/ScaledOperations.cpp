#include "ScaledOperations.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include <QByteArray>
#include <QList>

#include <wand/MagickWand.h>

namespace {

// The width of the square window the library's edge operator uses for a radius; 0 lets it choose
// one from a fixed sigma of half a pixel.
double edgeWindowWidth(double radius) {
    return double(GetOptimalKernelWidth1D(radius, 0.5));
}

// The weights of a mean over a run of width pixels centred on a pixel, width being any length
// from 1 up: the pixels the run covers wholly count fully, the two it covers in part count by the
// part covered. A width of 1 is the pixel itself.
QList<double> boxWeights(double width) {
    const double half = width / 2;
    const int reach = int(std::ceil(half - 0.5));
    QList<double> weights;
    for (int k = -reach; k <= reach; ++k)
        weights.append(std::clamp(std::min(k + 0.5, half) - std::max(k - 0.5, -half), 0.0, 1.0));
    return weights;
}

// Replaces every pixel by the mean of the width x width square around it, in two passes.
bool boxMean(MagickWand* image, double width) {
    const QList<double> weights = boxWeights(width);
    if (weights.size() == 1)
        return true;
    QByteArray values;
    for (double weight : weights)
        values += (values.isEmpty() ? "" : ",") + QByteArray::number(weight, 'g', 9);
    const QByteArray length = QByteArray::number(weights.size());
    for (const QByteArray& shape : {length + "x1:", "1x" + length + ":"}) {
        KernelInfo* kernel = AcquireKernelInfo((shape + values).constData());
        if (!kernel)
            return false;
        ScaleKernelInfo(kernel, 1.0, NormalizeValue);
        const MagickBooleanType status = MagickMorphologyImage(image, ConvolveMorphology, 1, kernel);
        DestroyKernelInfo(kernel);
        if (status != MagickTrue)
            return false;
    }
    return true;
}

bool edgeInPlace(MagickWand* image, double radius, double lengthScale) {
    // The library's edge adds up centre minus neighbour over its whole window without normalising:
    // that is the window's area times the centre's distance from the window's mean. On a larger
    // picture the window keeps covering the same part of the picture (3 x 3 becomes 7.68 x 7.68
    // on a picture 2.56 times as large, the pixels at its rim counting in part), while the factor
    // stays the preview window's area, so the edges are as strong as on the preview instead of
    // saturating.
    //
    // The centre is no single pixel either, but the patch of lengthScale x lengthScale pixels
    // that one pixel of the preview stands for. A larger picture holds detail and grain finer
    // than a preview pixel, which the preview has averaged away; measured from single pixels that
    // grain comes out as edges everywhere, and since the edge keeps only what stands above its
    // surroundings, it does not cancel when the result is shrunk: dark areas turn grey.
    //
    // Both means are taken in two passes along the rows and the columns, which is what makes the
    // wide windows of a full-size picture affordable.
    const double previewWidth = edgeWindowWidth(radius);
    std::unique_ptr<MagickWand, MagickWand* (*)(MagickWand*)> mean(CloneMagickWand(image), DestroyMagickWand);
    // MinusSrc leaves the centre minus the mean, negative values cut at 0 as the library's edge
    // cuts them.
    return mean && boxMean(mean.get(), previewWidth * lengthScale) && boxMean(image, lengthScale) &&
           MagickCompositeImage(image, mean.get(), MinusSrcCompositeOp, 0, 0) == MagickTrue &&
           MagickEvaluateImageChannel(image, DefaultChannels, MultiplyEvaluateOperator,
                                      previewWidth * previewWidth) == MagickTrue;
}

} // namespace

bool edgeAtScale(MagickWand* image, double radius, double lengthScale) {
    return edgeInPlace(image, radius, lengthScale);
}

bool charcoalAtScale(MagickWand* image, double radius, double sigma, double lengthScale) {
    // The library's charcoal is an edge, a blur by the same radius and the sigma, a stretch to the
    // full range, a negation and a grey conversion; it runs here step by step so that its edge can
    // be the scaled one above. A blur radius of 0 still means "as wide as the sigma needs".
    const PixelIntensityMethod intensity = GetImageFromMagickWand(image)->intensity;
    return edgeInPlace(image, radius, lengthScale) && MagickClampImage(image) == MagickTrue &&
           MagickBlurImage(image, radius * lengthScale, sigma * lengthScale) == MagickTrue &&
           MagickNormalizeImage(image) == MagickTrue && MagickNegateImage(image, MagickFalse) == MagickTrue &&
           GrayscaleImage(GetImageFromMagickWand(image), intensity) == MagickTrue;
}

bool shadeAtScale(MagickWand* image, bool gray, double azimuth, double elevation, double lengthScale) {
    // Shading reads the slope between neighbouring pixels, and a larger picture spreads every
    // slope over more of them: shaded at full size the relief would come out flat. The relief is
    // shaded at the preview's detail and enlarged again; in colour it then lights the full-size
    // picture, as the library's own shading multiplies each pixel by its light.
    std::unique_ptr<MagickWand, MagickWand* (*)(MagickWand*)> picture(gray ? nullptr : CloneMagickWand(image),
                                                                      DestroyMagickWand);
    if (!gray && !picture)
        return false;
    const size_t width = MagickGetImageWidth(image);
    const size_t height = MagickGetImageHeight(image);
    const auto reduced = [lengthScale](size_t length) {
        return std::max<size_t>(1, size_t(std::lround(double(length) / lengthScale)));
    };
    const bool shaded =
        MagickResizeImage(image, reduced(width), reduced(height), TriangleFilter, 1.0) == MagickTrue &&
        MagickShadeImage(image, MagickTrue, azimuth, elevation) == MagickTrue &&
        MagickResizeImage(image, width, height, TriangleFilter, 1.0) == MagickTrue;
    if (!shaded || gray)
        return shaded;
    return MagickCompositeImage(image, picture.get(), MultiplyCompositeOp, 0, 0) == MagickTrue;
}
