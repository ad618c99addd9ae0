// The window with the editor behind it: a real picture taken in the way the open dialog and a
// drop hand it over, the filter list filled by the worker, the buttons a run holds back, the
// panels and categories, and clicks that put a look on the view.
#include "CButtonX.h"
#include "CImgCtrl.h"
#include "CPicList.h"
#include "CategoryBrowse.h"
#include "CcsAllDlg.h"
#include "EditorTestFiles.h"
#include "LookCommands.h"
#include "MagickSession.h"
#include "RasterIO.h"
#include "TestSupport.h"
#include "WorkFiles.h"
#include "reComb.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// The buttons a thumbnail run holds back, with whether the intake itself disables them.
const QList<QPair<CButtonX * CcsAllDlg::*, bool>> kRunButtons = {
    {&CcsAllDlg::filterTabButton, true},     {&CcsAllDlg::lightTabButton, true},
    {&CcsAllDlg::frameTabButton, true},      {&CcsAllDlg::randomButton, false},
    {&CcsAllDlg::printButton, true},         {&CcsAllDlg::exportButton, true},
    {&CcsAllDlg::rotateButton, false},       {&CcsAllDlg::flipHorizontalButton, false},
    {&CcsAllDlg::flipVerticalButton, false}, {&CcsAllDlg::compareButton, false},
    {&CcsAllDlg::cropButton, false},
};

// The window, shown, with its notices counted instead of shown in a modal box.
struct Window {
    CcsAllDlg dlg;
    QStringList notices;
    Window() {
        dlg.showNotice = [this](const QString& text) { notices << text; };
        dlg.show();
    }
};

bool waitForRun(CcsAllDlg& window) {
    return EditorTestFiles::waitForThumbnails(window.editor());
}

QStringList cellPaths(const CPicList* list) {
    QStringList paths;
    for (int i = 0; i < list->visibleCount(); ++i)
        paths << list->cells.at(i)->picturePath;
    return paths;
}

// The thumbnails of every filter that has steps, in catalogue order.
QStringList filterThumbs(CcsAllDlg& window) {
    QStringList paths;
    const Catalogues& catalogues = window.editor().catalogues();
    for (qsizetype i = 0; i < catalogues.filterLooks.size(); ++i)
        if (!catalogues.filterLooks.at(i).steps.isEmpty())
            paths << catalogues.filterThumbs.at(i).thumbPath;
    return paths;
}

// What the window's drop handling passes on for files dropped from a file manager.
void dropFiles(CcsAllDlg& window, const QStringList& paths) {
    window.onFilesDropped(paths);
}

void clickCell(CPicList* list, int index) {
    list->ScrollToItem(index);
    QTest::mouseClick(list->cells.at(index), Qt::LeftButton);
}

} // namespace

class IntakeWindowTest : public QObject {
    Q_OBJECT
    MagickSession m_magick;
    QString m_coffee;
    QString m_chelsea;

  private slots:
    void initTestCase() {
        const QString work = TestSupport::freshWorkFolder();
        qputenv("XDG_DATA_HOME", QFile::encodeName(work + QStringLiteral("data")));
        m_coffee = TestSupport::dataFile(QStringLiteral("coffee.png"));
        m_chelsea = TestSupport::dataFile(QStringLiteral("chelsea.png"));
    }

