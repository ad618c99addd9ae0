// The editing tools of the editor: the crop tool with its commit and cancel, the quarter turn,
// the mirrors, the before/after view and the random look.
#include "Editor.h"

#include "CategoryBrowse.h"
#include "CropCut.h"
#include "LookCommands.h"
#include "Panels.h"
#include "QuarterTurn.h"
#include "RandomDraw.h"
#include "RasterIO.h"
#include "TurnedFit.h"
#include "WorkFiles.h"

#include <utility>

namespace {

void placeTurnedPicture(EditState& state, const QSize& unturned, const QSize& turned) {
    const ViewRects rects = fitTurnedPicture(turned, turnsToPortrait(unturned, state.rotationAngle),
                                             QPoint(state.imageCenterX, state.imageCenterY));
    state.fitRect = rects.fitRect;
    state.compareLeftRect = rects.compareLeftRect;
    state.compareRightRect = rects.compareRightRect;
}

// The cell of a refilled list that a random look chose: current, and scrolled to.
void choose(ListContent& content, int cell) {
    content.currentCell = cell;
    content.scrollTo = qMax(0, cell);
}

} // namespace

// The look in force computed anew on the working picture, and the print copy of it. When the
// engine fails (it reports why) the filter and light are dropped: a look made on the picture as
// it was would not fit the new one. The lists stop marking them and the user is told.
bool Editor::lookOnNewPicture() {
    EditState& state = m_state;
    if (!state.lookOn())
        return true;
    if (reapplyLook(state, m_catalogues))
        return true;
    Intake::dropFilterAndLight(state);
    m_cells[FilterPanel].clear();
    m_cells[LightPanel].clear();
    m_lookProblem =
        QStringLiteral("Sorry, the look could not be made on the changed picture and was removed.");
    return false;
}

QString Editor::takeLookProblem() {
    return std::exchange(m_lookProblem, QString());
}

// --- Crop tool --------------------------------------------------------------------------------

bool Editor::openCrop() {
    m_state.compareActive = false;
    if (!m_state.imageLoaded) {
        emit viewChanged();
        return false;
    }
    m_state.cropMode = true;
    m_state.showPictureFile = true;
    // Every crop is cut from the picture as taken in, so that is what the tool shows.
    m_state.currentImagePath = m_state.committedImagePath;
    m_cropTool.open(m_state);
    emit viewChanged();
    return true;
}

void Editor::chooseCropRatio(int position) {
    if (!m_state.cropMode)
        return;
    m_cropTool.chooseRatio(m_state, position);
    emit viewChanged();
}

void Editor::toggleCropOrientation() {
    if (!m_state.cropMode)
        return;
    m_cropTool.toggleOrientation(m_state);
    emit viewChanged();
}

CropTool::Press Editor::cropPress(const QPoint& p) {
    return m_cropTool.press(m_state, p);
}

CropCursor Editor::cropMove(const QPoint& p, bool buttonsOrKeysHeld) {
    const CropCursor cursor = m_cropTool.move(m_state, p, buttonsOrKeysHeld);
    if (m_state.cropMode)
        emit viewChanged();
    return cursor;
}

void Editor::cropRelease() {
    m_cropTool.release();
}

