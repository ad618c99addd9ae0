// Blurs and oil paint on a picture many times the preview's size run on a reduced copy; the
// result must read as the full-size step does and keep the picture's detail where the look has
// any.

#include "EffectOperations.h"
#include "MagickBridge.h"
#include "MagickSession.h"
#include "ReducedRuns.h"
#include "TestSupport.h"

#include <QtTest>

#include <wand/MagickWand.h>

#include <memory>

namespace {

using Wand = std::unique_ptr<MagickWand, MagickWand* (*)(MagickWand*)>;

// The photo at its own size, so every pixel carries detail a reduced copy could lose, as a
// picture six times its preview's size: a 24-megapixel photo of a 1000-pixel-wide preview.
constexpr double kLengthScale = 6.0;

// How much fine detail a picture holds: its distance from itself blurred by one pixel.
double detail(const QImage& image) {
    Wand wand(raster2magick(image), DestroyMagickWand);
    MagickBlurImage(wand.get(), 0, 1.0);
    return TestSupport::rmseDifference(image, magick2raster(wand.get(), "tst_reduced_steps"));
}

QImage run(const QImage& picture, const EffectRecord& step, LengthCost cost) {
    Wand wand(raster2magick(picture), DestroyMagickWand);
    if (!runEffectOperation(wand.get(), nullptr, step, kLengthScale, cost))
        return {};
    return magick2raster(wand.get(), "tst_reduced_steps");
}

} // namespace

class ReducedStepsTest : public QObject {
    Q_OBJECT

    MagickSession m_magick;
    QImage m_photo;

  private slots:
    void initTestCase() {
        m_photo =
            QImage(TestSupport::dataFile(QStringLiteral("rocket.jpg"))).convertToFormat(QImage::Format_RGB32);
        QVERIFY(!m_photo.isNull());
    }

    // The catalogue's heavy steps as its looks use them (Strong Blur, Motion Blur, Vertical
    // Motion, Clarity Pop, Crisp Detail, Oval Vignette, Oil Painting): the bounded run against
    // the full-size run, pixel by pixel at full size, and the fine detail of both.
    void boundedStepsMatchFullSize_data() {
        QTest::addColumn<int>("operation");
        QTest::addColumn<float>("radius");
        QTest::addColumn<float>("sigma");
        QTest::addColumn<float>("brightness");
        QTest::addColumn<float>("contrast");
        QTest::addColumn<double>("bound");
        QTest::addColumn<double>("detailKept");
        QTest::newRow("blur sigma 6") << 18 << 0.0f << 6.0f << 0.0f << 0.0f << 0.006 << 0.7;
        QTest::newRow("motion along rows") << 113 << 8.0f << 3.0f << 0.0f << 0.0f << 0.008 << 0.85;
        QTest::newRow("motion along columns") << 113 << 8.0f << 3.0f << 90.0f << 0.0f << 0.008 << 0.85;
        QTest::newRow("unsharp sigma 5") << 224 << 0.0f << 5.0f << 0.8f << 0.0f << 0.004 << 0.97;
        QTest::newRow("unsharp with threshold") << 224 << 0.0f << 3.0f << 1.2f << 0.02f << 0.004 << 0.97;
        // The vignette's ellipse falls a fraction of a pixel apart on the reduced canvas; on a
        // picture three times this one's size the difference is 0.008, at 24 megapixels 0.002.
        QTest::newRow("vignette sigma 4") << 226 << 0.0f << 4.0f << 0.0f << 0.0f << 0.02 << 0.97;
        // Oil paint's patches fall a little differently on a reduced copy; what matters is that
        // their edges stay crisp (a copy of half the size would keep only 0.55 of the detail).
        QTest::newRow("oil paint radius 2") << 121 << 2.0f << 0.0f << 0.0f << 0.0f << 0.07 << 0.6;
    }

    void boundedStepsMatchFullSize() {
        QFETCH(int, operation);
        QFETCH(float, radius);
        QFETCH(float, sigma);
        QFETCH(float, brightness);
        QFETCH(float, contrast);
        QFETCH(double, bound);
        QFETCH(double, detailKept);
        EffectRecord step;
        step.neffectfunction = operation;
        step.imchannel = DefaultChannels;
        step.radius = radius;
        step.sigma = sigma;
        step.brightness = brightness;
        step.contrast = contrast;
        const QImage exact = run(m_photo, step, LengthCost::Exact);
        const QImage bounded = run(m_photo, step, LengthCost::Bounded);
        QVERIFY(!exact.isNull() && !bounded.isNull());
        QCOMPARE(bounded.size(), m_photo.size());
        const double rmse = TestSupport::rmseDifference(bounded, exact);
        const double kept = detail(bounded) / detail(exact);
        qInfo("RMSE %.4f, detail kept %.3f", rmse, kept);
        QVERIFY2(rmse > 0, "the step ran at full size");
        QVERIFY2(rmse <= bound, qPrintable(QStringLiteral("RMSE %1 over %2").arg(rmse).arg(bound)));
        QVERIFY2(kept >= detailKept,
                 qPrintable(QStringLiteral("detail kept %1 under %2").arg(kept).arg(detailKept)));
    }

    // Unsharp masking sharpens at full size from a blur made elsewhere; with the blur at full size
    // it must be the library's own, sample for sample.
    void unsharpFromFullSizeBlurIsTheLibrarys_data() {
        QTest::addColumn<double>("threshold");
        QTest::newRow("no threshold") << 0.0;
        QTest::newRow("threshold 0.05") << 0.05;
    }

    void unsharpFromFullSizeBlurIsTheLibrarys() {
        QFETCH(double, threshold);
        Wand library(raster2magick(m_photo), DestroyMagickWand);
        Wand ours(raster2magick(m_photo), DestroyMagickWand);
        QVERIFY(MagickUnsharpMaskImage(library.get(), 0, 2.0, 1.5, threshold) == MagickTrue);
        QVERIFY(unsharpWithReducedBlur(ours.get(), DefaultChannels, 0, 2.0, 1.5, threshold, 1.0));
        QCOMPARE(TestSupport::maxChannelDifference(magick2raster(ours.get(), "tst_reduced_steps"),
                                                   magick2raster(library.get(), "tst_reduced_steps")),
                 0);
    }
};

QTEST_GUILESS_MAIN(ReducedStepsTest)
#include "tst_reduced_steps.moc"
