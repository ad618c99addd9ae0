// A picture whose working files cannot be written (a full disk, here a file-size limit) is
// refused with a reason that names the folder, and the edit in progress keeps everything: its
// state, its rasters, its files and its thumbnails.
#include "Editor.h"
#include "EditorTestFiles.h"
#include "MagickSession.h"
#include "PreviewDecoder.h"
#include "RasterIO.h"
#include "TestSupport.h"
#include "WorkFiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

#include <sys/resource.h>

using namespace EditorTestFiles;

namespace {

// Files of this process may grow to bytes at most while it lives; a longer write fails as it
// would on a full disk.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(qint64 bytes) {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limit = m_saved;
        limit.rlim_cur = rlim_t(bytes);
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit m_saved{};
};

// Every file under the folder with a digest of its bytes.
QMap<QString, QByteArray> folderContents(const QString& folder) {
    QMap<QString, QByteArray> contents;
    QDirIterator files(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        contents.insert(path, QCryptographicHash::hash(file.readAll(), QCryptographicHash::Md5));
    }
    return contents;
}

// What the edit in progress consists of, beyond its files.
QStringList editSnapshot(const EditState& s) {
    return {
        s.fullSizePath,
        s.sourceCopyPath,
        s.currentImagePath,
        s.committedImagePath,
        s.effectBasePath,
        s.lastSourcePath,
        s.selectedFilterThumb,
        QString::number(s.copyCounter),
        QStringLiteral("%1x%2 %3x%4")
            .arg(s.previewWidth)
            .arg(s.previewHeight)
            .arg(s.sourceWidth)
            .arg(s.sourceHeight),
        QStringLiteral("%1 %2 %3").arg(s.fitRect.left).arg(s.fitRect.right).arg(s.previewScaleX),
        QStringLiteral("turn %1 filter %2/%3").arg(s.rotationAngle).arg(s.filterActive).arg(s.filterIndex),
        QString::number(s.viewBitmap.cacheKey()),
        QString::number(s.currentBitmap.cacheKey()),
        QString::number(s.effectBitmap.cacheKey()),
        QStringLiteral("%1").arg(s.filterListNumbers.size())};
}

qint64 workingJpegSize(const QImage& image) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("size.jpg"));
    RasterIO::saveWorkingJpeg(image, path);
    return QFileInfo(path).size();
}

} // namespace

class IntakeWritesTest : public QObject {
    Q_OBJECT
    MagickSession m_magick;
    QTemporaryDir m_pictures;

  private slots:
    void initTestCase() {
        // Past the limit a write fails instead of ending the process.
        std::signal(SIGXFSZ, SIG_IGN);
        QVERIFY(m_pictures.isValid());
    }

    void failedWritesChangeNothing_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("copyFails");
        // A rough JPEG of the picture, so its copy is smaller than the files written from it.
        QTest::newRow("the byte copy") << QSize(800, 600) << true;
        QTest::newRow("the preview file") << QSize(2400, 1800) << false;
        QTest::newRow("a turned copy") << QSize(1000, 750) << false;
    }

    void failedWritesChangeNothing() {
        QFETCH(QSize, size);
        QFETCH(bool, copyFails);
        writeFilterCatalogue(freshDataFolder(), {QStringLiteral("Blur"), QStringLiteral("Glow")});
        const QString work = TestSupport::freshWorkFolder();
        const QString picture = m_pictures.filePath(QStringLiteral("next.jpg"));
        const QImage rough = photo(size.width(), size.height());
        QVERIFY(rough.save(picture, "JPEG", 10));
        const qint64 copySize = QFileInfo(picture).size();
        const std::optional<DecodedPreview> decoded = PreviewDecoder::decode(picture);
        QVERIFY(decoded);
        const qint64 derivedSize = workingJpegSize(decoded->preview);
        QVERIFY2(derivedSize > copySize * 5 / 4,
                 qPrintable(QStringLiteral("%1 %2").arg(copySize).arg(derivedSize)));
        const qint64 limit = copyFails ? copySize / 2 : (copySize + derivedSize) / 2;

        // An edit in progress: a picture with its thumbnails, turned, with a look on it.
        Editor editor;
        const QString current = writePicture(m_pictures.filePath(QStringLiteral("current.jpg")), 640, 480);
        QCOMPARE(editor.takeIn(current, IntakeSource::OpenDialog), Editor::IntakeOutcome::NewPicture);
        QVERIFY(waitForThumbnails(editor));
        editor.state().rotationAngle = 90;
        QVERIFY(editor.thumbClicked({FilterPanel, 0, WorkFiles::thumbnailPath(1)}));
        const QStringList before = editSnapshot(editor.state());
        const QMap<QString, QByteArray> filesBefore = folderContents(work);

        Editor::IntakeOutcome outcome;
        {
            FileSizeLimit full(limit);
            outcome = editor.takeIn(picture, IntakeSource::Drop);
        }
        QCOMPARE(outcome, Editor::IntakeOutcome::NotWritten);
        QVERIFY2(editor.intakeProblem().contains(QDir::toNativeSeparators(work)),
                 qPrintable(editor.intakeProblem()));
        QVERIFY(!editor.state().workerBusy);
        QCOMPARE(editSnapshot(editor.state()), before);
        QCOMPARE(folderContents(work), filesBefore);

        // With room again the same picture comes in.
        QCOMPARE(editor.takeIn(picture, IntakeSource::Drop), Editor::IntakeOutcome::NewPicture);
        QVERIFY(waitForThumbnails(editor));
        QCOMPARE(editor.state().sourceCopyPath, WorkFiles::path(WorkFiles::sourceCopyName(2)));
        QVERIFY(!QFile::exists(WorkFiles::path(WorkFiles::sourceCopyName(1))));
    }
};

QTEST_MAIN(IntakeWritesTest)
#include "tst_intake_writes.moc"
