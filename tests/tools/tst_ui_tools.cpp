// The window's side of the editing tools: which controls each tool leaves usable, the crop box
// shaped with the mouse, the pointer it asks for, and the lists after a random look.
#include "CButtonX.h"
#include "CImgCtrl.h"
#include "CPicList.h"
#include "CcsAllDlg.h"
#include "EditorTestFiles.h"
#include "MagickSession.h"
#include "TestSupport.h"
#include "WorkFiles.h"
#include "reComb.h"

#include <QApplication>
#include <QImageReader>
#include <QtTest>

#include <memory>

namespace {

// Every control a tool enables or disables, by name, with its usable state.
QMap<QString, bool> usableControls(CcsAllDlg& window) {
    QMap<QString, bool> usable;
    for (CButtonX* button : window.findChildren<CButtonX*>()) {
        // Undo and redo follow the history rather than the tools (tests/history).
        if (button != window.undoButton && button != window.redoButton)
            usable[button->objectName()] = button->active && button->isEnabled();
    }
    for (reComb* field : window.findChildren<reComb*>())
        usable[field->objectName()] = field->enabled && field->isEnabled();
    for (CPicList* list : {window.filterList, window.lightList, window.frameList})
        usable[list->objectName()] = list->isEnabled();
    return usable;
}

QMap<QString, bool> with(QMap<QString, bool> controls, const QStringList& names, bool on) {
    for (const QString& name : names)
        controls[name] = on;
    return controls;
}

const QStringList kCropControls = {"ratioDropDown", "orientationButton", "cancelCropButton",
                                   "confirmCropButton"};
const QStringList kEditingControls = {"loadButton",
                                      "compareButton",
                                      "randomButton",
                                      "filterTabButton",
                                      "lightTabButton",
                                      "frameTabButton",
                                      "rotateButton",
                                      "flipHorizontalButton",
                                      "flipVerticalButton",
                                      "exportButton",
                                      "printButton",
                                      "filterList",
                                      "lightList",
                                      "frameList",
                                      "filterCategoryDropDown",
                                      "lightCategoryDropDown",
                                      "frameCategoryDropDown"};

// A mouse event of the kind Qt makes itself, with the buttons it says are held.
void send(QWidget& widget, QEvent::Type type, const QPoint& pos, Qt::MouseButton button,
          Qt::MouseButtons buttons) {
    QMouseEvent event(type, pos, widget.mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

} // namespace

class ToolsWindowTest : public QObject {
    Q_OBJECT
    MagickSession m_magick;
    std::unique_ptr<CcsAllDlg> m_window;
    QMap<QString, bool> m_editing; // the controls once the thumbnails are done

  private slots:
    void initTestCase() {
        const QString work = TestSupport::freshWorkFolder();
        qputenv("XDG_DATA_HOME", QFile::encodeName(work + QStringLiteral("data")));
        m_window = std::make_unique<CcsAllDlg>();
        m_window->showNotice = [](const QString& text) { QFAIL(qPrintable(text)); };
        m_window->show();
        m_window->openPicture(TestSupport::dataFile(QStringLiteral("coffee.png")));
        QVERIFY(QTest::qWaitFor([this] { return !m_window->state().workerBusy; }, 120000));
        m_window->editor().waitForWorker();
        QCoreApplication::processEvents();
        m_editing = usableControls(*m_window);
        for (const QString& name : kEditingControls + QStringList{"cropButton"})
            QVERIFY2(m_editing.value(name), qPrintable(name));
        for (const QString& name : kCropControls)
            QVERIFY2(!m_editing.value(name), qPrintable(name));
    }

    void compareTwiceGivesEveryControlBack() {
        CcsAllDlg& window = *m_window;
        QTest::mouseClick(window.compareButton, Qt::LeftButton);
        QVERIFY(window.state().compareActive);
        QVERIFY(window.compareButton->pressed);
        QMap<QString, bool> comparing = with(m_editing, kEditingControls + QStringList{"cropButton"}, false);
        comparing = with(comparing, {"compareButton", "exportButton", "printButton"}, true);
        QCOMPARE(usableControls(window), comparing);
        // A drop is refused like the load button.
        window.onFilesDropped({TestSupport::dataFile(QStringLiteral("chelsea.png"))});
        QVERIFY(!window.state().workerBusy);

        QTest::mouseClick(window.compareButton, Qt::LeftButton);
        QVERIFY(!window.state().compareActive);
        QVERIFY(!window.compareButton->pressed);
        QCOMPARE(usableControls(window), m_editing);
    }

    void cropModeHoldsTheEditingControls() {
        CcsAllDlg& window = *m_window;
        window.onCropRatioChosen(Ratio16to9); // no box is chosen outside crop mode
        QCOMPARE(window.state().cropRatioIndex, int(RatioFree));
        QTest::mouseClick(window.cropButton, Qt::LeftButton);
        QVERIFY(window.state().cropMode);
        QMap<QString, bool> cropping = with(m_editing, kEditingControls + QStringList{"cropButton"}, false);
        QCOMPARE(usableControls(window), with(cropping, kCropControls, true));
        QCOMPARE(window.ratioDropDown->caption, QStringLiteral("Free"));

        // Cancel gives back the crop button too, so the tool can be opened again.
        QTest::mouseClick(window.cancelCropButton, Qt::LeftButton);
        QVERIFY(!window.state().cropMode);
        QCOMPARE(usableControls(window), m_editing);
    }

    void mouseShapesTheBoxAndOkCuts() {
        CcsAllDlg& window = *m_window;
        EditState& s = window.state();
        QTest::mouseClick(window.cropButton, Qt::LeftButton);
        // Hovering a corner asks for a size pointer.
        QTest::mouseMove(&window, QPoint(s.cropRect.left, s.cropRect.top));
        QCOMPARE(window.cursor().shape(), Qt::SizeFDiagCursor);
        QTest::mouseMove(&window, QPoint(600, 300));
        QCOMPARE(window.cursor().shape(), Qt::ArrowCursor);

        // A new box dragged over the picture, the pointer leaving it on the way.
        QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(100, 120));
        QTest::mouseMove(&window, QPoint(900, 700));
        QTest::mouseMove(&window, QPoint(400, 320));
        QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(400, 320));
        QCOMPARE(s.cropRect, (Rect{100, 120, 400, 320}));
        QCOMPARE(s.cropStartRect, s.cropRect);

        QTest::mouseClick(window.confirmCropButton, Qt::LeftButton);
        QVERIFY(!s.cropMode);
        QCOMPARE(usableControls(window), m_editing);
        // coffee.png (600 x 400) is drawn 700 x 467 at (10, 76): 6/7 of a picture pixel each.
        QCOMPARE(QImageReader(WorkFiles::path(WorkFiles::kCropCut)).size(), QSize(257, 171));
        QVERIFY(!QApplication::overrideCursor());
    }

