// The editing tools on real pictures, through the editor as the window drives it: crop commit
// and cancel, the quarter turn, the mirrors, compare and the random look.
#include "CategoryBrowse.h"
#include "CropCut.h"
#include "Editor.h"
#include "EditorTestFiles.h"
#include "FitRules.h"
#include "MagickSession.h"
#include "PrintShared.h"
#include "QuarterTurn.h"
#include "RasterIO.h"
#include "TestSupport.h"
#include "WorkFiles.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QtTest>

using namespace EditorTestFiles;
using Outcome = Editor::IntakeOutcome;
using Commit = Editor::CropCommit;

Q_DECLARE_METATYPE(Rect)

namespace {

const QStringList kKinds = {"Blur", "Glow", "Blur", "Hue", "Glow", "Sketch"};

// Same size and, on average, within a JPEG's generation loss.
bool samePicture(const QImage& actual, const QImage& expected) {
    const double difference = TestSupport::meanDifference(actual, expected);
    if (difference < 0.0 || difference > 3.0)
        qWarning() << "sizes" << actual.size() << expected.size() << "mean difference" << difference;
    return difference >= 0.0 && difference <= 3.0;
}

bool isGrey(const QImage& image) {
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7) {
            const QRgb p = image.pixel(x, y);
            if (qAbs(qRed(p) - qGreen(p)) > 6 || qAbs(qGreen(p) - qBlue(p)) > 6)
                return false;
        }
    return true;
}

QSize fileSize(const QString& path) {
    return QImageReader(path).size();
}

// Every file of the working folder with its size and time.
QStringList workFolderListing() {
    QStringList listing;
    QDirIterator files(WorkFiles::path(QString()), QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QFileInfo info(files.next());
        listing << info.filePath() + QLatin1Char(' ') + QString::number(info.size()) + QLatin1Char(' ') +
                       QString::number(info.lastModified().toMSecsSinceEpoch());
    }
    listing.sort();
    return listing;
}

} // namespace

class EditingToolsTest : public QObject {
    Q_OBJECT
  private slots:
    void init();

    void cutsFollowTheBox_data();
    void cutsFollowTheBox();
    void successiveCommitsCutFromTheIntakePicture();
    void commitAtARotation();
    void cancelReturnsToTheWorkingPicture();
    void commitRecomputesTheLook_data();
    void commitRecomputesTheLook();
    void emptyBoxKeepsCropModeOpen();
    void fixedRatiosHoldOnAnyPicture_data();
    void fixedRatiosHoldOnAnyPicture();
    void aLookThatCannotBeMadeIsTold_data();
    void aLookThatCannotBeMadeIsTold();

    void rotateTurnsAndPlaces();
    void rotateRecomputesTheLook();
    void compareHalvesStayInTheirHalves();
    void flipsWriteNothing();

    void compareTogglesWithoutComputing();
    void randomLooksDiffer();
    void randomLookShowsEveryEntry();
    void toolsWaitForWorkAndPicture();

  private:
    // Takes in a photo of that size (stored as orientation says) and waits for its thumbnails.
    void takeIn(Editor& editor, const QSize& upright, int orientation = 1);
    // Crop mode opened and the box drawn with the mouse.
    static void drawBox(Editor& editor, const Rect& box);
    QImage intakePreview(const Editor& editor) const {
        return RasterIO::load(editor.state().committedImagePath);
    }

    MagickSession m_magick;
    QString m_work;
    QImage m_photo;
};

void EditingToolsTest::init() {
    makeLooksDataFolder(kKinds);
    m_work = TestSupport::freshWorkFolder();
    PrintShared::instance().reset();
}

void EditingToolsTest::takeIn(Editor& editor, const QSize& upright, int orientation) {
    m_photo = photo(upright.width(), upright.height());
    const QString path = m_work + QStringLiteral("photo %1.jpg").arg(orientation);
    writeFile(path, withOrientation(jpegBytes(storedForOrientation(m_photo, orientation)), orientation));
    QCOMPARE(editor.takeIn(path, IntakeSource::OpenDialog), Outcome::NewPicture);
    QVERIFY(waitForThumbnails(editor));
}

