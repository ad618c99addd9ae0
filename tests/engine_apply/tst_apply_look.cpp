#include "AppPaths.h"
#include "FramePieces.h"
#include "LookCommands.h"
#include "LookRendering.h"
#include "MagickBridge.h"
#include "MagickSession.h"
#include "PrintShared.h"
#include "PrintStatePublish.h"
#include "QuarterTurn.h"
#include "RasterIO.h"
#include "TestSupport.h"
#include "WorkFiles.h"

#include <QFile>
#include <QPainter>
#include <QtTest>

#include <memory>

#include <wand/MagickWand.h>

namespace {

EffectRecord step(int operation, float radius = 0, float sigma = 0) {
    EffectRecord record;
    record.neffectfunction = operation;
    record.imchannel = 0x7FFFFFF;
    record.radius = radius;
    record.sigma = sigma;
    return record;
}

const QColor kGrid[9] = {Qt::red,     Qt::green,  Qt::blue,    Qt::cyan,     Qt::gray,
                         Qt::magenta, Qt::yellow, Qt::darkRed, Qt::darkGreen};

// A 900 x 900 frame template whose 3 x 3 cells (240 / 420 / 240) each have a colour of their own.
QImage gridTemplate() {
    QImage image(900, 900, QImage::Format_ARGB32);
    QPainter painter(&image);
    const int edges[4] = {0, 240, 660, 900};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            painter.fillRect(
                QRect(QPoint(edges[col], edges[row]), QPoint(edges[col + 1] - 1, edges[row + 1] - 1)),
                kGrid[row * 3 + col]);
    return image;
}

bool sameColour(QRgb a, const QColor& b, int tolerance = 3) {
    return std::abs(qRed(a) - b.red()) <= tolerance && std::abs(qGreen(a) - b.green()) <= tolerance &&
           std::abs(qBlue(a) - b.blue()) <= tolerance;
}

} // namespace

class ApplyLookTest : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void filterClickUsesTurnedCopyAndCaches_data();
    void filterClickUsesTurnedCopyAndCaches();
    void croppedPictureIsTurnedBeforeTheLook();
    void filterAndLightTogether();
    void lightInBandsIsTheWholeOverlay_data();
    void lightInBandsIsTheWholeOverlay();
    void lightBeyondCatalogueShowsPictureUnlit_data();
    void lightBeyondCatalogueShowsPictureUnlit();
    void positionToCatalogueIndex_data();
    void positionToCatalogueIndex();
    void frameChoice_data();
    void frameChoice();
    void frameTemplateScales_data();
    void frameTemplateScales();
    void framePiecesComeFromTheirCells();
    void refusedWhileBusy_data();
    void refusedWhileBusy();
    void failedLookKeepsLastGoodLook_data();
    void failedLookKeepsLastGoodLook();

  private:
    // A click as the editor makes it: the look, then the print dialog's copy of the edit.
    bool click(int panel, int position, const QString& path = QStringLiteral("cell.jpg")) {
        const bool applied = onThumbClicked(*m_state, m_catalogues, ThumbClick{panel, position, path});
        publishPrintState(*m_state, PrintShared::instance());
        return applied;
    }

    MagickSession m_magick;
    QString m_work;
    QImage m_picture;
    std::unique_ptr<EditState> m_state;
    Catalogues m_catalogues;
};

void ApplyLookTest::init() {
    m_work = TestSupport::freshWorkFolder();
    PrintShared::instance().reset();
    m_state = std::make_unique<EditState>();
    m_state->sourceWidth = 2000;
    m_state->sourceHeight = 2000;
    m_picture = RasterIO::load(TestSupport::dataFile("coffee.png")); // 600 x 400
    for (int angle : {0, 90, 180, 270})
        QVERIFY(RasterIO::saveWorkingJpeg(turnPicture(m_picture, angle), WorkFiles::rotatedCopyPath(angle)));

    // Twelve filters: 3 shaves 10 pixels off every side, 5 fails at its first step, the rest negate.
    m_catalogues = Catalogues();
    for (int n = 1; n <= 12; ++n) {
        FilterLook look;
        if (n == 3)
            look.steps = {step(202, 10, 10)};
        else if (n == 5)
            look.steps = {step(0), step(115)};
        else
            look.steps = {step(115)};
        m_catalogues.filterLooks.append(look);
    }
    // Two lights laying an overlay whose left half is opaque red and right half transparent.
    QImage overlay(400, 300, QImage::Format_ARGB32);
    overlay.fill(Qt::transparent);
    QPainter(&overlay).fillRect(0, 0, 200, 300, Qt::red);
    QVERIFY(overlay.save(m_work + "halfred.png"));
    for (int i = 0; i < 2; ++i) {
        LightRecord light;
        light.neffectfunction = 35;
        light.nenum = OverCompositeOp;
        light.effectimage = m_work + "halfred.png";
        m_catalogues.lightRecords.append(light);
    }
}

