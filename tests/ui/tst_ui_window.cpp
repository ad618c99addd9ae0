// The main window as it opens, and the window-level rules: which controls start usable, the
// lists' first contents, Ctrl+S, Escape and Enter kept from every control, the title band, the
// double-click in the view, and what each way of closing leaves behind.
#include "CButtonX.h"
#include "CImgCtrl.h"
#include "CPicList.h"
#include "CcsAllDlg.h"
#include "LogFile.h"
#include "TestSupport.h"
#include "reComb.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

namespace {

// The window with its routing points counted instead of carried out.
class RecordingWindow : public CcsAllDlg {
  public:
    int exports = 0;
    int loads = 0;
    bool loadLookedPressed = false;
    QList<QPoint> viewPresses;
    QList<int> ratioPicks;
    QList<int> filterCategoryPicks;
    QList<CImgCtrl*> thumbCurrentCells;

    void onExport() override { ++exports; }
    void onLoadPicture() override {
        ++loads;
        loadLookedPressed = loadButton->pressed;
    }
    void onViewPress(const QPoint& pos) override { viewPresses.append(pos); }
    void onCropRatioChosen(int position) override { ratioPicks.append(position); }
    void onFilterCategoryChosen(int position) override { filterCategoryPicks.append(position); }
    void onThumbClicked(CImgCtrl*) override {
        thumbCurrentCells.append(listOf(state().activePanel)->currentCell);
    }
};

// The keys pressed that arrive at the object it watches.
class KeySpy : public QObject {
  public:
    QList<int> keys;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress)
            keys.append(static_cast<QKeyEvent*>(event)->key());
        return false;
    }
};