Editor::CropCommit Editor::confirmCrop() {
    EditState& s = m_state;
    if (s.busy() || !s.cropMode || !s.cropReady)
        return CropCommit::Refused;

    // Both cuts come from the pictures as taken in, mapped with the geometry of that intake, and
    // a fixed ratio holds to the pixel whatever the rounding between screen and picture did.
    const Rect box = cropBoxOnPicture(s.cropRect, s.cropBoundsRect);
    const double widthPerHeight = m_cropTool.widthPerHeight(s);
    const QRect previewCut =
        holdCutToRatio(cropPixelRect(box, s.imageRect, s.previewScaleX, s.previewScaleY) &
                           QRect(QPoint(0, 0), RasterIO::pictureSize(s.committedImagePath)),
                       widthPerHeight);
    // Only the full-size cut's place and size are kept: the export cuts it again from the picture
    // as taken in, so decoding and writing it here would only hold the window up.
    const QRect sourceCut = holdCutToRatio(cropPixelRect(box, s.imageRect, s.sourceScaleX, s.sourceScaleY) &
                                               QRect(QPoint(0, 0), RasterIO::pictureSize(s.sourceCopyPath)),
                                           widthPerHeight);
    if (previewCut.isEmpty() || sourceCut.isEmpty())
        return CropCommit::EmptyBox;
    const QImage preview = RasterIO::loadRegion(s.committedImagePath, previewCut);
    if (preview.isNull())
        return CropCommit::Failed;

    const bool firstName = s.cropOutputToggle;
    const QString previewPath = WorkFiles::path(firstName ? WorkFiles::kCropCut : WorkFiles::kCropCutAlt);
    const QString sourcePath =
        WorkFiles::path(firstName ? WorkFiles::kCropSourceCut : WorkFiles::kCropSourceCutAlt);
    const QString turnedPath = WorkFiles::path(WorkFiles::kCropResultTurned);
    WorkFiles::ensureWorkFolder(QString::fromLatin1(WorkFiles::kThumbFolder));
    if (!RasterIO::saveWorkingJpeg(preview, previewPath))
        return CropCommit::Failed;
    // Later turns and looks start from the cut as stored, so this is what is turned now.
    const QImage cut = RasterIO::load(previewPath);
    const QImage turned = turnPicture(cut, s.rotationAngle);
    if (cut.isNull() || !RasterIO::saveWorkingJpeg(turned, turnedPath))
        return CropCommit::Failed;

    s.pictureCropped = true;
    s.cropMode = false;
    s.showPictureFile = false;
    s.cropOutputToggle = !firstName;
    s.cropCommitted = true;
    // Named as the cut would be: the export's default name follows it.
    s.fullSizePath = sourcePath;
    s.sourceWidth = sourceCut.width();
    s.sourceHeight = sourceCut.height();
    s.cropSourceRect = sourceCut;
    s.cropPreviewRect = QRect(previewCut.topLeft(), cut.size());
    // Measured unturned, like the full size, so the two always give the scale between them.
    s.previewWidth = cut.width();
    s.previewHeight = cut.height();
    s.renderTarget = RenderToThumbnail;
    s.currentBitmap = cut;
    s.viewBitmap = RasterIO::load(turnedPath);
    // The turned cut is the working picture: a look, a random look or a cancel starts from it.
    s.currentImagePath = turnedPath;
    s.effectBasePath = turnedPath;

    lookOnNewPicture();
    // Nine-slice pieces are sized for the full-size picture, which is the cut now. A frame
    // turned off stays off.
    if (s.frameMode == FrameNineSlice)
        applyFrame(s, m_catalogues, s.frameThumbPathCopy);
    placeTurnedPicture(s, cut.size(), turned.size());
    recordStep();
    emit viewChanged();
    return CropCommit::Committed;
}

bool Editor::cancelCrop() {
    if (!m_state.cropMode)
        return false;
    if (m_state.cropCommitted) {
        m_state.currentImagePath = m_state.effectBasePath;
        m_state.viewBitmap = RasterIO::load(m_state.effectBasePath);
    }
    m_state.showPictureFile = false;
    m_state.cropMode = false;
    emit viewChanged();
    return true;
}

// --- Turns and mirrors ------------------------------------------------------------------------

