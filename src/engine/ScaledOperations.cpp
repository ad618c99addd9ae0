#include "ScaledOperations.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include <wand/MagickWand.h>

namespace {

// The width of the square window the library's edge operator uses for a radius; 0 lets it choose
// one from a fixed sigma of half a pixel.
double edgeWindowWidth(double radius) {
    return double(GetOptimalKernelWidth1D(radius, 0.5));
}

bool edgeInPlace(MagickWand* image, double radius, double lengthScale) {
    // The window keeps covering the same part of the picture: its width, not its radius, grows
    // with the picture (a 3 x 3 window becomes 9 x 9 on a picture three times as large).
    const double previewWidth = edgeWindowWidth(radius);
    const double scaledRadius = std::max(1.0, std::round((previewWidth * lengthScale - 1) / 2));
    const double scaledWidth = edgeWindowWidth(scaledRadius);
    // The operator adds up its whole window against the centre without normalising it, so the
    // wider window answers about as many times as strongly as it holds more pixels, and saturates
    // where the preview shows a line. Toning the picture down by the ratio of the window areas
    // first gives the edges the strength they have on the preview (the operator is linear).
    const double toneDown = (previewWidth * previewWidth) / (scaledWidth * scaledWidth);
    return MagickEvaluateImageChannel(image, DefaultChannels, MultiplyEvaluateOperator, toneDown) == MagickTrue &&
           MagickEdgeImage(image, scaledRadius) == MagickTrue;
}

} // namespace

bool edgeAtScale(MagickWand* image, double radius, double lengthScale) {
    return edgeInPlace(image, radius, lengthScale);
}

bool charcoalAtScale(MagickWand* image, double radius, double sigma, double lengthScale) {
    // The library's charcoal is an edge, a blur by the same radius and the sigma, a stretch to the
    // full range, a negation and a grey conversion; it runs here step by step so that only its
    // edge is toned down. A blur radius of 0 still means "as wide as the sigma needs".
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
