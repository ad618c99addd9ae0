#include "CommandLine.h"
#include "Editor.h"
#include "EditorTestFiles.h"
#include "FitRules.h"
#include "MagickSession.h"
#include "OpenDialogChoices.h"
#include "PreviewDecoder.h"
#include "PrintShared.h"
#include "QuarterTurn.h"
#include "RasterIO.h"
#include "TestSupport.h"
#include "WorkFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QtTest>

using namespace EditorTestFiles;
using Outcome = Editor::IntakeOutcome;

Q_DECLARE_METATYPE(IntakeSource)

namespace {

// Same size and, on average, within tolerance per channel.
bool looksLike(const QImage& actual, const QImage& expected, double tolerance) {
    const double difference = TestSupport::meanDifference(actual, expected);
    if (difference < 0.0 || difference >= tolerance)
        qWarning() << "sizes" << actual.size() << expected.size() << "mean difference" << difference;
    return difference >= 0.0 && difference < tolerance;
}

} // namespace

class IntakeTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void init();

    void reducedDecodeScale_data();
    void reducedDecodeScale();
    void largeJpegPreviewMatchesFullDecode_data();
    void largeJpegPreviewMatchesFullDecode();

    void previewAndGeometry_data();
    void previewAndGeometry();
    void copyNamesAlternate();
    void openableNames_data();
    void openableNames();
    void refusedFilesChangeNothing_data();
    void refusedFilesChangeNothing();
    void pictureSizeLimit_data();
    void pictureSizeLimit();
    void firstRunReadsCatalogueLaterRunsReRender();
    void sameFileResetsPictureKeepsThumbnails_data();
    void sameFileResetsPictureKeepsThumbnails();
    void refusedWhileWorkerOrExportRuns();
    void closingDuringThumbnailRunEnds();
    void orientedPhotosAreUpright_data();
    void orientedPhotosAreUpright();

  private:
    MagickSession m_magick;
    QString m_work;
    QString m_data;
};

void IntakeTest::initTestCase() {
    RasterIO::allowLargePictures();
}

void IntakeTest::init() {
    m_data = freshDataFolder();
    m_work = TestSupport::freshWorkFolder();
    // Filter 2 has no steps, so it must get neither a thumbnail nor a cell.
    writeFilterCatalogue(m_data, {QStringLiteral("Blur"), std::nullopt, QStringLiteral("Glow")});
}

void IntakeTest::reducedDecodeScale_data() {
    QTest::addColumn<QSize>("stored");
    QTest::addColumn<QSize>("target");
    QTest::addColumn<int>("denominator");
    QTest::newRow("24 MP to 1000 x 666") << QSize(6000, 4000) << QSize(1000, 666) << 4;
    QTest::newRow("exactly an eighth") << QSize(8000, 6000) << QSize(1000, 750) << 8;
    QTest::newRow("one pixel short of an eighth") << QSize(7999, 5999) << QSize(1000, 749) << 4;
    QTest::newRow("just above the direct limit") << QSize(1025, 768) << QSize(1000, 749) << 1;
    QTest::newRow("portrait stored turned") << QSize(4000, 3000) << QSize(750, 1000) << 2;
    QTest::newRow("very tall") << QSize(2000, 16000) << QSize(1000, 8000) << 2;
}

void IntakeTest::reducedDecodeScale() {
    QFETCH(QSize, stored);
    QFETCH(QSize, target);
    QFETCH(int, denominator);
    QCOMPARE(PreviewDecoder::dctScaleFor(stored, target), denominator);
}

void IntakeTest::largeJpegPreviewMatchesFullDecode_data() {
    QTest::addColumn<bool>("progressive");
    QTest::newRow("baseline") << false;
    QTest::newRow("progressive") << true;
}

