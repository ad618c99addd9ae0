#include "LookRendering.h"

#include "EffectDispatch.h"
#include "EffectOperations.h"
#include "MagickBridge.h"
#include "RasterIO.h"

#include <algorithm>

#include <wand/MagickWand.h>

void MagickWandDeleter::operator()(MagickWand* wand) const {
    DestroyMagickWand(wand);
}

WandPtr newWand() {
    return WandPtr(NewMagickWand());
}

bool readPicture(MagickWand* wand, const QString& path, const char* routine, unsigned long line) {
    if (MagickReadImage(wand, magickPath(path).constData()) != MagickTrue) {
        reportMagickFailure(wand, routine, line);
        return false;
    }
    // An animation, a multi-page scan or an icon of several sizes arrives with every frame, and
    // the library leaves the last one current. The view shows the first, so every step works
    // on that one alone.
    while (MagickGetNumberImages(wand) > 1) {
        MagickSetLastIterator(wand);
        MagickRemoveImage(wand);
    }
    MagickSetFirstIterator(wand);
    // Working files are sRGB already; a file from elsewhere whose numbers are not is decoded as
    // everywhere else in the program, converted, so that a look never runs on foreign numbers.
    if (!holdsForeignColours(wand))
        return true;
    const QImage picture = RasterIO::load(path);
    if (picture.isNull()) {
        reportFailure(routine, line,
                      qPrintable(QStringLiteral("cannot convert the colours of %1").arg(path)));
        return false;
    }
    return replaceWithRaster(wand, picture, routine);
}

bool runFilterSteps(EffectRouting& routing, const FilterLook& look, int number, MagickWand* image,
                    const StepDone& stepDone) {
    const int stepCount = int(look.steps.size());
    if (stepCount == 0)
        return false;
    // The second image of a filter stays empty; only lights bring one.
    WandPtr unused = newWand();
    for (int step = 1; step <= stepCount; ++step) {
        if (!run_effect_function(routing, number, unused.get(), look.steps[step - 1], stepCount, step, image))
            return false;
        if (stepDone && !stepDone(step, stepCount))
            return false;
    }
    return true;
}

bool renderFilterLook(EffectRouting& routing, const FilterLook& look, int number, const QString& picturePath,
                      const char* routine) {
    if (look.steps.isEmpty())
        return false;
    WandPtr image = newWand();
    if (!readPicture(image.get(), picturePath, routine, __LINE__))
        return false;
    return runFilterSteps(routing, look, number, image.get());
}

EffectRecord lightStep(const LightRecord& light) {
    EffectRecord step;
    step.neffectfunction = light.neffectfunction;
    step.nenum = light.nenum;
    step.kind = light.kind;
    step.imchannel = 0x7FFFFFF; // every channel
    step.imboolval1 = 1;
    step.imboolval2 = 0;
    return step;
}

namespace {

// The blends a light may lay in bands: each works on every pixel by itself and leaves the picture
// alone outside the overlay, so bands laid one by one add up to the whole overlay laid at once.
// They are the ones the shipped lights use, and plain "over".
bool blendsPixelByPixel(const EffectRecord& step) {
    if (step.neffectfunction != 35)
        return false;
    switch (step.nenum) {
    case MultiplyCompositeOp:
    case OverlayCompositeOp:
    case ScreenCompositeOp:
    case SoftLightCompositeOp:
    case LinearDodgeCompositeOp:
    case OverCompositeOp:
        return true;
    default:
        return false;
    }
}

} // namespace

bool layLight(EffectRouting& routing, const LightRecord& light, int number, MagickWand* image) {
    constexpr const char* kRoutine = "layLight";
    const int width = int(MagickGetImageWidth(image));
    const int height = int(MagickGetImageHeight(image));
    const QImage overlay = stretchedPicture(light.effectimage, width, height);
    if (overlay.isNull()) {
        reportFailure(kRoutine, __LINE__, "no room for the light's overlay");
        return false;
    }
    // In the library's form the stretched overlay takes twice the memory of its raster; beside a
    // full-size picture it would double what an export needs. The bands below the first are laid
    // here, bottom up; the first is laid last as the look's step, so its result is routed as any
    // other look's.
    const EffectRecord step = lightStep(light);
    const int bandRows = blendsPixelByPixel(step) ? kLightBandRows : height;
    for (int top = (height - 1) / bandRows * bandRows; top > 0; top -= bandRows) {
        WandPtr band = newWand();
        if (!rowsToMagick(overlay, top, std::min(bandRows, height - top), band.get(), kRoutine))
            return false;
        EffectRecord placed = step;
        placed.sigma = float(top); // the band's offset from the top, in the picture's own pixels
        if (!runEffectOperation(image, band.get(), placed)) {
            reportMagickFailure(image, kRoutine, __LINE__);
            return false;
        }
    }
    WandPtr band = newWand();
    if (!rowsToMagick(overlay, 0, std::min(bandRows, height), band.get(), kRoutine))
        return false;
    return run_effect_function(routing, number, band.get(), step, 1, 1, image);
}

bool renderLight(EffectRouting& routing, const LightRecord& light, int number, const QString& picturePath,
                 const char* routine) {
    WandPtr image = newWand();
    if (!readPicture(image.get(), picturePath, routine, __LINE__))
        return false;
    return layLight(routing, light, number, image.get());
}
