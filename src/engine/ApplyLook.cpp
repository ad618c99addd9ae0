#include "ApplyLook.h"

#include "FramePieces.h"
#include "LightFrameCatalogue.h"
#include "LookRendering.h"
#include "RasterIO.h"
#include "WorkFiles.h"

#include <algorithm>

namespace {

bool runFilter(EditState& state, const Catalogues& catalogues, int k, const QString& path,
               const char* routine) {
    if (k < 0 || k >= catalogues.filterLooks.size())
        return false;
    WorkFiles::ensureWorkFolder(QString::fromLatin1(WorkFiles::kResultFolder));
    return renderFilterLook(state, catalogues.filterLooks[k], k + 1, path, routine);
}

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

bool applyFilter(EditState& state, const Catalogues& catalogues, int k) {
    return runFilter(state, catalogues, k, state.effectBasePath, "CcsAllDlg::applyFilter");
}

bool applyFilterToFile(EditState& state, const Catalogues& catalogues, int k, const QString& path) {
    // Held so that no picture is taken in meanwhile; refused if a worker already holds it.
    bool idle = false;
    if (!state.workerBusy.compare_exchange_strong(idle, true))
        return false;
    const bool applied = runFilter(state, catalogues, k, path, "CcsAllDlg::applyFilterToFile");
    state.workerBusy = false;
    return applied;
}

bool applyLight(EditState& state, const Catalogues& catalogues, int k, const QString& path) {
    if (k < 0 || k >= catalogues.lightRecords.size())
        return routeUnlit(state, path);
    return renderLight(state, catalogues.lightRecords[k], k + 1, path, "CcsAllDlg::applyLight");
}

bool applyLightToCurrent(EditState& state, const Catalogues& catalogues, int k) {
    WorkFiles::ensureWorkFolder(QString::fromLatin1(WorkFiles::kResultFolder));
    return applyLight(state, catalogues, k, state.currentImagePath);
}

bool applyFrame(EditState& state, const Catalogues& catalogues, const QString& thumbPath) {
    const FrameRecord* frame = FrameForThumbnail(catalogues.frameRecords, thumbPath);
    if (!frame)
        return false;
    if (frame->framerule == 0) {
        state.frameOverlayPath = frame->effectimage;
        state.frameMode = FrameOverlay;
        return true;
    }
    if (!buildFramePieces(state, *frame))
        return false;
    state.frameMode = FrameNineSlice;
    return true;
}

bool buildFramePieces(EditState& state, const FrameRecord& frame) {
    const FrameTemplateScale scale = frameTemplateScale(std::min(state.sourceWidth, state.sourceHeight));
    if (scale.referenceSide == 0)
        return false;
    const QImage frameTemplate = RasterIO::load(frame.effectimage);
    if (frameTemplate.isNull())
        return false;
    state.framePieces = cutFramePieces(frameTemplate, scale);
    state.frameSliceSizes = frameSliceSizes(scale);
    return true;
}
