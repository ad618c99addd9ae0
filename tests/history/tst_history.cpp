// Undo, redo and the strength of a look on real pictures, through the editor as the window
// drives it, and what the view then paints.
#include "AppPaths.h"
#include "Editor.h"
#include "EditorTestFiles.h"
#include "FullSizeRender.h"
#include "LookBlend.h"
#include "MagickSession.h"
#include "Panels.h"
#include "PrintShared.h"
#include "Recipe.h"
#include "TestSupport.h"
#include "ViewPainter.h"
#include "WorkFiles.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QtTest>

#include <algorithm>

using namespace EditorTestFiles;
using Move = Editor::HistoryMove;

namespace {

// What the user sees of one step: the edit, the picture area as the window paints it, and
// the cells the lists mark.
struct Shown {
    EditRecipe recipe;
    QImage view;
    QStringList cells;
};

Shown shown(Editor& editor) {
    const EditState& s = editor.state();
    QImage canvas(ViewPainter::kWidth, ViewPainter::kHeight, QImage::Format_ARGB32);
    canvas.fill(Qt::black);
    QPainter painter(&canvas);
    ViewPainter().drawLook(painter, s, s.fitRect);
    painter.end();
    return {
        recipeOf(s),
        canvas,
        {editor.currentCell(FilterPanel), editor.currentCell(LightPanel), editor.currentCell(FramePanel)}};
}

QString lightCell(int position) {
    return AppPaths::programFolder() + QStringLiteral("lightimage.bundle/%1.jpg").arg(position + 1);
}

// One command as a word: "filter 2", "light 4", "frame 1", "random", "crop", "rotate", "flipH",
// "flipV", "strength 30" (a drag through every ten to that value, one step of the history).
void run(Editor& editor, const QString& command) {
    const QStringList words = command.split(QLatin1Char(' '));
    const int n = words.value(1).toInt();
    if (words[0] == "filter" || words[0] == "light" || words[0] == "frame") {
        const EffectPanel panel = words[0] == "filter"  ? FilterPanel
                                  : words[0] == "light" ? LightPanel
                                                        : FramePanel;
        const QString path = panel == FilterPanel ? WorkFiles::thumbnailPath(n + 1)
                             : panel == LightPanel
                                 ? lightCell(n)
                                 : ShowFrameCategory(editor.state(), frameFolder(), "All").paths[n];
        editor.showPanel(panel);
        QVERIFY(editor.thumbClicked(ThumbClick{panel, n, path}));
    } else if (words[0] == "random") {
        QVERIFY(editor.randomLook());
    } else if (words[0] == "crop") {
        const Rect fit = editor.state().fitRect;
        editor.state().cropStartRect = Rect{};
        QVERIFY(editor.openCrop());
        editor.cropPress(QPoint(fit.left + 40, fit.top + 30));
        editor.cropMove(QPoint(fit.right - 60, fit.bottom - 20), true);
        editor.cropRelease();
        QCOMPARE(editor.confirmCrop(), Editor::CropCommit::Committed);
    } else if (words[0] == "rotate") {
        QVERIFY(editor.rotate());
    } else if (words[0] == "flipH" || words[0] == "flipV") {
        QVERIFY(words[0] == "flipH" ? editor.flipHorizontal() : editor.flipVertical());
    } else if (words[0] == "strength") {
        for (int percent = 100; percent >= n; percent -= 10)
            QVERIFY(editor.setStrength(percent / 100.0));
        editor.endStrengthChange();
    } else {
        QFAIL(qPrintable("unknown command " + command));
    }
}

// Channels of the blend of picture and look at percent, to the nearest integer.
int blendedChannel(int picture, int look, int percent) {
    return qRound(picture + (look - picture) * percent / 100.0);
}

} // namespace