void IntakeTest::largeJpegPreviewMatchesFullDecode() {
    // The reduced decode must give the preview a full decode and a high-quality scale would.
    QFETCH(bool, progressive);
    const QString path = m_work + "large.jpg";
    writeFile(path, jpegBytes(photo(4000, 3000), progressive));

    const std::optional<DecodedPreview> decoded = PreviewDecoder::decode(path);
    QVERIFY(decoded);
    QCOMPARE(decoded->sourceSize, QSize(4000, 3000));
    QCOMPARE(decoded->preview.size(), QSize(1000, 750));
    QCOMPARE(decoded->preview.format(), QImage::Format_ARGB32);
    const QImage reference =
        RasterIO::load(path).scaled(1000, 750, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QVERIFY(looksLike(decoded->preview, reference, 1.0));
}

void IntakeTest::previewAndGeometry_data() {
    QTest::addColumn<QSize>("source");
    QTest::addColumn<bool>("previewFile");
    QTest::addColumn<QSize>("preview");
    QTest::newRow("1024 x 768 is its own preview") << QSize(1024, 768) << false << QSize(1024, 768);
    QTest::newRow("1025 x 768") << QSize(1025, 768) << true << QSize(1000, 749);
    QTest::newRow("1024 x 769") << QSize(1024, 769) << true << QSize(1000, 750);
    QTest::newRow("4000 x 3000") << QSize(4000, 3000) << true << QSize(1000, 750);
    QTest::newRow("portrait 1200 x 1600") << QSize(1200, 1600) << true << QSize(1000, 1333);
}

void IntakeTest::previewAndGeometry() {
    QFETCH(QSize, source);
    QFETCH(bool, previewFile);
    QFETCH(QSize, preview);
    const QString path = writePicture(m_work + "user picture.jpg", source.width(), source.height());

    Editor editor;
    QSignalSpy repaints(&editor, &Editor::viewChanged);
    QCOMPARE(editor.takeIn(path, IntakeSource::OpenDialog), Outcome::NewPicture);
    const EditState& s = editor.state();

    const QString previewPath = WorkFiles::path(WorkFiles::kPreview);
    QCOMPARE(s.currentImagePath, previewFile ? previewPath : s.sourceCopyPath);
    QCOMPARE(s.effectBasePath, s.currentImagePath);
    QCOMPARE(s.committedImagePath, s.currentImagePath);
    QCOMPARE(QImageReader(s.currentImagePath).size(), preview);
    QCOMPARE(QSize(s.previewWidth, s.previewHeight), preview);
    QCOMPARE(QSize(s.sourceWidth, s.sourceHeight), source);
    QCOMPARE(s.fullSizePath, path);

    QCOMPARE(s.fitRect, FitToView(preview.width(), preview.height()));
    QCOMPARE(s.imageRect, s.fitRect);
    QCOMPARE(s.cropBoundsRect, s.fitRect);
    QCOMPARE(s.compareLeftRect, FitToCompareLeft(preview.width(), preview.height()));
    QCOMPARE(s.compareRightRect, FitToCompareRight(preview.width(), preview.height()));
    QCOMPARE(s.cropStartRect, (Rect{210, 160, 500, 460}));
    QCOMPARE(s.sourceScaleX / s.previewScaleX, double(source.width()) / preview.width());

    QCOMPARE(s.viewBitmap.size(), preview);
    QCOMPARE(s.currentBitmap.size(), preview);
    QCOMPARE(PrintShared::instance().printPicture.size(), preview);
    QCOMPARE(QImageReader(WorkFiles::rotatedCopyPath(0)).size(), preview);
    QCOMPARE(QImageReader(WorkFiles::rotatedCopyPath(90)).size(), preview.transposed());
    QVERIFY(s.imageLoaded && s.cropReady && !s.startBackground);
    QCOMPARE(repaints.count(), 1);
    QVERIFY(waitForThumbnails(editor));
}

void IntakeTest::copyNamesAlternate() {
    const QString first = writePicture(m_work + "first.jpg", 300, 200);
    const QString second = writePicture(m_work + "second.jpg", 200, 300);
    Editor editor;
    const QStringList expected = {"newfile1.jpg", "newfile.jpg", "newfile1.jpg"};
    const QStringList files = {first, second, second};
    for (int i = 0; i < files.size(); ++i) {
        QVERIFY(editor.takeIn(files[i], IntakeSource::OpenDialog) != Outcome::Refused);
        QCOMPARE(QFileInfo(editor.state().sourceCopyPath).fileName(), expected[i]);
        QVERIFY(QFile::exists(editor.state().sourceCopyPath));
        QVERIFY(!QFile::exists(WorkFiles::path(expected[(i + 1) % 2])));
        QCOMPARE(editor.state().copyCounter, i + 1);
        QVERIFY(waitForThumbnails(editor));
    }
}

void IntakeTest::openableNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("jpg") << "photo.jpg" << true;
    QTest::newRow("JPG") << "photo.JPG" << true;
    QTest::newRow("mixed case Jpg") << "photo.Jpg" << true;
    QTest::newRow("jpeg") << "photo.jpeg" << true;
    QTest::newRow("JPEG") << "photo.JPEG" << true;
    QTest::newRow("tiff") << "scan.tiff" << true;
    QTest::newRow("tif") << "scan.tif" << true;
    QTest::newRow("TIF") << "scan.TIF" << true;
    QTest::newRow("png") << "shot.png" << true;
    QTest::newRow("webp") << "web.webp" << true;
    QTest::newRow("text") << "notes.txt" << false;
    QTest::newRow("last dot counts") << "photo.jpg.txt" << false;
    QTest::newRow("no dot") << "photo" << false;
    QTest::newRow("only a leading dot") << ".jpg" << false;
    QTest::newRow("dotted folder, plain name") << "holiday.jpg/photo" << false;
}