void EditingToolsTest::drawBox(Editor& editor, const Rect& box) {
    // No box left from before, so the press starts a new one wherever it is.
    editor.state().cropStartRect = Rect{};
    QVERIFY(editor.openCrop());
    QCOMPARE(editor.cropPress(QPoint(box.left, box.top)), CropTool::Press::Dragging);
    editor.cropMove(QPoint(box.right, box.bottom), true);
    editor.cropRelease();
}

void EditingToolsTest::cutsFollowTheBox_data() {
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<int>("orientation");
    QTest::addColumn<bool>("exampleScales");
    QTest::addColumn<int>("preset"); // a ratio's box instead of a drawn one
    QTest::addColumn<Rect>("box");
    QTest::addColumn<QRect>("previewCut");
    QTest::addColumn<QRect>("sourceCut");
    QTest::newRow("1.5 preview and 4.0 full-size pixels per screen pixel")
        << QSize(2800, 2000) << 1 << true << -1 << Rect{160, 120, 460, 320} << QRect(90, 60, 450, 300)
        << QRect(240, 160, 1200, 800);
    QTest::newRow("picture fitted by intake, values truncated")
        << QSize(2000, 1000) << 1 << false << -1 << Rect{110, 185, 410, 385} << QRect(142, 71, 428, 285)
        << QRect(285, 142, 857, 571);
    QTest::newRow("a photo stored turned a quarter")
        << QSize(2000, 1000) << 6 << false << -1 << Rect{110, 185, 410, 385} << QRect(142, 71, 428, 285)
        << QRect(285, 142, 857, 571);
}

void EditingToolsTest::cutsFollowTheBox() {
    QFETCH(QSize, picture);
    QFETCH(int, orientation);
    QFETCH(bool, exampleScales);
    QFETCH(int, preset);
    QFETCH(Rect, box);
    QFETCH(QRect, previewCut);
    QFETCH(QRect, sourceCut);
    Editor editor;
    takeIn(editor, picture, orientation);
    EditState& s = editor.state();
    if (exampleScales) {
        // The picture drawn at (100, 80) with 1.5 preview and 4 full-size pixels per screen pixel.
        s.imageRect = s.cropBoundsRect = Rect{100, 80, 700, 560};
        s.previewScaleX = s.previewScaleY = 1.5;
        s.sourceScaleX = s.sourceScaleY = 4.0;
    }
    if (preset >= 0) {
        QVERIFY(editor.openCrop());
        editor.chooseCropRatio(preset);
    } else {
        drawBox(editor, box);
    }
    QCOMPARE(editor.confirmCrop(), Commit::Committed);

    const QString previewPath = WorkFiles::path(WorkFiles::kCropCut);
    const QString sourcePath = WorkFiles::path(WorkFiles::kCropSourceCut);
    QCOMPARE(fileSize(previewPath), previewCut.size());
    QVERIFY(samePicture(RasterIO::load(previewPath), intakePreview(editor).copy(previewCut)));
    // The full-size cut is only a place in the picture as taken in: the export cuts it there.
    QVERIFY(!QFile::exists(sourcePath));

    QCOMPARE(s.fullSizePath, sourcePath);
    QCOMPARE(QSize(s.sourceWidth, s.sourceHeight), sourceCut.size());
    QCOMPARE(s.cropSourceRect, sourceCut);
    QCOMPARE(QSize(s.previewWidth, s.previewHeight), previewCut.size());
    QVERIFY(s.pictureCropped && !s.cropMode && !s.showPictureFile);
    QCOMPARE(s.currentImagePath, WorkFiles::path(WorkFiles::kCropResultTurned));
    QCOMPARE(s.effectBasePath, s.currentImagePath);
    QCOMPARE(s.viewBitmap.size(), previewCut.size());
    QCOMPARE(PrintShared::instance().printPicture.size(), previewCut.size());
    QCOMPARE(s.fitRect, FitToView(previewCut.width(), previewCut.height()));

    // A new picture is whole again.
    QCOMPARE(editor.takeIn(writePicture(m_work + "other.jpg", 300, 200), IntakeSource::OpenDialog),
             Outcome::NewPicture);
    QVERIFY(waitForThumbnails(editor));
    QVERIFY(s.cropSourceRect.isNull());
}

