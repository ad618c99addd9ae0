// lumenkraft-render, run as a separate program, against the engine run in this process.

#include "CatalogValues.h"
#include "EffectDispatch.h"
#include "LookOnPicture.h"
#include "MagickBridge.h"
#include "MagickSession.h"
#include "RasterIO.h"
#include "ShippedLooks.h"
#include "TestSupport.h"
#include "WandHelpers.h"

#include <QtTest>

namespace {

using Run = TestSupport::ProgramRun;

Run render(const QStringList& arguments) {
    return TestSupport::runProgram(QStringLiteral("lumenkraft-render"), arguments);
}

} // namespace

class TestRender : public QObject {
    Q_OBJECT

    MagickSession m_session;
    QString m_work;
    QString m_input;
    Catalogues m_catalogues;

    QImage stepInProcess(const EffectRecord& record) {
        WandPtr image(NewMagickWand());
        WandPtr second(NewMagickWand());
        MagickReadImage(image.get(), magickPath(m_input).constData());
        EffectRouting routing;
        routing.renderTarget = RenderToView;
        run_effect_function(routing, 1, second.get(), record, 1, 1, image.get());
        return routing.effectBitmap;
    }

  private slots:
    void initTestCase() {
        m_work = TestSupport::freshWorkFolder();
        m_input = TestSupport::dataFile("coffee.png");
        m_catalogues = shippedCatalogues();
        QVERIFY(m_catalogues.filterLooks.size() >= 4);
        QVERIFY(m_catalogues.lightRecords.size() >= 2);
    }

