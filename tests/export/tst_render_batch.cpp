// lumenkraft-render's looks: the same full-size export as the window's, given on the command
// line, and batches worked on in parallel where one bad file does not stop the others.

#include "ExportTestFiles.h"
#include "FullSizeRender.h"
#include "MagickSession.h"
#include "RasterIO.h"
#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QtTest>

using namespace ExportTestFiles;

namespace {

using Run = TestSupport::ProgramRun;

Run render(const QStringList& arguments) {
    return TestSupport::runProgram(QStringLiteral("lumenkraft-render"), arguments);
}

QString framePicture(const Catalogues& catalogues, const QString& name) {
    for (const FrameRecord& frame : catalogues.frameRecords)
        if (QFileInfo(frame.effectimage).fileName() == name)
            return frame.effectimage;
    return {};
}

} // namespace

class RenderBatchTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void lookOptionsExportAsTheWindowDoes_data();
    void lookOptionsExportAsTheWindowDoes();
    void batchGoesOnPastAFailure();
    void stepsOfABatchKeepTheirOwnPictures();
    void wrongLookOptionsSayWhy_data();
    void wrongLookOptionsSayWhy();

  private:
    MagickSession m_magick;
    QString m_work;
    QString m_photo;
    Catalogues m_catalogues;
};

void RenderBatchTest::initTestCase() {
    m_work = TestSupport::freshWorkFolder();
    m_photo = writeLargePhoto(m_work + "coffee large.png", 2);
    m_catalogues = shippedCatalogues();
}

void RenderBatchTest::lookOptionsExportAsTheWindowDoes_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("filter");
    QTest::addColumn<int>("light");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<int>("rotation");
    QTest::addColumn<bool>("flipHorizontal");
    QTest::addColumn<bool>("flipVertical");
    QTest::addColumn<double>("strength");
    QTest::newRow("filter, light, overlay frame by name")
        << QStringList{"--filter", "3", "--light", "1", "--frame", "postcard"} << 3 << 1 << "postcard.png"
        << 360 << false << false << 1.0;
    QTest::newRow("one press of Rotate, mirrored, nine-slice frame")
        << QStringList{"--light", "2", "--frame", "border01.png", "--rotate", "270", "--flip-h"} << 0 << 2
        << "border01.png" << 270 << true << false << 1.0;
    QTest::newRow("a quarter to the left written as -90")
        << QStringList{"--rotate", "-90", "--flip-v"} << 0 << 0 << QString() << 270 << false << true << 1.0;
    QTest::newRow("a whole turn is none") << QStringList{"--rotate", "360", "--filter", "7"} << 7 << 0
                                          << QString() << 360 << false << false << 1.0;
    QTest::newRow("half turn") << QStringList{"--rotate", "180", "--flip-h", "--flip-v"} << 0 << 0
                               << QString() << 180 << true << true << 1.0;
    QTest::newRow("filter and light at half strength")
        << QStringList{"--filter", "3", "--light", "1", "--strength", "50"} << 3 << 1 << QString() << 360
        << false << false << 0.5;
}

void RenderBatchTest::lookOptionsExportAsTheWindowDoes() {
    QFETCH(QStringList, options);
    QFETCH(int, filter);
    QFETCH(int, light);
    QFETCH(QString, frame);
    QFETCH(int, rotation);
    QFETCH(bool, flipHorizontal);
    QFETCH(bool, flipVertical);
    QFETCH(double, strength);
    const QString output = m_work + "look.png";
    const Run run = render(options << m_photo << output);
    QVERIFY2(run.exitCode == 0, qPrintable(run.errorLines.join('\n')));

    EditRecipe recipe;
    recipe.sourcePath = m_photo;
    recipe.filterIndex = filter - 1;
    recipe.lightIndex = light - 1;
    if (!frame.isEmpty()) {
        recipe.framePicture = framePicture(m_catalogues, frame);
        recipe.frameMode = frame.startsWith(u"border") ? 1 : 0;
    }
    recipe.rotationAngle = rotation;
    recipe.flipHorizontal = flipHorizontal;
    recipe.flipVertical = flipVertical;
    recipe.strength = strength;
    const RenderedPicture expected = renderFullSize(recipe, m_catalogues);
    QVERIFY2(expected.error.isEmpty(), qPrintable(expected.error));
    QCOMPARE(TestSupport::maxChannelDifference(RasterIO::load(output), expected.image), 0);
}

