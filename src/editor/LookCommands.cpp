#include "LookCommands.h"

#include "FramePieces.h"
#include "LightFrameCatalogue.h"
#include "RasterIO.h"
#include "WorkFiles.h"

#include <algorithm>

bool applyFilter(EditState& state, const Catalogues& catalogues, int k) {
    return renderCatalogueFilter(state, catalogues, k, state.effectBasePath, "CcsAllDlg::applyFilter");
}

bool applyLightToCurrent(EditState& state, const Catalogues& catalogues, int k) {
    WorkFiles::ensureWorkFolder(QString::fromLatin1(WorkFiles::kResultFolder));
    return applyLight(state, catalogues, k, state.currentImagePath);
}

bool applyFrame(EditState& state, const Catalogues& catalogues, const QString& thumbPath) {
    const FrameRecord* frame = FrameForThumbnail(catalogues.frameRecords, thumbPath);
    if (!frame)
        return false;
    if (frame->framerule == FrameRuleOverlay) {
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
