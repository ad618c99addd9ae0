// Undo and redo of the editor, and the strength of the look: every command that changes the
// edit records a plain description of it, and a step back makes the edit that description again
// through the same routines the commands use.
#include "Editor.h"

#include "LookBlend.h"
#include "LookCommands.h"
#include "PrintShared.h"
#include "PrintStatePublish.h"
#include "QuarterTurn.h"
#include "RasterIO.h"
#include "Recipe.h"
#include "WorkFiles.h"

EditStep Editor::describe() const {
    const EditState& s = m_state;
    EditStep step;
    step.recipe = recipeOf(s);
    step.previewCrop = s.cropPreviewRect;
    step.fullSizePath = s.fullSizePath;
    step.sourceSize = QSize(s.sourceWidth, s.sourceHeight);
    step.frameThumb = s.frameMode != FrameNone ? s.frameThumbPath : QString();
    step.cells = m_cells;
    step.fitRect = s.fitRect;
    step.compareLeftRect = s.compareLeftRect;
    step.compareRightRect = s.compareRightRect;
    step.picture = s.currentBitmap;
    step.view = s.viewBitmap;
    if (s.lookOn())
        step.look = s.effectBitmap;
    return step;
}

void Editor::recordStep() {
    m_history.record(describe());
}

bool Editor::canUndo() const {
    const EditState& s = m_state;
    if (s.busy() || !s.imageLoaded || s.compareActive)
        return false;
    return s.cropMode || m_history.canUndo();
}

bool Editor::canRedo() const {
    const EditState& s = m_state;
    if (s.busy() || !s.imageLoaded || s.compareActive)
        return false;
    return s.cropMode || m_history.canRedo();
}

Editor::HistoryMove Editor::undo() {
    if (!canUndo())
        return HistoryMove::Refused;
    // The crop box is not part of the edit yet: leaving it is all a step back does there.
    if (m_state.cropMode)
        return cancelCrop() ? HistoryMove::LeftCrop : HistoryMove::Refused;
    return moveThroughHistory(-1);
}

Editor::HistoryMove Editor::redo() {
    if (!canRedo())
        return HistoryMove::Refused;
    if (m_state.cropMode)
        return cancelCrop() ? HistoryMove::LeftCrop : HistoryMove::Refused;
    return moveThroughHistory(1);
}

Editor::HistoryMove Editor::moveThroughHistory(int direction) {
    EditStep* step = direction < 0 ? m_history.previous() : m_history.next();
    // The history stands where the edit stands: it moves only once the step is the edit again.
    if (!step || !restore(*step))
        return HistoryMove::Failed;
    if (direction < 0)
        m_history.undo();
    else
        m_history.redo();
    emit viewChanged();
    return HistoryMove::Restored;
}

QImage Editor::cutFromIntake(const QRect& previewCrop) {
    EditState& s = m_state;
    // Cut, stored and read back exactly as a crop commit does, so the pixels are the same.
    const QImage cut = RasterIO::loadRegion(s.committedImagePath, previewCrop);
    const QString path = WorkFiles::path(s.cropOutputToggle ? WorkFiles::kCropCut : WorkFiles::kCropCutAlt);
    WorkFiles::ensureWorkFolder(QString::fromLatin1(WorkFiles::kThumbFolder));
    if (cut.isNull() || !RasterIO::saveWorkingJpeg(cut, path))
        return QImage();
    s.cropOutputToggle = !s.cropOutputToggle;
    return RasterIO::load(path);
}

bool Editor::restore(EditStep& step) {
    // A step is made again from files and the effect engine, any of which can fail half-way;
    // the edit, its print copies and the file it stands on then stay as they were.
    const EditFields before = m_state;
    if (!rebuild(step)) {
        static_cast<EditFields&>(m_state) = before;
        return false;
    }
    m_cells = step.cells;
    // What had to be made again is cached once more.
    const EditState& s = m_state;
    step.picture = s.currentBitmap;
    step.view = s.viewBitmap;
    step.look = s.lookOn() ? s.effectBitmap : QImage();
    return true;
}