void ApplyLookTest::filterClickUsesTurnedCopyAndCaches_data() {
    QTest::addColumn<int>("rotation");
    QTest::addColumn<QSize>("result");
    QTest::newRow("unturned") << 360 << QSize(580, 380);
    QTest::newRow("three quarters") << 270 << QSize(380, 580);
}

void ApplyLookTest::filterClickUsesTurnedCopyAndCaches() {
    QFETCH(int, rotation);
    QFETCH(QSize, result);
    m_state->rotationAngle = rotation;
    m_state->viewBitmap = RasterIO::load(WorkFiles::rotatedCopyPath(rotation));
    QVERIFY(click(FilterPanel, 2));
    QCOMPARE(m_state->effectBasePath, WorkFiles::rotatedCopyPath(rotation));
    QCOMPARE(m_state->filterIndex, 2);
    QCOMPARE(m_state->lastFilterIndex, 2);
    QCOMPARE(m_state->selectedFilterThumb, QStringLiteral("cell.jpg"));
    QCOMPARE(RasterIO::pictureSize(WorkFiles::filterResultPath(3)), result);
    QCOMPARE(m_state->effectBitmap.size(), result);
    QCOMPARE(m_state->cachedFilterBitmap, m_state->effectBitmap);
    QCOMPARE(m_state->renderTarget, int(RenderToThumbnail));
    const PrintShared& print = PrintShared::instance();
    QCOMPARE(print.printLook, m_state->effectBitmap);
    QCOMPARE(print.printPicture.size(), result + QSize(20, 20));

    // The same cell again: the cached raster, no new result file.
    QVERIFY(QFile::remove(WorkFiles::filterResultPath(3)));
    const qint64 shown = m_state->effectBitmap.cacheKey();
    QVERIFY(click(FilterPanel, 2));
    QVERIFY(!QFile::exists(WorkFiles::filterResultPath(3)));
    QCOMPARE(m_state->effectBitmap.cacheKey(), shown);
    QCOMPARE(print.printLook.cacheKey(), shown);
}

void ApplyLookTest::croppedPictureIsTurnedBeforeTheLook() {
    m_state->pictureCropped = true;
    m_state->currentBitmap = m_picture.copy(0, 0, 300, 200);
    m_state->rotationAngle = 90;
    QVERIFY(click(FilterPanel, 2));
    const QString turned = WorkFiles::path(WorkFiles::kCroppedTurned);
    QCOMPARE(m_state->currentImagePath, turned);
    QCOMPARE(m_state->effectBasePath, turned);
    QCOMPARE(RasterIO::pictureSize(turned), QSize(200, 300));
    QCOMPARE(m_state->viewBitmap.size(), QSize(200, 300));
    QCOMPARE(PrintShared::instance().printPicture.size(), QSize(200, 300));
    QCOMPARE(m_state->effectBitmap.size(), QSize(180, 280));
    QVERIFY(TestSupport::meanDifference(m_state->viewBitmap, turnPicture(m_state->currentBitmap, 90)) < 3.0);
}

