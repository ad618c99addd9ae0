#pragma once

#include "CatalogTypes.h"

#include <QString>

#include <cstdint>
#include <optional>

// How catalogue attribute texts become typed values. Numbers are read the way the catalogue
// files were always written, with a full stop as decimal point whatever the user's locale.
namespace CatalogValues {

// Leading blanks, an optional sign, then digits up to the first non-digit: " 12px" is 12, "px"
// is 0. Values beyond the 32-bit range saturate.
std::int32_t parseLeadingInt(const QString& text);

// As parseLeadingInt with a fraction and an exponent: "1.5" is 1.5, "2e-1x" is 0.2, "abc" is 0.0.
// A text whose number is not finite (inf, nan, out of range) gives 0.0 as well.
double parseLeadingReal(const QString& text);

// The double narrowed to float, saturating instead of overflowing.
float toFloat(double value);

// The image library's channel mask for a position 0..19 of its channel list; nullopt outside.
std::optional<std::uint32_t> channelMask(std::int32_t index);

// A new pixel wand of colour (red, green, blue), components 0.0..1.0, destroyed with the last
// record that shares it. MagickWand must have been started.
SharedPixelWand makePixelWand(double red, double green, double blue);

// The name a look is shown under, from its descriptive text: what comes before the first colon,
// trimmed ("Warm Sunset: warm the reds" is "Warm Sunset"); a text without a colon is the name.
QString lookName(const QString& effectType);

} // namespace CatalogValues
