#pragma once

#include "CatalogTypes.h"
#include "EditState.h"

#include <QString>

#include <functional>
#include <memory>

struct _MagickWand;
typedef struct _MagickWand MagickWand;

// A MagickWand that is destroyed with its owner, so an early return cannot leak one.
struct MagickWandDeleter {
    void operator()(MagickWand* wand) const;
};
using WandPtr = std::unique_ptr<MagickWand, MagickWandDeleter>;
WandPtr newWand();

// Reads the first frame of a picture file into the empty wand, in sRGB: a file whose colour
// profile says otherwise is converted. On failure reports it as routine at line and returns false.
bool readPicture(MagickWand* wand, const QString& path, const char* routine, unsigned long line);

// Called after each finished step of a look with its 1-based position and the look's step count;
// returning false ends the look there, unfinished.
using StepDone = std::function<bool(int step, int stepCount)>;

// Runs every step of look (1-based number) on the picture in image, in place, in catalogue order.
// Returns false when a step fails (reported on standard error), when stepDone ends the look, or
// when the look has no steps at all.
bool runFilterSteps(EffectRouting& routing, const FilterLook& look, int number, MagickWand* image,
                    const StepDone& stepDone = {});

// Lays light (1-based number) over the picture in image, in place: the overlay is stretched to
// the picture's size first, so the composite always works on two pictures of equal size. A
// light whose blend works pixel by pixel is laid kLightBandRows rows at a time, with exactly the
// result of laying it at once and a fraction of the memory.
inline constexpr int kLightBandRows = 64;
bool layLight(EffectRouting& routing, const LightRecord& light, int number, MagickWand* image);

// Runs every step of look (its 1-based number is number) on the picture file at picturePath.
// Where the result goes is routing's business (renderTarget). Returns false, with the
// routed results untouched, when the picture cannot be read, a step fails or the look has no
// steps at all.
bool renderFilterLook(EffectRouting& routing, const FilterLook& look, int number, const QString& picturePath,
                      const char* routine);

// The single step that lays a light's overlay over a picture: the light's operation and
// operator on every channel, with the overlay as the second image.
EffectRecord lightStep(const LightRecord& light);

// Lays light (1-based number) over the picture file at picturePath. The overlay is stretched to
// the picture's size first, so the composite always works on two pictures of equal size.
bool renderLight(EffectRouting& routing, const LightRecord& light, int number, const QString& picturePath,
                 const char* routine);