void EditingToolsTest::successiveCommitsCutFromTheIntakePicture() {
    Editor editor;
    takeIn(editor, QSize(1000, 500));
    const QImage preview = intakePreview(editor);
    const Rect first{100, 150, 400, 450};
    const Rect second{300, 200, 500, 300};
    drawBox(editor, first);
    QCOMPARE(editor.confirmCrop(), Commit::Committed);
    drawBox(editor, second);
    QCOMPARE(editor.confirmCrop(), Commit::Committed);

    const EditState& s = editor.state();
    const QRect firstCut = cropPixelRect(first, s.imageRect, s.previewScaleX, s.previewScaleY);
    const QRect secondCut = cropPixelRect(second, s.imageRect, s.previewScaleX, s.previewScaleY);
    // The first commit's files stay; the second cut is taken from the picture as taken in.
    QVERIFY(samePicture(RasterIO::load(WorkFiles::path(WorkFiles::kCropCut)), preview.copy(firstCut)));
    QVERIFY(samePicture(RasterIO::load(WorkFiles::path(WorkFiles::kCropCutAlt)), preview.copy(secondCut)));
    QCOMPARE(s.cropSourceRect, secondCut);
    QCOMPARE(s.fullSizePath, WorkFiles::path(WorkFiles::kCropSourceCutAlt));
    QVERIFY(samePicture(s.currentBitmap, preview.copy(secondCut)));
    QVERIFY(samePicture(RasterIO::load(WorkFiles::path(WorkFiles::kCropResultTurned)), s.currentBitmap));
}

void EditingToolsTest::commitAtARotation() {
    Editor editor;
    takeIn(editor, QSize(1000, 500));
    QVERIFY(editor.rotate());
    QCOMPARE(editor.state().rotationAngle, 270);
    const Rect box{110, 185, 410, 385};
    drawBox(editor, box);
    QCOMPARE(editor.confirmCrop(), Commit::Committed);

    const EditState& s = editor.state();
    const QImage cut = RasterIO::load(WorkFiles::path(WorkFiles::kCropCut));
    QCOMPARE(cut.size(), QSize(428, 285));
    const QImage turned = RasterIO::load(WorkFiles::path(WorkFiles::kCropResultTurned));
    QCOMPARE(turned.size(), QSize(285, 428));
    QVERIFY(samePicture(turned, turnPicture(cut, 270)));
    QVERIFY(samePicture(s.viewBitmap, turned));
    // Portrait now: 500 pixels high, centred where the picture was taken in.
    QCOMPARE(s.fitRect.top, s.imageCenterY - 250);
    QCOMPARE(s.fitRect.bottom, s.imageCenterY + 250);
    QCOMPARE(s.fitRect.width(), 285 * 500 / 428);
    QCOMPARE(s.fitRect.left, s.imageCenterX - s.fitRect.width() / 2);
    QCOMPARE(s.rotationAngle, 270);

    // Later turns start from the cut.
    QVERIFY(editor.rotate());
    QVERIFY(samePicture(s.viewBitmap, turnPicture(cut, 180)));
}

