// The full-size render path on its own: geometry, reduced renders, failures, progress and
// cancelling, on a real photo three times the size of its preview.

#include "EffectCatalogue.h"
#include "ExportTestFiles.h"
#include "FullSizeRender.h"
#include "LightFrameCatalogue.h"
#include "MagickSession.h"
#include "RasterIO.h"
#include "TestSupport.h"

#include <QColorSpace>
#include <QFile>
#include <QImageWriter>
#include <QtTest>

using namespace ExportTestFiles;

class FullSizeRenderTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void geometryWithoutALook_data();
    void geometryWithoutALook();
    void largestSizeReducesTheDecode_data();
    void largestSizeReducesTheDecode();
    void foreignColoursRenderAsTheSRgbOriginal_data();
    void foreignColoursRenderAsTheSRgbOriginal();
    void strengthBlendsTheLook_data();
    void strengthBlendsTheLook();
    void failuresSayWhy_data();
    void failuresSayWhy();
    void progressNamesEveryStage();
    void cancelStopsBetweenSteps();

  private:
    MagickSession m_magick;
    QString m_work;
    QString m_photo;
    QImage m_decoded;
    Catalogues m_catalogues;
    int m_multiStepFilter = -1;
};

void FullSizeRenderTest::initTestCase() {
    m_work = TestSupport::freshWorkFolder();
    m_photo = writeLargePhoto(m_work + "coffee large.png", 3);
    m_decoded = RasterIO::load(m_photo);
    QCOMPARE(m_decoded.size(), QSize(1800, 1200));
    m_catalogues = shippedCatalogues();
    for (qsizetype i = 0; i < m_catalogues.filterLooks.size() && m_multiStepFilter < 0; ++i)
        if (m_catalogues.filterLooks[i].steps.size() >= 3)
            m_multiStepFilter = int(i);
    QVERIFY(m_multiStepFilter >= 0);
}

void FullSizeRenderTest::geometryWithoutALook_data() {
    QTest::addColumn<int>("rotation");
    QTest::addColumn<bool>("flipHorizontal");
    QTest::addColumn<bool>("flipVertical");
    QTest::addColumn<QRect>("crop");
    QTest::newRow("as taken in") << 360 << false << false << QRect();
    QTest::newRow("quarter turn counter-clockwise") << 270 << false << false << QRect();
    QTest::newRow("quarter turn clockwise") << 90 << false << false << QRect();
    QTest::newRow("half turn, mirrored left to right") << 180 << true << false << QRect();
    QTest::newRow("mirrored top to bottom") << 360 << false << true << QRect();
    QTest::newRow("crop") << 360 << false << false << QRect(300, 200, 900, 500);
    QTest::newRow("crop turned, mirrored both ways") << 270 << true << true << QRect(300, 200, 900, 500);
    QTest::newRow("crop reaching past the picture") << 360 << false << false << QRect(1500, 1000, 900, 500);
}

// Without a look the result is the decoded picture itself, cropped, turned and mirrored
// pixel for pixel.
void FullSizeRenderTest::geometryWithoutALook() {
    QFETCH(int, rotation);
    QFETCH(bool, flipHorizontal);
    QFETCH(bool, flipVertical);
    QFETCH(QRect, crop);
    EditRecipe recipe;
    recipe.sourcePath = m_photo;
    recipe.crop = crop;
    recipe.rotationAngle = rotation;
    recipe.flipHorizontal = flipHorizontal;
    recipe.flipVertical = flipVertical;
    const RenderedPicture rendered = renderFullSize(recipe, m_catalogues);
    QVERIFY2(rendered.error.isEmpty(), qPrintable(rendered.error));

    const QImage cut = crop.isNull() ? m_decoded : m_decoded.copy(crop.intersected(m_decoded.rect()));
    const QImage expected = turnedClockwise(cut, rotation).mirrored(flipHorizontal, flipVertical);
    QCOMPARE(rendered.image.size(), expected.size());
    QCOMPARE(TestSupport::maxChannelDifference(rendered.image, expected), 0);
}

void FullSizeRenderTest::largestSizeReducesTheDecode_data() {
    QTest::addColumn<QSize>("largest");
    QTest::addColumn<int>("rotation");
    QTest::addColumn<QRect>("crop");
    QTest::addColumn<int>("filter"); // catalogue position, -1 for none
    QTest::addColumn<QSize>("size");
    QTest::newRow("fits a square") << QSize(600, 600) << 360 << QRect() << -1 << QSize(600, 400);
    QTest::newRow("turned fits a square") << QSize(600, 600) << 270 << QRect() << -1 << QSize(400, 600);
    QTest::newRow("never larger than full size")
        << QSize(5000, 5000) << 360 << QRect() << -1 << QSize(1800, 1200);
    QTest::newRow("a crop fits") << QSize(300, 300) << 360 << QRect(0, 0, 900, 600) << -1 << QSize(300, 200);
    // Strong Blur's radius is a length: a reduced picture needs it reduced as much.
    QTest::newRow("a blur, turned, fits") << QSize(700, 700) << 90 << QRect() << 20 << QSize(467, 700);
}

