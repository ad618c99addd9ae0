// Every catalogue number against the MagickWand call it stands for, made here by hand with the
// arguments the catalogue's fields must turn into.

#include "EffectDispatch.h"
#include "EffectOperations.h"
#include "MagickBridge.h"
#include "MagickSession.h"
#include "ScaledOperations.h"
#include "TestSupport.h"
#include "WandHelpers.h"

#include <QtTest>

#include <magick/random_.h>

namespace {

struct Direct {
    MagickWand* w;
    MagickWand* src;
    const PixelWand* c1;
    const PixelWand* c2;
};

struct OperationCase {
    const char* label;
    int number;
    float R, S, B, C;
    int nenum;
    std::uint32_t ch;
    int b1, b2;
    MagickBooleanType (*call)(const Direct&); // nullptr: the picture must stay as it was
    bool expectedStatus;                      // of the rows without a call
};

MagickBooleanType filterWithUnity(const Direct& d) {
    const GeometryInfo geometry{6.0, 45.0, 1.0, 2.0, 0.5};
    KernelInfo* kernel = AcquireKernelBuiltIn(UnityKernel, &geometry);
    const MagickBooleanType status = MagickFilterImage(d.w, kernel);
    DestroyKernelInfo(kernel);
    return status;
}

MagickBooleanType filterWithDiamond(const Direct& d) {
    KernelInfo* kernel = AcquireKernelInfo("Diamond:4");
    const MagickBooleanType status = MagickFilterImageChannel(d.w, ChannelType(0x2F), kernel);
    DestroyKernelInfo(kernel);
    return status;
}

MagickBooleanType polaroid(const Direct& d) {
    DrawingWand* drawing = NewDrawingWand();
    DrawCircle(drawing, 5.0, 6.0, 15.0, 16.0);
    const MagickBooleanType status = MagickPolaroidImage(d.w, drawing, 5.0);
    DestroyDrawingWand(drawing);
    return status;
}

constexpr ChannelType Red = RedChannel, Green = GreenChannel, Blue = BlueChannel;
constexpr ChannelType Composite = ChannelType(0x2F);

// clang-format off
const OperationCase kCases[] = {
    {"5", 5, 7.9f, 5.2f, -3.7f, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickAdaptiveThresholdImage(d.w, 7, 5, -3); }, true},
    {"7", 7, 0, 0, 0, 0, 6, 0, 0, 0, [](const Direct& d) { return MagickAddNoiseImage(d.w, PoissonNoise); }, true},
    {"8", 8, 0, 0, 0, 0, 2, 0x1, 0, 0, [](const Direct& d) { return MagickAddNoiseImageChannel(d.w, Red, NoiseType(2)); }, true},
    {"13", 13, 0, 0, 0, 0, 0, 0x4, 0, 0, [](const Direct& d) { return MagickAutoGammaImageChannel(d.w, Blue); }, true},
    {"16", 16, 0, 0, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickBlackThresholdImage(d.w, d.c1); }, true},
    {"17", 17, 1.5f, 0, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickBlueShiftImage(d.w, 1.5); }, true},
    {"18", 18, 2, 1.5f, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickBlurImage(d.w, 2.0, 1.5); }, true},
    {"19", 19, 1, 2, 0, 0, 0, 0x2, 0, 0, [](const Direct& d) { return MagickBlurImageChannel(d.w, Green, 1.0, 2.0); }, true},
    {"20", 20, 3.9f, 2.1f, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickBorderImage(d.w, d.c1, 3, 2); }, true},
    {"21", 21, 20, -10, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickBrightnessContrastImage(d.w, 20.0, -10.0); }, true},
    {"22", 22, -15, 30, 0, 0, 0, 0x1, 0, 0, [](const Direct& d) { return MagickBrightnessContrastImageChannel(d.w, Red, -15.0, 30.0); }, true},
    {"23", 23, 1, 0.5f, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickCharcoalImage(d.w, 1.0, 0.5); }, true},
    {"32", 32, 0, 0, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickColorizeImage(d.w, d.c1, d.c2); }, true},
    {"35", 35, 5.7f, -3.2f, 0, 0, 40, 0, 0, 0, [](const Direct& d) { return MagickCompositeImage(d.w, d.src, OverCompositeOp, 5, -3); }, true},
    {"36", 36, -2.9f, 2.9f, 0, 0, 38, 0x2F, 0, 0, [](const Direct& d) { return MagickCompositeImageChannel(d.w, Composite, d.src, MultiplyCompositeOp, -2, 2); }, true},
    {"38", 38, 0, 0, 0, 0, 0, 0, 1, 0, [](const Direct& d) { return MagickContrastImage(d.w, MagickTrue); }, true},
    {"44", 44, 3.9f, 0, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickCycleColormapImage(d.w, 3); }, true},
    {"50", 50, 0.5f, 10, 0.25f, 0.5f, 3, 0, 1, 0, [](const Direct& d) { const double a[4] = {2.5, 13.0, 2.25, 1.5}; return MagickDistortImage(d.w, ScaleRotateTranslateDistortion, 4, a, MagickTrue); }, true},
    {"52", 52, 1, 0, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickEdgeImage(d.w, 1.0); }, true},
    {"53", 53, 1, 0.5f, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickEmbossImage(d.w, 1.0, 0.5); }, true},
    {"56", 56, 0, 0, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickEqualizeImage(d.w); }, true},
    {"57", 57, 0, 0, 0, 0, 0, 0x1, 0, 0, [](const Direct& d) { return MagickEqualizeImageChannel(d.w, Red); }, true},
    {"58", 58, 20000, 0, 0, 0, 1, 0, 0, 0, [](const Direct& d) { return MagickEvaluateImage(d.w, AddEvaluateOperator, 20000.0); }, true},
    {"59", 59, 0.5f, 0, 0, 0, 7, 0x4, 0, 0, [](const Direct& d) { return MagickEvaluateImageChannel(d.w, Blue, MultiplyEvaluateOperator, 0.5); }, true},
    {"62", 62, 1, 2, 0.5f, 0, 0, 0, 0, 0, filterWithUnity, true},
    {"63", 63, 0, 0, 0, 0, 0, 0x2F, 0, 0, filterWithDiamond, true},
    {"64", 64, 0, 0, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickFlipImage(d.w); }, true},
    {"65", 65, 20000, 10.7f, 5.2f, 0, 0, 0x2F, 0, 0, [](const Direct& d) { return MagickFloodfillPaintImage(d.w, Composite, d.c1, 20000.0, d.c2, 10, 5, MagickFalse); }, true},
    {"66", 66, 0, 0, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickFlopImage(d.w); }, true},
    {"67", 67, 0, 0, 0, 0, 0, 0, 1, 0, [](const Direct& d) { return MagickForwardFourierTransformImage(d.w, MagickTrue); }, true},
    {"68", 68, 4.9f, 3.2f, 1.9f, 1.1f, 0, 0, 0, 0, [](const Direct& d) { return MagickFrameImage(d.w, d.c1, 4, 3, 1, 1); }, true},
    {"69", 69, 0.5f, -1, 0.25f, 0.5f, 2, 0, 0, 0, [](const Direct& d) { const double a[4] = {2.5, 2.0, 2.25, 1.5}; return MagickFunctionImage(d.w, SinusoidFunction, 4, a); }, true},
    {"70", 70, 0.5f, -1, 0.25f, 0.5f, 4, 0x1, 0, 0, [](const Direct& d) { const double a[4] = {2.5, 2.0, 2.25, 1.5}; return MagickFunctionImageChannel(d.w, Red, ArctanFunction, 4, a); }, true},
    {"71", 71, 1.75f, 0, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickGammaImage(d.w, 1.75); }, true},
    {"72", 72, 0.625f, 0, 0, 0, 0, 0x2, 0, 0, [](const Direct& d) { return MagickGammaImageChannel(d.w, Green, 0.625); }, true},
    {"73", 73, 2, 1, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickGaussianBlurImage(d.w, 2.0, 1.0); }, true},
    {"95", 95, 0, 0, 0, 0, 0, 0x2F, 0, 0, [](const Direct& d) { return MagickHaldClutImageChannel(d.w, Composite, d.src); }, true},
    {"98", 98, 0.375f, 0, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickImplodeImage(d.w, 0.375); }, true},
    {"102", 102, 1000, 1.25f, 60000, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickLevelImage(d.w, 1000.0, 1.25, 60000.0); }, true},
    {"103", 103, 0, 0.75f, 50000, 0, 0, 0x1, 0, 0, [](const Direct& d) { return MagickLevelImageChannel(d.w, Red, 0.0, 0.75, 50000.0); }, true},
    {"106", 106, 0, 0, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickMagnifyImage(d.w); }, true},
    {"108", 108, 0, 0, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickMinifyImage(d.w); }, true},
    {"110", 110, 120, 80, 90, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickModulateImage(d.w, 120.0, 80.0, 90.0); }, true},
    {"113", 113, 3, 1.5f, 30, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickMotionBlurImage(d.w, 3.0, 1.5, 30.0); }, true},
    {"114", 114, 3, 1.5f, 30, 0, 0, 0x4, 0, 0, [](const Direct& d) { return MagickMotionBlurImageChannel(d.w, Blue, 3.0, 1.5, 30.0); }, true},
    {"115", 115, 0, 0, 0, 0, 0, 0, 1, 0, [](const Direct& d) { return MagickNegateImage(d.w, MagickTrue); }, true},
    {"115 flag 2 is false", 115, 0, 0, 0, 0, 0, 0, 2, 0, [](const Direct& d) { return MagickNegateImage(d.w, MagickFalse); }, true},
    {"115 flag -1 is false", 115, 0, 0, 0, 0, 0, 0, -1, 0, [](const Direct& d) { return MagickNegateImage(d.w, MagickFalse); }, true},
    {"116", 116, 0, 0, 0, 0, 0, 0x1, 0, 0, [](const Direct& d) { return MagickNegateImageChannel(d.w, Red, MagickFalse); }, true},
    {"121", 121, 2, 0, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickOilPaintImage(d.w, 2.0); }, true},
    {"122", 122, 20000, 0, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickOpaquePaintImage(d.w, d.c1, d.c2, 20000.0, MagickFalse); }, true},
    {"123", 123, 20000, 0, 0, 0, 0, 0x2F, 1, 0, [](const Direct& d) { return MagickOpaquePaintImageChannel(d.w, Composite, d.c1, d.c2, 20000.0, MagickTrue); }, true},
    {"125", 125, 0, 0, 0, 0, 0, 0x2F, 0, 0, [](const Direct& d) { return MagickOrderedPosterizeImageChannel(d.w, Composite, "o3x3,6"); }, true},
    {"126", 126, 0.25f, 20000, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickTransparentPaintImage(d.w, d.c1, 0.25, 20000.0, MagickFalse); }, true},
    {"130", 130, 5, 6, 15, 16, 0, 0, 0, 0, polaroid, true},
    {"131", 131, 4.9f, 0, 0, 0, 0, 0, 1, 0, [](const Direct& d) { return MagickPosterizeImage(d.w, 4, MagickTrue); }, true},
    {"133", 133, 0, 3.9f, 0, 0, 1, 0, 1, 1, [](const Direct& d) { return MagickQuantizeImage(d.w, 256, RGBColorspace, 3, MagickTrue, MagickTrue); }, true},
    {"134", 134, 0, 3.9f, 0, 0, 2, 0, 0, 2, [](const Direct& d) { return MagickQuantizeImages(d.w, 256, GRAYColorspace, 3, MagickFalse, MagickFalse); }, true},
    {"135", 135, 10, 0, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickRotationalBlurImage(d.w, 10.0); }, true},
    {"136", 136, 5, 0, 0, 0, 0, 0x1, 0, 0, [](const Direct& d) { return MagickRotationalBlurImageChannel(d.w, Red, 5.0); }, true},
    {"137", 137, 5.9f, 4.2f, -2.9f, 2.9f, 0, 0, 1, 0, [](const Direct& d) { return MagickRaiseImage(d.w, 5, 4, -2, 2, MagickTrue); }, true},
    {"138", 138, 10000, 50000, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickRandomThresholdImage(d.w, 10000.0, 50000.0); }, true},
    {"139", 139, 10000, 50000, 0, 0, 0, 0x1, 0, 0, [](const Direct& d) { return MagickRandomThresholdImageChannel(d.w, Red, 10000.0, 50000.0); }, true},
    {"146", 146, 0, 0, 1.5f, 0, 22, 0, 0, 0, [](const Direct& d) { return MagickResampleImage(d.w, 60.0, 60.0, LanczosFilter, 1.5); }, true},
    {"148", 148, 2.9f, 0, 0, 0, 3, 0, 0, 0, [](const Direct& d) { return MagickResizeImage(d.w, 100, 100, TriangleFilter, double(2.9f)); }, true},
    {"149", 149, -2.9f, 7.9f, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickRollImage(d.w, -2, 7); }, true},
    {"150", 150, 30, 0, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickRotateImage(d.w, d.c1, 30.0); }, true},
    {"152", 152, 30.9f, 20.2f, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickScaleImage(d.w, 30, 20); }, true},
    {"153", 153, 1, 1.5f, 0, 0, 1, 0, 0, 0, [](const Direct& d) { return MagickSegmentImage(d.w, RGBColorspace, MagickFalse, 1.0, 1.5); }, true},
    {"156", 156, 0, 0, 0, 0, 0, 0x2, 0, 0, [](const Direct& d) { return MagickSeparateImageChannel(d.w, Green); }, true},
    {"157", 157, 40000, 0, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickSepiaToneImage(d.w, 40000.0); }, true},
    {"160", 160, 0, 0, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickSetImageBackgroundColor(d.w, d.c1); }, true},
    {"161", 161, 0.5f, 0, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickSetImageBias(d.w, 0.5); }, true},
    {"171", 171, 12.9f, 0, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickSetImageDelay(d.w, 12); }, true},
    {"187", 187, 0.5f, 0, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickSetImageOpacity(d.w, 0.5); }, true},
    {"193", 193, 3.9f, 0, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickSetImageScene(d.w, 3); }, true},
    {"198", 198, 30, 45, 0, 0, 0, 0, 1, 0, [](const Direct& d) { return MagickShadeImage(d.w, MagickTrue, 30.0, 45.0); }, true},
    {"199", 199, 80, 2, 3.9f, -3.9f, 0, 0, 0, 0, [](const Direct& d) { return MagickShadowImage(d.w, 80.0, 2.0, 3, -3); }, true},
    {"200", 200, 1, 0.5f, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickSharpenImage(d.w, 1.0, 0.5); }, true},
    {"201", 201, 1, 0.5f, 0, 0, 0, 0x1, 0, 0, [](const Direct& d) { return MagickSharpenImageChannel(d.w, Red, 1.0, 0.5); }, true},
    {"202", 202, 3.9f, 2.2f, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickShaveImage(d.w, 3, 2); }, true},
    {"203", 203, 10, 5, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickShearImage(d.w, d.c1, 10.0, 5.0); }, true},
    {"204", 204, 5, 32768, 0, 0, 0, 0, 1, 0, [](const Direct& d) { return MagickSigmoidalContrastImage(d.w, MagickTrue, 5.0, 32768.0); }, true},
    {"205", 205, 5, 32768, 0, 0, 0, 0x1, 0, 0, [](const Direct& d) { return MagickSigmoidalContrastImageChannel(d.w, Red, MagickFalse, 5.0, 32768.0); }, true},
    {"206", 206, 2, 1, 45, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickSketchImage(d.w, 2.0, 1.0, 45.0); }, true},
    {"207", 207, 30000, 0, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickSolarizeImage(d.w, 30000.0); }, true},
    {"208 nenum 6 is method 7", 208, 3, 4, 0.5f, 0.25f, 6, 0x1, 0, 0, [](const Direct& d) { const double a[6] = {5.0, 6.0, -157.62032765799472, -0.4975379836532773, 0.5, 0.25}; return MagickSparseColorImage(d.w, Red, SparseColorMethod(7), 6, a); }, true},
    {"209", 209, 5.9f, 3.1f, 10.9f, -2.9f, 0, 0, 0, 0, [](const Direct& d) { return MagickSpliceImage(d.w, 5, 3, 10, -2); }, true},
    {"210", 210, 3, 0, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickSpreadImage(d.w, 3.0); }, true},
    {"211", 211, 3.9f, 3.1f, 0, 0, 4, 0x2F, 0, 0, [](const Direct& d) { return MagickStatisticImageChannel(d.w, Composite, MedianStatistic, 3, 3); }, true},
    {"214", 214, 60, 0, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickSwirlImage(d.w, 60.0); }, true},
    {"215", 215, 0, 0, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickTintImage(d.w, d.c1, d.c2); }, true},
    {"216", 216, 0, 0, 0, 0, 2, 0, 0, 0, [](const Direct& d) { return MagickTransformImageColorspace(d.w, GRAYColorspace); }, true},
    {"220", 220, 30000, 0, 0, 0, 0, 0x1, 0, 0, [](const Direct& d) { return MagickThresholdImageChannel(d.w, Red, 30000.0); }, true},
    {"223", 223, 0, 0, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickUniqueImageColors(d.w); }, true},
    {"224", 224, 2, 1, 1.5f, 0.0625f, 0, 0, 0, 0, [](const Direct& d) { return MagickUnsharpMaskImage(d.w, 2.0, 1.0, 1.5, 0.0625); }, true},
    {"225", 225, 2, 1, 1.5f, 0.0625f, 0, 0x1, 0, 0, [](const Direct& d) { return MagickUnsharpMaskImageChannel(d.w, Red, 2.0, 1.0, 1.5, 0.0625); }, true},
    {"226", 226, 0, 10, 5.9f, 4.1f, 0, 0, 0, 0, [](const Direct& d) { return MagickVignetteImage(d.w, 0.0, 10.0, 5, 4); }, true},
    {"227", 227, 4, 20, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickWaveImage(d.w, 4.0, 20.0); }, true},
    {"228", 228, 0, 0, 0, 0, 0, 0, 0, 0, [](const Direct& d) { return MagickWhiteThresholdImage(d.w, d.c1); }, true},

    // Numbers without an operation: the number itself is the status.
    {"0 fails", 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, false},
    {"4", 4, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, true},
    {"6", 6, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, true},
    {"229", 229, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, true},
    {"-5", -5, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, true},

    // Enumerations outside their range skip the step.
    {"7 noise 8", 7, 0, 0, 0, 0, 8, 0, 0, 0, nullptr, true},
    {"35 operator 68", 35, 0, 0, 0, 0, 68, 0, 0, 0, nullptr, true},
    {"50 method -1", 50, 0, 0, 0, 0, -1, 0, 0, 0, nullptr, true},
    {"133 colour space 25", 133, 0, 0, 0, 0, 25, 0, 0, 0, nullptr, true},
    {"148 filter 31", 148, 0, 0, 0, 0, 31, 0, 0, 0, nullptr, true},
    {"208 method 3", 208, 0, 0, 0, 0, 2, 0, 0, 0, nullptr, true},
    {"211 statistic 9", 211, 0, 0, 0, 0, 9, 0, 0, 0, nullptr, true},
};
// clang-format on