class HistoryTest : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        makeLooksDataFolder({"Blur", "Glow", "Hue", "Sketch"});
        m_work = TestSupport::freshWorkFolder();
        PrintShared::instance().reset();
    }

    void sequenceUndoneAndRedone_data() {
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<bool>("cached");
        QTest::newRow("looks, then the tools")
            << QStringList{"filter 1", "light 2", "strength 40", "rotate",  "crop",
                           "flipH",    "random",  "strength 70", "frame 0", "rotate"}
            << true;
        QTest::newRow("the tools, then looks")
            << QStringList{"rotate",      "rotate",  "crop",    "flipV", "filter 3",
                           "strength 20", "light 5", "frame 3", "crop",  "random"}
            << true;
        QTest::newRow("a nine-slice frame through crops and turns")
            << QStringList{"frame 40", "crop", "rotate", "light 1", "crop", "strength 0", "flipH"} << true;
        // Every step rendered again from its description: the same edit, and a view within the
        // working JPEG's generation loss.
        QTest::newRow("nothing kept") << QStringList{"filter 1",    "rotate",  "light 2", "crop",
                                                     "strength 40", "frame 3", "flipV",   "rotate"}
                                      << false;
    }

    void sequenceUndoneAndRedone() {
        QFETCH(QStringList, commands);
        QFETCH(bool, cached);
        Editor editor;
        if (!cached)
            editor.setHistoryRasterBudget(0);
        takeIn(editor, QSize(900, 600));
        QList<Shown> recorded{shown(editor)};
        for (const QString& command : commands) {
            run(editor, command);
            if (QTest::currentTestFailed())
                return;
            // A random look can draw the look in force; that changes nothing and is no step.
            const Shown now = shown(editor);
            if (!(now.recipe == recorded.last().recipe))
                recorded << now;
        }
        const int steps = int(recorded.size()) - 1;
        QVERIFY(steps >= commands.size() - 1);
        QCOMPARE(editor.history().undoCount(), steps);

        const auto expectStep = [&](int i) {
            const Shown now = shown(editor);
            QVERIFY2(now.recipe == recorded[i].recipe,
                     qPrintable(QStringLiteral("the edit of step %1").arg(i)));
            const double off = TestSupport::meanDifference(now.view, recorded[i].view);
            QVERIFY2(cached ? now.view == recorded[i].view : off >= 0.0 && off < 0.5,
                     qPrintable(QStringLiteral("the view of step %1, off by %2").arg(i).arg(off)));
            QCOMPARE(now.cells, recorded[i].cells);
        };
        for (int i = steps - 1; i >= 0; --i) {
            QCOMPARE(editor.undo(), Move::Restored);
            expectStep(i);
        }
        QCOMPARE(editor.undo(), Move::Refused);
        for (int i = 1; i <= steps; ++i) {
            QCOMPARE(editor.redo(), Move::Restored);
            expectStep(i);
        }
        QCOMPARE(editor.redo(), Move::Refused);
        // What the print dialog draws follows the edit.
        const PrintShared& print = PrintShared::instance();
        QCOMPARE(print.printRotation, editor.state().rotationAngle);
        QCOMPARE(print.printFlipHorizontal, editor.state().flipHorizontal);
        QCOMPARE(print.printFrameMode, editor.state().frameMode);
    }

    void strengthBlendsTheLookOverThePicture_data() {
        QTest::addColumn<int>("percent");
        for (int percent : {0, 30, 50, 100})
            QTest::newRow(qPrintable(QStringLiteral("%1 %").arg(percent))) << percent;
    }

    void strengthBlendsTheLookOverThePicture() {
        QFETCH(int, percent);
        Editor editor;
        takeIn(editor, QSize(600, 400));
        EditState& s = editor.state();
        run(editor, "frame 0");
        const Shown plain = shown(editor);
        run(editor, "filter 2");
        run(editor, "light 3");
        const QImage picture = s.viewBitmap.convertToFormat(QImage::Format_ARGB32);
        const QImage look = s.effectBitmap.convertToFormat(QImage::Format_ARGB32);
        const qint64 lookKey = s.effectBitmap.cacheKey();
        const int steps = editor.history().undoCount();

        QVERIFY(editor.setStrength(percent / 100.0));
        editor.endStrengthChange();
        QCOMPARE(s.effectBitmap.cacheKey(), lookKey);
        const QImage blended = (s.blendedBitmap.isNull() ? s.effectBitmap : s.blendedBitmap)
                                   .convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(PrintShared::instance().printLook.cacheKey(),
                 (s.blendedBitmap.isNull() ? s.effectBitmap : s.blendedBitmap).cacheKey());
        if (percent == 0)
            QCOMPARE(blended, picture);
        if (percent == 100)
            QCOMPARE(blended, look);
        int worst = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const QRgb a = picture.pixel(x, y), b = look.pixel(x, y), c = blended.pixel(x, y);
                worst = std::max({worst, qAbs(qRed(c) - blendedChannel(qRed(a), qRed(b), percent)),
                                  qAbs(qGreen(c) - blendedChannel(qGreen(a), qGreen(b), percent)),
                                  qAbs(qBlue(c) - blendedChannel(qBlue(a), qBlue(b), percent))});
            }
        QVERIFY2(worst <= 1, qPrintable(QStringLiteral("off by %1").arg(worst)));
        // The frame is laid over the blend untouched: at 0 % the view is the framed picture.
        if (percent == 0)
            QVERIFY(shown(editor).view == plain.view);
        // One step of the history, and the step back shows the full look, not computed again.
        QCOMPARE(editor.history().undoCount(), steps + (percent == 100 ? 0 : 1));
        if (percent < 100) {
            QCOMPARE(editor.undo(), Move::Restored);
            QCOMPARE(s.strength, 1.0);
            QCOMPARE(s.effectBitmap.cacheKey(), lookKey);
            QVERIFY(s.blendedBitmap.isNull());
        }
    }

    void halfStrengthExportMatchesTheView() {
        Editor editor;
        takeIn(editor, QSize(2000, 1334));
        run(editor, "filter 2");
        run(editor, "light 3");
        run(editor, "strength 50");
        const EditState& s = editor.state();
        const QImage view = s.blendedBitmap.convertToFormat(QImage::Format_ARGB32);
        EditRecipe fullStrength = recipeOf(s);
        fullStrength.strength = 1.0;
        const auto exportedOff = [&](const EditRecipe& recipe) {
            const RenderedPicture rendered = renderFullSize(recipe, editor.catalogues());
            return TestSupport::meanDifference(
                rendered.image.scaled(view.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                    .convertToFormat(QImage::Format_ARGB32),
                view);
        };
        const double half = exportedOff(recipeOf(s));
        const double whole = exportedOff(fullStrength);
        QVERIFY2(
            half >= 0.0 && half < 3.0 && half < whole / 2,
            qPrintable(QStringLiteral("half strength off by %1, full strength by %2").arg(half).arg(whole)));
    }

    void historyBoundsAndRefusals() {
        Editor editor;
        takeIn(editor, QSize(600, 400));
        for (int i = 0; i < EditHistory::kMaxUndoSteps + 5; ++i)
            run(editor, "flipH");
        QCOMPARE(editor.history().undoCount(), EditHistory::kMaxUndoSteps);
        // A click that changes nothing of the edit is no step.
        run(editor, "light 40");
        run(editor, "light 40");
        QCOMPARE(editor.history().undoCount(), EditHistory::kMaxUndoSteps);

        QCOMPARE(editor.undo(), Move::Restored);
        QCOMPARE(editor.undo(), Move::Restored);
        QCOMPARE(editor.history().redoCount(), 2);
        run(editor, "flipV");
        QCOMPARE(editor.history().redoCount(), 0);

        // In crop mode a step back only leaves it, as Cancel does.
        const int steps = editor.history().undoCount();
        QVERIFY(editor.openCrop());
        QCOMPARE(editor.undo(), Move::LeftCrop);
        QVERIFY(!editor.state().cropMode);
        QCOMPARE(editor.history().undoCount(), steps);
        // Refused in the before/after view and while a worker or an export runs.
        QCOMPARE(editor.compare(), Editor::CompareView::Shown);
        QCOMPARE(editor.undo(), Move::Refused);
        QCOMPARE(editor.compare(), Editor::CompareView::Hidden);
        editor.state().exportBusy = true;
        QCOMPARE(editor.undo(), Move::Refused);
        QVERIFY(!editor.setStrength(0.5));
        editor.state().exportBusy = false;
        QCOMPARE(editor.history().undoCount(), steps);
        // Taking a picture in starts a new history.
        QCOMPARE(editor.takeIn(m_path, IntakeSource::OpenDialog), Editor::IntakeOutcome::SameFile);
        QCOMPARE(editor.history().undoCount(), 0);
        QCOMPARE(editor.undo(), Move::Refused);
    }

    void aStepThatCannotBeMadeAgainIsKept_data() {
        QTest::addColumn<bool>("back");
        QTest::addColumn<bool>("lookFails");
        QTest::newRow("undo, a working file removed") << true << false;
        QTest::newRow("redo, a working file removed") << false << false;
        QTest::newRow("undo, a look that fails") << true << true;
        QTest::newRow("redo, a look that fails") << false << true;
    }

    void aStepThatCannotBeMadeAgainIsKept() {
        QFETCH(bool, back);
        QFETCH(bool, lookFails);
        Editor editor;
        // Every step is made again from the working files.
        editor.setHistoryRasterBudget(0);
        takeIn(editor, QSize(600, 400));
        run(editor, "filter 1");
        const EditRecipe filtered = recipeOf(editor.state());
        run(editor, "rotate");
        const EditRecipe turned = recipeOf(editor.state());
        if (!back)
            QCOMPARE(editor.undo(), Move::Restored);
        const EditRecipe target = back ? filtered : turned;
        const auto step = [&] { return back ? editor.undo() : editor.redo(); };

        // The picture the step stands on is gone, or the filter's result cannot be written (a
        // folder is in its place).
        const QString blocked = lookFails ? WorkFiles::filterResultPath(target.filterIndex + 1)
                                          : WorkFiles::rotatedCopyPath(target.rotationAngle);
        const QString aside = blocked + QStringLiteral(".aside");
        QVERIFY(QFile::rename(blocked, aside));
        if (lookFails)
            QVERIFY(QDir().mkpath(blocked));
        const Shown before = shown(editor);
        const qint64 printed = PrintShared::instance().printPicture.cacheKey();
        const int undos = editor.history().undoCount();
        const int redos = editor.history().redoCount();
        QCOMPARE(step(), Move::Failed);
        const Shown after = shown(editor);
        QVERIFY(after.recipe == before.recipe);
        QVERIFY(after.view == before.view);
        QCOMPARE(after.cells, before.cells);
        QCOMPARE(PrintShared::instance().printPicture.cacheKey(), printed);
        QCOMPARE(editor.history().undoCount(), undos);
        QCOMPARE(editor.history().redoCount(), redos);

        // Once the file is back, the same step is taken, its look and all.
        if (lookFails)
            QVERIFY(QDir().rmdir(blocked));
        QVERIFY(QFile::rename(aside, blocked));
        QCOMPARE(step(), Move::Restored);
        QVERIFY(recipeOf(editor.state()) == target);
        QCOMPARE(editor.state().filterActive, int(LookOn));
    }

  private:
    void takeIn(Editor& editor, const QSize& size) {
        m_path = writePicture(m_work + QStringLiteral("photo.jpg"), size.width(), size.height());
        QCOMPARE(editor.takeIn(m_path, IntakeSource::OpenDialog), Editor::IntakeOutcome::NewPicture);
        QVERIFY(waitForThumbnails(editor));
    }

    MagickSession m_magick;
    QString m_work;
    QString m_path;
};

QTEST_MAIN(HistoryTest)
#include "tst_history.moc"