    void newPictureFillsTheFilterListAndGivesTheButtonsBack() {
        Window w;
        CcsAllDlg& window = w.dlg;
        window.onLightTab(); // an intake brings the Filter panel back
        window.openPicture(m_coffee);

        QVERIFY(window.state().workerBusy);
        QCOMPARE(window.filterList->visibleCount(), 0);
        for (const auto& [button, heldBack] : kRunButtons)
            QVERIFY(!heldBack || !(window.*button)->active);
        QVERIFY(window.filterTabButton->pressed && !window.lightTabButton->pressed);
        QVERIFY(!window.filterList->isHidden() && window.lightList->isHidden());
        QVERIFY(!window.filterCategoryDropDown->isHidden() && window.lightCategoryDropDown->isHidden());
        QCOMPARE(window.state().activePanel, int(FilterPanel));

        // Neither a click nor a filter category is taken while the list fills.
        clickCell(window.lightList, 3);
        QCOMPARE(window.state().lightActive, int(LookOff));
        QVERIFY(!window.filterCategoryDropDown->isEnabled());
        window.onFilterCategoryChosen(int(kFilterCategoryNames.indexOf("Others")));
        QCOMPARE(window.filterList->visibleCount(), 0);

        QVERIFY(waitForRun(window));
        const QStringList thumbs = filterThumbs(window);
        QVERIFY(thumbs.size() > 3);
        QCOMPARE(cellPaths(window.filterList), thumbs);
        for (const auto& [button, heldBack] : kRunButtons)
            QVERIFY((window.*button)->active && (window.*button)->isEnabled());
        QVERIFY(window.filterTabButton->pressed);
        QVERIFY(!window.randomButton->pressed);
        QVERIFY(window.filterCategoryDropDown->isEnabled());
    }

    void clicksPutTheLookOfTheCellOnTheView() {
        Window w;
        CcsAllDlg& window = w.dlg;
        window.openPicture(m_coffee);
        QVERIFY(waitForRun(window));
        EditState& state = window.state();

        // A filter cell: the filter whose thumbnail it shows, on the unturned preview.
        clickCell(window.filterList, 2);
        QCOMPARE(state.selectedFilterThumb, window.filterList->cells.at(2)->picturePath);
        const int filter = state.filterIndex;
        QCOMPARE(window.editor().catalogues().filterThumbs.at(filter).thumbPath, state.selectedFilterThumb);
        QVERIFY(!QApplication::overrideCursor());

        EditState expected;
        expected.effectBasePath = WorkFiles::rotatedCopyPath(360);
        expected.renderTarget = RenderToFilterResult;
        const QImage filtered = state.effectBitmap;
        QVERIFY(applyFilter(expected, window.editor().catalogues(), filter));
        QCOMPARE(filtered.size(), QSize(600, 400));
        QCOMPARE(TestSupport::maxChannelDifference(filtered, expected.effectBitmap), 0);

        // A light cell lays its light over the filtered picture.
        QTest::mouseClick(window.lightTabButton, Qt::LeftButton);
        QVERIFY(!window.lightList->isHidden() && window.filterList->isHidden());
        QVERIFY(window.lightTabButton->pressed && !window.filterTabButton->pressed);
        clickCell(window.lightList, 4);
        QCOMPARE(state.lightActive, int(LookOn));
        QCOMPARE(state.lightIndex, 4);
        QCOMPARE(state.filterIndex, filter);
        QVERIFY(TestSupport::maxChannelDifference(state.effectBitmap, filtered) > 0);

        // A frame cell sets the frame and leaves filter and light alone.
        const QImage lit = state.effectBitmap;
        QTest::mouseClick(window.frameTabButton, Qt::LeftButton);
        const QStringList frames = cellPaths(window.frameList);
        const int overlay = int(frames.indexOf(QRegularExpression(QStringLiteral(".*_thumb\\..*"))));
        const int nineSlice = int(frames.indexOf(QRegularExpression(QStringLiteral(".*/border[^/]*\\.png"))));
        QVERIFY(overlay >= 0 && nineSlice >= 0);
        clickCell(window.frameList, overlay);
        QCOMPARE(state.frameMode, int(FrameOverlay));
        QCOMPARE(state.frameThumbPath, frames.at(overlay));
        QCOMPARE(QFileInfo(state.frameOverlayPath).fileName(),
                 QFileInfo(frames.at(overlay))
                     .fileName()
                     .replace(QStringLiteral("_thumb.jpg"), QStringLiteral(".png")));
        clickCell(window.frameList, nineSlice);
        QCOMPARE(state.frameMode, int(FrameNineSlice));
        QVERIFY(!state.framePieces[0].isNull());
        QCOMPARE(TestSupport::maxChannelDifference(state.effectBitmap, lit), 0);

        // Back on the Filter panel the list is as it was left, its cell still chosen.
        window.onFilterTab();
        QCOMPARE(window.filterList->currentCell, window.filterList->cells.at(2));
    }

