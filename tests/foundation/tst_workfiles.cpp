#include "EditState.h"
#include "Encoders.h"
#include "LogFile.h"
#include "Session.h"
#include "TestSupport.h"
#include "WorkFiles.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QtTest>

class WorkFilesTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void sourceCopyNamesAlternate();
    void cleanupRemovesEverything();
    void cleanupSucceedsWhenNothingExists();
    void sessionWritesStartAndEndLines();
    void exportEncoderByExtension_data();
    void exportEncoderByExtension();
    void gifAndTiffEncodersWrite();
    void aFileIsReplacedOnlyWhole_data();
    void aFileIsReplacedOnlyWhole();
};

void WorkFilesTest::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
}

void WorkFilesTest::sourceCopyNamesAlternate() {
    // The first intake (counter 1) copies to newfile1.jpg, the second to newfile.jpg.
    QCOMPARE(WorkFiles::sourceCopyName(1), QStringLiteral("newfile1.jpg"));
    QCOMPARE(WorkFiles::sourceCopyName(2), QStringLiteral("newfile.jpg"));
    QCOMPARE(WorkFiles::sourceCopyName(3), QStringLiteral("newfile1.jpg"));
    QVERIFY(WorkFiles::thumbnailPath(12).endsWith(QStringLiteral("/a/12.jpg")));
    QVERIFY(WorkFiles::filterResultPath(3).endsWith(QStringLiteral("/b/3.jpg")));
    QVERIFY(WorkFiles::rotatedCopyPath(360).endsWith(QStringLiteral("/save_rot0.jpg")));
}

void WorkFilesTest::cleanupRemovesEverything() {
    const QString work = TestSupport::freshWorkFolder();
    const QStringList names = {"xx.jpg",        "wl.jpg",           "newfile.jpg",     "newfile1.jpg",
                               "max_lj.jpg",    "save_save.jpg",    "save2.jpg",       "sss.jpg",
                               "ww.jpg",        "newthumbfile.jpg", "cut.jpg",         "save.jpg",
                               "save_rot0.jpg", "save_rot90.jpg",   "save_rot180.jpg", "save_rot270.jpg",
                               "s_x.jpg",       "sssss.jpg",        "save_save1.jpg",  "sss1.jpg",
                               "wwllwl.jpg",    "wwll.jpg"};
    QDir().mkpath(work + "a/nested");
    QDir().mkpath(work + "b");
    QStringList all = names;
    all << "a/1.jpg"
        << "a/source_cut.jpg"
        << "a/nested/user-file.txt"
        << "b/3.jpg";
    for (const QString& name : all) {
        QFile f(work + name);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("x");
    }
    QFile keep(work + "keep-me.txt");
    QVERIFY(keep.open(QIODevice::WriteOnly));
    keep.close();

    WorkFiles::removeWorkFiles();
    for (const QString& name : all)
        QVERIFY2(!QFile::exists(work + name), qPrintable(name));
    QVERIFY(!QDir(work + "a").exists());
    QVERIFY(!QDir(work + "b").exists());
    QVERIFY(QFile::exists(work + "keep-me.txt"));
}

void WorkFilesTest::cleanupSucceedsWhenNothingExists() {
    const QString work = TestSupport::freshWorkFolder();
    WorkFiles::removeWorkFiles();
    QVERIFY(QDir(work).isEmpty());
}

void WorkFilesTest::sessionWritesStartAndEndLines() {
    const QString work = TestSupport::freshWorkFolder();
    QFile::remove(LogFile::filePath());
    QFile copy(work + "newfile1.jpg");
    QVERIFY(copy.open(QIODevice::WriteOnly));
    copy.close();

    EditState state;
    Session::start(state);
    Session::shutdown(state);

    QFile log(LogFile::filePath());
    QVERIFY(log.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 4);
    const QDate today = QDate::currentDate();
    QCOMPARE(lines[0], QString::asprintf("the system time is: %d - %d - %d.", today.year(), today.month(),
                                         today.day()));
    QCOMPARE(lines[1], QString::asprintf("start time: %d ms", state.startTick));
    QCOMPARE(lines[2], QString::asprintf("end time: %d ms", state.endTick));
    QCOMPARE(lines[3], QString::asprintf("time:%d ms", state.endTick - state.startTick));
    QVERIFY(state.endTick - state.startTick >= 0);
    QVERIFY(!QFile::exists(work + "newfile1.jpg"));
}