// A print needs no more pixels than its page: the picture is decoded reduced and looks the same.
void FullSizeRenderTest::largestSizeReducesTheDecode() {
    QFETCH(QSize, largest);
    QFETCH(int, rotation);
    QFETCH(QRect, crop);
    QFETCH(int, filter);
    QFETCH(QSize, size);
    EditRecipe recipe;
    recipe.sourcePath = m_photo;
    recipe.rotationAngle = rotation;
    recipe.crop = crop;
    recipe.filterIndex = filter;
    RenderControl control;
    control.largest = largest;
    const RenderedPicture reduced = renderFullSize(recipe, m_catalogues, control);
    QVERIFY2(reduced.error.isEmpty(), qPrintable(reduced.error));
    QCOMPARE(reduced.image.size(), size);
    const QImage full = renderFullSize(recipe, m_catalogues).image;
    const double difference = TestSupport::meanDifference(reduced.image, scaledTo(full, size));
    QVERIFY2(difference < 2.0, qPrintable(QStringLiteral("mean difference %1").arg(difference)));
}

void FullSizeRenderTest::foreignColoursRenderAsTheSRgbOriginal_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QImage::Format>("format");
    QTest::addColumn<QColorSpace>("space");
    QTest::addColumn<QSize>("largest");
    const QColorSpace p3(QColorSpace::DisplayP3);
    const QColorSpace linear(QColorSpace::SRgbLinear);
    QTest::newRow("Display P3 JPEG") << "p3.jpg" << QImage::Format_RGB32 << p3 << QSize();
    QTest::newRow("Display P3 JPEG, decoded reduced for a print")
        << "p3.jpg" << QImage::Format_RGB32 << p3 << QSize(700, 700);
    QTest::newRow("linear 16-bit PNG") << "linear.png" << QImage::Format_RGBX64 << linear << QSize();
    QTest::newRow("linear 16-bit PNG, decoded reduced for a print")
        << "linear.png" << QImage::Format_RGBX64 << linear << QSize(700, 700);
}

// A photo whose profile is not sRGB renders, look and all, as its sRGB original does; both are
// tagged sRGB.
void FullSizeRenderTest::foreignColoursRenderAsTheSRgbOriginal() {
    QFETCH(QString, file);
    QFETCH(QImage::Format, format);
    QFETCH(QColorSpace, space);
    QFETCH(QSize, largest);
    QImage original = m_decoded.convertToFormat(format);
    original.setColorSpace(QColorSpace::SRgb);
    QImage foreign = original.convertedToColorSpace(space);
    const QString suffix = QFileInfo(file).suffix();
    const QString originalPath = m_work + "srgb." + suffix;
    const QString foreignPath = m_work + file;
    for (const auto& [picture, path] : {std::pair{original, originalPath}, std::pair{foreign, foreignPath}}) {
        QImageWriter writer(path);
        writer.setQuality(95);
        QVERIFY2(writer.write(picture), qPrintable(writer.errorString()));
    }

    EditRecipe recipe;
    recipe.filterIndex = m_multiStepFilter;
    recipe.lightIndex = 0;
    RenderControl control;
    control.largest = largest;
    recipe.sourcePath = originalPath;
    const RenderedPicture expected = renderFullSize(recipe, m_catalogues, control);
    recipe.sourcePath = foreignPath;
    const RenderedPicture rendered = renderFullSize(recipe, m_catalogues, control);
    QVERIFY2(rendered.error.isEmpty(), qPrintable(rendered.error));
    QCOMPARE(rendered.image.colorSpace(), QColorSpace(QColorSpace::SRgb));
    // Unconverted, these photos differ from their originals by an RMSE of 0.03 (P3) and 0.17.
    const double difference = TestSupport::rmseDifference(rendered.image, expected.image);
    QVERIFY2(difference >= 0 && difference < 0.01, qPrintable(QStringLiteral("RMSE %1").arg(difference)));
}

void FullSizeRenderTest::strengthBlendsTheLook_data() {
    QTest::addColumn<double>("strength");
    QTest::newRow("none of the look") << 0.0;
    QTest::newRow("half") << 0.5;
}

void FullSizeRenderTest::strengthBlendsTheLook() {
    QFETCH(double, strength);
    EditRecipe recipe;
    recipe.sourcePath = m_photo;
    recipe.filterIndex = m_multiStepFilter;
    const QImage full = renderFullSize(recipe, m_catalogues).image;
    recipe.strength = strength;
    const QImage blended = renderFullSize(recipe, m_catalogues).image;
    const double fromPlain = TestSupport::meanDifference(blended, m_decoded);
    const double fromLook = TestSupport::meanDifference(blended, full);
    const double apart = TestSupport::meanDifference(full, m_decoded);
    QVERIFY(apart > 5.0);
    QVERIFY2(std::abs(fromPlain - strength * apart) < 0.1 * apart + 0.5,
             qPrintable(QStringLiteral("%1 from the picture, %2 apart").arg(fromPlain).arg(apart)));
    QVERIFY(std::abs(fromLook - (1.0 - strength) * apart) < 0.1 * apart + 0.5);
}