    void categoryCellsApplyTheFilterTheyShow() {
        Window w;
        CcsAllDlg& window = w.dlg;
        window.openPicture(m_coffee);
        QVERIFY(waitForRun(window));
        const Catalogues& catalogues = window.editor().catalogues();

        clickCell(window.filterList, 1);
        const QString chosen = window.state().selectedFilterThumb;
        window.filterCategoryDropDown->pick(int(kFilterCategoryNames.indexOf("Others")));
        const QList<int>& numbers = window.state().filterListNumbers;
        QVERIFY(numbers.size() > 1);
        QVERIFY(numbers.size() < filterThumbs(window).size());
        QCOMPARE(window.filterList->visibleCount(), numbers.size());

        clickCell(window.filterList, 1);
        const int filter = window.state().filterIndex;
        QCOMPARE(filter, numbers.at(1) - 1);
        const QStringList named = kFilterCategoryNames.mid(1, 7);
        QVERIFY(!named.contains(catalogues.filterThumbs.at(filter).kind));
        QCOMPARE(window.filterList->cells.at(1)->picturePath, catalogues.filterThumbs.at(filter).thumbPath);

        // "All" again: the cell of the look in force is the chosen one.
        window.filterCategoryDropDown->pick(0);
        QCOMPARE(window.filterList->visibleCount(), filterThumbs(window).size());
        QVERIFY(window.filterList->currentCell);
        QCOMPARE(window.filterList->currentCell->picturePath, catalogues.filterThumbs.at(filter).thumbPath);
        QVERIFY(window.state().selectedFilterThumb != chosen);

        // A new picture brings every filter back, and the field says so.
        window.filterCategoryDropDown->pick(int(kFilterCategoryNames.indexOf("Glow")));
        window.openPicture(m_chelsea);
        QCOMPARE(window.filterCategoryDropDown->caption, QStringLiteral("All"));
        QVERIFY(waitForRun(window));
        QCOMPARE(cellPaths(window.filterList), filterThumbs(window));
        clickCell(window.filterList, 3);
        QCOMPARE(window.state().filterIndex, window.state().filterListNumbers.at(3) - 1);

        // A light category maps its cells through the light numbers.
        window.onLightTab();
        window.lightCategoryDropDown->pick(int(kLightCategoryNames.indexOf("Natural")));
        const QList<int>& lights = window.state().lightListNumbers;
        QVERIFY(!lights.isEmpty());
        QCOMPARE(window.lightList->visibleCount(), lights.size());
        clickCell(window.lightList, 0);
        QCOMPARE(window.state().lightIndex, lights.at(0) - 1);
    }

