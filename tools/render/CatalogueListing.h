#pragma once

#include "CatalogTypes.h"

#include <QStringList>

// One line per filter, light and frame: what it is, its number, its category, and its steps or
// its picture. Paths inside the data folder are shown relative to it.
QStringList listCatalogues(const Catalogues& catalogues, const QString& dataFolder);

// A step as "<number> <routine> r=.. s=.." with only the arguments that are set.
QString describeStep(const EffectRecord& step);