void ApplyLookTest::filterAndLightTogether() {
    QVERIFY(click(FilterPanel, 2));
    QVERIFY(QFile::remove(WorkFiles::filterResultPath(3)));
    QVERIFY(click(LightPanel, 0));
    // The filter ran again and the light lies over its result, stretched to its size.
    QVERIFY(QFile::exists(WorkFiles::filterResultPath(3)));
    QVERIFY(m_state->combinedCached);
    const QImage combined = m_state->effectBitmap;
    QCOMPARE(combined.size(), QSize(580, 380));
    QCOMPARE(m_state->cachedCombinedBitmap, combined);
    const QImage filtered = RasterIO::load(WorkFiles::filterResultPath(3));
    QVERIFY(sameColour(combined.pixel(10, 200), Qt::red));
    QVERIFY(sameColour(combined.pixel(280, 370), Qt::red));
    QVERIFY(sameColour(combined.pixel(300, 10), QColor(filtered.pixel(300, 10))));
    QVERIFY(sameColour(combined.pixel(570, 370), QColor(filtered.pixel(570, 370))));

    // Re-clicking either cell, or any frame cell, shows the cached pair without recomputing.
    QVERIFY(QFile::remove(WorkFiles::filterResultPath(3)));
    QVERIFY(click(LightPanel, 0));
    QVERIFY(click(FilterPanel, 2));
    QVERIFY(click(FramePanel, -1));
    QVERIFY(!QFile::exists(WorkFiles::filterResultPath(3)));
    QCOMPARE(m_state->effectBitmap.cacheKey(), combined.cacheKey());

    // With the light list emptied the look is the filter alone.
    QVERIFY(click(LightPanel, -1));
    QCOMPARE(m_state->lightActive, int(LookOff));
    QVERIFY(!m_state->combinedCached);
    QCOMPARE(m_state->effectBitmap.size(), QSize(580, 380));
    QVERIFY(sameColour(m_state->effectBitmap.pixel(10, 200), QColor(filtered.pixel(10, 200)), 6));
}

void ApplyLookTest::lightInBandsIsTheWholeOverlay_data() {
    QTest::addColumn<int>("blend");
    QTest::addColumn<int>("height");
    const int band = kLightBandRows;
    for (const int blend : {MultiplyCompositeOp, OverlayCompositeOp, ScreenCompositeOp, SoftLightCompositeOp,
                            LinearDodgeCompositeOp, OverCompositeOp, DifferenceCompositeOp})
        for (const int height : {band / 3, band, 2 * band + 37})
            QTest::addRow("blend %d, %d rows", blend, height) << blend << height;
}

// A light laid band by band gives exactly the picture the whole stretched overlay laid at once
// gives, at every band's edge too.
void ApplyLookTest::lightInBandsIsTheWholeOverlay() {
    QFETCH(int, blend);
    QFETCH(int, height);
    const QImage photo =
        RasterIO::load(TestSupport::dataFile("chelsea.png")).scaled(480, height, Qt::IgnoreAspectRatio);
    LightRecord light;
    light.neffectfunction = 35;
    light.nenum = blend;
    light.effectimage = TestSupport::dataFile("astronaut.png");

    WandPtr banded(raster2magick(photo));
    EffectRouting routing;
    routing.renderTarget = RenderToNowhere;
    QVERIFY(layLight(routing, light, 1, banded.get()));

    WandPtr whole(raster2magick(photo));
    WandPtr overlay = newWand();
    QVERIFY(bitmap2magick(light.effectimage, overlay.get(), photo.width(), photo.height()));
    QVERIFY(MagickCompositeImage(whole.get(), overlay.get(), CompositeOperator(blend), 0, 0));
    QCOMPARE(TestSupport::maxChannelDifference(magick2raster(banded.get()), magick2raster(whole.get())), 0);
}

void ApplyLookTest::lightBeyondCatalogueShowsPictureUnlit_data() {
    QTest::addColumn<bool>("withFilter");
    QTest::newRow("light alone") << false;
    QTest::newRow("over a filter") << true;
}

void ApplyLookTest::lightBeyondCatalogueShowsPictureUnlit() {
    QFETCH(bool, withFilter);
    if (withFilter)
        QVERIFY(click(FilterPanel, 2));
    QVERIFY(click(LightPanel, 24));
    QCOMPARE(m_state->lightIndex, 24);
    QCOMPARE(m_state->lightActive, int(LookOn));
    const QString unlit = withFilter ? WorkFiles::filterResultPath(3) : WorkFiles::rotatedCopyPath(0);
    QCOMPARE(TestSupport::maxChannelDifference(m_state->effectBitmap, RasterIO::load(unlit)), 0);
}

