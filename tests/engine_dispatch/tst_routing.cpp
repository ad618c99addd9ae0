// Where a finished look goes, and what a failing step leaves behind.

#include "EffectDispatch.h"
#include "MagickBridge.h"
#include "MagickSession.h"
#include "RasterIO.h"
#include "TestSupport.h"
#include "WandHelpers.h"
#include "WorkFiles.h"

#include <QtTest>

namespace {

EffectRecord step(int number, float radius = 0, float sigma = 0) {
    EffectRecord record;
    record.neffectfunction = number;
    record.radius = radius;
    record.sigma = sigma;
    return record;
}

// Blur, shrink to 40 x 30, negate: each step leaves a picture the others cannot.
const QList<EffectRecord> kThreeSteps = {step(18, 2, 1), step(152, 40, 30), step(115)};

// The composite needs a second picture; with an empty one the library refuses the step.
EffectRecord failingComposite() {
    EffectRecord record = step(35);
    record.nenum = 40;
    return record;
}

} // namespace

class TestRouting : public QObject {
    Q_OBJECT

    MagickSession m_session;
    QString m_work;
    QImage m_picture;

    bool runLook(EffectRouting& routing, int n, const QList<EffectRecord>& steps, MagickWand* image,
                 MagickWand* second = nullptr, const std::function<void(int)>& afterStep = {}) {
        for (int i = 0; i < steps.size(); ++i) {
            if (!run_effect_function(routing, n, second, steps[i], int(steps.size()), i + 1, image))
                return false;
            if (afterStep)
                afterStep(i + 1);
        }
        return true;
    }

    QImage expectedThreeStepResult() {
        WandPtr wand(raster2magick(m_picture));
        EffectRouting routing;
        routing.renderTarget = RenderToView;
        runLook(routing, 1, kThreeSteps, wand.get());
        return routing.effectBitmap;
    }

  private slots:
    void initTestCase() {
        m_work = TestSupport::freshWorkFolder();
        WorkFiles::ensureWorkFolder(WorkFiles::kThumbFolder);
        WorkFiles::ensureWorkFolder(WorkFiles::kResultFolder);
        m_picture = RasterIO::load(TestSupport::dataFile("chelsea.png")).scaled(90, 60);
    }

    void thumbnailIsWrittenAndHandedOverOnce() {
        WandPtr wand(raster2magick(m_picture));
        EffectRouting routing;
        QStringList handedOver;
        QList<QSize> sizesWhenHandedOver;
        routing.thumbReady = [&](const QString& path) {
            // The file must be complete when the list gets it.
            sizesWhenHandedOver.append(RasterIO::pictureSize(path));
            handedOver.append(path);
        };
        QVERIFY(runLook(routing, 3, kThreeSteps, wand.get()));
        QCOMPARE(handedOver, QStringList{m_work + "a/3.jpg"});
        QCOMPARE(routing.lastRenderedPathW, m_work + "a/3.jpg");
        QVERIFY(TestSupport::meanDifference(RasterIO::load(handedOver[0]), expectedThreeStepResult()) < 3.0);
        QVERIFY(routing.effectBitmap.isNull());

        WandPtr next(raster2magick(m_picture));
        QVERIFY(runLook(routing, 12, {step(115)}, next.get()));
        QCOMPARE(routing.lastRenderedPathW, m_work + "a/12.jpg");
        QCOMPARE(handedOver.size(), 2);
        QCOMPARE(sizesWhenHandedOver, (QList<QSize>{QSize(40, 30), QSize(90, 60)}));
    }

    void targetsOtherThanThumbnail_data() {
        QTest::addColumn<int>("target");
        QTest::addColumn<bool>("writesFile");
        QTest::addColumn<bool>("setsView");
        QTest::newRow("filter result") << int(RenderToFilterResult) << true << true;
        QTest::newRow("view only") << int(RenderToView) << false << true;
        QTest::newRow("nowhere") << int(RenderToNowhere) << false << false;
    }

    void targetsOtherThanThumbnail() {
        QFETCH(int, target);
        QFETCH(bool, writesFile);
        QFETCH(bool, setsView);
        QFile::remove(m_work + "b/5.jpg");
        WandPtr wand(raster2magick(m_picture));
        EffectRouting routing;
        routing.renderTarget = target;
        int handedOver = 0;
        routing.thumbReady = [&](const QString&) { ++handedOver; };
        QVERIFY(runLook(routing, 5, kThreeSteps, wand.get()));
        QCOMPARE(handedOver, 0);
        QCOMPARE(QFileInfo::exists(m_work + "b/5.jpg"), writesFile);
        QCOMPARE(routing.filterResultPath, writesFile ? m_work + "b/5.jpg" : QString());
        QCOMPARE(!routing.effectBitmap.isNull(), setsView);
        if (setsView)
            QCOMPARE(TestSupport::maxChannelDifference(routing.effectBitmap, magick2raster(wand.get())), 0);
        if (writesFile)
            QVERIFY(TestSupport::meanDifference(RasterIO::load(routing.filterResultPath),
                                                routing.effectBitmap) < 3.0);
    }