// One rule for what the program opens by name: a drop, the open dialog's picture filter and a
// picture handed over on the command line take the same names, in any letter case. The files
// all hold a picture, so only the name decides.
void IntakeTest::openableNames() {
    QFETCH(QString, name);
    QFETCH(bool, accepted);
    const QString path = QDir::cleanPath(m_work + name);
    const QFileInfo file(path);
    QDir().mkpath(file.path());
    writePicture(path, 64, 48);

    const QString filter = OpenDialogChoices::filters().constFirst();
    const qsizetype open = filter.indexOf(QLatin1Char('('));
    const QStringList patterns =
        filter.mid(open + 1, filter.lastIndexOf(QLatin1Char(')')) - open - 1).split(QLatin1Char(' '));
    QCOMPARE(file.dir().entryList(patterns, QDir::Files).contains(file.fileName()), accepted);

    QCOMPARE(CommandLine::pictureArgument({QStringLiteral("lumenkraft"), path}, m_work),
             accepted ? path : QString());

    Editor editor;
    QCOMPARE(editor.takeIn(path, IntakeSource::Drop), accepted ? Outcome::NewPicture : Outcome::NotAPicture);
    if (!accepted) {
        QCOMPARE(editor.state().copyCounter, 0);
        QVERIFY(editor.state().fullSizePath.isEmpty());
    }
    QVERIFY(waitForThumbnails(editor));
}

void IntakeTest::refusedFilesChangeNothing_data() {
    QTest::addColumn<IntakeSource>("source");
    QTest::addColumn<QByteArray>("content");
    const QByteArray text = "these are notes, not a picture\n";
    const QByteArray truncated = jpegBytes(TestSupport::makePicture(300, 200)).left(40);
    QTest::newRow("text named .jpg, open dialog") << IntakeSource::OpenDialog << text;
    QTest::newRow("text named .jpg, drop") << IntakeSource::Drop << text;
    QTest::newRow("JPEG cut inside its header") << IntakeSource::OpenDialog << truncated;
    QTest::newRow("empty file") << IntakeSource::Drop << QByteArray();
}