    void randomShowsItsCellsInEveryList() {
        CcsAllDlg& window = *m_window;
        window.onFilterCategoryChosen(int(window.filterCategoryNames.indexOf("Blur")));
        const int blurCells = window.filterList->visibleCount();
        QTest::mouseClick(window.randomButton, Qt::LeftButton);
        const EditState& s = window.state();
        QVERIFY(!window.randomButton->pressed);
        QCOMPARE(window.filterCategoryDropDown->caption, QStringLiteral("All"));
        QVERIFY(window.filterList->visibleCount() > blurCells);
        QCOMPARE(window.filterList->currentCell->picturePath, s.selectedFilterThumb);
        QCOMPARE(window.lightList->currentCell->picturePath, s.selectedLightThumb);
        QCOMPARE(window.frameList->currentCell->picturePath, s.selectedFrameThumb);
        QCOMPARE(window.lightList->visibleCount(), int(window.editor().catalogues().lightRecords.size()));
        QVERIFY(s.filterActive == LookOn && s.lightActive == LookOn && s.frameMode >= 0);
    }

    void commandsOfDisabledButtonsDoNothing() {
        // Keyboard shortcuts reach the slots directly; a disabled button's command is not run.
        CcsAllDlg& window = *m_window;
        window.rotateButton->setActive(false);
        window.onRotate();
        QCOMPARE(window.state().rotationAngle, 360);
        window.rotateButton->setActive(true);
        window.onRotate();
        QCOMPARE(window.state().rotationAngle, 270);
        window.onConfirmCrop();
        window.onFlipHorizontal();
        QVERIFY(window.state().flipHorizontal);
        QVERIFY(!window.state().cropMode);
    }

