#include "LookRendering.h"

#include "EffectDispatch.h"
#include "MagickBridge.h"
#include "RasterIO.h"

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

bool layLight(EffectRouting& routing, const LightRecord& light, int number, MagickWand* image) {
    const int width = int(MagickGetImageWidth(image));
    const int height = int(MagickGetImageHeight(image));
    WandPtr overlay = newWand();
    if (!bitmap2magick(light.effectimage, overlay.get(), width, height))
        return false;
    return run_effect_function(routing, number, overlay.get(), lightStep(light), 1, 1, image);
}

bool renderLight(EffectRouting& routing, const LightRecord& light, int number, const QString& picturePath,
                 const char* routine) {
    WandPtr image = newWand();
    if (!readPicture(image.get(), picturePath, routine, __LINE__))
        return false;
    return layLight(routing, light, number, image.get());
}
