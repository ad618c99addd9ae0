#pragma once

#include "CatalogTypes.h"
#include "EditState.h"
#include "LookOnPicture.h"

#include <QString>

// The editor's look commands, on the user-interface thread: they choose the picture a look
// starts from, keep the cached results of each filter-and-light pair and record the frame in
// force. The pixels come from the engine (LookOnPicture.h). On failure every field keeps its
// last good value and the command returns false.

// Filter k (0-based) on state.effectBasePath.
bool applyFilter(EditState& state, const Catalogues& catalogues, int k);
// Light k on state.currentImagePath.
bool applyLightToCurrent(EditState& state, const Catalogues& catalogues, int k);

// Records the frame whose thumbnail is thumbPath: an overlay frame for a "<name>_thumb.*" file,
// otherwise a nine-slice frame whose pieces are cut here. An unknown thumbnail, or a template
// that cannot be read, changes nothing and returns false.
bool applyFrame(EditState& state, const Catalogues& catalogues, const QString& thumbPath);
// Cuts the eight pieces of a nine-slice frame template, scaled for the full-size picture
// (state.sourceWidth x sourceHeight), into framePieces and frameSliceSizes. Returns false,
// keeping the previous pieces, when the template cannot be read or no full-size picture is known.
bool buildFramePieces(EditState& state, const FrameRecord& frame);

// Computes the filter and light in force (filterActive, lightActive) anew on the working
// picture (effectBasePath), the filter before the light, after the picture changed under the
// look (a turn, a crop, a random choice). The result becomes the cached one of that pair and the
// print look; the caches of other pairs were made on the earlier picture and are dropped.
// Without a filter or a light nothing is computed. On failure the fields keep their values and
// it returns false.
bool reapplyLook(EditState& state, const Catalogues& catalogues);

// A click on a thumbnail cell: the panel and the list's current cell after the click
// (position -1 and an empty path when the list has none).
struct ThumbClick {
    int panel = FilterPanel;
    int position = -1;
    QString path;
};

// The whole look decision of a click: base picture by rotation (or the cropped picture),
// position to catalogue index through the category numbers, the cached result for an unchanged
// pair, filter before light, frame independent. Ignored (returns false) while a worker or an
// export runs. When the look cannot be computed the previous look is kept and it returns false.
// The caller shows the wait cursor around it and repaints the view afterwards.
bool onThumbClicked(EditState& state, const Catalogues& catalogues, const ThumbClick& click);
