#pragma once

#include "CatalogTypes.h"

#include <QString>

// The light and frame catalogue (deploy/vuvedilightborder.xml). Both readers rebuild their
// collections from scratch on every call; a missing or malformed file leaves them empty.
// Overlay paths become programFolder() + the catalogue text, with "\" turned into "/".

// programFolder() + "deploy/vuvedilightborder.xml".
QString lightFrameCataloguePath();

// Rebuilds lightRecords and lightThumbs (thumbnails: programFolder() + "lightimage.bundle/<n>.jpg").
void ReadLightCatalogue(Catalogues& catalogues, const QString& path = lightFrameCataloguePath());

// Rebuilds frameRecords.
void ReadFrameCatalogue(Catalogues& catalogues, const QString& path = lightFrameCataloguePath());
