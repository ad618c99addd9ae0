#include "EffectCatalogue.h"
#include "MagickSession.h"
#include "RasterIO.h"
#include "StderrCapture.h"
#include "TestSupport.h"
#include "ThumbnailWorker.h"
#include "WorkFiles.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

#include <wand/MagickWand.h>

namespace {

// One step of a test catalogue: operation, then the attributes of its xmlarguments element.
struct Step {
    int operation;
    QString arguments;
};

QString catalogueXml(const QList<QList<Step>>& filters) {
    QString xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<theme>\n";
    for (const QList<Step>& filter : filters) {
        xml += "  <effect>\n";
        for (const Step& step : filter)
            xml += QStringLiteral("    <subtheme><xmlneffectfunction xmlneffectfunction=\"%1\"/>"
                                  "<xmlarguments %2/></subtheme>\n")
                       .arg(step.operation)
                       .arg(step.arguments);
        xml += "  </effect>\n";
    }
    return xml + "</theme>\n";
}

const Step kNegate{115, "xmlimchannel=\"14\" xmlimboolval1=\"0\" xmlkind=\"Others\""};
const Step kResize100{148, "xmlradius=\"1\" xmlnenum=\"0\" xmlkind=\"Blur\""};
const Step kShave10x5{202, "xmlradius=\"10\" xmlsigma=\"5\""};
const Step kBlur{73, "xmlradius=\"0\" xmlsigma=\"4\""};

int thumbnailFiles() {
    return int(QDir(WorkFiles::path(WorkFiles::kThumbFolder)).entryList({"*.jpg"}, QDir::Files).size());
}

struct HandOver {
    QString path;
    int number;
    friend bool operator==(const HandOver&, const HandOver&) = default;
};

} // namespace

class ThumbnailWorkerTest : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void firstRunHandsOverEveryFilterInOrder();
    void laterRunRendersFromMemory();
    void filterWithoutStepsGetsNoThumbnail();
    void reducedSourceSize_data();
    void reducedSourceSize();
    void unreadablePictureEndsRunNormally_data();
    void unreadablePictureEndsRunNormally();
    void parallelRunMatchesOneThread_data();
    void parallelRunMatchesOneThread();
    void stopMidRunHandsOverNothingMore_data();
    void stopMidRunHandsOverNothingMore();
    void shutdownDuringBlockedHandOverDoesNotHang_data();
    void shutdownDuringBlockedHandOverDoesNotHang();

  private:
    QString writeCatalogue(const QList<QList<Step>>& filters);
    QString writePicture(const QString& name, int width, int height);
    // Hands each thumbnail to this (the UI) thread the way the window's list receives it.
    ThumbReadyFn blockingHandOver();
    bool runWorker(const ThumbnailRequest& request, bool firstRun, bool* succeeded = nullptr);

    MagickSession m_magick;
    QString m_work;
    Catalogues m_catalogues;
    std::atomic<bool> m_workerBusy{false};
    QList<HandOver> m_handed;
    std::atomic<int> m_handOversStarted{0};
    // The library's thread limit while the first thumbnail of a run was handed over.
    MagickSizeType m_threadLimitInRun = 0;
};

void ThumbnailWorkerTest::init() {
    m_work = TestSupport::freshWorkFolder();
    m_catalogues = Catalogues();
    m_handed.clear();
    m_handOversStarted = 0;
    m_threadLimitInRun = 0;
}

QString ThumbnailWorkerTest::writeCatalogue(const QList<QList<Step>>& filters) {
    const QString path = m_work + "effects.xml";
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(catalogueXml(filters).toUtf8());
    return path;
}

QString ThumbnailWorkerTest::writePicture(const QString& name, int width, int height) {
    const QString path = m_work + name;
    RasterIO::saveWorkingJpeg(TestSupport::makePicture(width, height), path);
    return path;
}

ThumbReadyFn ThumbnailWorkerTest::blockingHandOver() {
    return [this](const QString& path, int number) {
        if (m_handOversStarted++ == 0)
            m_threadLimitInRun = MagickGetResourceLimit(ThreadResource);
        QMetaObject::invokeMethod(
            this,
            [this, path, number] {
                m_handed.append({path, number});
            },
            Qt::BlockingQueuedConnection);
    };
}

bool ThumbnailWorkerTest::runWorker(const ThumbnailRequest& request, bool firstRun, bool* succeeded) {
    ThumbnailWorker worker(m_catalogues, m_workerBusy);
    QSignalSpy finished(&worker, &ThumbnailWorker::ended);
    if (!worker.start(request, firstRun, blockingHandOver()) || !m_workerBusy || !finished.wait(120000))
        return false;
    if (succeeded)
        *succeeded = finished.first().first().toBool();
    return !m_workerBusy;
}

