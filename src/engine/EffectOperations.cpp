#include "EffectOperations.h"

#include "MagickBridge.h"
#include "ReducedRuns.h"
#include "ScaledOperations.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include <wand/MagickWand.h>

namespace {

// Everything an operation may take, derived once from the step's fields.
struct Step {
    MagickWand* image = nullptr;
    MagickWand* src = nullptr;
    ChannelType ch = UndefinedChannel;
    double R = 0, S = 0, B = 0, C = 0;
    MagickBooleanType b1 = MagickFalse, b2 = MagickFalse;
    const PixelWand* c1 = nullptr;
    const PixelWand* c2 = nullptr;
    int nenum = 0;
    std::array<double, 4> A4{};
    std::array<double, 6> A6{};
    // Pixels of the picture per pixel of the preview the look was made on (see lengthScale), and
    // the numbers as the catalogue gives them, before any scaling.
    double lengthScale = 1.0;
    struct {
        double R = 0, S = 0, B = 0, C = 0;
    } given;
    unsigned lengths = 0; // LengthArguments of the operation
    LengthCost cost = LengthCost::Bounded;

    // A size in pixels that the operation fixes rather than takes from the step.
    double pixels(double preview) const { return preview * lengthScale; }
};

// Which of a step's four numbers (R, S, B, C) an operation takes as lengths in pixels: radii,
// sigmas, window and border sizes, offsets and positions. These are the numbers that grow with
// the picture; colours, angles, amounts, percentages and thresholds stay as the catalogue has them.
enum LengthArguments : unsigned {
    NoLength = 0,
    LengthR = 1,
    LengthS = 2,
    LengthB = 4,
    LengthC = 8,
};

// int(x): toward zero, held inside the library's ssize_t so a wild catalogue value cannot
// overflow the conversion.
ssize_t toInt(double x) {
    if (std::isnan(x))
        return 0;
    constexpr double limit = double(std::numeric_limits<std::int32_t>::max());
    return ssize_t(std::trunc(std::clamp(x, -limit, limit)));
}

// uint(x): toward zero into the library's size_t. A negative value becomes 0 rather than the
// huge size a bare conversion could give.
size_t toSize(double x) {
    if (std::isnan(x) || x <= 0)
        return 0;
    constexpr double limit = double(std::numeric_limits<std::int32_t>::max());
    return size_t(std::trunc(std::min(x, limit)));
}

MagickBooleanType flag(std::int32_t value) {
    return value == 1 ? MagickTrue : MagickFalse;
}

// An enumeration argument inside [first, last], or none: the step is then skipped.
template <typename Enum> std::optional<Enum> inRange(int value, int first, int last) {
    if (value < first || value > last)
        return std::nullopt;
    return Enum(value);
}

std::optional<NoiseType> noise(const Step& s) {
    return inRange<NoiseType>(s.nenum, 0, 7);
}
std::optional<CompositeOperator> compose(const Step& s) {
    return inRange<CompositeOperator>(s.nenum, 0, 67);
}
std::optional<DistortImageMethod> distortion(const Step& s) {
    return inRange<DistortImageMethod>(s.nenum, 0, 18);
}
std::optional<MagickEvaluateOperator> evaluation(const Step& s) {
    return inRange<MagickEvaluateOperator>(s.nenum, 0, 31);
}
std::optional<MagickFunction> function(const Step& s) {
    return inRange<MagickFunction>(s.nenum, 0, 4);
}
std::optional<ColorspaceType> colourSpace(const Step& s) {
    return inRange<ColorspaceType>(s.nenum, 0, 24);
}
std::optional<FilterTypes> resizeFilter(const Step& s) {
    return inRange<FilterTypes>(s.nenum, 0, 30);
}
std::optional<StatisticType> statistic(const Step& s) {
    return inRange<StatisticType>(s.nenum, 0, 8);
}
// The catalogue counts sparse-colour methods from one below the library's numbers.
std::optional<SparseColorMethod> sparseMethod(const Step& s) {
    const int method = s.nenum + 1;
    for (int accepted : {0, 1, 7, 8, 16, 18, 19})
        if (method == accepted)
            return SparseColorMethod(method);
    return std::nullopt;
}

// The status of a step that was skipped for an out-of-range enumeration.
constexpr MagickBooleanType kSkipped = MagickTrue;

struct KernelDeleter {
    void operator()(KernelInfo* kernel) const { DestroyKernelInfo(kernel); }
};
using Kernel = std::unique_ptr<KernelInfo, KernelDeleter>;

MagickBooleanType unityFilter(const Step& s) {
    const GeometryInfo geometry{6.0, 45.0, s.R, s.S, s.B};
    const Kernel unity(AcquireKernelBuiltIn(UnityKernel, &geometry));
    if (!unity)
        return MagickFalse;
    return MagickFilterImage(s.image, unity.get());
}

MagickBooleanType diamondFilter(const Step& s) {
    const Kernel diamond(AcquireKernelInfo("Diamond:4"));
    if (!diamond)
        return MagickFalse;
    return MagickFilterImageChannel(s.image, s.ch, diamond.get());
}

// On a picture larger than the preview these three need more than longer lengths; on the preview
// itself (and anything smaller) they are the library's own.
MagickBooleanType charcoal(const Step& s) {
    if (s.lengthScale <= 1.0)
        return MagickCharcoalImage(s.image, s.R, s.S);
    return charcoalAtScale(s.image, s.given.R, s.given.S, s.lengthScale) ? MagickTrue : MagickFalse;
}

MagickBooleanType edge(const Step& s) {
    if (s.lengthScale <= 1.0)
        return MagickEdgeImage(s.image, s.R);
    return edgeAtScale(s.image, s.given.R, s.lengthScale) ? MagickTrue : MagickFalse;
}

MagickBooleanType shade(const Step& s) {
    if (s.lengthScale <= 1.0)
        return MagickShadeImage(s.image, s.b1, s.R, s.S);
    return shadeAtScale(s.image, s.b1 == MagickTrue, s.R, s.S, s.lengthScale) ? MagickTrue : MagickFalse;
}

// A step whose cost grows with its length runs on a reduced copy when the picture is enough larger
// than the preview (see runReduced); these bound the length it then has on that copy. Everything
// else, and these too on pictures up to a few times the preview's size, runs at full size.
//
// A Gaussian blur keeps nothing finer than its sigma: with a sigma of 8 pixels on the copy, the
// enlarged result differs from a full-size blur by less than one level in 255.
constexpr double kSmoothSigma = 8.0;
// Oil paint's patches have hard edges: it runs at no less than four times the preview's detail, so
// a picture up to four times the preview's width gets it at full size, and a larger one keeps the
// patches' edges crisp (a 24 MP photo of a 1000-pixel preview: a copy 1.5 times smaller).
constexpr double kPatchDetail = 4.0;

// How much smaller than the picture a smooth step with this sigma may run: never below the
// preview's own detail, and not at all on the preview or anything smaller.
double smoothReduction(const Step& s, double sigma) {
    if (s.lengthScale <= 1.0 || sigma <= kSmoothSigma)
        return 1.0;
    return std::min(sigma / kSmoothSigma, s.lengthScale);
}

using StepRun = MagickBooleanType (*)(const Step&);

MagickBooleanType onReducedCopy(const Step& s, double reduceX, double reduceY, StepRun run) {
    if (s.cost == LengthCost::Exact || (reduceX <= 1.0 && reduceY <= 1.0))
        return run(s);
    const bool ok =
        runReduced(s.image, reduceX, reduceY, [&](MagickWand* copy, double reducedX, double reducedY) {
            // A step reduced along one axis has its lengths along that axis.
            const double reduced = std::max(reducedX, reducedY);
            Step r = s;
            r.image = copy;
            r.lengthScale = s.lengthScale / reduced;
            const auto shorter = [&](double value, LengthArguments argument) {
                return (s.lengths & argument) ? value / reduced : value;
            };
            r.R = shorter(s.R, LengthR);
            r.S = shorter(s.S, LengthS);
            r.B = shorter(s.B, LengthB);
            r.C = shorter(s.C, LengthC);
            return run(r) == MagickTrue;
        });
    return ok ? MagickTrue : MagickFalse;
}

MagickBooleanType smooth(const Step& s, StepRun run) {
    const double reduce = smoothReduction(s, s.S);
    return onReducedCopy(s, reduce, reduce, run);
}

// A motion blur smooths along its direction only: across it the picture keeps its detail, so only
// the axis it runs along is reduced; a slanted one runs at full size.
MagickBooleanType motion(const Step& s, StepRun run) {
    const double angle = std::fmod(std::fabs(s.B), 180.0);
    const double reduce = smoothReduction(s, s.S);
    if (angle == 0.0)
        return onReducedCopy(s, reduce, 1.0, run);
    if (angle == 90.0)
        return onReducedCopy(s, 1.0, reduce, run);
    return run(s);
}

MagickBooleanType oilPaint(const Step& s) {
    const double reduce = s.given.R > 0 && s.lengthScale > kPatchDetail ? s.lengthScale / kPatchDetail : 1.0;
    return onReducedCopy(s, reduce, reduce, [](const Step& r) { return MagickOilPaintImage(r.image, r.R); });
}

// The sharpening itself stays at full size; only its blur is made on a reduced copy.
MagickBooleanType unsharp(const Step& s, ChannelType channels) {
    const double reduce = smoothReduction(s, s.S);
    if (s.cost == LengthCost::Exact || reduce <= 1.0)
        return MagickUnsharpMaskImageChannel(s.image, channels, s.R, s.S, s.B, s.C);
    return unsharpWithReducedBlur(s.image, channels, s.R, s.S, s.B, s.C, reduce) ? MagickTrue : MagickFalse;
}

// The vignette's cost is the blur of its soft edge over the whole picture; only that mask is made
// on a reduced canvas.
MagickBooleanType vignette(const Step& s) {
    const double reduce = smoothReduction(s, s.S);
    if (s.cost == LengthCost::Exact || reduce <= 1.0)
        return MagickVignetteImage(s.image, s.R, s.S, toInt(s.B), toInt(s.C));
    return vignetteWithReducedMask(s.image, s.R, s.S, double(toInt(s.B)), double(toInt(s.C)), reduce)
               ? MagickTrue
               : MagickFalse;
}

// Emboss and sketch convolve with a square kernel (sketch finds the edges of a noise picture twice
// the size each way), so their cost grows with the square of the kernel's width: held only to the
// picture's side, a length could keep even a thumbnail busy for minutes. Their kernels are held to
// an area over the picture of a few seconds' work here, judged on the picture the look was made on
// (the preview), so a held look is held alike in a thumbnail, on screen and at full size. Every
// length a look of ours gives stays far inside it.
constexpr double kKernelAreaBudget = 6e8;
// Sketch also blurs its noise along a line; that kernel is held to a length over the picture a
// usual sketch (sigma 20 on the preview) stays inside.
constexpr double kKernelLineBudget = 5e8;

// The width of the library's kernel for a radius, or where no radius is given, as far as a
// Gaussian of that sigma reaches at 16-bit precision (about 4.7 sigma to each side).
double kernelWidth(double radius, double sigma) {
    if (std::fabs(radius) >= 0.5)
        return 2.0 * std::ceil(std::fabs(radius)) + 1.0;
    return 2.0 * std::ceil(4.7 * std::fabs(sigma)) + 1.0;
}

// The factor that brings a kernel of this width within the widest one allowed.
double widthHeld(double width, double widest) {
    if (width <= widest || width <= 1.0)
        return 1.0;
    return std::max(0.0, widest - 1.0) / (width - 1.0);
}

// The preview's pixels the step's picture stands for, times the copies of it the step works on.
double previewPixels(const Step& s, double copies) {
    const double pixels = double(MagickGetImageWidth(s.image)) * double(MagickGetImageHeight(s.image));
    return std::max(1.0, pixels * copies / (s.lengthScale * s.lengthScale));
}

MagickBooleanType emboss(const Step& s) {
    const double widest = std::sqrt(kKernelAreaBudget / previewPixels(s, 1.0));
    const double held = widthHeld(kernelWidth(s.given.R, s.given.S), widest);
    return MagickEmbossImage(s.image, s.R * held, s.S * held);
}

MagickBooleanType sketch(const Step& s) {
    const double pixels = previewPixels(s, 4.0);
    const double edgeHeld = widthHeld(kernelWidth(s.given.R, 0.0), std::sqrt(kKernelAreaBudget / pixels));
    const double lineHeld = widthHeld(kernelWidth(s.given.R, s.given.S), kKernelLineBudget / pixels);
    const double held = std::min(edgeHeld, lineHeld);
    return MagickSketchImage(s.image, s.R * held, s.S * held, s.B);
}

MagickBooleanType polaroid(const Step& s) {
    DrawingWand* drawing = NewDrawingWand();
    DrawCircle(drawing, s.R, s.S, s.B, s.C);
    const MagickBooleanType status = MagickPolaroidImage(s.image, drawing, s.R);
    DestroyDrawingWand(drawing);
    return status;
}

struct Operation {
    int number;
    const char* name;
    unsigned lengths; // LengthArguments
    MagickBooleanType (*run)(const Step&);
};

// clang-format off
// One row per catalogue number: the call, which of R, S, B, C are lengths, and the arguments
// after the image wand. The rows where that is not plain:
// - 5, 211: the neighbourhood's width and height are lengths; 5's offset is an intensity.
// - 35, 36: the overlay's position; a light lays its overlay at (0, 0), which stays put.
// - 44: a shift along the colour map, counted in map entries, not pixels.
// - 50, 69, 70, 208: the derived arrays A4 and A6 hold coefficients, and for 208 coordinates mixed
//   with fixed offsets and colour values; none of it is a plain length, so nothing scales.
// - 62: the unity kernel leaves every pixel as it is whatever its geometry.
// - 63: "Diamond:4" is a fixed, unnormalised kernel; a larger one would brighten as well as reach
//   further, so it keeps its size.
// - 65: the fill's seed point (S, B) is a position; R is a colour distance.
// - 98, 135, 136, 150, 198, 203, 214: amounts and angles.
// - 125: the dither map is a pattern of a few pixels by design, as on screen.
// - 130: R is the angle (the circle on the drawing wand draws nothing on a polaroid).
// - 146: resolution and blur are relative to the picture; 148: the fixed 100 x 100 target is a
//   size in pixels and grows with the picture, its blur is a factor.
// - 199: the shadow's sigma and offset are lengths; R is its opacity.
// - 226: the vignette's R and S are the radius and sigma of its soft edge, B and C its inset.
// - 23, 52, 198: edges and shading depend on more than their lengths; see ScaledOperations.h.
// - 53, 206: emboss and sketch hold their kernels to a budget of work; see kKernelAreaBudget.
// - 18, 19, 73, 113, 114, 121, 224, 225, 226: blurs, oil paint and the vignette's mask are made on
//   a reduced copy of a picture much larger than the preview.
constexpr Operation kOperations[] = {
    {5, "MagickAdaptiveThresholdImage", LengthR | LengthS, [](const Step& s) { return MagickAdaptiveThresholdImage(s.image, toSize(s.R), toSize(s.S), toInt(s.B)); }},
    {7, "MagickAddNoiseImage", NoLength, [](const Step& s) { const auto t = noise(s); return t ? MagickAddNoiseImage(s.image, *t) : kSkipped; }},
    {8, "MagickAddNoiseImageChannel", NoLength, [](const Step& s) { const auto t = noise(s); return t ? MagickAddNoiseImageChannel(s.image, s.ch, *t) : kSkipped; }},
    {13, "MagickAutoGammaImageChannel", NoLength, [](const Step& s) { return MagickAutoGammaImageChannel(s.image, s.ch); }},
    {16, "MagickBlackThresholdImage", NoLength, [](const Step& s) { return MagickBlackThresholdImage(s.image, s.c1); }},
    {17, "MagickBlueShiftImage", NoLength, [](const Step& s) { return MagickBlueShiftImage(s.image, s.R); }},
    {18, "MagickBlurImage", LengthR | LengthS, [](const Step& s) { return smooth(s, [](const Step& r) { return MagickBlurImage(r.image, r.R, r.S); }); }},
    {19, "MagickBlurImageChannel", LengthR | LengthS, [](const Step& s) { return smooth(s, [](const Step& r) { return MagickBlurImageChannel(r.image, r.ch, r.R, r.S); }); }},
    {20, "MagickBorderImage", LengthR | LengthS, [](const Step& s) { return MagickBorderImage(s.image, s.c1, toSize(s.R), toSize(s.S)); }},
    {21, "MagickBrightnessContrastImage", NoLength, [](const Step& s) { return MagickBrightnessContrastImage(s.image, s.R, s.S); }},
    {22, "MagickBrightnessContrastImageChannel", NoLength, [](const Step& s) { return MagickBrightnessContrastImageChannel(s.image, s.ch, s.R, s.S); }},
    {23, "MagickCharcoalImage", LengthR | LengthS, charcoal},
    {32, "MagickColorizeImage", NoLength, [](const Step& s) { return MagickColorizeImage(s.image, s.c1, s.c2); }},
    {35, "MagickCompositeImage", LengthR | LengthS, [](const Step& s) { const auto op = compose(s); return op ? MagickCompositeImage(s.image, s.src, *op, toInt(s.R), toInt(s.S)) : kSkipped; }},
    {36, "MagickCompositeImageChannel", LengthR | LengthS, [](const Step& s) { const auto op = compose(s); return op ? MagickCompositeImageChannel(s.image, s.ch, s.src, *op, toInt(s.R), toInt(s.S)) : kSkipped; }},
    {38, "MagickContrastImage", NoLength, [](const Step& s) { return MagickContrastImage(s.image, s.b1); }},
    {44, "MagickCycleColormapImage", NoLength, [](const Step& s) { return MagickCycleColormapImage(s.image, toInt(s.R)); }},
    {50, "MagickDistortImage", NoLength, [](const Step& s) { const auto m = distortion(s); return m ? MagickDistortImage(s.image, *m, 4, s.A4.data(), s.b1) : kSkipped; }},
    {52, "MagickEdgeImage", LengthR, edge},
    {53, "MagickEmbossImage", LengthR | LengthS, emboss},
    {56, "MagickEqualizeImage", NoLength, [](const Step& s) { return MagickEqualizeImage(s.image); }},
    {57, "MagickEqualizeImageChannel", NoLength, [](const Step& s) { return MagickEqualizeImageChannel(s.image, s.ch); }},
    {58, "MagickEvaluateImage", NoLength, [](const Step& s) { const auto op = evaluation(s); return op ? MagickEvaluateImage(s.image, *op, s.R) : kSkipped; }},
    {59, "MagickEvaluateImageChannel", NoLength, [](const Step& s) { const auto op = evaluation(s); return op ? MagickEvaluateImageChannel(s.image, s.ch, *op, s.R) : kSkipped; }},
    {62, "MagickFilterImage", NoLength, unityFilter},
    {63, "MagickFilterImageChannel", NoLength, diamondFilter},
    {64, "MagickFlipImage", NoLength, [](const Step& s) { return MagickFlipImage(s.image); }},
    {65, "MagickFloodfillPaintImage", LengthS | LengthB, [](const Step& s) { return MagickFloodfillPaintImage(s.image, s.ch, s.c1, s.R, s.c2, toInt(s.S), toInt(s.B), s.b1); }},
    {66, "MagickFlopImage", NoLength, [](const Step& s) { return MagickFlopImage(s.image); }},
    {67, "MagickForwardFourierTransformImage", NoLength, [](const Step& s) { return MagickForwardFourierTransformImage(s.image, s.b1); }},
    {68, "MagickFrameImage", LengthR | LengthS | LengthB | LengthC, [](const Step& s) { return MagickFrameImage(s.image, s.c1, toSize(s.R), toSize(s.S), toInt(s.B), toInt(s.C)); }},
    {69, "MagickFunctionImage", NoLength, [](const Step& s) { const auto f = function(s); return f ? MagickFunctionImage(s.image, *f, 4, s.A4.data()) : kSkipped; }},
    {70, "MagickFunctionImageChannel", NoLength, [](const Step& s) { const auto f = function(s); return f ? MagickFunctionImageChannel(s.image, s.ch, *f, 4, s.A4.data()) : kSkipped; }},
    {71, "MagickGammaImage", NoLength, [](const Step& s) { return MagickGammaImage(s.image, s.R); }},
    {72, "MagickGammaImageChannel", NoLength, [](const Step& s) { return MagickGammaImageChannel(s.image, s.ch, s.R); }},
    {73, "MagickGaussianBlurImage", LengthR | LengthS, [](const Step& s) { return smooth(s, [](const Step& r) { return MagickGaussianBlurImage(r.image, r.R, r.S); }); }},
    {95, "MagickHaldClutImageChannel", NoLength, [](const Step& s) { return MagickHaldClutImageChannel(s.image, s.ch, s.src); }},
    {98, "MagickImplodeImage", NoLength, [](const Step& s) { return MagickImplodeImage(s.image, s.R); }},
    {102, "MagickLevelImage", NoLength, [](const Step& s) { return MagickLevelImage(s.image, s.R, s.S, s.B); }},
    {103, "MagickLevelImageChannel", NoLength, [](const Step& s) { return MagickLevelImageChannel(s.image, s.ch, s.R, s.S, s.B); }},
    {106, "MagickMagnifyImage", NoLength, [](const Step& s) { return MagickMagnifyImage(s.image); }},
    {108, "MagickMinifyImage", NoLength, [](const Step& s) { return MagickMinifyImage(s.image); }},
    {110, "MagickModulateImage", NoLength, [](const Step& s) { return MagickModulateImage(s.image, s.R, s.S, s.B); }},
    {113, "MagickMotionBlurImage", LengthR | LengthS, [](const Step& s) { return motion(s, [](const Step& r) { return MagickMotionBlurImage(r.image, r.R, r.S, r.B); }); }},
    {114, "MagickMotionBlurImageChannel", LengthR | LengthS, [](const Step& s) { return motion(s, [](const Step& r) { return MagickMotionBlurImageChannel(r.image, r.ch, r.R, r.S, r.B); }); }},
    {115, "MagickNegateImage", NoLength, [](const Step& s) { return MagickNegateImage(s.image, s.b1); }},
    {116, "MagickNegateImageChannel", NoLength, [](const Step& s) { return MagickNegateImageChannel(s.image, s.ch, s.b1); }},
    {121, "MagickOilPaintImage", LengthR, oilPaint},
    {122, "MagickOpaquePaintImage", NoLength, [](const Step& s) { return MagickOpaquePaintImage(s.image, s.c1, s.c2, s.R, s.b1); }},
    {123, "MagickOpaquePaintImageChannel", NoLength, [](const Step& s) { return MagickOpaquePaintImageChannel(s.image, s.ch, s.c1, s.c2, s.R, s.b1); }},
    {125, "MagickOrderedPosterizeImageChannel", NoLength, [](const Step& s) { return MagickOrderedPosterizeImageChannel(s.image, s.ch, "o3x3,6"); }},
    {126, "MagickTransparentPaintImage", NoLength, [](const Step& s) { return MagickTransparentPaintImage(s.image, s.c1, s.R, s.S, s.b1); }},
    {130, "MagickPolaroidImage", NoLength, polaroid},
    {131, "MagickPosterizeImage", NoLength, [](const Step& s) { return MagickPosterizeImage(s.image, toSize(s.R), s.b1); }},
    {133, "MagickQuantizeImage", NoLength, [](const Step& s) { const auto cs = colourSpace(s); return cs ? MagickQuantizeImage(s.image, 256, *cs, toSize(s.S), s.b1, s.b2) : kSkipped; }},
    {134, "MagickQuantizeImages", NoLength, [](const Step& s) { const auto cs = colourSpace(s); return cs ? MagickQuantizeImages(s.image, 256, *cs, toSize(s.S), s.b1, s.b2) : kSkipped; }},
    // The radial blur, under the name the library has given it since (same routine, same result).
    {135, "MagickRotationalBlurImage", NoLength, [](const Step& s) { return MagickRotationalBlurImage(s.image, s.R); }},
    {136, "MagickRotationalBlurImageChannel", NoLength, [](const Step& s) { return MagickRotationalBlurImageChannel(s.image, s.ch, s.R); }},
    {137, "MagickRaiseImage", LengthR | LengthS | LengthB | LengthC, [](const Step& s) { return MagickRaiseImage(s.image, toSize(s.R), toSize(s.S), toInt(s.B), toInt(s.C), s.b1); }},
    {138, "MagickRandomThresholdImage", NoLength, [](const Step& s) { return MagickRandomThresholdImage(s.image, s.R, s.S); }},
    {139, "MagickRandomThresholdImageChannel", NoLength, [](const Step& s) { return MagickRandomThresholdImageChannel(s.image, s.ch, s.R, s.S); }},
    {146, "MagickResampleImage", NoLength, [](const Step& s) { const auto f = resizeFilter(s); return f ? MagickResampleImage(s.image, 60.0, 60.0, *f, s.B) : kSkipped; }},
    {148, "MagickResizeImage", NoLength, [](const Step& s) { const auto f = resizeFilter(s); return f ? MagickResizeImage(s.image, toSize(s.pixels(100)), toSize(s.pixels(100)), *f, s.R) : kSkipped; }},
    {149, "MagickRollImage", LengthR | LengthS, [](const Step& s) { return MagickRollImage(s.image, toInt(s.R), toInt(s.S)); }},
    {150, "MagickRotateImage", NoLength, [](const Step& s) { return MagickRotateImage(s.image, s.c1, s.R); }},
    {152, "MagickScaleImage", LengthR | LengthS, [](const Step& s) { return MagickScaleImage(s.image, toSize(s.R), toSize(s.S)); }},
    {153, "MagickSegmentImage", NoLength, [](const Step& s) { const auto cs = colourSpace(s); return cs ? MagickSegmentImage(s.image, *cs, s.b1, s.R, s.S) : kSkipped; }},
    {156, "MagickSeparateImageChannel", NoLength, [](const Step& s) { return MagickSeparateImageChannel(s.image, s.ch); }},
    {157, "MagickSepiaToneImage", NoLength, [](const Step& s) { return MagickSepiaToneImage(s.image, s.R); }},
    {160, "MagickSetImageBackgroundColor", NoLength, [](const Step& s) { return MagickSetImageBackgroundColor(s.image, s.c1); }},
    {161, "MagickSetImageBias", NoLength, [](const Step& s) { return MagickSetImageBias(s.image, s.R); }},
    {171, "MagickSetImageDelay", NoLength, [](const Step& s) { return MagickSetImageDelay(s.image, toSize(s.R)); }},
    {187, "MagickSetImageOpacity", NoLength, [](const Step& s) { return MagickSetImageOpacity(s.image, s.R); }},
    {193, "MagickSetImageScene", NoLength, [](const Step& s) { return MagickSetImageScene(s.image, toSize(s.R)); }},
    {198, "MagickShadeImage", NoLength, shade},
    {199, "MagickShadowImage", LengthS | LengthB | LengthC, [](const Step& s) { return MagickShadowImage(s.image, s.R, s.S, toInt(s.B), toInt(s.C)); }},
    {200, "MagickSharpenImage", LengthR | LengthS, [](const Step& s) { return MagickSharpenImage(s.image, s.R, s.S); }},
    {201, "MagickSharpenImageChannel", LengthR | LengthS, [](const Step& s) { return MagickSharpenImageChannel(s.image, s.ch, s.R, s.S); }},
    {202, "MagickShaveImage", LengthR | LengthS, [](const Step& s) { return MagickShaveImage(s.image, toSize(s.R), toSize(s.S)); }},
    {203, "MagickShearImage", NoLength, [](const Step& s) { return MagickShearImage(s.image, s.c1, s.R, s.S); }},
    {204, "MagickSigmoidalContrastImage", NoLength, [](const Step& s) { return MagickSigmoidalContrastImage(s.image, s.b1, s.R, s.S); }},
    {205, "MagickSigmoidalContrastImageChannel", NoLength, [](const Step& s) { return MagickSigmoidalContrastImageChannel(s.image, s.ch, s.b1, s.R, s.S); }},
    {206, "MagickSketchImage", LengthR | LengthS, sketch},
    {207, "MagickSolarizeImage", NoLength, [](const Step& s) { return MagickSolarizeImage(s.image, s.R); }},
    {208, "MagickSparseColorImage", NoLength, [](const Step& s) { const auto m = sparseMethod(s); return m ? MagickSparseColorImage(s.image, s.ch, *m, 6, s.A6.data()) : kSkipped; }},
    {209, "MagickSpliceImage", LengthR | LengthS | LengthB | LengthC, [](const Step& s) { return MagickSpliceImage(s.image, toSize(s.R), toSize(s.S), toInt(s.B), toInt(s.C)); }},
    {210, "MagickSpreadImage", LengthR, [](const Step& s) { return MagickSpreadImage(s.image, s.R); }},
    {211, "MagickStatisticImageChannel", LengthR | LengthS, [](const Step& s) { const auto t = statistic(s); return t ? MagickStatisticImageChannel(s.image, s.ch, *t, toSize(s.R), toSize(s.S)) : kSkipped; }},
    {214, "MagickSwirlImage", NoLength, [](const Step& s) { return MagickSwirlImage(s.image, s.R); }},
    {215, "MagickTintImage", NoLength, [](const Step& s) { return MagickTintImage(s.image, s.c1, s.c2); }},
    {216, "MagickTransformImageColorspace", NoLength, [](const Step& s) { const auto cs = colourSpace(s); return cs ? MagickTransformImageColorspace(s.image, *cs) : kSkipped; }},
    {220, "MagickThresholdImageChannel", NoLength, [](const Step& s) { return MagickThresholdImageChannel(s.image, s.ch, s.R); }},
    {223, "MagickUniqueImageColors", NoLength, [](const Step& s) { return MagickUniqueImageColors(s.image); }},
    {224, "MagickUnsharpMaskImage", LengthR | LengthS, [](const Step& s) { return unsharp(s, DefaultChannels); }},
    {225, "MagickUnsharpMaskImageChannel", LengthR | LengthS, [](const Step& s) { return unsharp(s, s.ch); }},
    {226, "MagickVignetteImage", LengthR | LengthS | LengthB | LengthC, vignette},
    {227, "MagickWaveImage", LengthR | LengthS, [](const Step& s) { return MagickWaveImage(s.image, s.R, s.S); }},
    {228, "MagickWhiteThresholdImage", NoLength, [](const Step& s) { return MagickWhiteThresholdImage(s.image, s.c1); }},
};
// clang-format on

const Operation* findOperation(int number) {
    const auto* end = std::end(kOperations);
    const auto* found = std::lower_bound(std::begin(kOperations), end, number,
                                         [](const Operation& op, int n) { return op.number < n; });
    return found != end && found->number == number ? found : nullptr;
}

// A colour the catalogue did not give is black, as a fresh pixel wand is.
class ColourArgument {
  public:
    explicit ColourArgument(const SharedPixelWand& given) : m_given(given.get()) {
        if (!m_given)
            m_own = NewPixelWand();
    }
    ~ColourArgument() {
        if (m_own)
            DestroyPixelWand(m_own);
    }
    ColourArgument(const ColourArgument&) = delete;
    ColourArgument& operator=(const ColourArgument&) = delete;
    const PixelWand* get() const { return m_given ? m_given : m_own; }