bool Editor::rotate() {
    EditState& s = m_state;
    if (s.busy() || !s.imageLoaded || s.cropMode)
        return false;
    // Each press turns a further quarter counter-clockwise: 360, 270, 180, 90, then 0 = 360.
    const int angle = s.rotationAngle - 90;
    const QImage turned = turnPicture(s.currentBitmap, angle);
    const bool quarter = angle == 90 || angle == 270;
    const QString path = WorkFiles::path(quarter ? WorkFiles::kTurnedQuarter : WorkFiles::kTurnedHalf);
    if (turned.isNull() || !RasterIO::saveWorkingJpeg(turned, path))
        return false;

    s.rotationAngle = angle;
    s.viewBitmap = RasterIO::load(path);
    s.currentImagePath = path;
    s.effectBasePath = path;
    lookOnNewPicture();
    placeTurnedPicture(s, s.currentBitmap.size(), s.viewBitmap.size());
    if (s.rotationAngle <= 0)
        s.rotationAngle = 360;
    recordStep();
    emit viewChanged();
    return true;
}

bool Editor::flipHorizontal() {
    return toggleMirror(m_state.flipHorizontal);
}

bool Editor::flipVertical() {
    return toggleMirror(m_state.flipVertical);
}

bool Editor::toggleMirror(bool& flag) {
    if (m_state.busy() || !m_state.imageLoaded || m_state.cropMode)
        return false;
    flag = !flag;
    recordStep();
    emit viewChanged();
    return true;
}

// --- Compare and random look ------------------------------------------------------------------

Editor::CompareView Editor::compare() {
    if (!m_state.imageLoaded || m_state.cropMode)
        return CompareView::Refused;
    const bool turningOn = m_state.compareToggle;
    m_state.compareActive = turningOn;
    m_state.compareToggle = !turningOn;
    emit viewChanged();
    return turningOn ? CompareView::Shown : CompareView::Hidden;
}

std::optional<Editor::RandomLook> Editor::randomLook() {
    EditState& s = m_state;
    if (s.busy() || !s.imageLoaded || s.cropMode)
        return std::nullopt;

    // Every list shows all its entries again, so the drawn cells are plain catalogue positions
    // behind their number maps.
    s.selectedFilterThumb.clear();
    s.selectedLightThumb.clear();
    s.selectedFrameThumb.clear();
    const QString all = kFilterCategoryNames.first();
    RandomLook look{ShowFilterCategory(s, m_catalogues, all), ShowLightCategory(s, m_catalogues, all),
                    ShowFrameCategory(s, frameFolder(), all)};
    s.showPictureFile = false;

    // An empty list adds nothing to the look.
    const RandomCells cells = drawRandomCells(randomLookGenerator(), int(look.filters.paths.size()),
                                              int(look.frames.paths.size()), int(look.lights.paths.size()));
    s.filterActive = cells.filter >= 0 ? 1 : -1;
    s.filterIndex = cells.filter >= 0 ? CatalogueIndexForPosition(cells.filter, s.filterListNumbers) : -1;
    s.lightActive = cells.light >= 0 ? 1 : -1;
    s.lightIndex = cells.light >= 0 ? CatalogueIndexForPosition(cells.light, s.lightListNumbers) : -1;
    if (cells.filter >= 0)
        s.selectedFilterThumb = look.filters.paths[cells.filter];
    if (cells.light >= 0)
        s.selectedLightThumb = look.lights.paths[cells.light];
    if (cells.frame >= 0) {
        const QString frame = look.frames.paths[cells.frame];
        s.selectedFrameThumb = frame;
        // A frame picture without a catalogue entry leaves the frame in force.
        if (applyFrame(s, m_catalogues, frame)) {
            s.frameThumbPath = frame;
            s.frameThumbPathCopy = frame;
        }
    } else {
        s.frameMode = FrameNone;
    }
    s.lastFilterIndex = s.filterIndex;
    s.lastLightIndex = s.lightIndex;

    s.currentImagePath = s.effectBasePath;
    lookOnNewPicture();
    choose(look.filters, s.filterActive == LookOn ? cells.filter : -1);
    choose(look.lights, s.lightActive == LookOn ? cells.light : -1);
    choose(look.frames, cells.frame);

    s.renderTarget = RenderToThumbnail;
    m_cells = {s.selectedFilterThumb, s.selectedLightThumb, s.selectedFrameThumb};
    recordStep();
    emit viewChanged();
    return look;
}