void ApplyLookTest::positionToCatalogueIndex_data() {
    QTest::addColumn<int>("panel");
    QTest::addColumn<bool>("categoryChanged");
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("index");
    QTest::newRow("filter category") << int(FilterPanel) << true << QList<int>{4, 9, 12} << 1 << 8;
    QTest::newRow("numbers without a category choice")
        << int(FilterPanel) << false << QList<int>{4, 9, 12} << 1 << 8;
    QTest::newRow("no numbers") << int(FilterPanel) << true << QList<int>{} << 6 << 6;
    QTest::newRow("light category") << int(LightPanel) << true << QList<int>{2} << 0 << 1;
}

void ApplyLookTest::positionToCatalogueIndex() {
    QFETCH(int, panel);
    QFETCH(bool, categoryChanged);
    QFETCH(QList<int>, numbers);
    QFETCH(int, position);
    QFETCH(int, index);
    m_state->categoryChanged = categoryChanged;
    (panel == FilterPanel ? m_state->filterListNumbers : m_state->lightListNumbers) = numbers;
    QVERIFY(click(panel, position));
    if (panel == FilterPanel) {
        QCOMPARE(m_state->filterIndex, index);
        QVERIFY(QFile::exists(WorkFiles::filterResultPath(index + 1)));
    } else {
        QCOMPARE(m_state->lightIndex, index);
    }
}

void ApplyLookTest::frameChoice_data() {
    const QString bundle = AppPaths::programFolder() + "border.bundle/";
    QTest::addColumn<QString>("thumb");
    QTest::addColumn<int>("frameMode");
    QTest::addColumn<QString>("overlay");
    QTest::newRow("overlay thumbnail") << bundle + "gold_thumb.jpg" << 0 << bundle + "gold.png";
    QTest::newRow("nine-slice by exact path") << QStringLiteral("border2.png") << 1 << QString();
    QTest::newRow("letter case differs") << QStringLiteral("Border2.png") << -1 << QString();
    QTest::newRow("overlay without entry") << bundle + "leaf_thumb.png" << -1 << QString();
}

void ApplyLookTest::frameChoice() {
    QFETCH(QString, thumb);
    QFETCH(int, frameMode);
    QFETCH(QString, overlay);
    const QString bundle = AppPaths::programFolder() + "border.bundle/";
    const QString nineSlice = m_work + "border2.png";
    QVERIFY(gridTemplate().save(nineSlice));
    m_catalogues.frameRecords = {
        {bundle + "gold.png", 1, {}}, {bundle + "gold.png", 0, {}}, {nineSlice, 1, {}}};
    if (!thumb.contains('/'))
        thumb = m_work + thumb;

    QVERIFY(click(FilterPanel, 2));
    QVERIFY(QFile::remove(WorkFiles::filterResultPath(3)));
    const qint64 look = m_state->effectBitmap.cacheKey();
    QVERIFY(click(FramePanel, 0, thumb));
    QCOMPARE(m_state->frameMode, frameMode);
    QCOMPARE(PrintShared::instance().printFrameMode, frameMode);
    QCOMPARE(m_state->frameOverlayPath, overlay);
    QCOMPARE(PrintShared::instance().printOverlayPath, overlay);
    QCOMPARE(m_state->framePieces[0].isNull(), frameMode != FrameNineSlice);
    QCOMPARE(m_state->frameThumbPathCopy, frameMode == FrameNone ? QString() : thumb);
    QCOMPARE(m_state->selectedFrameThumb, thumb);
    // The frame never touches the filter and light result.
    QVERIFY(!QFile::exists(WorkFiles::filterResultPath(3)));
    QCOMPARE(m_state->effectBitmap.cacheKey(), look);
}

void ApplyLookTest::frameTemplateScales_data() {
    QTest::addColumn<int>("shorterSide");
    QTest::addColumn<int>("reference");
    QTest::addColumn<int>("square");
    QTest::addColumn<int>("corner");
    QTest::addColumn<int>("edge");
    QTest::newRow("2000") << 2000 << 4000 << 450 << 120 << 210;
    QTest::newRow("4000") << 4000 << 4000 << 900 << 240 << 420;
    QTest::newRow("4001") << 4001 << 5000 << 720 << 192 << 336;
    QTest::newRow("8000") << 8000 << 6000 << 1200 << 320 << 560;
    QTest::newRow("tiny") << 3 << 4000 << 0 << 0 << 0;
}