void WorkFilesTest::exportEncoderByExtension_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("mime");
    QTest::newRow("jpg") << "/x/photo.jpg" << QByteArray("image/jpeg");
    QTest::newRow("JPEG") << "/x/photo.JPEG" << QByteArray("image/jpeg");
    QTest::newRow("jpe") << "/x/photo.jpe" << QByteArray("image/jpeg");
    QTest::newRow("PNG") << "/x/photo.PNG" << QByteArray("image/png");
    QTest::newRow("bmp") << "/x/photo.bmp" << QByteArray("image/bmp");
    QTest::newRow("gif") << "/x/photo.Gif" << QByteArray("image/gif");
    QTest::newRow("tif") << "/x/photo.tif" << QByteArray("image/tiff");
    QTest::newRow("tiff") << "/x/photo.tiff" << QByteArray("image/tiff");
    QTest::newRow("webp") << "/x/photo.webp" << QByteArray();
    QTest::newRow("no dot") << "/x.y/photo" << QByteArray();
    QTest::newRow("dot first") << "/x/.png" << QByteArray();
    QTest::newRow("empty") << "" << QByteArray();
}

void WorkFilesTest::exportEncoderByExtension() {
    QFETCH(QString, path);
    QFETCH(QByteArray, mime);
    const std::optional<ImageEncoder> encoder = Encoders::findExportEncoder(path);
    QCOMPARE(encoder.has_value(), !mime.isEmpty());
    if (encoder)
        QCOMPARE(encoder->mimeType, mime);
}

void WorkFilesTest::gifAndTiffEncodersWrite() {
    const QString work = TestSupport::freshWorkFolder();
    const QImage picture = TestSupport::makePicture(64, 48);
    for (const QString& name :
         {QStringLiteral("out.gif"), QStringLiteral("out.tif"), QStringLiteral("out.png")}) {
        const auto encoder = Encoders::findExportEncoder(name);
        QVERIFY2(encoder, qPrintable(name));
        QVERIFY2(Encoders::save(picture, work + name, *encoder), qPrintable(name));
        const QImage back(work + name);
        QCOMPARE(back.size(), picture.size());
        QVERIFY2(TestSupport::meanDifference(back, picture) < 12, qPrintable(name));
    }
}

void WorkFilesTest::aFileIsReplacedOnlyWhole_data() {
    QTest::addColumn<int>("durability");
    QTest::addColumn<bool>("filled");
    for (const auto& [name, durability] : {std::pair{"flushed", Encoders::Durability::Flushed},
                                           std::pair{"scratch", Encoders::Durability::Scratch}}) {
        QTest::addRow("%s, written whole", name) << int(durability) << true;
        QTest::addRow("%s, writing failed", name) << int(durability) << false;
    }
}

void WorkFilesTest::aFileIsReplacedOnlyWhole() {
    QFETCH(int, durability);
    QFETCH(bool, filled);
    const QString work = TestSupport::freshWorkFolder();
    const QString path = work + QStringLiteral("picture.jpg");
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    old.close();
    const QString failure = Encoders::writeFile(
        path,
        [&](QFileDevice& file) {
            file.write("new, half");
            return filled;
        },
        Encoders::Durability(durability));
    QCOMPARE(failure.isEmpty(), filled);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), filled ? QByteArray("new, half") : QByteArray("old"));
    // Nothing of the attempt is left beside it.
    QCOMPARE(QDir(work).entryList(QDir::Files), QStringList{QStringLiteral("picture.jpg")});
}

QTEST_GUILESS_MAIN(WorkFilesTest)
#include "tst_workfiles.moc"