void touch(const QString& path) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("x");
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        // Keep the log of these runs out of the user's own data folder.
        const QString folder = TestSupport::freshWorkFolder();
        qputenv("XDG_DATA_HOME", QFile::encodeName(folder + QStringLiteral("data")));
    }

    void windowFrame() {
        CcsAllDlg window;
        QCOMPARE(window.size(), QSize(1000, 650));
        QCOMPARE(window.pos(), QPoint(0, 0));
        QCOMPARE(window.windowTitle(), QStringLiteral("Lumenkraft"));
        QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(window.testAttribute(Qt::WA_OpaquePaintEvent));
        QVERIFY(window.acceptDrops());
    }

    void buttonsAtStart_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("place");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("tip");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("close") << "closeButton" << QRect(10, 7, 21, 22) << "close.bmp"
                               << "close (Ctrl+Q, Ctrl+W)" << true;
        QTest::newRow("minimise") << "minimizeButton" << QRect(36, 7, 21, 22) << "min.bmp"
                                  << "min" << true;
        QTest::newRow("print") << "printButton" << QRect(810, 8, 33, 33) << "print.bmp"
                               << "Print (Ctrl+P)" << false;
        QTest::newRow("export") << "exportButton" << QRect(855, 8, 33, 33) << "save.bmp"
                                << "Export (Ctrl+S)" << false;
        QTest::newRow("help") << "helpButton" << QRect(944, 8, 33, 33) << "help.bmp"
                              << "Help (F1)" << true;
        QTest::newRow("load") << "loadButton" << QRect(34, 593, 42, 42) << "file.bmp"
                              << "Load (Ctrl+O)" << true;
        QTest::newRow("crop") << "cropButton" << QRect(86, 593, 42, 42) << "cut.bmp"
                              << "Crop" << false;
        QTest::newRow("orientation") << "orientationButton" << QRect(291, 598, 33, 33) << "direction.bmp"
                                     << "" << false;
        QTest::newRow("cancel") << "cancelCropButton" << QRect(333, 598, 33, 33) << "cacel.bmp"
                                << "Cancel (Esc)" << false;
        QTest::newRow("ok") << "confirmCropButton" << QRect(374, 598, 33, 33) << "ok.bmp"
                            << "Ok (Enter)" << false;
        QTest::newRow("rotate") << "rotateButton" << QRect(476, 598, 38, 33) << "rotation.bmp"
                                << "Rotation (R)" << false;
        QTest::newRow("flip h") << "flipHorizontalButton" << QRect(511, 598, 33, 33) << "spjx.bmp"
                                << "Flip horizontal (H)" << false;
        QTest::newRow("flip v") << "flipVerticalButton" << QRect(544, 598, 38, 33) << "czjx.bmp"
                                << "Flip veritical (V)" << false;
        QTest::newRow("compare") << "compareButton" << QRect(620, 593, 42, 42) << "compare.bmp"
                                 << "Compare (C)" << false;
        QTest::newRow("random") << "randomButton" << QRect(668, 593, 42, 42) << "random.bmp"
                                << "Random Effect (Ctrl+R)" << false;
        QTest::newRow("filter tab") << "filterTabButton" << QRect(761, 59, 63, 29) << "effect1.bmp"
                                    << "Filter" << false;
        QTest::newRow("light tab") << "lightTabButton" << QRect(836, 59, 63, 29) << "effect2.bmp"
                                   << "Light" << false;
        QTest::newRow("frame tab") << "frameTabButton" << QRect(911, 59, 63, 29) << "effect3.bmp"
                                   << "Frame" << false;
    }

    void buttonsAtStart() {
        QFETCH(QString, name);
        QFETCH(QRect, place);
        QFETCH(QString, picture);
        QFETCH(QString, tip);
        QFETCH(bool, enabled);
        CcsAllDlg window;
        auto* button = window.findChild<CButtonX*>(name);
        QVERIFY(button);
        QCOMPARE(button->geometry(), place);
        QVERIFY(button->picturePath.endsWith(QStringLiteral("UI/") + picture));
        QCOMPARE(button->tooltipText, tip);
        QCOMPARE(button->tooltip() != nullptr, !tip.isEmpty());
        QCOMPARE(button->active, enabled);
        QCOMPARE(button->isEnabled(), enabled);
        QVERIFY(!button->isHidden());
    }

    void dropDownsAndListsAtStart() {
        CcsAllDlg window;
        QCOMPARE(window.ratioDropDown->geometry(), QRect(140, 598, 138, 33));
        QVERIFY(!window.ratioDropDown->isHidden());
        QVERIFY(!window.ratioDropDown->enabled && !window.ratioDropDown->isEnabled());
        QCOMPARE(window.ratioDropDown->caption, QStringLiteral("Free"));
        for (reComb* field :
             {window.filterCategoryDropDown, window.lightCategoryDropDown, window.frameCategoryDropDown}) {
            QCOMPARE(field->geometry(), QRect(750, 588, 234, 33));
            QVERIFY(field->isHidden());
            QVERIFY(field->enabled);
            QCOMPARE(field->caption, QStringLiteral("All"));
        }
        QCOMPARE(window.ratioNames.last(), QStringLiteral("Original"));
        QCOMPARE(window.filterCategoryNames.size(), 9);
        QCOMPARE(window.lightCategoryNames.size(), 4);
        QCOMPARE(window.frameCategoryNames.size(), 3);

        for (CPicList* list : {window.filterList, window.lightList, window.frameList})
            QCOMPARE(list->geometry(), QRect(764, 100, 214, 475));
        QVERIFY(!window.filterList->isHidden());
        QVERIFY(window.lightList->isHidden());
        QVERIFY(window.frameList->isHidden());
        QCOMPARE(window.filterList->cells.size(), 0);

        QCOMPARE(window.lightList->cells.size(), 32);
        for (int n = 1; n <= 32; ++n)
            QVERIFY(window.lightList->cells.at(n - 1)->picturePath.endsWith(
                QStringLiteral("lightimage.bundle/%1.jpg").arg(n)));

        // Overlay frame thumbnails come first, then the nine-slice templates.
        const QDir frames(TestSupport::binFolder() + QStringLiteral("/border.bundle"));
        const int thumbs =
            static_cast<int>(frames.entryList({QStringLiteral("*_thumb.*")}, QDir::Files).size());
        const int borders =
            static_cast<int>(frames.entryList({QStringLiteral("border*.png")}, QDir::Files).size());
        QCOMPARE(window.frameList->cells.size(), thumbs + borders);
        for (int i = 0; i < window.frameList->cells.size(); ++i) {
            const QString name = QFileInfo(window.frameList->cells.at(i)->picturePath).fileName();
            QCOMPARE(name.contains(QStringLiteral("_thumb.")), i < thumbs);
        }
    }

    void dropDownsAndThumbsReachTheirHandlers() {
        RecordingWindow window;
        window.ratioDropDown->pick(5);
        window.filterCategoryDropDown->pick(3);
        QCOMPARE(window.ratioPicks, QList<int>{5});
        QCOMPARE(window.filterCategoryPicks, QList<int>{3});

        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.filterList->AddPicture(TestSupport::dataFile(QStringLiteral("chelsea.png")));
        CImgCtrl* cell = window.filterList->cells.first();
        QTest::mouseClick(cell, Qt::LeftButton);
        // The window hears of the click after the list chose the cell.
        QCOMPARE(window.thumbCurrentCells, QList<CImgCtrl*>{cell});
    }

    void exportShortcutFollowsTheExportButton() {
        RecordingWindow window;
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(window.exports, 0);
        window.exportButton->setActive(true);
        QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(window.exports, 1);
        QTest::keyClick(&window, Qt::Key_S);
        QCOMPARE(window.exports, 1);
    }

    void escapeAndEnterReachNoControl() {
        CcsAllDlg window;
        window.lightList->setVisible(true);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // A control leaves these keys unhandled and Qt passes them up to the window, where the
        // spy, asked before the window's own filter, sees them arrive. So a key the spy never
        // sees never reached the control's handlers.
        KeySpy spy;
        window.installEventFilter(&spy);
        const QList<QWidget*> controls = window.findChildren<QWidget*>();
        QVERIFY(controls.size() > 50);
        for (QWidget* control : controls) {
            for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter})
                QTest::keyClick(control, key);
        }
        QCOMPARE(spy.keys, QList<int>());
        // Any other key does reach them, and comes up to the window unhandled.
        for (QWidget* control : controls)
            QTest::keyClick(control, Qt::Key_F7);
        QCOMPARE(spy.keys, QList<int>(controls.size(), Qt::Key_F7));
        QTest::keyClick(window.lightList, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(window.lightList->multiSelection.size(), 32);
        // At the window itself they end nothing.
        for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter})
            QTest::keyClick(&window, key);
        QVERIFY(window.isVisible());
    }

    void pressesOutsideTheTitleBandGoToTheView_data() {
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<bool>("toView");
        QTest::newRow("left edge of the band") << QPoint(0, 10) << true;
        QTest::newRow("below the band") << QPoint(500, 50) << true;
        QTest::newRow("in the view") << QPoint(300, 300) << true;
        QTest::newRow("inside the band") << QPoint(500, 49) << false;
        QTest::newRow("band corner") << QPoint(1, 1) << false;
    }

    void pressesOutsideTheTitleBandGoToTheView() {
        QFETCH(QPoint, pos);
        QFETCH(bool, toView);
        RecordingWindow window;
        QTest::mousePress(&window, Qt::LeftButton, {}, pos);
        QCOMPARE(window.viewPresses, toView ? QList<QPoint>{pos} : QList<QPoint>{});
    }

    void doubleClickInTheViewOpens_data() {
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<bool>("cropMode");
        QTest::addColumn<int>("loads");
        QTest::newRow("top-left corner") << QPoint(11, 61) << false << 1;
        QTest::newRow("bottom-right corner") << QPoint(719, 559) << false << 1;
        QTest::newRow("left of the view") << QPoint(10, 61) << false << 0;
        QTest::newRow("right of the view") << QPoint(720, 100) << false << 0;
        QTest::newRow("during crop") << QPoint(300, 300) << true << 0;
    }

    void doubleClickInTheViewOpens() {
        QFETCH(QPoint, pos);
        QFETCH(bool, cropMode);
        QFETCH(int, loads);
        RecordingWindow window;
        window.state().cropMode = cropMode;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {}, pos);
        QCOMPARE(window.loads, loads);
        QCOMPARE(window.loadLookedPressed, loads == 1);
        QVERIFY(!window.loadButton->pressed);
        QVERIFY(window.loadButton->active);
    }

    void onlyTheCloseButtonRemovesWorkingFiles() {
        const QString work = TestSupport::freshWorkFolder();
        const QString log = LogFile::filePath();
        QFile::remove(log);
        QDir().mkpath(work + QStringLiteral("a"));
        touch(work + QStringLiteral("newfile.jpg"));
        touch(work + QStringLiteral("a/1.jpg"));
        {
            CcsAllDlg window;
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            window.close();
        }
        QVERIFY(QFile::exists(work + QStringLiteral("newfile.jpg")));
        QVERIFY(QFile::exists(work + QStringLiteral("a/1.jpg")));

        CcsAllDlg window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::mouseClick(window.closeButton, Qt::LeftButton);
        QVERIFY(!window.isVisible());
        QVERIFY(!QFile::exists(work + QStringLiteral("newfile.jpg")));
        QVERIFY(!QDir(work + QStringLiteral("a")).exists());
        QFile lines(log);
        QVERIFY(lines.open(QIODevice::ReadOnly));
        const QStringList text = QString::fromUtf8(lines.readAll()).split(QLatin1Char('\n'));
        QCOMPARE(text.filter(QRegularExpression(QStringLiteral("^end time: -?\\d+ ms$"))).size(), 1);
        QCOMPARE(text.filter(QRegularExpression(QStringLiteral("^time:\\d+ ms$"))).size(), 1);
    }

    void disabledButtonShowsNoPress() {
        CcsAllDlg window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, QPoint(826, 24));
        QVERIFY(!window.printButton->pressed);
        QCOMPARE(window.printButton->shownState(), StripPicture::Inactive);
    }
};

QTEST_MAIN(WindowTest)
#include "tst_ui_window.moc"
