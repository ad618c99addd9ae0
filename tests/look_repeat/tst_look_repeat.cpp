// Noise, spread, sketch and random thresholds: the same picture and look give the same pixels
// every time, with the library's threads at work, with two looks at once in one process, and in
// every run of the program.

#include "LookRendering.h"
#include "MagickSession.h"
#include "ShippedLooks.h"
#include "TestSupport.h"

#include <QProcess>
#include <QtTest>

#include <thread>

#include <wand/MagickWand.h>

Q_DECLARE_METATYPE(FilterLook)

namespace {

FilterLook oneStep(int number, float R, float S, float B, int nenum) {
    EffectRecord step;
    step.neffectfunction = number;
    step.radius = R;
    step.sigma = S;
    step.brightness = B;
    step.nenum = nenum;
    step.imchannel = 0x7FFFFFF;
    return FilterLook{{step}};
}

} // namespace

class LookRepeatTest : public QObject {
    Q_OBJECT

    MagickSession m_magick;
    Catalogues m_catalogues;
    QString m_folder;
    QString m_photoPath;

    QImage render(const FilterLook& look) const {
        EffectRouting routing;
        routing.renderTarget = RenderToView;
        if (!renderFilterLook(routing, look, 1, m_photoPath, "tst_look_repeat"))
            return {};
        return routing.effectBitmap;
    }

  private slots:
    void initTestCase() {
        // Several threads per operation even on a small machine: a generator shared out between
        // them is what would make the pixels differ from run to run.
        MagickSetResourceLimit(ThreadResource, 4);
        m_catalogues = shippedCatalogues();
        QVERIFY(m_catalogues.filterLooks.size() >= 54);
        m_folder = TestSupport::freshWorkFolder();
        m_photoPath = m_folder + QStringLiteral("photo.png");
        QVERIFY(QImage(TestSupport::dataFile(QStringLiteral("coffee.png"))).save(m_photoPath));
    }

    void sameEveryTime_data() {
        QTest::addColumn<FilterLook>("look");
        QTest::newRow("Gaussian noise") << oneStep(7, 0, 0, 0, 2);
        QTest::newRow("impulse noise on red") << oneStep(8, 0, 0, 0, 4);
        QTest::newRow("spread") << oneStep(210, 3, 0, 0, 0);
        QTest::newRow("sketch") << oneStep(206, 0, 2, 45, 0);
        QTest::newRow("random threshold") << oneStep(138, 20000, 40000, 0, 0);
        QTest::newRow("noise by evaluation") << oneStep(58, 0.3f, 0, 0, 18);
        QTest::newRow("29 Frosted Glass") << m_catalogues.filterLooks[28];
        QTest::newRow("52 Film Grain") << m_catalogues.filterLooks[51];
        QTest::newRow("54 Old Photograph") << m_catalogues.filterLooks[53];
    }

    void sameEveryTime() {
        QFETCH(FilterLook, look);
        const QImage first = render(look);
        QVERIFY(!first.isNull());
        QCOMPARE(render(look), first);

        // Two looks at once, as the renderer runs several pictures in parallel.
        QImage inThread[2];
        std::thread a([&] { inThread[0] = render(look); });
        std::thread b([&] { inThread[1] = render(look); });
        a.join();
        b.join();
        QCOMPARE(inThread[0], first);
        QCOMPARE(inThread[1], first);
    }

    // A key drawn once per run would pass the test above; two runs of the program tell.
    void sameInEveryRun() {
        QStringList outputs;
        for (const char* name : {"first.png", "second.png"}) {
            QProcess process;
            process.start(TestSupport::binFolder() + QStringLiteral("/lumenkraft-render"),
                          {QStringLiteral("--filter"), QStringLiteral("52"), m_photoPath,
                           m_folder + QLatin1String(name)});
            QVERIFY(process.waitForFinished(120000));
            QCOMPARE(process.exitCode(), 0);
            outputs << m_folder + QLatin1String(name);
        }
        const QImage first(outputs[0]);
        QVERIFY(!first.isNull());
        QCOMPARE(QImage(outputs[1]), first);
    }
};

QTEST_GUILESS_MAIN(LookRepeatTest)
#include "tst_look_repeat.moc"