void EditingToolsTest::cancelReturnsToTheWorkingPicture() {
    Editor editor;
    takeIn(editor, QSize(1000, 500));
    EditState& s = editor.state();
    QVERIFY(editor.rotate());
    const QImage turnedView = s.viewBitmap;
    const QString intakePath = s.committedImagePath;

    // Before any commit: the working picture stays the intake preview, the view as it was.
    drawBox(editor, Rect{110, 185, 410, 385});
    QVERIFY(editor.cancelCrop());
    QVERIFY(!s.cropMode && !s.showPictureFile);
    QCOMPARE(s.currentImagePath, intakePath);
    QCOMPARE(s.viewBitmap.cacheKey(), turnedView.cacheKey());
    QVERIFY(!editor.cancelCrop());

    // After a commit: back to the last cut, turned as it is shown.
    drawBox(editor, Rect{110, 185, 410, 385});
    QCOMPARE(editor.confirmCrop(), Commit::Committed);
    const QImage committedView = s.viewBitmap;
    drawBox(editor, Rect{300, 200, 500, 300});
    QCOMPARE(s.currentImagePath, intakePath);
    QVERIFY(editor.cancelCrop());
    QCOMPARE(s.currentImagePath, WorkFiles::path(WorkFiles::kCropResultTurned));
    QVERIFY(samePicture(s.viewBitmap, committedView));
    QCOMPARE(s.viewBitmap.size(), QSize(285, 428));
}

void EditingToolsTest::commitRecomputesTheLook_data() {
    QTest::addColumn<bool>("filter");
    QTest::addColumn<bool>("light");
    QTest::newRow("filter") << true << false;
    QTest::newRow("light") << false << true;
    QTest::newRow("filter and light") << true << true;
}

void EditingToolsTest::commitRecomputesTheLook() {
    QFETCH(bool, filter);
    QFETCH(bool, light);
    Editor editor;
    takeIn(editor, QSize(1000, 500));
    EditState& s = editor.state();
    if (filter) {
        editor.showPanel(FilterPanel);
        QVERIFY(editor.thumbClicked(ThumbClick{FilterPanel, 1, WorkFiles::thumbnailPath(2)}));
    }
    if (light) {
        editor.showPanel(LightPanel);
        QVERIFY(editor.thumbClicked(ThumbClick{LightPanel, 0, QString()}));
    }
    const QImage before = s.effectBitmap;
    // A nine-slice frame, cut for the full-size picture.
    const ListContent frames = *editor.chooseFrameCategory(int(kFrameCategoryNames.indexOf("Regular")));
    QVERIFY(!frames.paths.isEmpty());
    editor.showPanel(FramePanel);
    QVERIFY(editor.thumbClicked(ThumbClick{FramePanel, 0, frames.paths.first()}));
    QCOMPARE(s.frameMode, int(FrameNineSlice));
    const std::array<int, 8> fullPieces = s.frameSliceSizes;

    drawBox(editor, Rect{110, 185, 410, 385});
    QCOMPARE(editor.confirmCrop(), Commit::Committed);
    const QImage cutLook = s.effectBitmap;
    QCOMPARE(cutLook.size(), QSize(428, 285));
    QCOMPARE(isGrey(cutLook), filter && !light);
    if (light) {
        // The same light over the same pixels gives the same look.
        EditState expected;
        expected.renderTarget = RenderToView;
        const QString base = filter ? WorkFiles::filterResultPath(2) : s.effectBasePath;
        QVERIFY(applyLight(expected, editor.catalogues(), 0, base));
        QCOMPARE(TestSupport::maxChannelDifference(cutLook, expected.effectBitmap), 0);
    }
    QCOMPARE(PrintShared::instance().printLook.cacheKey(), cutLook.cacheKey());
    QCOMPARE(s.combinedCached, filter && light);
    QVERIFY(s.frameSliceSizes != fullPieces);
    QCOMPARE(PrintShared::instance().printFrameMode, 1);

    // A frame click after the crop recomputes nothing and brings back no look of the picture
    // before it.
    QVERIFY(editor.thumbClicked(ThumbClick{FramePanel, 0, frames.paths.first()}));
    QCOMPARE(s.effectBitmap.size(), QSize(428, 285));
    QVERIFY(TestSupport::maxChannelDifference(s.effectBitmap, cutLook) <= 3);
    QCOMPARE(before.size(), QSize(1000, 500));
}

