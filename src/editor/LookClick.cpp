#include "LookCommands.h"

#include "CategoryBrowse.h"
#include "QuarterTurn.h"
#include "RasterIO.h"
#include "WorkFiles.h"

namespace {

// The picture a look starts from: the pre-turned copy for the current rotation, or, after a
// crop, the cropped picture turned and saved anew. Mirroring is left to whoever draws.
bool chooseBasePicture(EditState& state) {
    QString base = WorkFiles::rotatedCopyPath(state.rotationAngle);
    if (state.pictureCropped) {
        base = WorkFiles::path(WorkFiles::kCroppedTurned);
        if (!RasterIO::saveWorkingJpeg(turnPicture(state.currentBitmap, state.rotationAngle), base))
            return false;
        state.viewBitmap = RasterIO::load(base);
    }
    state.currentImagePath = base;
    state.effectBasePath = base;
    return true;
}

// The catalogue position behind a list position: through the list's numbers whenever they
// describe it, the position itself otherwise. The numbers are in force without any category
// choice too: a filter without steps has no cell, so after it a plain position would name the
// wrong filter.
int catalogueIndex(int position, const QList<int>& numbers) {
    if (position < 0)
        return -1;
    if (!numbers.isEmpty())
        return CatalogueIndexForPosition(position, numbers);
    return position;
}

void recordChoice(EditState& state, const Catalogues& catalogues, const ThumbClick& click) {
    const bool hasCell = click.position >= 0;
    switch (click.panel) {
    case FilterPanel: {
        const int index = catalogueIndex(click.position, state.filterListNumbers);
        state.renderTarget = RenderToFilterResult;
        if (hasCell && index >= 0) {
            state.selectedFilterThumb = click.path;
            state.filterActive = LookOn;
            state.filterIndex = index;
        } else {
            state.filterActive = LookOff;
            state.filterIndex = -1;
        }
        break;
    }
    case LightPanel: {
        const int index = catalogueIndex(click.position, state.lightListNumbers);
        state.renderTarget = RenderToView;
        if (hasCell && index >= 0) {
            state.selectedLightThumb = click.path;
            state.lightActive = LookOn;
            state.lightIndex = index;
        } else {
            state.lightActive = LookOff;
            state.lightIndex = -1;
        }
        break;
    }
    case FramePanel:
        if (!hasCell) {
            state.frameMode = FrameNone;
            break;
        }
        state.selectedFrameThumb = click.path;
        // A thumbnail with no catalogue entry cannot be applied; the frame in force stays.
        if (applyFrame(state, catalogues, click.path)) {
            state.frameThumbPath = click.path;
            state.frameThumbPathCopy = click.path;
        }
        break;
    default:
        break;
    }
}

// The light laid over the filtered picture: the filter's result file is the light's picture.
bool computeFilterAndLight(EditState& state, const Catalogues& catalogues) {
    state.renderTarget = RenderToFilterResult;
    if (!applyFilter(state, catalogues, state.filterIndex))
        return false;
    state.renderTarget = RenderToView;
    return applyLight(state, catalogues, state.lightIndex,
                      WorkFiles::filterResultPath(state.filterIndex + 1));
}

// The pair in force on the current base picture, kept as the cached result of that pair.
bool computePair(EditState& state, const Catalogues& catalogues) {
    const bool filterOn = state.filterActive == LookOn;
    const bool lightOn = state.lightActive == LookOn;
    if (filterOn && lightOn) {
        state.combinedCached = true;
        if (!computeFilterAndLight(state, catalogues))
            return false;
        state.cachedCombinedBitmap = state.effectBitmap;
    } else if (filterOn) {
        state.renderTarget = RenderToFilterResult;
        state.combinedCached = false;
        if (!applyFilter(state, catalogues, state.filterIndex))
            return false;
        state.cachedFilterBitmap = state.effectBitmap;
    } else if (lightOn) {
        state.renderTarget = RenderToView;
        state.combinedCached = false;
        if (!applyLightToCurrent(state, catalogues, state.lightIndex))
            return false;
        state.cachedLightBitmap = state.effectBitmap;
    }
    return true;
}

// An unchanged pair takes its raster from the cache of that pair; nothing is recomputed except a
// filter-and-light pair whose combination was never cached.
bool reuseCachedLook(EditState& state, const Catalogues& catalogues) {
    const bool filterOn = state.filterActive == LookOn;
    const bool lightOn = state.lightActive == LookOn;
    if (filterOn && lightOn) {
        if (state.combinedCached) {
            state.effectBitmap = state.cachedCombinedBitmap;
            return true;
        }
        return computeFilterAndLight(state, catalogues);
    }
    if (filterOn)
        state.effectBitmap = state.cachedFilterBitmap;
    else if (lightOn)
        state.effectBitmap = state.cachedLightBitmap;
    return true;
}

bool computeLook(EditState& state, const Catalogues& catalogues) {
    state.lastFilterIndex = state.filterIndex;
    state.lastLightIndex = state.lightIndex;
    return computePair(state, catalogues);
}

// What a failed computation must give back: the look as it was before the click.
struct LookFields {
    int filterActive, filterIndex, lastFilterIndex;
    int lightActive, lightIndex, lastLightIndex;
    QString selectedFilterThumb, selectedLightThumb, selectedFrameThumb, filterResultPath;
    bool combinedCached;
    QImage effectBitmap, cachedFilterBitmap, cachedLightBitmap, cachedCombinedBitmap;