SharedPixelWand colour(double red, double green, double blue) {
    PixelWand* wand = NewPixelWand();
    PixelSetRed(wand, red);
    PixelSetGreen(wand, green);
    PixelSetBlue(wand, blue);
    return SharedPixelWand(wand, DestroyPixelWand);
}

} // namespace

class TestOperations : public QObject {
    Q_OBJECT

    MagickSession m_session;
    SharedPixelWand m_colour1;
    SharedPixelWand m_colour2;
    QImage m_picture;

    WandPtr secondImageFor(int number) const {
        WandPtr wand(NewMagickWand());
        if (number == 95)
            MagickReadImage(wand.get(), "hald:3");
        else
            MagickReadImage(wand.get(), "gradient:red-blue");
        if (number == 35 || number == 36)
            MagickScaleImage(wand.get(), 20, 14);
        return wand;
    }

  private slots:
    void initTestCase() {
        // One thread and the engine's fixed key make the noise and random-threshold operations
        // repeatable.
        MagickSetResourceLimit(ThreadResource, 1);
        m_colour1 = colour(0.8, 0.2, 0.1);
        m_colour2 = colour(0.1, 0.3, 0.9);
        m_picture = TestSupport::makePicture(48, 36);
    }

    void everyNumberHasACase() {
        QSet<int> tested;
        for (const OperationCase& c : kCases)
            if (c.call)
                tested.insert(c.number);
        const QList<int> numbers = effectOperationNumbers();
        QCOMPARE(numbers.size(), 98);
        QCOMPARE(QSet<int>(numbers.begin(), numbers.end()), tested);
    }