void EditingToolsTest::emptyBoxKeepsCropModeOpen() {
    Editor editor;
    takeIn(editor, QSize(1000, 500));
    drawBox(editor, Rect{300, 200, 300, 400});
    QCOMPARE(editor.confirmCrop(), Commit::EmptyBox);
    QVERIFY(editor.state().cropMode);
    QVERIFY(!editor.state().pictureCropped);
    QVERIFY(!QFile::exists(WorkFiles::path(WorkFiles::kCropCut)));
    // The next box can be drawn and committed.
    drawBox(editor, Rect{300, 200, 400, 400});
    QCOMPARE(editor.confirmCrop(), Commit::Committed);
}

void EditingToolsTest::fixedRatiosHoldOnAnyPicture_data() {
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<int>("ratio");
    QTest::addColumn<bool>("turned");
    QTest::addColumn<double>("widthPerHeight");
    QTest::newRow("4:3 on a tall narrow photo") << QSize(950, 3172) << int(Ratio4to3) << false << 4.0 / 3.0;
    QTest::newRow("4:3 turned on a panorama") << QSize(1000, 500) << int(Ratio4to3) << true << 3.0 / 4.0;
    QTest::newRow("16:9 on a strip") << QSize(2400, 300) << int(Ratio16to9) << false << 16.0 / 9.0;
    QTest::newRow("1:1 on a tall photo") << QSize(300, 2000) << int(Ratio1to1) << false << 1.0;
    QTest::newRow("the photo's own, turned") << QSize(1200, 500) << int(RatioOriginal) << true << 0.5 / 1.2;
    QTest::newRow("free, as crop mode opens") << QSize(950, 3172) << -1 << false << 0.0;
}

void EditingToolsTest::fixedRatiosHoldOnAnyPicture() {
    QFETCH(QSize, picture);
    QFETCH(int, ratio);
    QFETCH(bool, turned);
    QFETCH(double, widthPerHeight);
    Editor editor;
    takeIn(editor, picture);
    EditState& s = editor.state();
    QVERIFY(editor.openCrop());
    if (ratio >= 0)
        editor.chooseCropRatio(ratio);
    if (turned)
        editor.toggleCropOrientation();
    const Rect box = s.cropRect;
    const Rect bounds = s.cropBoundsRect;
    QVERIFY(box.left >= bounds.left && box.top >= bounds.top && box.right <= bounds.right &&
            box.bottom <= bounds.bottom);
    QCOMPARE(editor.confirmCrop(), Commit::Committed);

    // Both cuts have the ratio chosen, to the pixel.
    const QSize sourceCut(s.sourceWidth, s.sourceHeight);
    const QSize previewCut(s.previewWidth, s.previewHeight);
    QCOMPARE(sourceCut, s.cropSourceRect.size());
    for (const QSize& cut : {sourceCut, previewCut}) {
        QVERIFY(!cut.isEmpty());
        if (widthPerHeight > 0.0)
            QVERIFY2(qAbs(cut.width() - cut.height() * widthPerHeight) <= qMax(1.0, widthPerHeight),
                     qPrintable(QStringLiteral("%1 x %2").arg(cut.width()).arg(cut.height())));
    }
    QVERIFY(QRect(QPoint(0, 0), picture).contains(s.cropSourceRect));
}

void EditingToolsTest::aLookThatCannotBeMadeIsTold_data() {
    QTest::addColumn<QString>("command");
    QTest::newRow("crop commit") << "crop";
    QTest::newRow("quarter turn") << "turn";
    QTest::newRow("random look") << "random";
    QTest::newRow("a click on another light") << "click";
}