void IntakeTest::refusedFilesChangeNothing() {
    QFETCH(IntakeSource, source);
    QFETCH(QByteArray, content);
    const QString good = writePicture(m_work + "good.jpg", 400, 300);
    const QString bad = m_work + "bad.jpg";
    writeFile(bad, content);

    Editor editor;
    QCOMPARE(editor.takeIn(good, IntakeSource::OpenDialog), Outcome::NewPicture);
    QVERIFY(waitForThumbnails(editor));
    editor.state().rotationAngle = 90;
    const QByteArray copyBytes = [&] {
        QFile f(editor.state().sourceCopyPath);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    QSignalSpy repaints(&editor, &Editor::viewChanged);

    QCOMPARE(editor.takeIn(bad, source), Outcome::NotAPicture);
    const EditState& s = editor.state();
    QCOMPARE(s.copyCounter, 1);
    QCOMPARE(s.fullSizePath, good);
    QCOMPARE(s.lastSourcePath, good);
    QCOMPARE(s.rotationAngle, 90);
    QCOMPARE(QSize(s.sourceWidth, s.sourceHeight), QSize(400, 300));
    QVERIFY(!s.workerBusy);
    QCOMPARE(repaints.count(), 0);
    QFile copy(s.sourceCopyPath);
    QVERIFY(copy.open(QIODevice::ReadOnly));
    QCOMPARE(copy.readAll(), copyBytes);
}

void IntakeTest::pictureSizeLimit_data() {
    QTest::addColumn<QSize>("claimed");
    QTest::addColumn<bool>("opens");
    QTest::newRow("exactly 100 MP") << QSize(10000, 10000) << true;
    QTest::newRow("one column more") << QSize(10001, 10000) << false;
    QTest::newRow("108 MP") << QSize(12000, 9000) << false;
}

void IntakeTest::pictureSizeLimit() {
    // The header claims the size; what follows is a small picture's data, so the decoder fills
    // the rest. A refusal must come from the header alone.
    QFETCH(QSize, claimed);
    QFETCH(bool, opens);
    const QString path = m_work + "huge.jpg";
    writeFile(path, withFrameSize(jpegBytes(TestSupport::makePicture(320, 240)), claimed.width(),
                                  claimed.height()));
    QCOMPARE(QImageReader(path).size(), claimed);

    Editor editor;
    QCOMPARE(editor.takeIn(path, IntakeSource::OpenDialog),
             opens ? Outcome::NewPicture : Outcome::NotAPicture);
    if (opens) {
        QCOMPARE(QSize(editor.state().sourceWidth, editor.state().sourceHeight), claimed);
        QCOMPARE(editor.state().viewBitmap.size(), QSize(1000, 1000));
    } else {
        QCOMPARE(editor.state().copyCounter, 0);
    }
    QVERIFY(waitForThumbnails(editor));
}

void IntakeTest::firstRunReadsCatalogueLaterRunsReRender() {
    const QString first = writePicture(m_work + "first.jpg", 320, 240);
    const QString second = m_work + "second.jpg";
    writeFile(second, jpegBytes(photo(320, 240).mirrored(true, true)));

    Editor editor;
    HandOvers handOvers(editor);
    QSignalSpy finished(&editor, &Editor::workerFinished);
    QCOMPARE(editor.takeIn(first, IntakeSource::OpenDialog), Outcome::NewPicture);
    QVERIFY(editor.busy());
    QVERIFY(waitForThumbnails(editor));
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.first().first().toBool(), true);
    QCOMPARE(editor.catalogues().filterLooks.size(), 3);
    QCOMPARE(handOvers.numbers, (QList<int>{1, 3}));
    QCOMPARE(editor.state().filterListNumbers, handOvers.numbers);
    QCOMPARE(handOvers.mapSizes, (QList<qsizetype>{1, 2})); // the map is ahead of every cell
    QCOMPARE(handOvers.paths, (QStringList{WorkFiles::thumbnailPath(1), WorkFiles::thumbnailPath(3)}));
    const QImage firstThumbnail = RasterIO::load(WorkFiles::thumbnailPath(3));
    QVERIFY(!firstThumbnail.isNull());

    // Later runs render from what the first one read: the file is no longer needed.
    QVERIFY(QFile::remove(m_data + "deploy/vuvedieffect.xml"));
    handOvers.numbers.clear();
    QCOMPARE(editor.takeIn(second, IntakeSource::Drop), Outcome::NewPicture);
    QVERIFY(editor.state().filterListNumbers.isEmpty());
    QVERIFY(waitForThumbnails(editor));
    QCOMPARE(finished.count(), 2);
    QCOMPARE(handOvers.numbers, (QList<int>{1, 3}));
    QCOMPARE(editor.state().filterListNumbers, (QList<int>{1, 3}));
    QCOMPARE(editor.catalogues().filterLooks.size(), 3);
    QVERIFY(TestSupport::meanDifference(RasterIO::load(WorkFiles::thumbnailPath(3)), firstThumbnail) > 10.0);

    // The second cell shows filter 3, and a click on it applies filter 3: the numbers map the
    // cells without any category having been chosen.
    QVERIFY(!editor.state().categoryChanged);
    ThumbClick click{FilterPanel, 1, handOvers.paths[1]};
    QVERIFY(editor.thumbClicked(click));
    QCOMPARE(editor.state().filterIndex, 2);
    QVERIFY(QFile::exists(WorkFiles::filterResultPath(3)));
}

