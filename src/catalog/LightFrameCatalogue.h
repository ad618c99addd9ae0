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

// The frame a cell of the frame list stands for: for an artistic frame's thumbnail
// ("<name>_thumb.<ext>") the overlay frame whose picture is "<name>.png" beside it, otherwise the
// last regular frame whose picture is the cell's file itself (names compared exactly, case
// included). nullptr when the catalogue has none.
const FrameRecord* FrameForThumbnail(const FrameRecords& frames, const QString& thumbPath);
