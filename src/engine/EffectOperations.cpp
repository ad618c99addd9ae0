#include "EffectOperations.h"

#include "MagickBridge.h"

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
    MagickBooleanType (*run)(const Step&);
};

// clang-format off
// One row per catalogue number: the call and its arguments after the image wand.
constexpr Operation kOperations[] = {
    {5, "MagickAdaptiveThresholdImage", [](const Step& s) { return MagickAdaptiveThresholdImage(s.image, toSize(s.R), toSize(s.S), toInt(s.B)); }},
    {7, "MagickAddNoiseImage", [](const Step& s) { const auto t = noise(s); return t ? MagickAddNoiseImage(s.image, *t) : kSkipped; }},
    {8, "MagickAddNoiseImageChannel", [](const Step& s) { const auto t = noise(s); return t ? MagickAddNoiseImageChannel(s.image, s.ch, *t) : kSkipped; }},
    {13, "MagickAutoGammaImageChannel", [](const Step& s) { return MagickAutoGammaImageChannel(s.image, s.ch); }},
    {16, "MagickBlackThresholdImage", [](const Step& s) { return MagickBlackThresholdImage(s.image, s.c1); }},
    {17, "MagickBlueShiftImage", [](const Step& s) { return MagickBlueShiftImage(s.image, s.R); }},
    {18, "MagickBlurImage", [](const Step& s) { return MagickBlurImage(s.image, s.R, s.S); }},
    {19, "MagickBlurImageChannel", [](const Step& s) { return MagickBlurImageChannel(s.image, s.ch, s.R, s.S); }},
    {20, "MagickBorderImage", [](const Step& s) { return MagickBorderImage(s.image, s.c1, toSize(s.R), toSize(s.S)); }},
    {21, "MagickBrightnessContrastImage", [](const Step& s) { return MagickBrightnessContrastImage(s.image, s.R, s.S); }},
    {22, "MagickBrightnessContrastImageChannel", [](const Step& s) { return MagickBrightnessContrastImageChannel(s.image, s.ch, s.R, s.S); }},
    {23, "MagickCharcoalImage", [](const Step& s) { return MagickCharcoalImage(s.image, s.R, s.S); }},
    {32, "MagickColorizeImage", [](const Step& s) { return MagickColorizeImage(s.image, s.c1, s.c2); }},
    {35, "MagickCompositeImage", [](const Step& s) { const auto op = compose(s); return op ? MagickCompositeImage(s.image, s.src, *op, toInt(s.R), toInt(s.S)) : kSkipped; }},
    {36, "MagickCompositeImageChannel", [](const Step& s) { const auto op = compose(s); return op ? MagickCompositeImageChannel(s.image, s.ch, s.src, *op, toInt(s.R), toInt(s.S)) : kSkipped; }},
    {38, "MagickContrastImage", [](const Step& s) { return MagickContrastImage(s.image, s.b1); }},
    {44, "MagickCycleColormapImage", [](const Step& s) { return MagickCycleColormapImage(s.image, toInt(s.R)); }},
    {50, "MagickDistortImage", [](const Step& s) { const auto m = distortion(s); return m ? MagickDistortImage(s.image, *m, 4, s.A4.data(), s.b1) : kSkipped; }},
    {52, "MagickEdgeImage", [](const Step& s) { return MagickEdgeImage(s.image, s.R); }},
    {53, "MagickEmbossImage", [](const Step& s) { return MagickEmbossImage(s.image, s.R, s.S); }},
    {56, "MagickEqualizeImage", [](const Step& s) { return MagickEqualizeImage(s.image); }},
    {57, "MagickEqualizeImageChannel", [](const Step& s) { return MagickEqualizeImageChannel(s.image, s.ch); }},
    {58, "MagickEvaluateImage", [](const Step& s) { const auto op = evaluation(s); return op ? MagickEvaluateImage(s.image, *op, s.R) : kSkipped; }},
    {59, "MagickEvaluateImageChannel", [](const Step& s) { const auto op = evaluation(s); return op ? MagickEvaluateImageChannel(s.image, s.ch, *op, s.R) : kSkipped; }},
    {62, "MagickFilterImage", unityFilter},
    {63, "MagickFilterImageChannel", diamondFilter},
    {64, "MagickFlipImage", [](const Step& s) { return MagickFlipImage(s.image); }},
    {65, "MagickFloodfillPaintImage", [](const Step& s) { return MagickFloodfillPaintImage(s.image, s.ch, s.c1, s.R, s.c2, toInt(s.S), toInt(s.B), s.b1); }},
    {66, "MagickFlopImage", [](const Step& s) { return MagickFlopImage(s.image); }},
    {67, "MagickForwardFourierTransformImage", [](const Step& s) { return MagickForwardFourierTransformImage(s.image, s.b1); }},
    {68, "MagickFrameImage", [](const Step& s) { return MagickFrameImage(s.image, s.c1, toSize(s.R), toSize(s.S), toInt(s.B), toInt(s.C)); }},
    {69, "MagickFunctionImage", [](const Step& s) { const auto f = function(s); return f ? MagickFunctionImage(s.image, *f, 4, s.A4.data()) : kSkipped; }},
    {70, "MagickFunctionImageChannel", [](const Step& s) { const auto f = function(s); return f ? MagickFunctionImageChannel(s.image, s.ch, *f, 4, s.A4.data()) : kSkipped; }},
    {71, "MagickGammaImage", [](const Step& s) { return MagickGammaImage(s.image, s.R); }},
    {72, "MagickGammaImageChannel", [](const Step& s) { return MagickGammaImageChannel(s.image, s.ch, s.R); }},
    {73, "MagickGaussianBlurImage", [](const Step& s) { return MagickGaussianBlurImage(s.image, s.R, s.S); }},
    {95, "MagickHaldClutImageChannel", [](const Step& s) { return MagickHaldClutImageChannel(s.image, s.ch, s.src); }},
    {98, "MagickImplodeImage", [](const Step& s) { return MagickImplodeImage(s.image, s.R); }},
    {102, "MagickLevelImage", [](const Step& s) { return MagickLevelImage(s.image, s.R, s.S, s.B); }},
    {103, "MagickLevelImageChannel", [](const Step& s) { return MagickLevelImageChannel(s.image, s.ch, s.R, s.S, s.B); }},
    {106, "MagickMagnifyImage", [](const Step& s) { return MagickMagnifyImage(s.image); }},
    {108, "MagickMinifyImage", [](const Step& s) { return MagickMinifyImage(s.image); }},
    {110, "MagickModulateImage", [](const Step& s) { return MagickModulateImage(s.image, s.R, s.S, s.B); }},
    {113, "MagickMotionBlurImage", [](const Step& s) { return MagickMotionBlurImage(s.image, s.R, s.S, s.B); }},
    {114, "MagickMotionBlurImageChannel", [](const Step& s) { return MagickMotionBlurImageChannel(s.image, s.ch, s.R, s.S, s.B); }},
    {115, "MagickNegateImage", [](const Step& s) { return MagickNegateImage(s.image, s.b1); }},
    {116, "MagickNegateImageChannel", [](const Step& s) { return MagickNegateImageChannel(s.image, s.ch, s.b1); }},
    {121, "MagickOilPaintImage", [](const Step& s) { return MagickOilPaintImage(s.image, s.R); }},
    {122, "MagickOpaquePaintImage", [](const Step& s) { return MagickOpaquePaintImage(s.image, s.c1, s.c2, s.R, s.b1); }},
    {123, "MagickOpaquePaintImageChannel", [](const Step& s) { return MagickOpaquePaintImageChannel(s.image, s.ch, s.c1, s.c2, s.R, s.b1); }},
    {125, "MagickOrderedPosterizeImageChannel", [](const Step& s) { return MagickOrderedPosterizeImageChannel(s.image, s.ch, "o3x3,6"); }},
    {126, "MagickTransparentPaintImage", [](const Step& s) { return MagickTransparentPaintImage(s.image, s.c1, s.R, s.S, s.b1); }},
    {130, "MagickPolaroidImage", polaroid},
    {131, "MagickPosterizeImage", [](const Step& s) { return MagickPosterizeImage(s.image, toSize(s.R), s.b1); }},
    {133, "MagickQuantizeImage", [](const Step& s) { const auto cs = colourSpace(s); return cs ? MagickQuantizeImage(s.image, 256, *cs, toSize(s.S), s.b1, s.b2) : kSkipped; }},
    {134, "MagickQuantizeImages", [](const Step& s) { const auto cs = colourSpace(s); return cs ? MagickQuantizeImages(s.image, 256, *cs, toSize(s.S), s.b1, s.b2) : kSkipped; }},
    // The radial blur, under the name the library has given it since (same routine, same result).
    {135, "MagickRotationalBlurImage", [](const Step& s) { return MagickRotationalBlurImage(s.image, s.R); }},
    {136, "MagickRotationalBlurImageChannel", [](const Step& s) { return MagickRotationalBlurImageChannel(s.image, s.ch, s.R); }},
    {137, "MagickRaiseImage", [](const Step& s) { return MagickRaiseImage(s.image, toSize(s.R), toSize(s.S), toInt(s.B), toInt(s.C), s.b1); }},
    {138, "MagickRandomThresholdImage", [](const Step& s) { return MagickRandomThresholdImage(s.image, s.R, s.S); }},
    {139, "MagickRandomThresholdImageChannel", [](const Step& s) { return MagickRandomThresholdImageChannel(s.image, s.ch, s.R, s.S); }},
    {146, "MagickResampleImage", [](const Step& s) { const auto f = resizeFilter(s); return f ? MagickResampleImage(s.image, 60.0, 60.0, *f, s.B) : kSkipped; }},
    {148, "MagickResizeImage", [](const Step& s) { const auto f = resizeFilter(s); return f ? MagickResizeImage(s.image, 100, 100, *f, s.R) : kSkipped; }},
    {149, "MagickRollImage", [](const Step& s) { return MagickRollImage(s.image, toInt(s.R), toInt(s.S)); }},
    {150, "MagickRotateImage", [](const Step& s) { return MagickRotateImage(s.image, s.c1, s.R); }},
    {152, "MagickScaleImage", [](const Step& s) { return MagickScaleImage(s.image, toSize(s.R), toSize(s.S)); }},
    {153, "MagickSegmentImage", [](const Step& s) { const auto cs = colourSpace(s); return cs ? MagickSegmentImage(s.image, *cs, s.b1, s.R, s.S) : kSkipped; }},
    {156, "MagickSeparateImageChannel", [](const Step& s) { return MagickSeparateImageChannel(s.image, s.ch); }},
    {157, "MagickSepiaToneImage", [](const Step& s) { return MagickSepiaToneImage(s.image, s.R); }},
    {160, "MagickSetImageBackgroundColor", [](const Step& s) { return MagickSetImageBackgroundColor(s.image, s.c1); }},
    {161, "MagickSetImageBias", [](const Step& s) { return MagickSetImageBias(s.image, s.R); }},
    {171, "MagickSetImageDelay", [](const Step& s) { return MagickSetImageDelay(s.image, toSize(s.R)); }},
    {187, "MagickSetImageOpacity", [](const Step& s) { return MagickSetImageOpacity(s.image, s.R); }},
    {193, "MagickSetImageScene", [](const Step& s) { return MagickSetImageScene(s.image, toSize(s.R)); }},
    {198, "MagickShadeImage", [](const Step& s) { return MagickShadeImage(s.image, s.b1, s.R, s.S); }},
    {199, "MagickShadowImage", [](const Step& s) { return MagickShadowImage(s.image, s.R, s.S, toInt(s.B), toInt(s.C)); }},
    {200, "MagickSharpenImage", [](const Step& s) { return MagickSharpenImage(s.image, s.R, s.S); }},
    {201, "MagickSharpenImageChannel", [](const Step& s) { return MagickSharpenImageChannel(s.image, s.ch, s.R, s.S); }},
    {202, "MagickShaveImage", [](const Step& s) { return MagickShaveImage(s.image, toSize(s.R), toSize(s.S)); }},
    {203, "MagickShearImage", [](const Step& s) { return MagickShearImage(s.image, s.c1, s.R, s.S); }},
    {204, "MagickSigmoidalContrastImage", [](const Step& s) { return MagickSigmoidalContrastImage(s.image, s.b1, s.R, s.S); }},
    {205, "MagickSigmoidalContrastImageChannel", [](const Step& s) { return MagickSigmoidalContrastImageChannel(s.image, s.ch, s.b1, s.R, s.S); }},
    {206, "MagickSketchImage", [](const Step& s) { return MagickSketchImage(s.image, s.R, s.S, s.B); }},
    {207, "MagickSolarizeImage", [](const Step& s) { return MagickSolarizeImage(s.image, s.R); }},
    {208, "MagickSparseColorImage", [](const Step& s) { const auto m = sparseMethod(s); return m ? MagickSparseColorImage(s.image, s.ch, *m, 6, s.A6.data()) : kSkipped; }},
    {209, "MagickSpliceImage", [](const Step& s) { return MagickSpliceImage(s.image, toSize(s.R), toSize(s.S), toInt(s.B), toInt(s.C)); }},
    {210, "MagickSpreadImage", [](const Step& s) { return MagickSpreadImage(s.image, s.R); }},
    {211, "MagickStatisticImageChannel", [](const Step& s) { const auto t = statistic(s); return t ? MagickStatisticImageChannel(s.image, s.ch, *t, toSize(s.R), toSize(s.S)) : kSkipped; }},
    {214, "MagickSwirlImage", [](const Step& s) { return MagickSwirlImage(s.image, s.R); }},
    {215, "MagickTintImage", [](const Step& s) { return MagickTintImage(s.image, s.c1, s.c2); }},
    {216, "MagickTransformImageColorspace", [](const Step& s) { const auto cs = colourSpace(s); return cs ? MagickTransformImageColorspace(s.image, *cs) : kSkipped; }},
    {220, "MagickThresholdImageChannel", [](const Step& s) { return MagickThresholdImageChannel(s.image, s.ch, s.R); }},
    {223, "MagickUniqueImageColors", [](const Step& s) { return MagickUniqueImageColors(s.image); }},
    {224, "MagickUnsharpMaskImage", [](const Step& s) { return MagickUnsharpMaskImage(s.image, s.R, s.S, s.B, s.C); }},
    {225, "MagickUnsharpMaskImageChannel", [](const Step& s) { return MagickUnsharpMaskImageChannel(s.image, s.ch, s.R, s.S, s.B, s.C); }},
    {226, "MagickVignetteImage", [](const Step& s) { return MagickVignetteImage(s.image, s.R, s.S, toInt(s.B), toInt(s.C)); }},
    {227, "MagickWaveImage", [](const Step& s) { return MagickWaveImage(s.image, s.R, s.S); }},
    {228, "MagickWhiteThresholdImage", [](const Step& s) { return MagickWhiteThresholdImage(s.image, s.c1); }},
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

// A number of a step as the library may be given it. Lengths and angles beyond the picture's
// larger side (or a full turn) change nothing more in a look, but the library's kernels grow
// with them until a step never ends (a blur of sigma -1e30 does not) or runs out of memory;
// a number that is no number at all counts as 0.
double bounded(float value, double bound) {
    if (!std::isfinite(value))
        return 0.0;
    return std::clamp(double(value), -bound, bound);
}

double argumentBound(MagickWand* image) {
    return std::max({360.0, double(MagickGetImageWidth(image)), double(MagickGetImageHeight(image))});
}

} // namespace

bool runEffectOperation(MagickWand* image, MagickWand* secondImage, const EffectRecord& record) {
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

    const ColourArgument colour1(record.color1);
    const ColourArgument colour2(record.color2);
    Step s;
    s.image = image;
    s.src = secondImage;
    s.ch = ChannelType(record.imchannel);
    const double bound = argumentBound(image);
    s.R = bounded(record.radius, bound);
    s.S = bounded(record.sigma, bound);
    s.B = bounded(record.brightness, bound);
    s.C = bounded(record.contrast, bound);
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
