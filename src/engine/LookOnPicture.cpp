#include "LookOnPicture.h"

#include "LookRendering.h"
#include "RasterIO.h"
#include "WorkFiles.h"

namespace {

// A light cell beyond the catalogue lays nothing over the picture. The result is the picture
// itself, so the view never shows a look left over from an earlier choice.
bool routeUnlit(EffectRouting& routing, const QString& path) {
    if (routing.renderTarget != RenderToView)
        return true;
    const QImage picture = RasterIO::load(path);
    if (picture.isNull())
        return false;
    routing.effectBitmap = picture;
    return true;
}

} // namespace

bool renderCatalogueFilter(EditState& state, const Catalogues& catalogues, int k, const QString& path,
                           const char* routine) {
    if (k < 0 || k >= catalogues.filterLooks.size())
        return false;
    WorkFiles::ensureWorkFolder(QString::fromLatin1(WorkFiles::kResultFolder));
    return renderFilterLook(state, catalogues.filterLooks[k], k + 1, path, routine);
}

bool applyFilterToFile(EditState& state, const Catalogues& catalogues, int k, const QString& path) {
    // Held so that no picture is taken in meanwhile; refused if a worker already holds it.
    bool idle = false;
    if (!state.workerBusy.compare_exchange_strong(idle, true))
        return false;
    const bool applied = renderCatalogueFilter(state, catalogues, k, path, "CcsAllDlg::applyFilterToFile");
    state.workerBusy = false;
    return applied;
}

bool applyLight(EditState& state, const Catalogues& catalogues, int k, const QString& path) {
    if (k < 0 || k >= catalogues.lightRecords.size())
        return routeUnlit(state, path);
    return renderLight(state, catalogues.lightRecords[k], k + 1, path, "CcsAllDlg::applyLight");
}