    void matchesTheLibraryCall_data() {
        QTest::addColumn<int>("index");
        for (int i = 0; i < int(std::size(kCases)); ++i)
            QTest::newRow(kCases[i].label) << i;
    }

    void matchesTheLibraryCall() {
        QFETCH(int, index);
        const OperationCase& c = kCases[index];

        EffectRecord record;
        record.neffectfunction = c.number;
        record.radius = c.R;
        record.sigma = c.S;
        record.brightness = c.B;
        record.contrast = c.C;
        record.nenum = c.nenum;
        record.imchannel = c.ch;
        record.imboolval1 = c.b1;
        record.imboolval2 = c.b2;
        record.color1 = m_colour1;
        record.color2 = m_colour2;

        WandPtr viaDispatch(raster2magick(m_picture));
        WandPtr viaLibrary(raster2magick(m_picture));
        const QByteArray before = wandFingerprint(viaLibrary.get());
        const WandPtr second1 = secondImageFor(c.number);
        const WandPtr second2 = secondImageFor(c.number);

        EffectRouting routing;
        routing.renderTarget = RenderToNowhere;
        const bool status = run_effect_function(routing, 1, second1.get(), record, 1, 1, viaDispatch.get());

        bool expected = c.expectedStatus;
        if (c.call) {
            // A look always starts from the engine's own key.
            SetRandomSecretKey(kLookRandomKey);
            expected =
                c.call({viaLibrary.get(), second2.get(), m_colour1.get(), m_colour2.get()}) == MagickTrue;
        }
        QCOMPARE(status, expected);
        // Compared apart as well: a failure shows the settings rather than a wall of pixels.
        QCOMPARE(wandSettings(viaDispatch.get()), wandSettings(viaLibrary.get()));
        const QByteArray after = wandFingerprint(viaDispatch.get());
        QCOMPARE(after, wandFingerprint(viaLibrary.get()));
        if (!c.call)
            QCOMPARE(after, before);
    }

