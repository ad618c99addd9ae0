#pragma once

#include "CatalogTypes.h"

#include <QList>
#include <QString>
#include <QStringList>

// What a panel's list shows after a category choice: the pictures in order and, for filters
// and lights, the 1-based catalogue number behind each position.
struct CategoryContent {
    QStringList paths;
    QList<int> numbers;
};

inline const QStringList kFilterCategoryNames = {
    "All", "Color Tint", "Color Temperature", "Black and White", "Sketch", "Blur", "Glow", "Hue", "Others"};
inline const QStringList kLightCategoryNames = {"All", "Colorful", "Natural", "Black and White"};
inline const QStringList kFrameCategoryNames = {"All", "Regular", "Artistic"};

// "All": every entry; "Others": entries whose kind is none of the seven named categories (the
// empty kind included); any other name: entries whose kind equals it exactly, case included.
// Given the looks, a filter without steps is left out: it has no thumbnail to show.
CategoryContent SelectFilterCategory(const FilterThumbs& thumbs, const QString& name,
                                     const FilterLooks& looks = {});
// "All": every light; any other name: lights whose kind equals it exactly.
CategoryContent SelectLightCategory(const LightThumbs& thumbs, const QString& name);

// The folder patterns a frame category scans in border.bundle/, in order: "All" gives
// {"*_thumb.*", "border*.png"}, "Regular" {"border*.png"}, "Artistic" {"*_thumb.*"}; any other
// name gives none.
QStringList FrameCategoryPatterns(const QString& name);

// The 0-based catalogue position behind list position p: numbers[p] - 1 when numbers describes
// the list, p itself otherwise; -1 when p is outside the list.
int CatalogueIndexForPosition(int position, const QList<int>& numbers);
