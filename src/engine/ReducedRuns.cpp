#include "ReducedRuns.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include <wand/MagickWand.h>

namespace {

size_t reducedLength(size_t length, double reduce) {
    return std::max<size_t>(1, size_t(std::lround(double(length) / std::max(1.0, reduce))));
}

using Wand = std::unique_ptr<MagickWand, MagickWand* (*)(MagickWand*)>;

// The sharpened value of one sample as the library's unsharp mask computes it: the difference
// from the blurred picture amplified by gain, unless it is under the threshold.
Quantum sharpened(Quantum picture, Quantum blurred, double gain, double quantumThreshold) {
    const double difference = double(picture) - double(blurred);
    if (std::fabs(2.0 * difference) < quantumThreshold)
        return picture;
    return ClampToQuantum(MagickRealType(double(picture) + difference * gain));
}

} // namespace

bool runReduced(MagickWand* image, double reduceX, double reduceY,
                const std::function<bool(MagickWand*, double, double)>& step) {
    const size_t width = MagickGetImageWidth(image);
    const size_t height = MagickGetImageHeight(image);
    const size_t reducedWidth = reducedLength(width, reduceX);
    const size_t reducedHeight = reducedLength(height, reduceY);
    if (reducedWidth == width && reducedHeight == height)
        return step(image, 1.0, 1.0);
    // Lanczos both ways: the reduction keeps what the reduced size can hold without aliasing,
    // and the enlargement puts back the edges of oil paint's patches as crisply as it can. An
    // axis kept at its size passes through unchanged (the filter is 1 at 0 and 0 at every other
    // whole pixel).
    return MagickResizeImage(image, reducedWidth, reducedHeight, LanczosFilter, 1.0) == MagickTrue &&
           step(image, double(width) / double(reducedWidth), double(height) / double(reducedHeight)) &&
           MagickResizeImage(image, width, height, LanczosFilter, 1.0) == MagickTrue;
}

bool unsharpWithReducedBlur(MagickWand* image, unsigned channels, double radius, double sigma, double gain,
                            double threshold, double reduce) {
    Wand blurred(CloneMagickWand(image), DestroyMagickWand);
    const bool blurredOk =
        blurred && runReduced(blurred.get(), reduce, reduce, [&](MagickWand* copy, double rx, double ry) {
            const double r = std::sqrt(rx * ry);
            return MagickBlurImageChannel(copy, ChannelType(channels & ~SyncChannels), radius / r,
                                          sigma / r) == MagickTrue;
        });
    if (!blurredOk)
        return false;

    Image* picture = GetImageFromMagickWand(image);
    const Image* blur = GetImageFromMagickWand(blurred.get());
    ExceptionInfo* exception = AcquireExceptionInfo();
    CacheView* pictureView = AcquireAuthenticCacheView(picture, exception);
    CacheView* blurView = AcquireVirtualCacheView(blur, exception);
    const double quantumThreshold = double(QuantumRange) * threshold;
    const bool colour = (channels & (RedChannel | GreenChannel | BlueChannel)) != 0;
    const bool opacity = (channels & OpacityChannel) != 0;
    bool ok = SetImageStorageClass(picture, DirectClass) == MagickTrue;
    const ssize_t columns = ssize_t(picture->columns);
    for (ssize_t y = 0; ok && y < ssize_t(picture->rows); ++y) {
        PixelPacket* q = GetCacheViewAuthenticPixels(pictureView, 0, y, picture->columns, 1, exception);
        const PixelPacket* p = GetCacheViewVirtualPixels(blurView, 0, y, picture->columns, 1, exception);
        if (!q || !p) {
            ok = false;
            break;
        }
        for (ssize_t x = 0; x < columns; ++x) {
            if (colour) {
                if (channels & RedChannel)
                    q[x].red = sharpened(q[x].red, p[x].red, gain, quantumThreshold);
                if (channels & GreenChannel)
                    q[x].green = sharpened(q[x].green, p[x].green, gain, quantumThreshold);
                if (channels & BlueChannel)
                    q[x].blue = sharpened(q[x].blue, p[x].blue, gain, quantumThreshold);
            }
            if (opacity)
                q[x].opacity = sharpened(q[x].opacity, p[x].opacity, gain, quantumThreshold);
        }
        ok = SyncCacheViewAuthenticPixels(pictureView, exception) == MagickTrue;
    }
    DestroyCacheView(blurView);
    DestroyCacheView(pictureView);
    DestroyExceptionInfo(exception);
    return ok;
}