    void filesThatAreNoPicturesChangeNothing_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("drop");
        QTest::newRow("dropped text file") << "notes.txt" << QByteArray("text") << true;
        QTest::newRow("dropped picture of a type not opened by name") << "photo.doc" << QByteArray() << true;
        QTest::newRow("dropped misnamed file") << "fake.png" << QByteArray("not a picture") << true;
        QTest::newRow("opened misnamed file") << "fake.jpg" << QByteArray("not a picture") << false;
    }

    void filesThatAreNoPicturesChangeNothing() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(bool, drop);
        QTemporaryDir folder;
        const QString path = folder.filePath(name);
        if (content.isEmpty()) { // a real picture under a name a drop refuses
            QVERIFY(QFile::copy(m_coffee, path));
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }

        Window w;
        CcsAllDlg& window = w.dlg;
        window.openPicture(m_chelsea);
        QVERIFY(waitForRun(window));
        const QString current = window.state().currentImagePath;
        const QString fullSize = window.state().fullSizePath;

        if (drop)
            dropFiles(window, {path});
        else
            window.openPicture(path);
        QCOMPARE(w.notices, QStringList{QStringLiteral("sorry,the file is not a picture!")});
        QVERIFY(!window.state().workerBusy);
        QCOMPARE(window.state().currentImagePath, current);
        QCOMPARE(window.state().fullSizePath, fullSize);
        QCOMPARE(window.filterList->visibleCount(), filterThumbs(window).size());
        QVERIFY(window.exportButton->active && window.filterTabButton->active);
    }

    void laterIntakes() {
        Window w;
        CcsAllDlg& window = w.dlg;
        window.openPicture(m_coffee);
        QVERIFY(waitForRun(window));
        const int cells = window.filterList->visibleCount();
        const QString firstThumb = window.filterList->cells.first()->picturePath;
        const QImage coffeeThumb = RasterIO::load(firstThumb);
        clickCell(window.filterList, 0);
        QCOMPARE(window.state().filterActive, int(LookOn));

        // The same file again: the look and the turn are reset, the thumbnails and buttons stay.
        window.state().rotationAngle = 90;
        window.openPicture(m_coffee);
        QVERIFY(!window.state().workerBusy);
        QCOMPARE(window.state().rotationAngle, 360);
        QCOMPARE(window.state().filterIndex, -1);
        QCOMPARE(window.filterList->visibleCount(), cells);
        QVERIFY(window.exportButton->active && window.filterTabButton->active);
        // Dropping it again does the same.
        dropFiles(window, {m_coffee});
        QVERIFY(!window.state().workerBusy);
        QCOMPARE(window.filterList->visibleCount(), cells);

        // A new picture, dropped among others: the first one is rendered anew.
        dropFiles(window, {m_chelsea, m_coffee});
        QVERIFY(w.notices.isEmpty());
        QCOMPARE(window.state().fullSizePath, m_chelsea);
        QVERIFY(window.state().workerBusy);
        QCOMPARE(window.filterList->visibleCount(), 0);
        QVERIFY(!window.exportButton->active);
        // While it renders no further picture is taken in.
        window.onLoadPicture();
        window.openPicture(m_coffee);
        QCOMPARE(window.state().fullSizePath, m_chelsea);
        QVERIFY(waitForRun(window));
        QCOMPARE(window.filterList->visibleCount(), cells);
        QCOMPARE(window.filterList->cells.first()->picturePath, firstThumb);
        // Rendered from the reduced picture, a fifth of the preview in each direction.
        QCOMPARE(coffeeThumb.size(), QSize(120, 80));
        QCOMPARE(RasterIO::load(firstThumb).size(), QSize(90, 60));
    }

    void closingWhileTheWorkerRuns_data() {
        QTest::addColumn<bool>("closeButton");
        QTest::addColumn<bool>("closed");
        QTest::newRow("window destroyed") << false << false;
        QTest::newRow("closed by the window manager") << false << true;
        QTest::newRow("close button") << true << true;
    }

    void closingWhileTheWorkerRuns() {
        QFETCH(bool, closeButton);
        QFETCH(bool, closed);
        auto window = std::make_unique<CcsAllDlg>();
        window->show();
        window->openPicture(m_chelsea);
        // Let a hand-over or two reach the list, so one is likely blocked when it closes.
        QVERIFY(QTest::qWaitFor([&] { return window->filterList->visibleCount() > 1; }, 60000));
        QVERIFY(window->state().workerBusy);
        if (closed) {
            if (closeButton)
                QTest::mouseClick(window->closeButton, Qt::LeftButton);
            else
                QVERIFY(window->close());
            QVERIFY(!window->state().workerBusy);
            // Only the close button removes the working files.
            QCOMPARE(QFile::exists(WorkFiles::rotatedCopyPath(0)), !closeButton);
        }
        window.reset();
    }
};

QTEST_MAIN(IntakeWindowTest)
#include "tst_ui_intake.moc"
