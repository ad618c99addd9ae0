#pragma once

#include "EditCodes.h"
#include "Rect.h"

#include <QImage>
#include <QList>
#include <QString>

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>

// The panel shown on the right-hand side.
enum EffectPanel : int { FilterPanel = 0, LightPanel = 1, FramePanel = 2 };

// Where a finished look goes (see run_effect_function).
enum RenderTarget : int {
    RenderToThumbnail = -1,
    RenderToFilterResult = 0,
    RenderToView = 1,
    RenderToNowhere = 2,
};

// The fields through which a finished look leaves the effect engine (run_effect_function):
// where it goes, and what it produced. The window's EditState is one; each thumbnail worker
// has one of its own, so a worker never writes the window's fields from its thread.
struct EffectRouting {
    int renderTarget = RenderToThumbnail;
    // How many pixels of the picture a look runs on stand for one pixel of the preview it was
    // seen on. Sizes in a look's steps (radii, sigmas, offsets) are multiplied by it, so a look
    // on the full-size picture, scaled down, matches the preview. 1 for the preview itself.
    double lengthScale = 1.0;
    QImage effectBitmap;
    QString filterResultPath;
    QString lastRenderedPathW;
    // Receives each finished thumbnail file ("a/<n>.jpg") and returns once the list holds it.
    std::function<void(const QString& thumbnailPath)> thumbReady;
};

// Everything that describes the current edit. Rasters are QImages, which own (and implicitly
// share) their pixels, so a cached look can never dangle, and a copy of the whole edit is cheap:
// a command that may fail half-way keeps one to go back to.
struct EditFields : EffectRouting {
    // Paths of the picture pipeline (full paths of working files, or the user's own files).
    QString currentImagePath;
    QString committedImagePath;
    QString effectBasePath;
    QString sourceCopyPath;
    QString fullSizePath;
    QString lastSourcePath;
    QString exportPath;

    // Sizes and scales.
    int previewWidth = 0;
    int previewHeight = 0;
    int sourceWidth = 0;
    int sourceHeight = 0;
    double previewAspect = 0.0;
    double previewScaleX = 0.0;
    double previewScaleY = 0.0;
    double sourceScaleX = 0.0;
    double sourceScaleY = 0.0;

    // View geometry.
    Rect viewRect{10, 60, 700, 560};
    Rect fitRect;
    Rect imageRect;
    int imageCenterX = 0;
    int imageCenterY = 0;
    Rect cropBoundsRect;
    Rect cropStartRect{10, 60, 700, 560};
    Rect compareLeftRect;
    Rect compareRightRect;
    // The crop tool's box, drawn while cropMode is set.
    Rect cropRect;
    // The committed crop in upright full-size pixels of the picture as taken in; null when the
    // picture is not cropped. Crops never accumulate: each one is cut from the intake picture.
    QRect cropSourceRect;
    // The same crop in pixels of the preview as taken in; null when the picture is not cropped.
    QRect cropPreviewRect;
    // A crop was committed in this run: cancelling the crop tool returns to the last cut.
    bool cropCommitted = false;
    // Which of the two alternating names the next crop's files take.
    bool cropOutputToggle = true;

    // Flags and counters.
    bool imageLoaded = false;
    bool startBackground = true;
    bool showPictureFile = false;
    bool cropReady = false;
    bool cropMode = false;
    bool compareActive = false;
    bool compareToggle = true;
    int activePanel = FilterPanel;
    int cropRatioIndex = 4;
    int rotationAngle = 360;
    bool flipHorizontal = false;
    bool flipVertical = false;
    int copyCounter = 0;
    std::int32_t startTick = 0;
    std::int32_t endTick = 0;

    // The unrotated base picture and the picture the view draws without a look.
    QImage currentBitmap;
    QImage viewBitmap;

    // Category browsing.
    bool categoryChanged = false;
    QList<int> filterListNumbers;
    QList<int> lightListNumbers;

    // The look: filter, light, frame.
    int filterActive = LookOff;
    int filterIndex = -1;
    int lastFilterIndex = -1;
    int lightActive = LookOff;
    int lightIndex = -1;
    int lastLightIndex = -1;
    int frameMode = FrameNone;
    QString frameThumbPath;
    QString frameThumbPathCopy;
    QString frameOverlayPath;
    std::array<QImage, 8> framePieces;
    std::array<int, 8> frameSliceSizes{};
    QString selectedFilterThumb;
    QString selectedLightThumb;
    QString selectedFrameThumb;
    bool combinedCached = false;
    QImage cachedFilterBitmap;
    QImage cachedLightBitmap;
    QImage cachedCombinedBitmap;
    bool pictureCropped = false;
    // How strongly the filter and light show, 0 to 1, and what the view then draws: the look
    // blended over viewBitmap (null at full strength, where effectBitmap itself is drawn).
    double strength = 1.0;
    QImage blendedBitmap;

    // A filter or a light is in force: the view shows a look.
    bool lookOn() const { return filterActive == LookOn || lightActive == LookOn; }
};

// The edit and the work running on it. The main window owns one for its whole life; intake
// resets the picture-related fields for every new picture.
struct EditState : EditFields {
    // Background work. Intake, clicks, rotation, random, crop commit and a second export are
    // refused while either flag is set.
    std::atomic<bool> workerBusy{false};
    std::atomic<bool> exportBusy{false};
    bool catalogueUnread = true;

    bool busy() const { return workerBusy.load() || exportBusy.load(); }
};
