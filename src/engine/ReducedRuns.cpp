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

// Walks the picture's rows with the matching rows of a second picture of the same size, for a
// function that changes the picture's samples from both.
template <typename RowChange> bool changeRows(MagickWand* image, MagickWand* other, RowChange change) {
    Image* picture = GetImageFromMagickWand(image);
    const Image* second = GetImageFromMagickWand(other);
    if (second->columns != picture->columns || second->rows != picture->rows)
        return false;
    ExceptionInfo* exception = AcquireExceptionInfo();
    CacheView* pictureView = AcquireAuthenticCacheView(picture, exception);
    CacheView* secondView = AcquireVirtualCacheView(second, exception);
    bool ok = SetImageStorageClass(picture, DirectClass) == MagickTrue;
    for (ssize_t y = 0; ok && y < ssize_t(picture->rows); ++y) {
        PixelPacket* q = GetCacheViewAuthenticPixels(pictureView, 0, y, picture->columns, 1, exception);
        const PixelPacket* p = GetCacheViewVirtualPixels(secondView, 0, y, picture->columns, 1, exception);
        if (!q || !p) {
            ok = false;
            break;
        }
        change(q, p, picture->columns);
        ok = SyncCacheViewAuthenticPixels(pictureView, exception) == MagickTrue;
    }
    DestroyCacheView(secondView);
    DestroyCacheView(pictureView);
    DestroyExceptionInfo(exception);
    return ok;
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

    const double quantumThreshold = double(QuantumRange) * threshold;
    const bool opacity = (channels & OpacityChannel) != 0;
    return changeRows(image, blurred.get(), [&](PixelPacket* q, const PixelPacket* p, size_t columns) {
        for (size_t x = 0; x < columns; ++x) {
            if (channels & RedChannel)
                q[x].red = sharpened(q[x].red, p[x].red, gain, quantumThreshold);
            if (channels & GreenChannel)
                q[x].green = sharpened(q[x].green, p[x].green, gain, quantumThreshold);
            if (channels & BlueChannel)
                q[x].blue = sharpened(q[x].blue, p[x].blue, gain, quantumThreshold);
            if (opacity)
                q[x].opacity = sharpened(q[x].opacity, p[x].opacity, gain, quantumThreshold);
        }
    });
}

bool vignetteWithReducedMask(MagickWand* image, double radius, double sigma, double x, double y,
                             double reduce) {
    const size_t width = MagickGetImageWidth(image);
    const size_t height = MagickGetImageHeight(image);
    const size_t maskWidth = reducedLength(width, reduce);
    const size_t maskHeight = reducedLength(height, reduce);
    const double rx = double(width) / double(maskWidth);
    const double ry = double(height) / double(maskHeight);
    // The library's own vignette of a white canvas on a black background is its mask: white
    // where the picture stays, black where the background takes over.
    Wand mask(NewMagickWand(), DestroyMagickWand);
    std::unique_ptr<PixelWand, PixelWand* (*)(PixelWand*)> colour(NewPixelWand(), DestroyPixelWand);
    if (!mask || !colour || PixelSetColor(colour.get(), "white") != MagickTrue ||
        MagickNewImage(mask.get(), maskWidth, maskHeight, colour.get()) != MagickTrue ||
        PixelSetColor(colour.get(), "black") != MagickTrue ||
        MagickSetImageBackgroundColor(mask.get(), colour.get()) != MagickTrue ||
        MagickVignetteImage(mask.get(), radius / std::sqrt(rx * ry), sigma / std::sqrt(rx * ry),
                            ssize_t(std::lround(x / rx)), ssize_t(std::lround(y / ry))) != MagickTrue ||
        MagickResizeImage(mask.get(), width, height, LanczosFilter, 1.0) != MagickTrue ||
        MagickGetImageBackgroundColor(image, colour.get()) != MagickTrue)
        return false;
    const double background[3] = {double(PixelGetRedQuantum(colour.get())),
                                  double(PixelGetGreenQuantum(colour.get())),
                                  double(PixelGetBlueQuantum(colour.get()))};
    // The picture over its background with the mask as its opacity, as the library lays it.
    return changeRows(image, mask.get(), [&](PixelPacket* q, const PixelPacket* p, size_t columns) {
        for (size_t x = 0; x < columns; ++x) {
            const double kept = QuantumScale * double(p[x].red);
            q[x].red = ClampToQuantum(MagickRealType(kept * q[x].red + (1 - kept) * background[0]));
            q[x].green = ClampToQuantum(MagickRealType(kept * q[x].green + (1 - kept) * background[1]));
            q[x].blue = ClampToQuantum(MagickRealType(kept * q[x].blue + (1 - kept) * background[2]));
            q[x].opacity = OpaqueOpacity;
        }
    });
}