void ApplyLookTest::frameTemplateScales() {
    QFETCH(int, shorterSide);
    QFETCH(int, reference);
    QFETCH(int, square);
    QFETCH(int, corner);
    QFETCH(int, edge);
    const FrameTemplateScale scale = frameTemplateScale(shorterSide);
    QCOMPARE(scale.referenceSide, reference);
    QCOMPARE(scale.square, square);
    QCOMPARE(scale.corner, corner);
    QCOMPARE(scale.edge, edge);
}

void ApplyLookTest::framePiecesComeFromTheirCells() {
    QVERIFY(gridTemplate().save(m_work + "border7.png"));
    m_state->sourceWidth = 2000;
    m_state->sourceHeight = 3000;
    QVERIFY(buildFramePieces(*m_state, FrameRecord{m_work + "border7.png", 1, {}}));
    QCOMPARE(m_state->frameSliceSizes, (std::array<int, 8>{120, 210, 120, 120, 120, 120, 210, 120}));
    // Corners clockwise from the top left, then the edges top, right, bottom, left.
    const int cells[8] = {0, 2, 8, 6, 1, 5, 7, 3};
    const QSize sizes[8] = {{120, 120}, {120, 120}, {120, 120}, {120, 120},
                            {210, 120}, {120, 210}, {210, 120}, {120, 210}};
    for (int i = 0; i < 8; ++i) {
        const QImage& piece = m_state->framePieces[i];
        QCOMPARE(piece.size(), sizes[i]);
        QVERIFY2(sameColour(piece.pixel(piece.width() / 2, piece.height() / 2), kGrid[cells[i]]),
                 qPrintable(QString::number(i)));
        publishPrintState(*m_state, PrintShared::instance());
        QCOMPARE(PrintShared::instance().printFramePieces[i], piece);
    }

    // A template that cannot be read keeps the pieces cut before.
    const qint64 kept = m_state->framePieces[0].cacheKey();
    QVERIFY(!buildFramePieces(*m_state, FrameRecord{m_work + "missing.png", 1, {}}));
    QCOMPARE(m_state->framePieces[0].cacheKey(), kept);
}

void ApplyLookTest::refusedWhileBusy_data() {
    QTest::addColumn<bool>("worker");
    QTest::newRow("thumbnail worker") << true;
    QTest::newRow("export") << false;
}

void ApplyLookTest::refusedWhileBusy() {
    QFETCH(bool, worker);
    (worker ? m_state->workerBusy : m_state->exportBusy) = true;
    QVERIFY(!click(FilterPanel, 2));
    QCOMPARE(m_state->filterIndex, -1);
    QVERIFY(!QFile::exists(WorkFiles::filterResultPath(3)));
    // Applying to a file holds the worker flag itself, so it cannot overlap a worker either.
    QCOMPARE(applyFilterToFile(*m_state, m_catalogues, 0, WorkFiles::rotatedCopyPath(0)), !worker);
    QCOMPARE(m_state->workerBusy.load(), worker);
}

void ApplyLookTest::failedLookKeepsLastGoodLook_data() {
    QTest::addColumn<bool>("failingStep");
    QTest::newRow("a step fails") << true;
    QTest::newRow("base picture unreadable") << false;
}

void ApplyLookTest::failedLookKeepsLastGoodLook() {
    QFETCH(bool, failingStep);
    QVERIFY(click(FilterPanel, 2));
    const qint64 look = m_state->effectBitmap.cacheKey();
    if (!failingStep)
        QVERIFY(QFile::remove(WorkFiles::rotatedCopyPath(0)));
    QVERIFY(!click(FilterPanel, failingStep ? 4 : 0));
    QCOMPARE(m_state->filterIndex, 2);
    QCOMPARE(m_state->lastFilterIndex, 2);
    QCOMPARE(m_state->selectedFilterThumb, QStringLiteral("cell.jpg"));
    QCOMPARE(m_state->effectBitmap.cacheKey(), look);
    QCOMPARE(PrintShared::instance().printLook.cacheKey(), look);
    QCOMPARE(m_state->renderTarget, int(RenderToThumbnail));
}

QTEST_MAIN(ApplyLookTest)
#include "tst_apply_look.moc"
