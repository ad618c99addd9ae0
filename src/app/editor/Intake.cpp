#include "Intake.h"

#include "FitRules.h"
#include "PrintShared.h"
#include "RasterIO.h"
#include "WorkFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace Intake {

bool isPictureName(const QString& path) {
    static const QStringList accepted = {"jpg", "JPG", "bmp",  "BMP",  "png",  "PNG",
                                         "gif", "GIF", "tiff", "TIFF", "jpeg", "JPEG"};
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0)
        return false;
    return accepted.contains(name.mid(dot + 1), Qt::CaseSensitive);
}

void copySource(EditState& state, const QString& userPath) {
    WorkFiles::deleteSourceCopies();
    ++state.copyCounter;
    const QString copyPath = WorkFiles::path(WorkFiles::sourceCopyName(state.copyCounter));
    QFile::copy(userPath, copyPath);
    state.sourceCopyPath = copyPath;
}

QString writePreviewFile(const DecodedPreview& decoded, const QString& copyPath) {
    // The effect library reads working files as stored and ignores orientation tags, so a
    // turned photo needs an upright file even when it is small.
    if (decoded.wholePicture && !decoded.reoriented)
        return copyPath;
    const QString previewPath = WorkFiles::path(WorkFiles::kPreview);
    RasterIO::saveWorkingJpeg(decoded.preview, previewPath);
    return previewPath;
}

void setWorkingPaths(EditState& state, const QString& previewPath) {
    state.effectBasePath = previewPath;
    state.currentImagePath = previewPath;
    state.committedImagePath = previewPath;
}

void resetGeometry(EditState& state, const QSize& previewSize, const QSize& sourceSize) {
    const int w = previewSize.width();
    const int h = previewSize.height();
    state.fitRect = FitToView(w, h);
    state.imageRect = state.fitRect;
    state.imageCenterX = (state.fitRect.left + state.fitRect.right) / 2;
    state.imageCenterY = (state.fitRect.top + state.fitRect.bottom) / 2;
    state.viewRect = Rect{10, 60, 700, 560};
    state.cropStartRect = Rect{state.viewRect.left + 200, state.viewRect.top + 100,
                               state.viewRect.right - 200, state.viewRect.bottom - 100};
    state.cropBoundsRect = state.fitRect;
    state.cropRatioIndex = 0;
    state.startBackground = false;

    state.previewWidth = w;
    state.previewHeight = h;
    state.compareLeftRect = FitToCompareLeft(w, h);
    state.compareRightRect = FitToCompareRight(w, h);
    const double fitWidth = state.fitRect.width();
    const double fitHeight = state.fitRect.height();
    state.previewScaleX = w / fitWidth;
    state.previewScaleY = h / fitHeight;
    state.sourceScaleX = sourceSize.width() / fitWidth;
    state.sourceScaleY = sourceSize.height() / fitHeight;
    state.previewAspect = double(h) / double(w);
}

void resetOrientation(EditState& state) {
    state.rotationAngle = 360;
    state.flipHorizontal = false;
    state.flipVertical = false;
    PrintShared& print = PrintShared::instance();
    print.printRotation = 360;
    print.printFlipHorizontal = false;
    print.printFlipVertical = false;
}

void resetLook(EditState& state) {
    state.selectedFilterThumb.clear();
    state.selectedLightThumb.clear();
    state.selectedFrameThumb.clear();
    state.filterIndex = -1;
    state.lastFilterIndex = -1;
    state.lightIndex = -1;
    state.lastLightIndex = -1;
    // A look flag left on with its index reset would make the next click apply "filter -1".
    state.filterActive = -1;
    state.lightActive = -1;
    state.frameMode = -1;
    state.combinedCached = false;
    // The cached results show the previous picture; none of them may come back.
    state.effectBitmap = QImage();
    state.cachedFilterBitmap = QImage();
    state.cachedLightBitmap = QImage();
    state.cachedCombinedBitmap = QImage();
    state.pictureCropped = false;
}

void resetTools(EditState& state) {
    state.imageLoaded = true;
    state.cropMode = false;
    state.cropReady = true;
    state.compareActive = false;
    state.showPictureFile = false;
    // A new picture is whole; the crop of the previous one says nothing about it.
    state.cropSourceRect = QRect();
}

void loadRasters(EditState& state, const QImage& preview) {
    state.viewBitmap = preview;
    state.currentBitmap = preview;
    PrintShared& print = PrintShared::instance();
    print.printLook = QImage();
    print.printPicture = preview;
    print.printFrameMode = -1;
}

} // namespace Intake
