#include "FullSizeRender.h"

#include "EffectOperations.h"
#include "FramePieces.h"
#include "LookBlend.h"
#include "LookRendering.h"
#include "MagickBridge.h"
#include "NineSliceFrame.h"
#include "PreviewDecoder.h"
#include "PrintShared.h"
#include "QuarterTurn.h"
#include "RasterIO.h"

#include <QColorSpace>
#include <QFileInfo>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include <wand/MagickWand.h>

namespace {

constexpr const char* kRoutine = "renderFullSize";

// The look of a recipe as the catalogues hold it, found before any pixel is decoded.
struct LookPlan {
    const FilterLook* filter = nullptr;
    int filterNumber = 0;
    const LightRecord* light = nullptr;
    int lightNumber = 0;

    int stepCount() const { return (filter ? int(filter->steps.size()) : 0) + (light ? 1 : 0); }
};

// Reports each stage with the share of the work done before it. The weights are rough costs
// at full size: decoding and every look step dominate.
class Progress {
  public:
    Progress(const RenderControl& control, int lookSteps)
        : m_control(control), m_total(kDecode + kTurn + lookSteps * kStep + kFrame) {}

    // Starts a stage of the given weight; false once the render has been cancelled.
    bool begin(const QString& stage, double weight) {
        if (cancelled())
            return false;
        if (m_control.progress)
            m_control.progress({stage, m_done / m_total});
        m_done += weight;
        return true;
    }
    bool cancelled() const { return m_control.cancel && m_control.cancel->load(); }

    static constexpr double kDecode = 3.0;
    static constexpr double kTurn = 0.5;
    static constexpr double kStep = 2.0;
    static constexpr double kFrame = 1.0;

  private:
    const RenderControl& m_control;
    double m_total;
    double m_done = 0.0;
};

RenderedPicture failed(const QString& reason) {
    return {QImage(), reason, false};
}

RenderedPicture cancelled() {
    return {QImage(), QStringLiteral("The work was cancelled."), true};
}

QString fileName(const QString& path) {
    return QFileInfo(path).fileName();
}

// Never larger than the full-size picture, and no larger than asked for.
double reductionFor(const QSize& finished, const QSize& largest) {
    if (largest.isEmpty())
        return 1.0;
    return std::min(
        {1.0, double(largest.width()) / finished.width(), double(largest.height()) / finished.height()});
}

// A rectangle of the full-size picture in the pixels of a picture decoded at scaleX x scaleY.
QRect scaledRect(const QRect& rect, double scaleX, double scaleY, const QSize& bounds) {
    const int left = int(std::floor(rect.x() * scaleX));
    const int top = int(std::floor(rect.y() * scaleY));
    const int right = int(std::lround((rect.x() + rect.width()) * scaleX));
    const int bottom = int(std::lround((rect.y() + rect.height()) * scaleY));
    return QRect(left, top, std::max(1, right - left), std::max(1, bottom - top))
        .intersected(QRect({}, bounds));
}

QImage mirrored(const QImage& picture, bool flipHorizontal, bool flipVertical) {
    if (!flipHorizontal && !flipVertical)
        return picture;
    QImage canvas(picture.size(), QImage::Format_ARGB32);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    DrawMirrored(painter, picture, QRectF(QPointF(0, 0), picture.size()), flipHorizontal, flipVertical);
    return canvas;
}

// The filter and then the light, on the picture at its own size, in one wand: no file and no
// raster between the steps.
RenderedPicture applyLook(QImage picture, const LookPlan& plan, const EditRecipe& recipe, double lengthScale,
                          Progress& progress) {
    // The unlooked picture is kept only when the look is to be blended over it.
    const double strength = std::clamp(recipe.strength, 0.0, 1.0);
    const QImage base = strength < 1.0 ? picture : QImage();
    // The view computes every look on a working JPEG, where transparency has become white.
    WandPtr wand(raster2magick(RasterIO::onWhite(std::move(picture))));
    if (MagickGetNumberImages(wand.get()) == 0)
        return failed(QStringLiteral("There is not enough memory for the picture."));
    // As a picture read from a working JPEG: no alpha channel, which some operations would
    // otherwise treat as one more channel to work on.
    MagickSetImageAlphaChannel(wand.get(), DeactivateAlphaChannel);

    EffectRouting routing;
    routing.renderTarget = RenderToNowhere;
    routing.lengthScale = lengthScale;
    if (plan.filter) {
        const int count = int(plan.filter->steps.size());
        const auto stepText = [&](int step) {
            return QStringLiteral("Filter: step %1 of %2").arg(step).arg(count);
        };
        int running = 1;
        if (!progress.begin(stepText(1), Progress::kStep))
            return cancelled();
        const bool done = runFilterSteps(routing, *plan.filter, plan.filterNumber, wand.get(),
                                         [&](int step, int stepCount) {
                                             if (step == stepCount)
                                                 return !progress.cancelled();
                                             running = step + 1;
                                             return progress.begin(stepText(running), Progress::kStep);
                                         });
        if (progress.cancelled())
            return cancelled();
        if (!done) {
            const char* operation = effectOperationName(plan.filter->steps[running - 1].neffectfunction);
            return failed(QStringLiteral("Filter %1 failed at step %2 of %3 (%4).")
                              .arg(plan.filterNumber)
                              .arg(running)
                              .arg(count)
                              .arg(QString::fromLatin1(operation ? operation : "no operation")));
        }
    }
    if (plan.light) {
        if (!progress.begin(QStringLiteral("Light"), Progress::kStep))
            return cancelled();
        if (!layLight(routing, *plan.light, plan.lightNumber, wand.get()))
            return failed(
                QStringLiteral("Light %1 could not be laid over the picture.").arg(plan.lightNumber));
    }
    QImage looked = magick2raster(wand.get(), kRoutine);
    wand.reset();
    if (looked.isNull())
        return failed(QStringLiteral("There is not enough memory for the picture."));
    // Exactly the view's blend, so a look below full strength exports as it is seen.
    if (!base.isNull())
        looked = blendLook(base, looked, strength);
    return {looked, QString(), false};
}

// Mirrored as the view draws the look, then the frame over it: an overlay is not mirrored, and
// a nine-slice frame mirrors the picture inside it but not its pieces.
RenderedPicture frame(QImage picture, const EditRecipe& recipe, const QSize& fullCrop, int fullWidthAsTurned,
                      bool unframedWithoutPicture) {
    const bool framed = recipe.frameMode == FrameOverlay || recipe.frameMode == FrameNineSlice;
    const QImage framePicture = framed ? RasterIO::load(recipe.framePicture) : QImage();
    if (framed && framePicture.isNull() && !unframedWithoutPicture)
        return failed(
            QStringLiteral("The frame picture %1 cannot be read.").arg(fileName(recipe.framePicture)));
    switch (framePicture.isNull() ? -1 : recipe.frameMode) {
    case 0: {
        picture = mirrored(picture, recipe.flipHorizontal, recipe.flipVertical);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(QPoint(0, 0), picture.size()), framePicture);
        painter.end();
        return {picture, QString(), false};
    }
    case 1: {
        // Cut for the full-size picture as the editor cuts them, then divided down to the picture.
        const FrameTemplateScale scale = frameTemplateScale(std::min(fullCrop.width(), fullCrop.height()));
        return {composeNineSliceFrame(picture, cutFramePieces(framePicture, scale), frameSliceSizes(scale),
                                      fullWidthAsTurned, recipe.flipHorizontal, recipe.flipVertical),
                QString(), false};
    }
    default:
        return {mirrored(picture, recipe.flipHorizontal, recipe.flipVertical), QString(), false};
    }
}

} // namespace