void ThumbnailWorkerTest::firstRunHandsOverEveryFilterInOrder() {
    // Three filters of 2, 1 and 4 steps; each result's size tells which steps ran, in which order.
    const QString catalogue =
        writeCatalogue({{kNegate, kResize100}, {kNegate}, {kResize100, kNegate, kNegate, kShave10x5}});
    const ThumbnailRequest request{writePicture("preview.jpg", 700, 525), 700, 525, catalogue};
    bool succeeded = false;
    QVERIFY(runWorker(request, true, &succeeded));
    QVERIFY(succeeded);

    const QList<HandOver> expected = {
        {WorkFiles::thumbnailPath(1), 1}, {WorkFiles::thumbnailPath(2), 2}, {WorkFiles::thumbnailPath(3), 3}};
    QCOMPARE(m_handed, expected);
    QCOMPARE(RasterIO::pictureSize(WorkFiles::thumbnailPath(1)), QSize(100, 100));
    QCOMPARE(RasterIO::pictureSize(WorkFiles::thumbnailPath(2)), QSize(140, 105));
    QCOMPARE(RasterIO::pictureSize(WorkFiles::thumbnailPath(3)), QSize(80, 90));
    // Filter 2 is one negation of the reduced source.
    QImage negated = RasterIO::load(WorkFiles::path(WorkFiles::kReducedSource));
    negated.invertPixels();
    QVERIFY(TestSupport::meanDifference(RasterIO::load(WorkFiles::thumbnailPath(2)), negated) < 3.0);

    QCOMPARE(m_catalogues.filterLooks.size(), 3);
    QCOMPARE(m_catalogues.filterLooks[0].steps.size(), 2);
    QCOMPARE(m_catalogues.filterLooks[1].steps.size(), 1);
    QCOMPARE(m_catalogues.filterLooks[2].steps.size(), 4);
    QCOMPARE(m_catalogues.filterLooks[2].steps[3].neffectfunction, 202);
    QCOMPARE(m_catalogues.filterThumbs.size(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(m_catalogues.filterThumbs[i].number, i + 1);
        QCOMPARE(m_catalogues.filterThumbs[i].thumbPath, WorkFiles::thumbnailPath(i + 1));
    }
    QCOMPARE(m_catalogues.filterThumbs[0].kind, QStringLiteral("Blur"));
}

void ThumbnailWorkerTest::laterRunRendersFromMemory() {
    const QString catalogue = writeCatalogue({{kNegate}, {kResize100}, {kNegate, kNegate}});
    QVERIFY(runWorker({writePicture("first.jpg", 500, 400), 500, 400, catalogue}, true));
    const QImage firstThumb = RasterIO::load(WorkFiles::thumbnailPath(1));
    QVERIFY(QFile::remove(catalogue));
    m_handed.clear();

    // A new picture of another size: same names, new pictures, no second copy of the catalogue.
    bool succeeded = false;
    QVERIFY(runWorker({TestSupport::dataFile("rocket.jpg"), 640, 427, catalogue}, false, &succeeded));
    QVERIFY(succeeded);
    QCOMPARE(m_handed.size(), 3);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(m_handed[i], (HandOver{WorkFiles::thumbnailPath(i + 1), i + 1}));
    QCOMPARE(RasterIO::pictureSize(WorkFiles::thumbnailPath(1)), QSize(128, 85));
    QVERIFY(RasterIO::load(WorkFiles::thumbnailPath(1)) != firstThumb);
    QCOMPARE(m_catalogues.filterLooks.size(), 3);
    QCOMPARE(m_catalogues.filterThumbs.size(), 3);
}

void ThumbnailWorkerTest::filterWithoutStepsGetsNoThumbnail() {
    const QString catalogue = writeCatalogue({{kNegate, kNegate}, {}, {kNegate}});
    QVERIFY(runWorker({writePicture("preview.jpg", 300, 200), 300, 200, catalogue}, true));
    const QList<HandOver> expected = {{WorkFiles::thumbnailPath(1), 1}, {WorkFiles::thumbnailPath(3), 3}};
    QCOMPARE(m_handed, expected);
    QVERIFY(!QFile::exists(WorkFiles::thumbnailPath(2)));
    // Filter 3 is still filter 3: the empty one keeps its place in both collections.
    QCOMPARE(m_catalogues.filterLooks.size(), 3);
    QVERIFY(m_catalogues.filterLooks[1].steps.isEmpty());
    QCOMPARE(m_catalogues.filterThumbs[1].number, 2);
    QVERIFY(m_catalogues.filterThumbs[1].thumbPath.isEmpty());
    QCOMPARE(m_catalogues.filterThumbs[2].thumbPath, WorkFiles::thumbnailPath(3));

    m_handed.clear();
    QVERIFY(runWorker({writePicture("preview.jpg", 300, 200), 300, 200, QString()}, false));
    QCOMPARE(m_handed, expected);
}

void ThumbnailWorkerTest::reducedSourceSize_data() {
    QTest::addColumn<QSize>("preview");
    QTest::addColumn<QSize>("reduced");
    QTest::newRow("a fifth, truncated") << QSize(700, 525) << QSize(140, 105);
    QTest::newRow("odd sizes truncate") << QSize(333, 124) << QSize(66, 24);
    // A zero target size is refused by the library; the picture is then used as it is.
    QTest::newRow("tiny preview") << QSize(4, 4) << QSize(4, 4);
}

void ThumbnailWorkerTest::reducedSourceSize() {
    QFETCH(QSize, preview);
    QFETCH(QSize, reduced);
    const QString catalogue = writeCatalogue({{kNegate}});
    const QString picture = writePicture("preview.jpg", preview.width(), preview.height());
    QVERIFY(runWorker({picture, preview.width(), preview.height(), catalogue}, true));
    QCOMPARE(RasterIO::pictureSize(WorkFiles::path(WorkFiles::kReducedSource)), reduced);
    QCOMPARE(m_handed.size(), 1);
}

void ThumbnailWorkerTest::unreadablePictureEndsRunNormally_data() {
    QTest::addColumn<bool>("firstRun");
    QTest::addColumn<bool>("pictureExists");
    QTest::newRow("first run, missing file") << true << false;
    QTest::newRow("first run, not a picture") << true << true;
    QTest::newRow("later run, not a picture") << false << true;
}

void ThumbnailWorkerTest::unreadablePictureEndsRunNormally() {
    QFETCH(bool, firstRun);
    QFETCH(bool, pictureExists);
    const QString catalogue = writeCatalogue({{kNegate}, {kNegate}});
    if (!firstRun)
        QVERIFY(runWorker({writePicture("preview.jpg", 200, 150), 200, 150, catalogue}, true));
    m_handed.clear();
    const QString picture = m_work + "broken.jpg";
    if (pictureExists) {
        QFile file(picture);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("this is not a picture");
    }

    StderrCapture errors;
    bool succeeded = true;
    QVERIFY(runWorker({picture, 200, 150, catalogue}, firstRun, &succeeded));
    QVERIFY(!succeeded);
    QVERIFY(m_handed.isEmpty());
    const QByteArray routine = firstRun ? "self_DrawThread " : "self_DrawThread2 ";
    QVERIFY2(errors.text().startsWith("veZirDlg " + routine), errors.text().constData());
    // The catalogue is complete all the same, so later runs have every filter.
    QCOMPARE(m_catalogues.filterLooks.size(), 2);
}

void ThumbnailWorkerTest::parallelRunMatchesOneThread_data() {
    QTest::addColumn<QString>("picture");
    QTest::addColumn<int>("threads");
    QTest::addColumn<bool>("firstRun");
    QTest::newRow("rocket, 2 threads, first run") << "rocket.jpg" << 2 << true;
    QTest::newRow("coffee, 2 threads, later run") << "coffee.png" << 2 << false;
    QTest::newRow("chelsea, 5 threads, later run") << "chelsea.png" << 5 << false;
    QTest::newRow("astronaut, one per core, first run") << "astronaut.png" << 0 << true;
}

// The shipped catalogue (noise and spread looks included) on a real picture: rendered several at
// a time, every thumbnail is the one a single thread makes, and they arrive in catalogue order
// although later filters often finish first.
void ThumbnailWorkerTest::parallelRunMatchesOneThread() {
    QFETCH(QString, picture);
    QFETCH(int, threads);
    QFETCH(bool, firstRun);
    const QString path = TestSupport::dataFile(picture);
    const QSize size = RasterIO::pictureSize(path);
    const MagickSizeType threadLimit = MagickGetResourceLimit(ThreadResource);
    const auto render = [&](int threadCount) {
        init();
        if (!firstRun)
            ReadEffectCatalogue(m_catalogues);
        QList<QImage> thumbnails;
        bool succeeded = false;
        const ThumbnailRequest request{path, size.width(), size.height(), QString(), threadCount};
        if (runWorker(request, firstRun, &succeeded) && succeeded)
            for (const HandOver& handOver : m_handed)
                thumbnails.append(RasterIO::load(handOver.path));
        return thumbnails;
    };
    const QList<QImage> single = render(1);
    QCOMPARE(m_threadLimitInRun, threadLimit);
    const QList<QImage> parallel = render(threads);
    const bool pooled = (threads > 0 ? threads : QThread::idealThreadCount()) > 1;
    QCOMPARE(m_threadLimitInRun, pooled ? MagickSizeType(1) : threadLimit);
    QCOMPARE(MagickGetResourceLimit(ThreadResource), threadLimit);

    QList<HandOver> inCatalogueOrder;
    for (int n = 1; n <= m_catalogues.filterLooks.size(); ++n)
        if (!m_catalogues.filterLooks[n - 1].steps.isEmpty())
            inCatalogueOrder.append({WorkFiles::thumbnailPath(n), n});
    QVERIFY(inCatalogueOrder.size() >= 60);
    QCOMPARE(m_handed, inCatalogueOrder);
    QCOMPARE(parallel.size(), single.size());
    QCOMPARE(single.size(), inCatalogueOrder.size());
    for (int i = 0; i < single.size(); ++i) {
        QVERIFY(!single[i].isNull());
        QVERIFY2(parallel[i] == single[i], qPrintable(QStringLiteral("filter %1").arg(m_handed[i].number)));
    }
}

void ThumbnailWorkerTest::stopMidRunHandsOverNothingMore_data() {
    QTest::addColumn<int>("threads");
    QTest::addColumn<bool>("firstRun");
    QTest::newRow("one thread, first run") << 1 << true;
    QTest::newRow("two threads, later run") << 2 << false;
    QTest::newRow("four threads, first run") << 4 << true;
}

// A stop raised while the run is under way: nothing is handed over after it, the filters being
// rendered at that moment may finish, and no other one starts.
void ThumbnailWorkerTest::stopMidRunHandsOverNothingMore() {
    QFETCH(int, threads);
    QFETCH(bool, firstRun);
    const QString catalogue = writeCatalogue(QList<QList<Step>>(40, {kBlur, kNegate}));
    if (!firstRun)
        ReadEffectCatalogue(m_catalogues, catalogue);
    const ThumbnailRequest request{writePicture("preview.jpg", 1000, 750), 1000, 750, catalogue, threads};
    ThumbnailWorker worker(m_catalogues, m_workerBusy);
    QSignalSpy finished(&worker, &ThumbnailWorker::ended);
    std::atomic<int> writtenAtStop{-1};
    worker.start(request, firstRun, [&](const QString& path, int number) {
        m_handed.append({path, number});
        if (m_handed.size() == 3) {
            worker.requestStop();
            writtenAtStop = thumbnailFiles();
        }
    });
    QVERIFY(finished.wait(120000));
    QCOMPARE(finished.first().first().toBool(), false);
    QVERIFY(!m_workerBusy);
    QCOMPARE(m_handed.size(), 3);
    QVERIFY2(
        thumbnailFiles() <= writtenAtStop + threads,
        qPrintable(
            QStringLiteral("%1 thumbnails at the stop, %2 after").arg(writtenAtStop).arg(thumbnailFiles())));
    QCOMPARE(m_catalogues.filterThumbs.size(), m_catalogues.filterLooks.size());
}

void ThumbnailWorkerTest::shutdownDuringBlockedHandOverDoesNotHang_data() {
    QTest::addColumn<int>("threads");
    QTest::newRow("one thread") << 1;
    QTest::newRow("three threads") << 3;
}

void ThumbnailWorkerTest::shutdownDuringBlockedHandOverDoesNotHang() {
    QFETCH(int, threads);
    const QString catalogue = writeCatalogue({{kNegate}, {kNegate}, {kNegate}});
    auto worker = std::make_unique<ThumbnailWorker>(m_catalogues, m_workerBusy);
    worker->start({writePicture("preview.jpg", 400, 300), 400, 300, catalogue, threads}, true,
                  blockingHandOver());

    // Without serving events here the first hand-over stays blocked on this thread, while the
    // rest of the pool renders on behind it.
    QDeadlineTimer deadline(120000);
    while (m_handOversStarted.load() == 0 && !deadline.hasExpired())
        QThread::msleep(5);
    QCOMPARE(m_handOversStarted.load(), 1);
    QVERIFY(m_handed.isEmpty());

    worker.reset();
    QCOMPARE(m_handed.size(), 1);
    QCOMPARE(m_handOversStarted.load(), 1);
    QVERIFY(!m_workerBusy);
    // A single thread renders nothing while it waits for the hand-over; the stop then came first.
    if (threads == 1)
        QVERIFY(!QFile::exists(WorkFiles::thumbnailPath(2)));
}

QTEST_MAIN(ThumbnailWorkerTest)
#include "tst_thumbnail_worker.moc"