    void stepMatchesTheEngine_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("number");
        QTest::addColumn<float>("radius");
        QTest::addColumn<float>("sigma");
        QTest::addColumn<int>("nenum");
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("bool1");
        QTest::newRow("negate gray") << QStringList{"--step", "115", "--bool1", "1"} << 115 << 0.f << 0.f << 0
                                     << 0 << 1;
        QTest::newRow("scale") << QStringList{"--step", "152", "--radius", "40.7", "--sigma", "30"} << 152
                               << 40.7f << 30.f << 0 << 0 << 0;
        QTest::newRow("blur on green")
            << QStringList{"--step", "19", "--radius", "1", "--sigma", "1", "--channel", "4"} << 19 << 1.f
            << 1.f << 0 << 4 << 0;
        QTest::newRow("gamma on blue") << QStringList{"--step", "72", "--radius", "0.5", "--channel", "6"}
                                       << 72 << 0.5f << 0.f << 0 << 6 << 0;
    }

    void stepMatchesTheEngine() {
        QFETCH(QStringList, options);
        QFETCH(int, number);
        QFETCH(float, radius);
        QFETCH(float, sigma);
        QFETCH(int, nenum);
        QFETCH(int, channel);
        QFETCH(int, bool1);
        const QString output = m_work + QStringLiteral("step out.png");
        const Run run = render(options << m_input << output);
        QVERIFY2(run.exitCode == 0, qPrintable(run.errorLines.join('\n')));
        QVERIFY(run.errorLines.isEmpty());

        EffectRecord record;
        record.neffectfunction = number;
        record.radius = radius;
        record.sigma = sigma;
        record.nenum = nenum;
        record.imchannel = *CatalogValues::channelMask(channel);
        record.imboolval1 = bool1;
        QCOMPARE(TestSupport::maxChannelDifference(RasterIO::load(output), stepInProcess(record)), 0);
    }

    void colourOptionsReachTheStep() {
        const QString output = m_work + QStringLiteral("border.png");
        const Run run =
            render({"--step", "20", "--radius", "5", "--sigma", "5", "--color1", "1,0,0", m_input, output});
        QCOMPARE(run.exitCode, 0);
        const QImage image = RasterIO::load(output);
        QCOMPARE(image.size(), QSize(610, 410));
        QCOMPARE(image.pixel(2, 2), qRgb(255, 0, 0));
    }

    void filterAndLightMatchTheEditor_data() {
        QTest::addColumn<bool>("light");
        QTest::addColumn<int>("number");
        QTest::newRow("filter 1") << false << 1;
        QTest::newRow("filter 4") << false << 4;
        QTest::newRow("light 1") << true << 1;
        QTest::newRow("light 2") << true << 2;
    }

    void filterAndLightMatchTheEditor() {
        QFETCH(bool, light);
        QFETCH(int, number);
        const QString output = m_work + QStringLiteral("look.png");
        const Run run = render({light ? "--light" : "--filter", QString::number(number), m_input, output});
        QVERIFY2(run.exitCode == 0, qPrintable(run.errorLines.join('\n')));

        EditState state;
        state.renderTarget = light ? RenderToView : RenderToFilterResult;
        QVERIFY(light ? applyLight(state, m_catalogues, number - 1, m_input)
                      : applyFilterToFile(state, m_catalogues, number - 1, m_input));
        QCOMPARE(TestSupport::maxChannelDifference(RasterIO::load(output), state.effectBitmap), 0);
    }

    void severalInputsIntoAFolder() {
        const QString folder = m_work + QStringLiteral("batch out");
        const Run run = render({"--filter", "2", "--out-dir", folder, "--format", "tif", m_input,
                                TestSupport::dataFile("chelsea.png")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(RasterIO::pictureSize(folder + "/coffee.tif"), QSize(600, 400));
        QCOMPARE(RasterIO::pictureSize(folder + "/chelsea.tif"), QSize(451, 300));

        // GIF is written through the image library rather than Qt.
        const Run gif = render({"--light", "1", "--out-dir", folder, "--format", "gif", m_input});
        QCOMPARE(gif.exitCode, 0);
        QCOMPARE(RasterIO::pictureSize(folder + "/coffee.gif"), QSize(600, 400));
    }

    void listShowsEveryCatalogueEntry() {
        const Run run = render({"--list"});
        QCOMPARE(run.exitCode, 0);
        const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), m_catalogues.filterLooks.size() + m_catalogues.lightRecords.size() +
                                   m_catalogues.frameRecords.size());
        QVERIFY(lines.first().startsWith(QStringLiteral("filter\t1\t")));
        QVERIFY(lines.last().startsWith(QStringLiteral("frame\t%1\t").arg(m_catalogues.frameRecords.size())));
        for (const QString& line : lines)
            QCOMPARE(line.count(QLatin1Char('\t')), 3);
    }

    void failuresSayWhyInOneLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("reason");
        const QString in = TestSupport::dataFile("chelsea.png");
        const QString out = QDir::tempPath() + "/lk-render-out.png";
        QTest::newRow("missing input") << QStringList{"--step", "115", "/nonexistent/in.png", out} << 1
                                       << "cannot read /nonexistent/in.png: no such file";
        QTest::newRow("not a picture")
            << QStringList{"--step", "115", TestSupport::dataFile("../CMakeLists.txt"), out} << 1
            << "not a picture";
        QTest::newRow("unknown option") << QStringList{"--step", "115", "--bogus", in, out} << 2 << "bogus";
        QTest::newRow("no mode") << QStringList{in, out} << 2 << "choose exactly one";
        QTest::newRow("bad number") << QStringList{"--step", "115", "--radius", "wide", in, out} << 2
                                    << "--radius needs a number";
        QTest::newRow("bad channel") << QStringList{"--step", "115", "--channel", "20", in, out} << 2
                                     << "0 to 19";
        QTest::newRow("unwritable output") << QStringList{"--step", "115", in, "/nonexistent/folder/out.png"}
                                           << 1 << "The folder /nonexistent/folder does not exist.";
        QTest::newRow("unknown extension") << QStringList{"--step", "115", in, QDir::tempPath() + "/out.xyz"}
                                           << 1 << "\"out.xyz\" is not a kind of picture";
        QTest::newRow("filter beyond the catalogue")
            << QStringList{"--filter", "9999", in, out} << 1 << "no filter 9999";
    }

    void failuresSayWhyInOneLine() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, reason);
        const Run run = render(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(run.errorLines.size(), 1);
        QVERIFY2(run.errorLines.first().startsWith("lumenkraft-render: "),
                 qPrintable(run.errorLines.first()));
        QVERIFY2(run.errorLines.first().contains(reason), qPrintable(run.errorLines.first()));
    }

    // Lengths far past anything a look needs, on a picture the size of the preview: emboss's and
    // sketch's kernels are held, so the step succeeds in seconds instead of failing to get its
    // kernel's memory or running for many minutes.
    void extremeKernelLengthsAreHeld_data() {
        QTest::addColumn<QStringList>("options");
        QTest::newRow("emboss") << QStringList{"--step", "53", "--radius", "1e9", "--sigma", "1e9"};
        QTest::newRow("emboss by sigma") << QStringList{"--step", "53", "--sigma", "1e9"};
        QTest::newRow("sketch") << QStringList{"--step", "206", "--radius", "1e9", "--sigma", "1e9"};
    }

    void extremeKernelLengthsAreHeld() {
        QFETCH(QStringList, options);
        const QString preview = m_work + QStringLiteral("preview size.png");
        if (!QFileInfo::exists(preview))
            QVERIFY(RasterIO::load(m_input).scaled(1000, 667).save(preview));
        const QString output = m_work + QStringLiteral("held.png");
        const Run run = render(options << preview << output);
        QVERIFY2(run.exitCode == 0, qPrintable(run.errorLines.join('\n')));
        QVERIFY(TestSupport::maxChannelDifference(RasterIO::load(output), RasterIO::load(preview)) > 0);
    }

    // A step the library refuses: its report line, then the renderer's reason; no file.
    void failingStepWritesNothing() {
        const QString output = m_work + QStringLiteral("never.png");
        const Run run = render({"--step", "35", "--nenum", "40", m_input, output});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.errorLines.size(), 2);
        QVERIFY(run.errorLines[0].startsWith("veZirDlg CcsAllDlg::run_effect_function "));
        QVERIFY(run.errorLines[1].contains("step 35 failed"));
        QVERIFY(!QFileInfo::exists(output));
    }
};

QTEST_GUILESS_MAIN(TestRender)
#include "tst_render.moc"