void EditingToolsTest::aLookThatCannotBeMadeIsTold() {
    QFETCH(QString, command);
    Editor editor;
    takeIn(editor, QSize(1000, 500));
    EditState& s = editor.state();
    editor.showPanel(FilterPanel);
    const QString firstCell = WorkFiles::thumbnailPath(1);
    QVERIFY(editor.thumbClicked(ThumbClick{FilterPanel, 0, firstCell}));
    QVERIFY(editor.takeLookProblem().isEmpty());
    // A filter's result can no longer be written: where its folder was stands a file.
    const QString results = WorkFiles::path(QString::fromLatin1(WorkFiles::kResultFolder));
    QVERIFY(QDir(results).removeRecursively());
    writeFile(results, "not a folder");

    QString problem;
    if (command == "crop") {
        drawBox(editor, Rect{110, 185, 410, 385});
        QCOMPARE(editor.confirmCrop(), Commit::Committed);
        problem = editor.takeLookProblem();
    } else if (command == "turn") {
        QVERIFY(editor.rotate());
        problem = editor.takeLookProblem();
    } else if (command == "random") {
        QVERIFY(editor.randomLook());
        problem = editor.takeLookProblem();
    } else {
        QVERIFY(!editor.thumbClicked(ThumbClick{FilterPanel, 1, WorkFiles::thumbnailPath(2)}));
        // The filter before the click stays on, and its cell stays marked.
        QCOMPARE(s.filterActive, int(LookOn));
        QCOMPARE(s.filterIndex, 0);
        QCOMPARE(editor.currentCell(FilterPanel), firstCell);
        QVERIFY(!editor.takeLookProblem().isEmpty());
        return;
    }
    // The filter that could not be made on the new picture is dropped, no list marks it, and the
    // user hears of it once.
    QVERIFY(!problem.isEmpty());
    QCOMPARE(s.filterActive, int(LookOff));
    QVERIFY(editor.currentCell(FilterPanel).isEmpty());
    QVERIFY(editor.takeLookProblem().isEmpty());
}

void EditingToolsTest::rotateTurnsAndPlaces() {
    Editor editor;
    takeIn(editor, QSize(600, 400));
    const EditState& s = editor.state();
    const QImage unturned = s.viewBitmap;
    const int cx = s.imageCenterX;
    const int cy = s.imageCenterY;

    QVERIFY(editor.rotate());
    const QString quarter = WorkFiles::path(WorkFiles::kTurnedQuarter);
    const QString half = WorkFiles::path(WorkFiles::kTurnedHalf);
    QCOMPARE(s.rotationAngle, 270);
    QCOMPARE(PrintShared::instance().printRotation, 270);
    QCOMPARE(fileSize(quarter), QSize(400, 600));
    QVERIFY(samePicture(s.viewBitmap, turnPicture(unturned, 270)));
    QCOMPARE(s.currentImagePath, quarter);
    QCOMPARE(s.effectBasePath, quarter);
    QCOMPARE(s.fitRect, (Rect{cx - 166, cy - 250, cx + 167, cy + 250}));
    QCOMPARE(s.compareLeftRect, (Rect{42, 110, 308, 510}));
    QCOMPARE(s.compareRightRect, (Rect{382, 110, 648, 510}));
    QCOMPARE(PrintShared::instance().printPicture.size(), QSize(400, 600));

    // The angle cycles 270, 180, 90, 360; quarter turns and half turns alternate their files.
    const int angles[] = {180, 90, 360};
    for (const int angle : angles) {
        QVERIFY(editor.rotate());
        QCOMPARE(s.rotationAngle, angle);
        QCOMPARE(PrintShared::instance().printRotation, angle);
        QCOMPARE(s.currentImagePath, angle == 90 ? quarter : half);
    }
    QCOMPARE(fileSize(half), QSize(600, 400));
    QVERIFY(samePicture(RasterIO::load(half), unturned));
    QCOMPARE(s.fitRect, FitToView(600, 400));
    QCOMPARE(s.compareLeftRect, FitToCompareLeft(600, 400));
}