bool Editor::rebuild(const EditStep& step) {
    EditState& s = m_state;
    const EditRecipe& recipe = step.recipe;
    const QSize sourceBefore(s.sourceWidth, s.sourceHeight);

    // The picture: the preview as taken in or a cut of it, turned. An uncropped picture has its
    // turned copies from intake; a cut is turned and stored as a look click would store it.
    const bool pictureChanged =
        step.previewCrop != s.cropPreviewRect || recipe.rotationAngle != s.rotationAngle;
    if (pictureChanged) {
        const bool cropped = !step.previewCrop.isNull();
        QImage picture = step.picture;
        if (picture.isNull())
            picture = cropped ? cutFromIntake(step.previewCrop) : m_intakePicture;
        QString base = WorkFiles::rotatedCopyPath(recipe.rotationAngle);
        if (cropped) {
            // Written beside the turned cut the edit stands on, never over it.
            const QString standing = WorkFiles::path(WorkFiles::kCroppedTurned);
            base = s.effectBasePath == standing ? WorkFiles::path(WorkFiles::kCropResultTurned) : standing;
            if (picture.isNull() ||
                !RasterIO::saveWorkingJpeg(turnPicture(picture, recipe.rotationAngle), base))
                return false;
        }
        s.currentBitmap = picture;
        s.currentImagePath = base;
        s.effectBasePath = base;
        s.pictureCropped = cropped;
        s.cropPreviewRect = step.previewCrop;
        s.cropSourceRect = recipe.crop;
        s.fullSizePath = step.fullSizePath;
        s.sourceWidth = step.sourceSize.width();
        s.sourceHeight = step.sourceSize.height();
        s.previewWidth = picture.width();
        s.previewHeight = picture.height();
        s.rotationAngle = recipe.rotationAngle;
    }
    // A cancelled crop tool may have left the picture as taken in as the current file.
    s.currentImagePath = s.effectBasePath;
    s.viewBitmap = step.view.isNull() ? RasterIO::load(s.effectBasePath) : step.view;
    if (s.viewBitmap.isNull())
        return false;
    s.fitRect = step.fitRect;
    s.compareLeftRect = step.compareLeftRect;
    s.compareRightRect = step.compareRightRect;
    s.flipHorizontal = recipe.flipHorizontal;
    s.flipVertical = recipe.flipVertical;
    s.strength = recipe.strength;
    s.showPictureFile = false;

    // The look: from the cache of the step when it still holds it, else computed anew on the
    // picture just restored. The results kept for other pairs may show another picture.
    const bool filterOn = recipe.filterIndex >= 0;
    const bool lightOn = recipe.lightIndex >= 0;
    s.filterActive = filterOn ? LookOn : LookOff;
    s.filterIndex = recipe.filterIndex;
    s.lastFilterIndex = recipe.filterIndex;
    s.lightActive = lightOn ? LookOn : LookOff;
    s.lightIndex = recipe.lightIndex;
    s.lastLightIndex = recipe.lightIndex;
    s.selectedFilterThumb = step.cells[FilterPanel];
    s.selectedLightThumb = step.cells[LightPanel];
    s.selectedFrameThumb = step.cells[FramePanel];
    s.combinedCached = false;
    s.cachedFilterBitmap = s.cachedLightBitmap = s.cachedCombinedBitmap = QImage();
    if (!step.look.isNull() && (filterOn || lightOn)) {
        s.effectBitmap = step.look;
        if (filterOn && lightOn) {
            s.combinedCached = true;
            s.cachedCombinedBitmap = step.look;
        } else {
            (filterOn ? s.cachedFilterBitmap : s.cachedLightBitmap) = step.look;
        }
    } else if (!reapplyLook(s, m_catalogues)) {
        return false;
    }
    s.renderTarget = RenderToThumbnail;

    // The frame: chosen again when it is another one, or when its pieces were cut for another
    // full-size picture.
    if (recipe.frameMode == FrameNone) {
        s.frameMode = FrameNone;
    } else if (s.frameMode != recipe.frameMode || s.frameThumbPath != step.frameThumb ||
               sourceBefore != QSize(s.sourceWidth, s.sourceHeight)) {
        if (!applyFrame(s, m_catalogues, step.frameThumb))
            return false;
        s.frameThumbPath = step.frameThumb;
        s.frameThumbPathCopy = step.frameThumb;
    }
    return true;
}

bool Editor::setStrength(double strength) {
    EditState& s = m_state;
    if (s.busy() || !s.imageLoaded || s.cropMode || s.compareActive)
        return false;
    s.strength = std::clamp(strength, 0.0, 1.0);
    emit viewChanged();
    return true;
}

void Editor::endStrengthChange() {
    if (!m_state.imageLoaded || m_state.cropMode)
        return;
    recordStep();
    emit viewChanged();
}

void Editor::refreshShownLook() {
    EditState& s = m_state;
    const bool lookOn = s.lookOn();
    if (!lookOn || s.strength >= 1.0 || s.effectBitmap.isNull()) {
        s.blendedBitmap = QImage();
        m_blendedView = m_blendedLook = 0;
        m_blendedStrength = -1.0;
    } else if (s.viewBitmap.cacheKey() != m_blendedView || s.effectBitmap.cacheKey() != m_blendedLook ||
               s.strength != m_blendedStrength) {
        s.blendedBitmap = blendLook(s.viewBitmap, s.effectBitmap, s.strength);
        m_blendedView = s.viewBitmap.cacheKey();
        m_blendedLook = s.effectBitmap.cacheKey();
        m_blendedStrength = s.strength;
    }
    // The print copy shows what the view shows.
    publishPrintState(s, PrintShared::instance());
}