void FullSizeRenderTest::failuresSayWhy_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QRect>("crop");
    QTest::addColumn<int>("filter");
    QTest::addColumn<int>("frameMode");
    QTest::addColumn<QString>("framePicture");
    QTest::addColumn<QString>("reason");
    const QString photo = QStringLiteral("<photo>");
    QTest::newRow("missing picture") << "/nonexistent/photo.jpg" << QRect() << -1 << -1 << QString()
                                     << "The picture photo.jpg cannot be read.";
    QTest::newRow("not a picture") << TestSupport::dataFile("../CMakeLists.txt") << QRect() << -1 << -1
                                   << QString() << "The picture CMakeLists.txt cannot be read.";
    QTest::newRow("crop outside") << photo << QRect(2000, 0, 100, 100) << -1 << -1 << QString()
                                  << "The crop lies outside the picture";
    QTest::newRow("filter beyond the catalogue")
        << photo << QRect() << 9998 << -1 << QString() << "There is no filter 9999.";
    QTest::newRow("overlay frame missing") << photo << QRect() << -1 << 0 << "/nonexistent/gold.png"
                                           << "The frame picture gold.png cannot be read.";
    QTest::newRow("nine-slice template missing") << photo << QRect() << -1 << 1 << "/nonexistent/border99.png"
                                                 << "The frame picture border99.png cannot be read.";
}

void FullSizeRenderTest::failuresSayWhy() {
    QFETCH(QString, source);
    QFETCH(QRect, crop);
    QFETCH(int, filter);
    QFETCH(int, frameMode);
    QFETCH(QString, framePicture);
    QFETCH(QString, reason);
    EditRecipe recipe;
    recipe.sourcePath = source == u"<photo>" ? m_photo : source;
    recipe.crop = crop;
    recipe.filterIndex = filter;
    recipe.frameMode = frameMode;
    recipe.framePicture = framePicture;
    const RenderedPicture rendered = renderFullSize(recipe, m_catalogues);
    QVERIFY(rendered.image.isNull());
    QVERIFY(!rendered.cancelled);
    QVERIFY2(rendered.error.startsWith(reason), qPrintable(rendered.error));
}

void FullSizeRenderTest::progressNamesEveryStage() {
    EditRecipe recipe;
    recipe.sourcePath = m_photo;
    recipe.rotationAngle = 270;
    recipe.filterIndex = m_multiStepFilter;
    recipe.lightIndex = 0;
    recipe.frameMode = FrameOverlay;
    recipe.framePicture = m_catalogues.frameRecords.first().effectimage;
    QStringList stages;
    QList<double> fractions;
    RenderControl control;
    control.progress = [&](const RenderProgress& progress) {
        stages << progress.stage;
        fractions << progress.fraction;
    };
    const RenderedPicture rendered = renderFullSize(recipe, m_catalogues, control);
    QVERIFY2(rendered.error.isEmpty(), qPrintable(rendered.error));

    const int steps = int(m_catalogues.filterLooks[m_multiStepFilter].steps.size());
    QStringList expected{"Decoding", "Turning"};
    for (int step = 1; step <= steps; ++step)
        expected << QStringLiteral("Filter: step %1 of %2").arg(step).arg(steps);
    expected << "Light"
             << "Frame";
    QCOMPARE(stages, expected);
    QCOMPARE(fractions.first(), 0.0);
    for (qsizetype i = 1; i < fractions.size(); ++i)
        QVERIFY(fractions[i] > fractions[i - 1] && fractions[i] < 1.0);
}

void FullSizeRenderTest::cancelStopsBetweenSteps() {
    EditRecipe recipe;
    recipe.sourcePath = m_photo;
    recipe.filterIndex = m_multiStepFilter;
    std::atomic<bool> cancel{false};
    QStringList stages;
    RenderControl control;
    control.cancel = &cancel;
    control.progress = [&](const RenderProgress& progress) {
        stages << progress.stage;
        if (progress.stage.startsWith(u"Filter: step 2"))
            cancel = true;
    };
    const RenderedPicture rendered = renderFullSize(recipe, m_catalogues, control);
    QVERIFY(rendered.cancelled);
    QVERIFY(rendered.image.isNull());
    QVERIFY(stages.last().startsWith(u"Filter: step 2"));
}

QTEST_GUILESS_MAIN(FullSizeRenderTest)
#include "tst_fullsize_render.moc"
