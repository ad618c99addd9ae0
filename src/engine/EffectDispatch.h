#pragma once

#include "CatalogTypes.h"
#include "EditState.h"

struct _MagickWand;
typedef struct _MagickWand MagickWand;

// Runs one catalogue step on image (changed in place) and, when the step is the last of its
// look, routes the result as routing.renderTarget says: thumbnail file a/<n>.jpg handed to
// routing.thumbReady, filter result b/<n>.jpg and effectBitmap, effectBitmap only, nowhere.
// secondImage is the overlay of a light (an empty wand otherwise). The step's
// lengths are multiplied by routing.lengthScale, so a look on a picture larger than the preview
// it was chosen on reads the same once scaled down.
//
// Returns false when the step failed. The failure has then been reported on standard error as
// "veZirDlg <routine> <line> <description>", the routed results are untouched, and the caller
// abandons the look, keeping the last good picture.
bool run_effect_function(EffectRouting& routing, int n, MagickWand* secondImage, const EffectRecord& record,
                         int stepCount, int step, MagickWand* image);