void EditingToolsTest::rotateRecomputesTheLook() {
    Editor editor;
    takeIn(editor, QSize(600, 400));
    EditState& s = editor.state();
    editor.showPanel(FilterPanel);
    QVERIFY(editor.thumbClicked(ThumbClick{FilterPanel, 0, WorkFiles::thumbnailPath(1)}));
    editor.showPanel(LightPanel);
    QVERIFY(editor.thumbClicked(ThumbClick{LightPanel, 2, QString()}));
    const int frameMode = s.frameMode;

    QVERIFY(editor.rotate());
    QCOMPARE(s.effectBitmap.size(), QSize(400, 600));
    QVERIFY(s.combinedCached);
    QCOMPARE(s.cachedCombinedBitmap.cacheKey(), s.effectBitmap.cacheKey());
    QCOMPARE(PrintShared::instance().printLook.cacheKey(), s.effectBitmap.cacheKey());
    QCOMPARE(s.frameMode, frameMode);
    // Re-clicking the light shows the turned look without computing it again.
    QVERIFY(editor.thumbClicked(ThumbClick{LightPanel, 2, QString()}));
    QCOMPARE(s.effectBitmap.cacheKey(), s.cachedCombinedBitmap.cacheKey());
}

void EditingToolsTest::compareHalvesStayInTheirHalves() {
    // A square picture stands upright at every turn; its halves must not run into each other.
    Editor editor;
    takeIn(editor, QSize(500, 500));
    const EditState& s = editor.state();
    for (int press = 0; press < 4; ++press) {
        QVERIFY(editor.rotate());
        QVERIFY2(s.compareLeftRect.left >= 10 && s.compareLeftRect.right <= 340,
                 qPrintable(QString::number(s.rotationAngle)));
        QVERIFY(s.compareRightRect.left >= 380 && s.compareRightRect.right <= 710);
        QCOMPARE(s.fitRect.width(), 500);
    }
}

void EditingToolsTest::flipsWriteNothing() {
    Editor editor;
    takeIn(editor, QSize(600, 400));
    const EditState& s = editor.state();
    const PrintShared& print = PrintShared::instance();
    const QStringList before = workFolderListing();
    QTest::qWait(20); // a write now would show in the file times
    QVERIFY(editor.flipHorizontal());
    QVERIFY(s.flipHorizontal && print.printFlipHorizontal && !s.flipVertical);
    QVERIFY(editor.flipVertical());
    QVERIFY(s.flipVertical && print.printFlipVertical);
    QVERIFY(editor.flipHorizontal());
    QVERIFY(editor.flipVertical());
    QVERIFY(!s.flipHorizontal && !print.printFlipHorizontal && !s.flipVertical && !print.printFlipVertical);
    QCOMPARE(workFolderListing(), before);
}

void EditingToolsTest::compareTogglesWithoutComputing() {
    Editor editor;
    QCOMPARE(editor.compare(), Editor::CompareView::Refused);
    takeIn(editor, QSize(600, 400));
    const EditState& s = editor.state();
    const qint64 view = s.viewBitmap.cacheKey();
    QCOMPARE(editor.compare(), Editor::CompareView::Shown);
    QVERIFY(s.compareActive && !s.compareToggle);
    QCOMPARE(editor.compare(), Editor::CompareView::Hidden);
    QVERIFY(!s.compareActive && s.compareToggle);
    QCOMPARE(s.viewBitmap.cacheKey(), view);

    // Opening the crop tool ends the view but not the toggle.
    QCOMPARE(editor.compare(), Editor::CompareView::Shown);
    QVERIFY(editor.openCrop());
    QVERIFY(!s.compareActive && !s.compareToggle);
    QCOMPARE(editor.compare(), Editor::CompareView::Refused);
}