    static LookFields of(const EditState& s) {
        return {s.filterActive,       s.filterIndex,       s.lastFilterIndex,     s.lightActive,
                s.lightIndex,         s.lastLightIndex,    s.selectedFilterThumb, s.selectedLightThumb,
                s.selectedFrameThumb, s.filterResultPath,  s.combinedCached,      s.effectBitmap,
                s.cachedFilterBitmap, s.cachedLightBitmap, s.cachedCombinedBitmap};
    }
    void restore(EditState& s) const {
        s.filterActive = filterActive;
        s.filterIndex = filterIndex;
        s.lastFilterIndex = lastFilterIndex;
        s.lightActive = lightActive;
        s.lightIndex = lightIndex;
        s.lastLightIndex = lastLightIndex;
        s.selectedFilterThumb = selectedFilterThumb;
        s.selectedLightThumb = selectedLightThumb;
        s.selectedFrameThumb = selectedFrameThumb;
        s.filterResultPath = filterResultPath;
        s.combinedCached = combinedCached;
        s.effectBitmap = effectBitmap;
        s.cachedFilterBitmap = cachedFilterBitmap;
        s.cachedLightBitmap = cachedLightBitmap;
        s.cachedCombinedBitmap = cachedCombinedBitmap;
    }
};

} // namespace

bool onThumbClicked(EditState& state, const Catalogues& catalogues, const ThumbClick& click) {
    // A worker or an export shares the effect engine and the routing fields.
    if (state.busy())
        return false;
    const LookFields before = LookFields::of(state);
    if (!chooseBasePicture(state))
        return false;

    state.selectedFilterThumb.clear();
    state.selectedLightThumb.clear();
    state.selectedFrameThumb.clear();
    state.showPictureFile = false;
    recordChoice(state, catalogues, click);

    const bool unchanged =
        state.filterIndex == state.lastFilterIndex && state.lightIndex == state.lastLightIndex;
    const bool computed = unchanged ? reuseCachedLook(state, catalogues) : computeLook(state, catalogues);
    if (!computed)
        before.restore(state);

    state.renderTarget = RenderToThumbnail;
    return computed;
}

bool reapplyLook(EditState& state, const Catalogues& catalogues) {
    const bool filterOn = state.filterActive == LookOn;
    const bool lightOn = state.lightActive == LookOn;
    if (!filterOn && !lightOn)
        return true;
    const LookFields before = LookFields::of(state);
    if (!computePair(state, catalogues)) {
        before.restore(state);
        return false;
    }
    // Only the pair just computed shows the picture as it is now.
    if (!(filterOn && !lightOn))
        state.cachedFilterBitmap = QImage();
    if (!(lightOn && !filterOn))
        state.cachedLightBitmap = QImage();
    if (!(filterOn && lightOn))
        state.cachedCombinedBitmap = QImage();
    return true;
}