void IntakeTest::sameFileResetsPictureKeepsThumbnails_data() {
    QTest::addColumn<IntakeSource>("again");
    QTest::newRow("open dialog") << IntakeSource::OpenDialog;
    QTest::newRow("drop") << IntakeSource::Drop;
}

void IntakeTest::sameFileResetsPictureKeepsThumbnails() {
    QFETCH(IntakeSource, again);
    const QString path = writePicture(m_work + "photo.jpg", 1600, 1200);
    Editor editor;
    HandOvers handOvers(editor);
    QCOMPARE(editor.takeIn(path, IntakeSource::OpenDialog), Outcome::NewPicture);
    QVERIFY(waitForThumbnails(editor));
    QVERIFY(editor.thumbClicked(ThumbClick{FilterPanel, 0, handOvers.paths[0]}));

    EditState& s = editor.state();
    s.rotationAngle = 90;
    s.flipHorizontal = true;
    PrintShared::instance().printRotation = 90;
    PrintShared::instance().printFlipHorizontal = true;
    s.cropMode = true;
    QCOMPARE(s.filterActive, int(LookOn));
    QCOMPARE(s.filterIndex, 0);
    const QList<int> numbers = s.filterListNumbers;
    handOvers.numbers.clear();

    QCOMPARE(editor.takeIn(path, again), Outcome::SameFile);
    QVERIFY(!editor.busy());
    QCoreApplication::processEvents();
    QVERIFY(handOvers.numbers.isEmpty());
    QCOMPARE(s.filterListNumbers, numbers);
    QCOMPARE(s.copyCounter, 2);
    QCOMPARE(s.rotationAngle, 360);
    QVERIFY(!s.flipHorizontal);
    QCOMPARE(PrintShared::instance().printRotation, 360);
    QVERIFY(!PrintShared::instance().printFlipHorizontal);
    QVERIFY(!s.cropMode);
    QCOMPARE(s.filterIndex, -1);
    QCOMPARE(s.filterActive, int(LookOff));
    QVERIFY(s.selectedFilterThumb.isEmpty());
    QVERIFY(s.cachedFilterBitmap.isNull());
    QVERIFY(PrintShared::instance().printLook.isNull());

    // The map of the thumbnails stays as well: the second cell is still filter 3.
    QVERIFY(editor.thumbClicked(ThumbClick{FilterPanel, 1, handOvers.paths.value(1)}));
    QCOMPARE(s.filterIndex, 2);
}

