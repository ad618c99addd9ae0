#include "CatalogValues.h"

#include <wand/MagickWand.h>

#include <QByteArray>

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The channel list of the image library in its order; the catalogue stores positions in it.
constexpr std::array<std::uint32_t, 20> kChannelMasks = {
    UndefinedChannel, RedChannel,   GrayChannel,   CyanChannel,       GreenChannel,
    MagentaChannel,   BlueChannel,  YellowChannel, AlphaChannel,      OpacityChannel,
    MatteChannel,     BlackChannel, IndexChannel,  CompositeChannels, AllChannels,
    TrueAlphaChannel, RGBChannels,  GrayChannels,  SyncChannels,      DefaultChannels,
};

} // namespace

namespace CatalogValues {

std::int32_t parseLeadingInt(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    const char* p = utf8.constData();
    while (isBlank(*p))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    std::int64_t value = 0;
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (; isDigit(*p); ++p) {
        if (value < limit)
            value = value * 10 + (*p - '0');
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

double parseLeadingReal(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    const char* p = utf8.constData();
    const char* end = p + utf8.size();
    while (p < end && isBlank(*p))
        ++p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-'))
        negative = *p++ == '-';
    // A second sign after the first is no number, as with the C library.
    if (p == end || (!isDigit(*p) && *p != '.'))
        return 0.0;
    // from_chars never looks at the locale, so "1.5" stays 1.5 on a German desktop.
    double value = 0.0;
    const auto [stop, error] = std::from_chars(p, end, value, std::chars_format::general);
    if (error != std::errc() || stop == p || !std::isfinite(value))
        return 0.0;
    return negative ? -value : value;
}

float toFloat(double value) {
    constexpr double largest = std::numeric_limits<float>::max();
    if (value > largest)
        return std::numeric_limits<float>::max();
    if (value < -largest)
        return std::numeric_limits<float>::lowest();
    return static_cast<float>(value);
}

std::optional<std::uint32_t> channelMask(std::int32_t index) {
    if (index < 0 || index >= static_cast<std::int32_t>(kChannelMasks.size()))
        return std::nullopt;
    return kChannelMasks[static_cast<std::size_t>(index)];
}

SharedPixelWand makePixelWand(double red, double green, double blue) {
    PixelWand* wand = NewPixelWand();
    if (!wand)
        return {};
    PixelSetRed(wand, red);
    PixelSetGreen(wand, green);
    PixelSetBlue(wand, blue);
    return SharedPixelWand(wand, [](PixelWand* w) {
        if (w)
            DestroyPixelWand(w);
    });
}

QString lookName(const QString& effectType) {
    return effectType.section(QLatin1Char(':'), 0, 0).trimmed();
}

} // namespace CatalogValues
