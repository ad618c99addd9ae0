#include "LookBlend.h"

#include <QColorSpace>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// Two channels of a pixel at once: red and blue in one 32-bit word, alpha and green in the
// other, each channel with eight free bits above it for the product.
inline std::uint32_t blendPixel(std::uint32_t look, std::uint32_t picture, std::uint32_t w) {
    const std::uint32_t rest = 256 - w;
    const std::uint32_t rb =
        (((look & 0x00ff00ffu) * w + (picture & 0x00ff00ffu) * rest + 0x00800080u) >> 8) & 0x00ff00ffu;
    const std::uint32_t ag =
        ((((look >> 8) & 0x00ff00ffu) * w + ((picture >> 8) & 0x00ff00ffu) * rest + 0x00800080u) >> 8) &
        0x00ff00ffu;
    return rb | (ag << 8);
}

} // namespace

QImage blendLook(const QImage& without, const QImage& look, double strength) {
    const int w = int(std::lround(std::clamp(strength, 0.0, 1.0) * 256.0));
    if (w >= 256 || look.isNull() || without.size() != look.size())
        return look;
    const QImage picture = without.convertToFormat(QImage::Format_ARGB32);
    if (w <= 0)
        return picture;
    const QImage over = look.convertToFormat(QImage::Format_ARGB32);
    QImage blended(picture.size(), QImage::Format_ARGB32);
    if (blended.isNull())
        return look;
    for (int y = 0; y < blended.height(); ++y) {
        const auto* a = reinterpret_cast<const std::uint32_t*>(over.constScanLine(y));
        const auto* b = reinterpret_cast<const std::uint32_t*>(picture.constScanLine(y));
        auto* out = reinterpret_cast<std::uint32_t*>(blended.scanLine(y));
        for (int x = 0; x < blended.width(); ++x)
            out[x] = blendPixel(a[x], b[x], std::uint32_t(w));
    }
    blended.setColorSpace(look.colorSpace());
    return blended;
}
