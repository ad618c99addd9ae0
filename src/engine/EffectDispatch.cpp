#include "EffectDispatch.h"

#include "EffectOperations.h"
#include "MagickBridge.h"
#include "RasterIO.h"
#include "WorkFiles.h"

#include <wand/MagickWand.h>

namespace {

constexpr const char* kRoutine = "CcsAllDlg::run_effect_function";

bool routeFinishedLook(EffectRouting& routing, int n, MagickWand* image) {
    switch (routing.renderTarget) {
    case RenderToNowhere:
        return true;
    case RenderToView: {
        QImage raster = magick2raster(image, kRoutine);
        if (raster.isNull())
            return false;
        routing.effectBitmap = std::move(raster);
        return true;
    }
    case RenderToFilterResult: {
        QImage raster = magick2raster(image, kRoutine);
        if (raster.isNull())
            return false;
        // This file becomes the working picture the next edit reads; a stale one would
        // silently undo the look, so a failed write abandons the step.
        const QString path = WorkFiles::filterResultPath(n);
        if (!RasterIO::saveWorkingJpeg(raster, path)) {
            reportFailure(kRoutine, __LINE__, qPrintable(QStringLiteral("cannot write %1").arg(path)));
            return false;
        }
        routing.filterResultPath = path;
        routing.effectBitmap = std::move(raster);
        return true;
    }
    default: {
        const QImage raster = magick2raster(image, kRoutine);
        if (raster.isNull())
            return false;
        // A thumbnail that cannot be written only leaves its cell empty; the run goes on.
        const QString path = WorkFiles::thumbnailPath(n);
        RasterIO::saveWorkingJpeg(raster, path);
        routing.lastRenderedPathW = path;
        if (routing.thumbReady)
            routing.thumbReady(path);
        return true;
    }
    }
}

} // namespace

bool run_effect_function(EffectRouting& routing, int n, MagickWand* secondImage, const EffectRecord& record,
                         int stepCount, int step, MagickWand* image) {
    if (step == 1)
        seedLookRandomness();
    // A failing step fails the look wherever it stands: routing a picture the library gave up
    // on would show (or export) a half-made look as if it were finished.
    if (!runEffectOperation(image, secondImage, record, routing.lengthScale)) {
        reportMagickFailure(image, kRoutine, __LINE__);
        return false;
    }
    if (step != stepCount)
        return true;
    return routeFinishedLook(routing, n, image);
}