  private:
    const PixelWand* m_given;
    PixelWand* m_own = nullptr;
};

// A number of a step as the library may be given it: a number that is no number at all counts as
// 0, and a length beyond the picture's larger side (which changes nothing more in a look) is held
// there. The library's kernels grow with a length until a step never ends (a blur of sigma -1e30
// does not) or runs out of memory.
double bounded(double value, bool length, double bound) {
    if (!std::isfinite(value))
        return 0.0;
    return length ? std::clamp(value, -bound, bound) : value;
}

double lengthBound(MagickWand* image) {
    return std::max(double(MagickGetImageWidth(image)), double(MagickGetImageHeight(image)));
}

} // namespace

bool runEffectOperation(MagickWand* image, MagickWand* secondImage, const EffectRecord& record,
                        double lengthScale, LengthCost cost) {
    const Operation* operation = findOperation(record.neffectfunction);
    if (!operation) {
        // A catalogue made for a later version may name operations this one lacks: the step is
        // left out and the rest of the look still shows, but the fault is told.
        if (record.neffectfunction != 0)
            reportFailureOnce(
                "runEffectOperation", __LINE__,
                QStringLiteral("no operation %1: the step is left out").arg(record.neffectfunction));
        return record.neffectfunction != 0;
    }
    const double bound = lengthBound(image);
    const auto scaled = [&](float value, LengthArguments argument) {
        const bool length = operation->lengths & argument;
        return bounded(length ? double(value) * lengthScale : double(value), length, bound);
    };

    const ColourArgument colour1(record.color1);
    const ColourArgument colour2(record.color2);
    Step s;
    s.image = image;
    s.src = secondImage;
    s.ch = ChannelType(record.imchannel);
    s.R = scaled(record.radius, LengthR);
    s.S = scaled(record.sigma, LengthS);
    s.B = scaled(record.brightness, LengthB);
    s.C = scaled(record.contrast, LengthC);
    s.lengthScale = lengthScale;
    const auto given = [&](float value, LengthArguments argument) {
        return bounded(value, operation->lengths & argument, bound);
    };
    s.given = {given(record.radius, LengthR), given(record.sigma, LengthS), given(record.brightness, LengthB),
               given(record.contrast, LengthC)};
    s.lengths = operation->lengths;
    s.cost = cost;
    s.b1 = flag(record.imboolval1);
    s.b2 = flag(record.imboolval2);
    s.c1 = colour1.get();
    s.c2 = colour2.get();
    s.nenum = record.nenum;
    // Sums in single precision, as the catalogue holds its numbers, then widened.
    s.A4 = {record.radius + 2, record.sigma + 3, record.brightness + 2, record.contrast + 1};
    s.A6 = {record.radius + 2,   record.sigma + 2,  -157.62032765799472,
            -0.4975379836532773, record.brightness, record.contrast};
    return operation->run(s) == MagickTrue;
}

void seedLookRandomness() {
    // The same value every time, so a look started on another thread meanwhile sees no change.
    SetRandomSecretKey(kLookRandomKey);
}

QList<int> effectOperationNumbers() {
    QList<int> numbers;
    for (const Operation& op : kOperations)
        numbers.append(op.number);
    return numbers;
}

const char* effectOperationName(int number) {
    const Operation* operation = findOperation(number);
    return operation ? operation->name : nullptr;
}
