#include "Intake.h"

#include "AppPaths.h"
#include "CropGeometry.h"
#include "FitRules.h"
#include "QuarterTurn.h"
#include "RasterIO.h"
#include "WorkFileBatch.h"
#include "WorkFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

namespace Intake {

namespace {

// The number of colour components a JPEG file's frame header declares; 0 when the file is no
// JPEG or its header cannot be read.
int jpegComponents(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray head = file.read(256 * 1024);
    const auto byte = [&head](qsizetype at) { return at < head.size() ? quint8(head[at]) : -1; };
    if (byte(0) != 0xFF || byte(1) != 0xD8)
        return 0;
    qsizetype at = 2;
    while (byte(at) == 0xFF) {
        const int marker = byte(at + 1);
        if (marker == 0xFF) { // fill byte
            ++at;
            continue;
        }
        const int length = (byte(at + 2) << 8) | byte(at + 3);
        if (length < 2 || byte(at + 3) < 0)
            return 0;
        // Start of frame, any coding (C4, C8 and CC are other segments in that range).
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
            return qMax(0, byte(at + 9));
        at += 2 + length;
    }
    return 0;
}

bool copyServesAsPreview(const QString& userPath, const DecodedPreview& decoded) {
    // The effect library reads working files as stored, ignoring orientation tags and colour
    // profiles, so a turned photo, or one whose colours are not sRGB, needs a file of its own even
    // when it is small. A file of several frames needs one of its first frame alone, which is all
    // the editor shows. And the library must read
    // the copy by its content, under the copy's .jpg name, with the colours the view shows:
    // an icon or a TGA it cannot even recognise, TIFF is never handed to it, and a CMYK or
    // greyscale JPEG it keeps in its own colour model, which every look then gets wrong. Only
    // a colour JPEG is taken as it is.
    return decoded.wholePicture && !decoded.reoriented && !decoded.recoloured && !decoded.multiFrame &&
           jpegComponents(userPath) == 3;
}

QString writeProblem(const QString& reason) {
    return QStringLiteral("Lumenkraft cannot open this picture: its working files cannot be written in the "
                          "folder %1 (%2). Free some space there or make it writable. The picture you were "
                          "editing stays as it was.")
        .arg(QDir::toNativeSeparators(AppPaths::workFolder()), reason);
}

// Why a picture could not be written, as far as the folder tells.
QString folderReason() {
    const QString folder = AppPaths::workFolder();
    if (!QFileInfo(folder).isDir())
        return QStringLiteral("the folder cannot be made");
    const QStorageInfo storage(folder);
    if (storage.isReadOnly())
        return QStringLiteral("the disk is read-only");
    if (storage.isValid() && storage.bytesAvailable() < 16 * 1024 * 1024)
        return QStringLiteral("the disk is full");
    return QStringLiteral("a file could not be written");
}

} // namespace

std::optional<WorkingFiles> writeWorkingFiles(const QString& userPath, const DecodedPreview& decoded,
                                              int copyCounter, QString* problem) {
    QDir().mkpath(AppPaths::workFolder());
    WorkingFiles files;
    files.copyPath = WorkFiles::path(WorkFiles::sourceCopyName(copyCounter));
    WorkFileBatch batch;
    QFile user(userPath);
    if (!user.copy(batch.stage(files.copyPath))) {
        *problem = writeProblem(user.errorString());
        return std::nullopt;
    }
    files.previewPath = files.copyPath;
    if (!copyServesAsPreview(userPath, decoded)) {
        files.previewPath = WorkFiles::path(WorkFiles::kPreview);
        if (!RasterIO::saveWorkingJpeg(decoded.preview, batch.stage(files.previewPath))) {
            *problem = writeProblem(folderReason());
            return std::nullopt;
        }
    }
    const auto stageTurned = [&batch](int angle) { return batch.stage(WorkFiles::rotatedCopyPath(angle)); };
    if (!writeRotatedCopies(decoded.preview, stageTurned)) {
        *problem = writeProblem(folderReason());
        return std::nullopt;
    }
    QString reason;
    if (!batch.commit(&reason)) {
        *problem = writeProblem(reason);
        return std::nullopt;
    }
    // The copy of the picture before goes; the two names alternate.
    QFile::remove(WorkFiles::path(WorkFiles::sourceCopyName(copyCounter + 1)));
    return files;
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
    state.cropBoundsRect = state.fitRect;
    state.cropStartRect = cropPresetBox(RatioFree, state.viewRect, state.cropBoundsRect);
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
}

void dropFilterAndLight(EditState& state) {
    state.selectedFilterThumb.clear();
    state.selectedLightThumb.clear();
    state.filterIndex = -1;
    state.lastFilterIndex = -1;
    state.lightIndex = -1;
    state.lastLightIndex = -1;
    // A look flag left on with its index reset would make the next click apply "filter -1".
    state.filterActive = LookOff;
    state.lightActive = LookOff;
    state.combinedCached = false;
    // The cached results show the previous picture; none of them may come back.
    state.effectBitmap = QImage();
    state.cachedFilterBitmap = QImage();
    state.cachedLightBitmap = QImage();
    state.cachedCombinedBitmap = QImage();
}

void resetLook(EditState& state) {
    dropFilterAndLight(state);
    state.selectedFrameThumb.clear();
    state.frameMode = FrameNone;
    state.pictureCropped = false;
    state.strength = 1.0;
    state.blendedBitmap = QImage();
}

void resetTools(EditState& state) {
    state.imageLoaded = true;
    state.cropMode = false;
    state.cropReady = true;
    state.compareActive = false;
    state.showPictureFile = false;
    // A new picture is whole; the crop of the previous one says nothing about it.
    state.cropSourceRect = QRect();
    state.cropPreviewRect = QRect();
}

void loadRasters(EditState& state, const QImage& preview) {
    state.viewBitmap = preview;
    state.currentBitmap = preview;
}

} // namespace Intake
