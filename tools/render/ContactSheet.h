#pragma once

#include "CatalogTypes.h"

#include <QImage>
#include <QString>
#include <QStringList>

// A contact sheet of the shipped looks: every filter, light and frame applied to one photo, each
// in a cell labelled with its number, category and name, grouped under a heading per panel.

// The display names of the looks, in catalogue order. A filter is named by the text before ":"
// in its first step's xmleffecttype; lights and frames by their xmleffecttype.
struct LookNames {
    QStringList filters;
    QStringList lights;
    QStringList frames;
};
LookNames readLookNames(const QString& effectCataloguePath, const QString& lightFrameCataloguePath);

// The sheet for the photo at photoPath. A look that cannot be applied gets a cell saying so;
// a photo that cannot be read gives a null picture and the reason in error. Needs a
// QGuiApplication (for the labels) and a running MagickWand; working files go to the working folder.
QImage renderContactSheet(const Catalogues& catalogues, const LookNames& names, const QString& photoPath,
                          QString* error);

// lumenkraft-render --contact-sheet IN OUT, the whole command: it makes its own application
// object, so it runs before the renderer's own start-up. Returns the exit status.
int runContactSheet(int argc, char** argv);