void IntakeTest::refusedWhileWorkerOrExportRuns() {
    const QString first = writePicture(m_work + "first.jpg", 640, 480);
    const QString second = writePicture(m_work + "second.jpg", 480, 640);
    Editor editor;
    QCOMPARE(editor.takeIn(first, IntakeSource::OpenDialog), Outcome::NewPicture);
    QVERIFY(editor.busy());
    QCOMPARE(editor.takeIn(second, IntakeSource::Drop), Outcome::Refused);
    QCOMPARE(editor.takeIn(second, IntakeSource::OpenDialog), Outcome::Refused);
    QVERIFY(!editor.thumbClicked(ThumbClick{FilterPanel, 0, QString()}));
    QCOMPARE(editor.state().lastSourcePath, first);
    QCOMPARE(editor.state().copyCounter, 1);
    QVERIFY(waitForThumbnails(editor));

    editor.state().exportBusy = true;
    QCOMPARE(editor.takeIn(second, IntakeSource::Drop), Outcome::Refused);
    QCOMPARE(editor.state().previewWidth, 640);
    editor.state().exportBusy = false;
    QCOMPARE(editor.takeIn(second, IntakeSource::Drop), Outcome::NewPicture);
    QCOMPARE(editor.state().previewWidth, 480);
    QVERIFY(waitForThumbnails(editor));
}

void IntakeTest::closingDuringThumbnailRunEnds() {
    // A window still connected to the hand-overs closes while thumbnails render: the editor
    // must end the run instead of waiting on a receiver that waits on it.
    writeFilterCatalogue(m_data, QList<std::optional<QString>>(40, QStringLiteral("Glow")));
    const QString path = writePicture(m_work + "photo.jpg", 1600, 1200);
    auto editor = std::make_unique<Editor>();
    HandOvers handOvers(*editor);
    QCOMPARE(editor->takeIn(path, IntakeSource::OpenDialog), Outcome::NewPicture);
    QVERIFY(QTest::qWaitFor([&] { return !handOvers.numbers.isEmpty(); }, 30000));
    editor.reset(); // returns: the run ended although a receiver was still connected
}

void IntakeTest::orientedPhotosAreUpright_data() {
    QTest::addColumn<int>("orientation");
    QTest::addColumn<QSize>("size");
    for (int orientation = 1; orientation <= 8; ++orientation) {
        QTest::addRow("orientation %d, small", orientation) << orientation << QSize(400, 300);
        QTest::addRow("orientation %d, large", orientation) << orientation << QSize(1600, 1200);
    }
}

void IntakeTest::orientedPhotosAreUpright() {
    QFETCH(int, orientation);
    QFETCH(QSize, size);
    const QImage upright = photo(size.width(), size.height());
    QVERIFY(TestSupport::meanDifference(upright, upright.mirrored(true, false)) > 20.0);
    QVERIFY(TestSupport::meanDifference(upright, upright.mirrored(false, true)) > 20.0);
    const QString path = m_work + "camera.jpg";
    writeFile(path, withOrientation(jpegBytes(storedForOrientation(upright, orientation)), orientation));
    QVERIFY(looksLike(RasterIO::load(path), upright, 4.0)); // the test file is right

    Editor editor;
    QCOMPARE(editor.takeIn(path, IntakeSource::OpenDialog), Outcome::NewPicture);
    const EditState& s = editor.state();
    const QSize previewSize =
        PreviewDecoder::usableDirectly(size) ? size : PreviewDecoder::previewSizeFor(size);
    const QImage expected = upright.scaled(previewSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QCOMPARE(QSize(s.sourceWidth, s.sourceHeight), size);
    QVERIFY(looksLike(s.viewBitmap, expected, 4.0));
    QVERIFY(looksLike(PrintShared::instance().printPicture, expected, 4.0));

    // The effect library reads working files as stored, without looking at any tag.
    QImageReader asStored(s.currentImagePath);
    asStored.setAutoTransform(false);
    QVERIFY(looksLike(asStored.read(), expected, 4.0));
    for (const int angle : {90, 180, 270}) {
        QImageReader turned(WorkFiles::rotatedCopyPath(angle));
        turned.setAutoTransform(false);
        QVERIFY2(looksLike(turned.read(), turnPicture(expected, angle), 4.0),
                 qPrintable(QString::number(angle)));
    }

    QVERIFY(waitForThumbnails(editor));
    const QImage reduced = RasterIO::load(WorkFiles::path(WorkFiles::kReducedSource));
    QVERIFY(looksLike(reduced,
                      expected.scaled(reduced.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation), 8.0));
}

QTEST_MAIN(IntakeTest)
#include "tst_editor_intake.moc"