void RenderBatchTest::batchGoesOnPastAFailure() {
    const QString folder = m_work + "batch out";
    const QString broken = m_work + "broken.jpg";
    QFile file(broken);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not a picture at all");
    file.close();
    const QStringList inputs{m_photo, broken, TestSupport::dataFile("chelsea.png"),
                             TestSupport::dataFile("rocket.jpg")};
    const Run run =
        render(QStringList{"--filter", "3", "--jobs", "2", "--out-dir", folder, "--format", "jpg"} + inputs);
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.errorLines.size(), 1);
    QVERIFY2(run.errorLines.first().contains("broken.jpg cannot be read"),
             qPrintable(run.errorLines.first()));
    // One line per file written, counted as they finish, whatever the order.
    const QStringList outLines = run.out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(outLines.size(), 3);
    for (const QString& line : outLines)
        QVERIFY2(QRegularExpression(QStringLiteral("^\\[[1-4]/4\\] .+ -> .+\\.jpg$")).match(line).hasMatch(),
                 qPrintable(line));
    QCOMPARE(RasterIO::pictureSize(folder + "/coffee large.jpg"), QSize(1200, 800));
    QCOMPARE(RasterIO::pictureSize(folder + "/chelsea.jpg"), QSize(451, 300));
    QCOMPARE(RasterIO::pictureSize(folder + "/rocket.jpg"), QSize(640, 427));
    QVERIFY(!QFileInfo::exists(folder + "/broken.jpg"));
}

// Steps work on a copy of each input taken in as the editor takes it in; files worked on at the
// same time must never read each other's copy.
void RenderBatchTest::stepsOfABatchKeepTheirOwnPictures() {
    const QStringList step{"--step", "18", "--radius", "2", "--sigma", "1"};
    const QStringList inputs{m_photo, TestSupport::dataFile("chelsea.png"),
                             TestSupport::dataFile("rocket.jpg"), TestSupport::dataFile("astronaut.png")};
    const QString folder = m_work + "steps out";
    const Run batch =
        render(step + QStringList{"--jobs", "2", "--out-dir", folder, "--format", "png"} + inputs);
    QVERIFY2(batch.exitCode == 0, qPrintable(batch.errorLines.join('\n')));
    for (const QString& input : inputs) {
        const QString alone = m_work + "step alone.png";
        const Run run = render(step + QStringList{input, alone});
        QVERIFY2(run.exitCode == 0, qPrintable(run.errorLines.join('\n')));
        const QImage batched(folder + "/" + QFileInfo(input).completeBaseName() + ".png");
        QCOMPARE(batched.size(), RasterIO::pictureSize(input));
        QCOMPARE(TestSupport::maxChannelDifference(batched, QImage(alone)), 0);
    }
    // The copies are gone once read.
    QCOMPARE(QDir(m_work).entryList({"render_input*"}).size(), 0);
}

void RenderBatchTest::wrongLookOptionsSayWhy_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("reason");
    QTest::newRow("turn that is no quarter") << QStringList{"--rotate", "45"} << 2 << "multiple of 90";
    QTest::newRow("light beyond the catalogue") << QStringList{"--light", "999"} << 1 << "no light 999";
    QTest::newRow("unknown frame") << QStringList{"--frame", "velvet"} << 1 << "no frame \"velvet\"";
    QTest::newRow("look and step together")
        << QStringList{"--filter", "2", "--step", "115"} << 2 << "choose exactly one";
    QTest::newRow("strength beyond 100")
        << QStringList{"--filter", "2", "--strength", "150"} << 2 << "percentage from 0 to 100";
    QTest::newRow("no jobs") << QStringList{"--filter", "2", "--jobs", "0"} << 2 << "--jobs needs at least 1";
}

void RenderBatchTest::wrongLookOptionsSayWhy() {
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(QString, reason);
    const QString output = m_work + "never.png";
    const Run run = render(options << m_photo << output);
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.errorLines.size(), 1);
    QVERIFY2(run.errorLines.first().contains(reason), qPrintable(run.errorLines.first()));
    QVERIFY(!QFileInfo::exists(output));
}

QTEST_GUILESS_MAIN(RenderBatchTest)
#include "tst_render_batch.moc"