    // A step the library refuses is reported once and abandons the look; every result of the
    // previous look stays as it was, wherever the failing step stands.
    void failingStepKeepsTheLastGoodResult_data() {
        QTest::addColumn<int>("target");
        QTest::addColumn<int>("failingStep");
        QTest::newRow("first of two, filter result") << int(RenderToFilterResult) << 1;
        QTest::newRow("only step, filter result") << int(RenderToFilterResult) << 2;
        QTest::newRow("last of two, thumbnail") << int(RenderToThumbnail) << 2;
        QTest::newRow("last of two, view") << int(RenderToView) << 2;
    }

    void failingStepKeepsTheLastGoodResult() {
        QFETCH(int, target);
        QFETCH(int, failingStep);

        EffectRouting routing;
        routing.renderTarget = target;
        const QImage good = TestSupport::makePicture(20, 10);
        routing.effectBitmap = good;
        routing.filterResultPath = QStringLiteral("previous.jpg");
        routing.lastRenderedPathW = QStringLiteral("previous-thumb.jpg");
        int handedOver = 0;
        routing.thumbReady = [&](const QString&) { ++handedOver; };
        for (const char* name : {"b/9.jpg", "a/9.jpg"})
            QFile::remove(m_work + name);

        QList<EffectRecord> look = {step(115), step(115)};
        look[failingStep - 1] = failingComposite();
        WandPtr wand(raster2magick(m_picture));
        WandPtr empty(NewMagickWand());
        bool finished = true;
        const QString errors =
            captureStandardError([&] { finished = runLook(routing, 9, look, wand.get(), empty.get()); });

        QVERIFY(!finished);
        QCOMPARE(errors.count(QLatin1Char('\n')), 1);
        QVERIFY2(errors.startsWith(QStringLiteral("veZirDlg CcsAllDlg::run_effect_function ")),
                 qPrintable(errors));
        QVERIFY2(errors.contains(QStringLiteral("no images")), qPrintable(errors));
        QCOMPARE(handedOver, 0);
        QCOMPARE(routing.filterResultPath, QStringLiteral("previous.jpg"));
        QCOMPARE(routing.lastRenderedPathW, QStringLiteral("previous-thumb.jpg"));
        QCOMPARE(routing.effectBitmap, good);
        QVERIFY(!QFileInfo::exists(m_work + "b/9.jpg"));
        QVERIFY(!QFileInfo::exists(m_work + "a/9.jpg"));
    }

    // Number 0 has no operation and counts as a failure; the line carries no library text.
    void numberZeroIsReported() {
        WandPtr wand(raster2magick(m_picture));
        EffectRouting routing;
        routing.renderTarget = RenderToView;
        bool ok = true;
        const QString errors = captureStandardError(
            [&] { ok = run_effect_function(routing, 1, nullptr, step(0), 1, 1, wand.get()); });
        QVERIFY(!ok);
        QVERIFY(routing.effectBitmap.isNull());
        QCOMPARE(errors.count(QLatin1Char('\n')), 1);
        QVERIFY(errors.startsWith(QStringLiteral("veZirDlg CcsAllDlg::run_effect_function ")));
    }

    // The filter result becomes the next working picture: if it cannot be written the look
    // must not pretend to have been applied.
    void unwritableFilterResultFails() {
        QDir(m_work + "b").removeRecursively();
        QFile blocker(m_work + "b");
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        WandPtr wand(raster2magick(m_picture));
        EffectRouting routing;
        routing.renderTarget = RenderToFilterResult;
        bool ok = true;
        const QString errors = captureStandardError(
            [&] { ok = run_effect_function(routing, 4, nullptr, step(115), 1, 1, wand.get()); });
        QFile::remove(m_work + "b");
        WorkFiles::ensureWorkFolder(WorkFiles::kResultFolder);
        QVERIFY(!ok);
        QVERIFY(routing.filterResultPath.isEmpty());
        QVERIFY(routing.effectBitmap.isNull());
        QCOMPARE(errors.count(QLatin1Char('\n')), 1);
    }
};

QTEST_GUILESS_MAIN(TestRouting)
#include "tst_routing.moc"