void EditingToolsTest::randomLooksDiffer() {
    Editor editor;
    takeIn(editor, QSize(600, 400));
    EditState& s = editor.state();
    // Looks drawn in quick succession, well within one second, still differ.
    QList<std::tuple<int, int, QString>> drawn;
    for (int press = 0; press < 4; ++press) {
        const std::optional<Editor::RandomLook> look = editor.randomLook();
        QVERIFY(look);
        QVERIFY(s.filterActive == LookOn && s.lightActive == LookOn);
        QCOMPARE(look->filters.currentCell, int(s.filterListNumbers.indexOf(s.filterIndex + 1)));
        QCOMPARE(look->lights.paths.value(look->lights.currentCell), s.selectedLightThumb);
        QCOMPARE(look->frames.paths.value(look->frames.currentCell), s.selectedFrameThumb);
        QCOMPARE(s.frameThumbPathCopy, s.selectedFrameThumb);
        QVERIFY(s.frameMode == FrameOverlay || s.frameMode == FrameNineSlice);
        QVERIFY(s.combinedCached);
        QCOMPARE(s.lastFilterIndex, s.filterIndex);
        QCOMPARE(s.lastLightIndex, s.lightIndex);
        QCOMPARE(s.effectBitmap.size(), QSize(600, 400));
        QCOMPARE(PrintShared::instance().printLook.cacheKey(), s.effectBitmap.cacheKey());
        QCOMPARE(s.renderTarget, int(RenderToThumbnail));
        drawn << std::make_tuple(s.filterIndex, s.lightIndex, s.selectedFrameThumb);
    }
    QVERIFY2(drawn.count(drawn.first()) < drawn.size(), "four random looks were all the same");

    // Clicking the cell the last look chose shows the cached look; nothing is computed.
    const qint64 combined = s.effectBitmap.cacheKey();
    editor.showPanel(FilterPanel);
    QVERIFY(editor.thumbClicked(
        ThumbClick{FilterPanel, int(s.filterListNumbers.indexOf(s.filterIndex + 1)), s.selectedFilterThumb}));
    QCOMPARE(s.effectBitmap.cacheKey(), combined);
}

void EditingToolsTest::randomLookShowsEveryEntry() {
    Editor editor;
    takeIn(editor, QSize(600, 400));
    EditState& s = editor.state();
    const ListContent blur = *editor.chooseFilterCategory(int(kFilterCategoryNames.indexOf("Blur")));
    QCOMPARE(blur.paths.size(), 2);
    const ListContent natural = *editor.chooseLightCategory(int(kLightCategoryNames.indexOf("Natural")));
    QVERIFY(natural.paths.size() < editor.catalogues().lightRecords.size());

    const std::optional<Editor::RandomLook> look = editor.randomLook();
    QVERIFY(look);
    QCOMPARE(s.filterListNumbers, (QList<int>{1, 2, 3, 4, 5, 6}));
    QCOMPARE(look->filters.paths.size(), kKinds.size());
    QCOMPARE(look->lights.paths.size(), editor.catalogues().lightRecords.size());
    QCOMPARE(look->frames.paths, ShowFrameCategory(s, frameFolder(), "All").paths);
    QCOMPARE(s.lightIndex, look->lights.currentCell);
    QCOMPARE(look->filters.scrollTo, look->filters.currentCell);
}

void EditingToolsTest::toolsWaitForWorkAndPicture() {
    Editor editor;
    // Before the first picture nothing can be turned, mirrored, cropped or chosen at random.
    QVERIFY(!editor.rotate());
    QVERIFY(!editor.flipHorizontal());
    QVERIFY(!editor.randomLook());
    QVERIFY(!editor.openCrop());
    QCOMPARE(editor.confirmCrop(), Commit::Refused);

    takeIn(editor, QSize(600, 400));
    EditState& s = editor.state();
    drawBox(editor, Rect{100, 100, 300, 300});
    // Turns, mirrors and random looks wait for the crop tool to close.
    QVERIFY(!editor.rotate());
    QVERIFY(!editor.flipVertical());
    QVERIFY(!editor.randomLook());

    // While an export runs nothing may change what it reads.
    s.exportBusy = true;
    QCOMPARE(editor.confirmCrop(), Commit::Refused);
    QVERIFY(editor.cancelCrop());
    QVERIFY(!editor.rotate());
    QVERIFY(!editor.flipHorizontal());
    QVERIFY(!editor.randomLook());
    QCOMPARE(s.rotationAngle, 360);
    QVERIFY(!s.flipHorizontal);
    s.exportBusy = false;
    QVERIFY(editor.rotate());
}

QTEST_MAIN(EditingToolsTest)
#include "tst_editing_tools.moc"
