#pragma once

#include "CatalogTypes.h"
#include "EditState.h"

#include <QString>

// One look of the catalogues rendered on a picture file. The caller sets state.renderTarget
// first (RenderToFilterResult for a filter whose result is kept as a file, RenderToView for a
// light that is only shown). On success state.effectBitmap holds the result; on failure
// (reported on standard error) every field keeps its last good value and false comes back.

// Filter k (0-based) on the picture at path; routine names the caller in the reports.
bool renderCatalogueFilter(EditState& state, const Catalogues& catalogues, int k, const QString& path,
                           const char* routine);
// The same, holding workerBusy while it runs; refused while a worker already holds it.
bool applyFilterToFile(EditState& state, const Catalogues& catalogues, int k, const QString& path);
// Light k (0-based) on the picture at path. A position beyond the catalogue lays nothing over
// the picture: the routed result is the picture itself.
bool applyLight(EditState& state, const Catalogues& catalogues, int k, const QString& path);