    void resizeAlwaysGivesOneHundredSquare_data() {
        QTest::addColumn<float>("radius");
        QTest::newRow("no blur") << 0.0f;
        QTest::newRow("blur 2.9") << 2.9f;
        QTest::newRow("negative") << -3.0f;
    }

    void resizeAlwaysGivesOneHundredSquare() {
        QFETCH(float, radius);
        EffectRecord record;
        record.neffectfunction = 148;
        record.nenum = 22;
        record.radius = radius;
        WandPtr wand(raster2magick(TestSupport::makePicture(451, 300)));
        EffectRouting routing;
        routing.renderTarget = RenderToNowhere;
        QVERIFY(run_effect_function(routing, 1, nullptr, record, 1, 1, wand.get()));
        QCOMPARE(MagickGetImageWidth(wand.get()), size_t(100));
        QCOMPARE(MagickGetImageHeight(wand.get()), size_t(100));
    }

    // On a picture k times the preview's size, a step's lengths are k times longer: the sizes an
    // operation adds, removes or aims at grow with k, while angles stay angles.
    void sizesFollowTheLengthScale_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<float>("R");
        QTest::addColumn<float>("S");
        QTest::addColumn<float>("B");
        QTest::addColumn<double>("scale");
        QTest::addColumn<QSize>("expected");
        // The picture is 48 x 36.
        QTest::newRow("border 3.9 x 2.1, twice")
            << 20 << 3.9f << 2.1f << 0.0f << 2.0 << QSize(48 + 14, 36 + 8);
        QTest::newRow("border, unscaled") << 20 << 3.9f << 2.1f << 0.0f << 1.0 << QSize(48 + 6, 36 + 4);
        QTest::newRow("frame 4 x 3, 2.5 times")
            << 68 << 4.0f << 3.0f << 1.0f << 2.5 << QSize(48 + 20, 36 + 14);
        QTest::newRow("shave 3 x 2, twice") << 202 << 3.0f << 2.0f << 0.0f << 2.0 << QSize(48 - 12, 36 - 8);
        QTest::newRow("splice 5 x 4, three times")
            << 209 << 5.0f << 4.0f << 0.0f << 3.0 << QSize(48 + 15, 36 + 12);
        QTest::newRow("scale to 20 x 10, 1.5 times") << 152 << 20.0f << 10.0f << 0.0f << 1.5 << QSize(30, 15);
        QTest::newRow("resize to 100 x 100, twice") << 148 << 0.0f << 0.0f << 0.0f << 2.0 << QSize(200, 200);
        // Turned by 30 degrees whatever the scale; a scaled angle (90) would give 36 x 48.
        QTest::newRow("rotate 30 degrees, three times")
            << 150 << 30.0f << 0.0f << 0.0f << 3.0 << QSize(62, 58);
        QTest::newRow("rotate 30 degrees, unscaled") << 150 << 30.0f << 0.0f << 0.0f << 1.0 << QSize(62, 58);
    }

    void sizesFollowTheLengthScale() {
        QFETCH(int, number);
        QFETCH(float, R);
        QFETCH(float, S);
        QFETCH(float, B);
        QFETCH(double, scale);
        QFETCH(QSize, expected);
        EffectRecord record;
        record.neffectfunction = number;
        record.radius = R;
        record.sigma = S;
        record.brightness = B;
        record.contrast = B;
        record.nenum = 22; // a resize filter for 148
        record.color1 = m_colour1;
        WandPtr wand(raster2magick(m_picture));
        EffectRouting routing;
        routing.renderTarget = RenderToNowhere;
        routing.lengthScale = scale;
        QVERIFY(run_effect_function(routing, 1, nullptr, record, 1, 1, wand.get()));
        QCOMPARE(QSize(int(MagickGetImageWidth(wand.get())), int(MagickGetImageHeight(wand.get()))),
                 expected);
    }

    // On a larger picture the charcoal runs as the library's own steps with a scaled edge; those
    // steps, unscaled, must give the library's charcoal (up to the rounding of the edge's mean).
    void scaledCharcoalIsTheLibrarysCharcoal_data() {
        QTest::addColumn<double>("radius");
        QTest::newRow("automatic radius") << 0.0;
        QTest::newRow("radius 2") << 2.0;
    }

    void scaledCharcoalIsTheLibrarysCharcoal() {
        QFETCH(double, radius);
        // Opaque and without an alpha channel, as the working pictures looks run on are: the
        // library's edge treats a picture with an alpha channel differently.
        WandPtr library(NewMagickWand());
        QVERIFY(replaceWithRaster(library.get(), TestSupport::makePicture(120, 90), "tst_operations"));
        WandPtr stepByStep(CloneMagickWand(library.get()));
        QCOMPARE(MagickCharcoalImage(library.get(), radius, 1.2), MagickTrue);
        QVERIFY(charcoalAtScale(stepByStep.get(), radius, 1.2, 1.0));
        const double rmse =
            TestSupport::rmseDifference(magick2raster(stepByStep.get()), magick2raster(library.get()));
        QVERIFY2(rmse >= 0 && rmse < 0.005, qPrintable(QString::number(rmse)));
    }

    // A colour missing from the catalogue is black, not a crash on a null wand.
    void missingColourIsBlack() {
        EffectRecord record;
        record.neffectfunction = 20;
        record.radius = 2;
        record.sigma = 2;
        WandPtr wand(raster2magick(m_picture));
        EffectRouting routing;
        routing.renderTarget = RenderToView;
        QVERIFY(run_effect_function(routing, 1, nullptr, record, 1, 1, wand.get()));
        QCOMPARE(routing.effectBitmap.size(), QSize(52, 40));
        QCOMPARE(routing.effectBitmap.pixel(0, 0), qRgb(0, 0, 0));
    }
};

QTEST_GUILESS_MAIN(TestOperations)
#include "tst_operations.moc"