double previewLengthScale(const QSize& uprightSize) {
    if (uprightSize.isEmpty() || PreviewDecoder::usableDirectly(uprightSize))
        return 1.0;
    return double(uprightSize.width()) / PreviewDecoder::previewSizeFor(uprightSize).width();
}

RenderedPicture renderFullSize(const EditRecipe& recipe, const Catalogues& catalogues,
                               const RenderControl& control) {
    LookPlan plan;
    if (recipe.filterIndex >= catalogues.filterLooks.size())
        return failed(QStringLiteral("There is no filter %1.").arg(recipe.filterIndex + 1));
    if (recipe.filterIndex >= 0 && !catalogues.filterLooks[recipe.filterIndex].steps.isEmpty()) {
        plan.filter = &catalogues.filterLooks[recipe.filterIndex];
        plan.filterNumber = recipe.filterIndex + 1;
    }
    // The light list can show more cells than the catalogue holds; such a cell lays nothing.
    if (recipe.lightIndex >= 0 && recipe.lightIndex < catalogues.lightRecords.size()) {
        plan.light = &catalogues.lightRecords[recipe.lightIndex];
        plan.lightNumber = recipe.lightIndex + 1;
    }
    Progress progress(control, plan.stepCount());

    if (!progress.begin(QStringLiteral("Decoding"), Progress::kDecode))
        return cancelled();
    const QString name = fileName(recipe.sourcePath);
    const QSize fullSize = RasterIO::pictureSize(recipe.sourcePath);
    if (!fullSize.isValid())
        return failed(QStringLiteral("The picture %1 cannot be read.").arg(name));
    const QRect whole(QPoint(0, 0), fullSize);
    const QRect crop = recipe.crop.isNull() ? whole : recipe.crop.intersected(whole);
    if (crop.isEmpty())
        return failed(QStringLiteral("The crop lies outside the picture %1.").arg(name));
    const bool quarterTurned = (recipe.rotationAngle / 90) % 2 != 0;
    const QSize turnedCrop = quarterTurned ? crop.size().transposed() : crop.size();

    const double reduction = reductionFor(turnedCrop, control.largest);
    QImage picture = reduction < 1.0
                         ? RasterIO::load(recipe.sourcePath,
                                          QSize(std::max(1, int(std::lround(fullSize.width() * reduction))),
                                                std::max(1, int(std::lround(fullSize.height() * reduction)))))
                         : RasterIO::load(recipe.sourcePath);
    if (picture.isNull())
        return failed(QStringLiteral("The picture %1 cannot be decoded.").arg(name));
    const double scaleX = double(picture.width()) / fullSize.width();
    const double scaleY = double(picture.height()) / fullSize.height();
    if (crop != whole)
        picture = picture.copy(scaledRect(crop, scaleX, scaleY, picture.size()));

    if (!progress.begin(QStringLiteral("Turning"), Progress::kTurn))
        return cancelled();
    picture = turnPicture(picture, recipe.rotationAngle);

    if (plan.filter || plan.light) {
        // Lengths in the catalogue are preview pixels; here a preview pixel is this many.
        const double lengthScale = previewLengthScale(fullSize) * scaleX;
        RenderedPicture looked = applyLook(std::move(picture), plan, recipe, lengthScale, progress);
        if (looked.image.isNull())
            return looked;
        picture = std::move(looked.image);
    }

    if (!progress.begin(QStringLiteral("Frame"), Progress::kFrame))
        return cancelled();
    RenderedPicture framed = frame(std::move(picture), recipe, crop.size(), turnedCrop.width(),
                                   control.unframedWithoutFramePicture);
    if (framed.image.isNull())
        return framed;
    if (progress.cancelled())
        return cancelled();
    // Decoding converted every picture to sRGB; the result says so.
    framed.image.setColorSpace(QColorSpace::SRgb);
    return framed;
}