    void quickSecondPressDragsInCropMode() {
        CcsAllDlg& window = *m_window;
        EditState& s = window.state();
        QTest::mouseClick(window.cropButton, Qt::LeftButton);
        const Rect before = s.cropRect;
        // Outside the box, so each press starts a new one.
        const QPoint anchor(500, 400);
        QVERIFY(!before.toQRect().contains(anchor));
        QTest::mouseClick(&window, Qt::LeftButton, {}, anchor);
        // A press soon after a click reaches the window as a double-click.
        send(window, QEvent::MouseButtonDblClick, anchor, Qt::LeftButton, Qt::LeftButton);
        send(window, QEvent::MouseMove, QPoint(650, 500), Qt::NoButton, Qt::LeftButton);
        send(window, QEvent::MouseButtonRelease, QPoint(650, 500), Qt::LeftButton, Qt::NoButton);
        QCOMPARE(s.cropRect, (Rect{500, 400, 650, 500}));
        QTest::mouseClick(window.cancelCropButton, Qt::LeftButton);
        QCOMPARE(usableControls(window), m_editing);
    }

    void cropOpenedDuringARunKeepsItsControls() {
        CcsAllDlg& window = *m_window;
        window.openPicture(TestSupport::dataFile(QStringLiteral("chelsea.png")));
        QVERIFY(window.state().workerBusy);
        QTest::mouseClick(window.cropButton, Qt::LeftButton);
        QVERIFY(window.state().cropMode);
        // Ok waits for the run; its end gives back nothing the crop tool holds.
        window.onConfirmCrop();
        QVERIFY(EditorTestFiles::waitForThumbnails(window.editor()));
        QVERIFY(window.state().cropMode);
        QMap<QString, bool> cropping = with(m_editing, kEditingControls + QStringList{"cropButton"}, false);
        QCOMPARE(usableControls(window), with(cropping, kCropControls, true));
        QTest::mouseClick(window.confirmCropButton, Qt::LeftButton);
        QVERIFY(!window.state().cropMode);
        QCOMPARE(usableControls(window), m_editing);
    }

    void leavingAToolDuringARunKeepsWhatTheRunHolds() {
        CcsAllDlg& window = *m_window;
        window.openPicture(TestSupport::dataFile(QStringLiteral("astronaut.png")));
        const QMap<QString, bool> running =
            with(m_editing,
                 {"exportButton", "printButton", "filterTabButton", "lightTabButton", "frameTabButton",
                  "filterCategoryDropDown"},
                 false);
        QTest::mouseClick(window.cropButton, Qt::LeftButton);
        QTest::mouseClick(window.cancelCropButton, Qt::LeftButton);
        // Checked only while the run is still going: its end gives everything back.
        if (window.state().workerBusy)
            QCOMPARE(usableControls(window), running);
        QTest::mouseClick(window.compareButton, Qt::LeftButton);
        QTest::mouseClick(window.compareButton, Qt::LeftButton);
        const bool stillRunning = window.state().workerBusy;
        if (stillRunning)
            QCOMPARE(usableControls(window), running);
        QVERIFY(EditorTestFiles::waitForThumbnails(window.editor()));
        QCOMPARE(usableControls(window), m_editing);
        QVERIFY2(stillRunning, "the run ended before the tools closed; nothing was checked");
    }
};

QTEST_MAIN(ToolsWindowTest)
#include "tst_ui_tools.moc"
