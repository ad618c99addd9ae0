#include "CategoryBrowse.h"

namespace {

// The seven named filter categories, between "All" and "Others" in the category table.
bool isNamedFilterCategory(const QString& kind) {
    for (qsizetype k = 1; k + 1 < kFilterCategoryNames.size(); ++k) {
        if (kFilterCategoryNames[k] == kind)
            return true;
    }
    return false;
}

template <typename Selected> CategoryContent collect(const QList<ThumbEntry>& thumbs, Selected selected) {
    CategoryContent content;
    for (const ThumbEntry& entry : thumbs) {
        if (!selected(entry))
            continue;
        content.paths.append(entry.thumbPath);
        content.numbers.append(entry.number);
    }
    return content;
}

} // namespace

CategoryContent SelectFilterCategory(const FilterThumbs& thumbs, const QString& name,
                                     const FilterLooks& looks) {
    const auto hasCell = [&looks](const ThumbEntry& entry) {
        if (looks.isEmpty())
            return true;
        const qsizetype index = entry.number - 1;
        return index >= 0 && index < looks.size() && !looks[index].steps.isEmpty();
    };
    if (name == QLatin1String("All"))
        return collect(thumbs, hasCell);
    if (name == QLatin1String("Others"))
        return collect(thumbs,
                       [&](const ThumbEntry& e) { return hasCell(e) && !isNamedFilterCategory(e.kind); });
    return collect(thumbs, [&](const ThumbEntry& e) { return hasCell(e) && e.kind == name; });
}

CategoryContent SelectLightCategory(const LightThumbs& thumbs, const QString& name) {
    if (name == QLatin1String("All"))
        return collect(thumbs, [](const ThumbEntry&) { return true; });
    return collect(thumbs, [&name](const ThumbEntry& e) { return e.kind == name; });
}

QStringList FrameCategoryPatterns(const QString& name) {
    // Artistic thumbnails come before the regular frames under "All".
    if (name == QLatin1String("All"))
        return {QStringLiteral("*_thumb.*"), QStringLiteral("border*.png")};
    if (name == QLatin1String("Regular"))
        return {QStringLiteral("border*.png")};
    if (name == QLatin1String("Artistic"))
        return {QStringLiteral("*_thumb.*")};
    return {};
}

int CatalogueIndexForPosition(int position, const QList<int>& numbers) {
    if (position < 0)
        return -1;
    if (numbers.isEmpty())
        return position;
    if (position >= numbers.size())
        return -1;
    const int number = numbers[position];
    return number >= 1 ? number - 1 : -1;
}
