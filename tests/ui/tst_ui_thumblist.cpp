// The thumbnail list: where cells go, how far it scrolls, how clicks select, that a late
// background load never shows in a cell that moved on, and that a thumbnail run waits for the
// window's filter list to hold each cell.
#include "CImgCtrl.h"
#include "CPicList.h"
#include "CcsAllDlg.h"
#include "EditorTestFiles.h"
#include "MagickSession.h"
#include "TestSupport.h"
#include "ThumbnailLoad.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QWheelEvent>
#include <QtTest>

#include <atomic>

namespace {

QString writePicture(const QString& folder, const QString& name, int width, int height) {
    const QString path = folder + name;
    TestSupport::makePicture(width, height).save(path);
    return path;
}

void fill(CPicList& list, const QString& picture, int count) {
    for (int i = 0; i < count; ++i)
        QVERIFY(list.AddPicture(picture));
}

void wheel(CPicList& list, int delta) {
    QWheelEvent event(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&list, &event);
}

// Counts the widgets made inside the object it watches.
class CellCounter : public QObject {
  public:
    std::atomic<int> cells{0};

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::ChildAdded && static_cast<QChildEvent*>(event)->child()->isWidgetType())
            ++cells;
        return false;
    }
};

void waitForLoads(CPicList& list) {
    list.loadPool().waitForDone();
    QTest::qWait(20);
    QCoreApplication::processEvents();
}

} // namespace

class ThumbListTest : public QObject {
    Q_OBJECT

  private:
    MagickSession m_magick;
    QString m_folder;
    QString m_picture;

  private slots:
    void initTestCase() {
        m_folder = TestSupport::freshWorkFolder();
        m_picture = writePicture(m_folder, QStringLiteral("square.png"), 60, 60);
    }

    void acceptsOnlyPictureNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("upper-case JPG") << "/p/holiday.JPG" << true;
        QTest::newRow("tiff") << "/p/scan.tiff" << true;
        QTest::newRow("webp") << "/p/photo.webp" << false;
        QTest::newRow("no dot") << "/p/photo" << false;
        QTest::newRow("only a leading dot") << "/p/.jpg" << false;
        QTest::newRow("dot in the folder only") << "/p.jpg/photo" << false;
    }

    void acceptsOnlyPictureNames() {
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        CPicList list;
        QCOMPARE(list.AddPicture(name), accepted);
        QCOMPARE(list.cells.size(), accepted ? 1 : 0);
    }

    void fivePicturesTakeTheirPlaces() {
        CPicList list;
        list.resize(214, 475);
        fill(list, m_picture, 5);
        const QList<QPoint> expected = {{10, 10}, {105, 10}, {10, 105}, {105, 105}, {10, 200}};
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(list.cells.at(i)->geometry(), QRect(expected.at(i), QSize(85, 85)));
            QCOMPARE(list.cells.at(i)->index, i);
        }
        QCOMPARE(list.scrollPosition(), 0);
        QCOMPARE(list.scrollMaximum(), 3);
    }

    void wheelStaysWithinRows_data() {
        QTest::addColumn<int>("cells");
        QTest::addColumn<int>("deepest");
        QTest::newRow("one row") << 2 << 0;
        QTest::newRow("two rows") << 4 << 0;
        QTest::newRow("three rows, odd count") << 5 << 1;
        QTest::newRow("three rows") << 6 << 1;
        QTest::newRow("five rows") << 9 << 3;
    }

    void wheelStaysWithinRows() {
        QFETCH(int, cells);
        QFETCH(int, deepest);
        CPicList list;
        list.resize(214, 475);
        fill(list, m_picture, cells);
        for (int i = 0; i < 10; ++i)
            wheel(list, -120);
        QCOMPARE(list.scrollPosition(), deepest);
        // The cells moved with the content by whole rows.
        QCOMPARE(list.cells.at(0)->geometry().top(), 10 - deepest * 95);
        wheel(list, 360); // any size of step is one row
        QCOMPARE(list.scrollPosition(), std::max(0, deepest - 1));
        for (int i = 0; i < 10; ++i)
            wheel(list, 120);
        QCOMPARE(list.scrollPosition(), 0);
    }

    void scrollToItemAndScrollBar() {
        CPicList list;
        list.resize(214, 475);
        fill(list, m_picture, 9);
        list.ScrollToItem(8);
        QCOMPARE(list.scrollPosition(), 3);
        QCOMPARE(list.scrollBar()->value(), 3);
        list.ScrollToItem(2);
        QCOMPARE(list.scrollPosition(), 1);
        list.scrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(list.scrollPosition(), 3);
        list.scrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
        QCOMPARE(list.scrollPosition(), 0);
        QCOMPARE(list.cells.at(8)->geometry().topLeft(), QPoint(10, 390));

        CPicList small;
        fill(small, m_picture, 2);
        small.ScrollToItem(1);
        QCOMPARE(small.scrollPosition(), 0);
    }

    void clearAllReusesCellsFromTheTop() {
        CPicList list;
        list.resize(214, 475);
        fill(list, m_picture, 10);
        list.ScrollToItem(4);
        QCOMPARE(list.scrollPosition(), 2);
        list.SetCurrentCell(3);
        list.ClearAll();
        QCOMPARE(list.visibleCount(), 0);
        QCOMPARE(list.scrollPosition(), 0);
        QVERIFY(!list.currentCell);
        for (CImgCtrl* cell : list.cells)
            QVERIFY(cell->free && cell->isHidden() && cell->picturePath.isEmpty());

        fill(list, m_picture, 5);
        QCOMPARE(list.cells.size(), 10);
        const QList<QPoint> expected = {{10, 10}, {105, 10}, {10, 105}, {105, 105}, {10, 200}};
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(list.cells.at(i)->geometry().topLeft(), expected.at(i));
            QVERIFY(!list.cells.at(i)->free);
        }
        QCOMPARE(list.visibleCount(), 5);
        QCOMPARE(list.scrollMaximum(), 3);
        QCOMPARE(list.scrollPosition(), 0);
    }

    void thumbnailPlacement_data() {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QRect>("place");
        QTest::newRow("landscape") << QSize(300, 100) << QRect(5, 30, 75, 25);
        QTest::newRow("portrait") << QSize(100, 300) << QRect(30, 5, 25, 75);
        QTest::newRow("square") << QSize(40, 40) << QRect(5, 5, 75, 75);
        QTest::newRow("odd loss") << QSize(75, 74) << QRect(5, 5, 75, 74);
    }

    void thumbnailPlacement() {
        QFETCH(QSize, picture);
        QFETCH(QRect, place);
        QCOMPARE(ThumbnailLoad::placeInside(QRect(5, 5, 75, 75), picture.width(), picture.height()), place);

        // The same through a real background load.
        CPicList list;
        const QString path =
            writePicture(m_folder, QStringLiteral("placed.png"), picture.width(), picture.height());
        QVERIFY(list.AddPicture(path));
        CImgCtrl* cell = list.cells.first();
        QTRY_VERIFY(!cell->loading());
        QCOMPARE(cell->thumbRect, place);
        QCOMPARE(cell->thumbnail.size(), place.size());
    }

    void unreadablePictureLeavesCellEmpty() {
        CPicList list;
        const QString path = m_folder + QStringLiteral("broken.jpg");
        QFile broken(path);
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("not a picture");
        broken.close();
        QVERIFY(list.AddPicture(path));
        QTRY_VERIFY(!list.cells.first()->loading());
        QVERIFY(list.cells.first()->thumbnail.isNull());
    }

    void lateLoadsNeverShow() {
        const QString wide = writePicture(m_folder, QStringLiteral("wide.png"), 2400, 800);
        const QString tall = writePicture(m_folder, QStringLiteral("tall.png"), 100, 300);
        CPicList list;
        list.resize(214, 475);
        list.show();

        // A cell cleared before its load finished stays hidden and empty.
        QVERIFY(list.AddPicture(wide));
        list.ClearAll();
        waitForLoads(list);
        CImgCtrl* cell = list.cells.first();
        QVERIFY(cell->isHidden());
        QVERIFY(cell->thumbnail.isNull());

        // The newest picture wins even when the older one finishes later.
        QVERIFY(list.AddPicture(wide));
        cell->SetPicture(tall);
        waitForLoads(list);
        QTRY_VERIFY(!cell->loading());
        QCOMPARE(cell->thumbRect, QRect(30, 5, 25, 75));
        QCOMPARE(cell->thumbnail.size(), QSize(25, 75));
        QVERIFY(!cell->isHidden());
    }

    void clicksSelectOneCell() {
        CPicList list;
        list.resize(214, 475);
        fill(list, m_picture, 4);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QSignalSpy clicked(&list, &CPicList::thumbClicked);
        CImgCtrl* first = list.cells.at(0);
        CImgCtrl* second = list.cells.at(1);

        QTest::mouseClick(first, Qt::LeftButton);
        QCOMPARE(list.currentCell, first);
        QVERIFY(first->selected);
        QCOMPARE(clicked.count(), 1);

        QTest::mouseClick(second, Qt::LeftButton);
        QCOMPARE(list.currentCell, second);
        QVERIFY(!first->selected && second->selected);

        // Ctrl leaves the selection alone but the window still hears of the click.
        QTest::mouseClick(first, Qt::LeftButton, Qt::ControlModifier);
        QCOMPARE(list.currentCell, second);
        QVERIFY(!first->selected);
        QCOMPARE(clicked.count(), 3);

        // A plain click on the chosen cell lets go of it; the window is told with no cell.
        QTest::mouseClick(second, Qt::LeftButton);
        QVERIFY(!list.currentCell);
        QVERIFY(!second->selected);
        QCOMPARE(clicked.count(), 4);
    }

    void doubleClickSelectsThenDeselects() {
        CPicList list;
        list.resize(214, 475);
        fill(list, m_picture, 2);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QList<CImgCtrl*> currentWhenTold;
        connect(&list, &CPicList::thumbClicked, this, [&] { currentWhenTold.append(list.currentCell); });
        CImgCtrl* cell = list.cells.at(1);
        // Through the window, as the toolkit delivers it: press, release, double-click, release.
        QTest::mouseDClick(list.windowHandle(), Qt::LeftButton, {},
                           cell->mapTo(&list, cell->rect().center()));
        QCOMPARE(currentWhenTold, (QList<CImgCtrl*>{cell, nullptr}));
        QVERIFY(!cell->selected);
    }

    void selectAllThenNarrowByRelease() {
        CPicList list;
        list.resize(214, 475);
        fill(list, m_picture, 5);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        list.SetCurrentCell(1);

        QTest::keyClick(&list, Qt::Key_A);
        QCOMPARE(list.currentCell, list.cells.at(1));
        QVERIFY(list.multiSelection.isEmpty());

        QTest::keyClick(&list, Qt::Key_A, Qt::ControlModifier);
        QVERIFY(!list.currentCell);
        QCOMPARE(list.multiSelection.size(), 5);
        for (CImgCtrl* cell : list.cells)
            QVERIFY(cell->selected);

        // A Ctrl-click keeps the whole selection; its release is not the list's business.
        QTest::mouseClick(list.cells.at(3), Qt::LeftButton, Qt::ControlModifier);
        QCOMPARE(list.multiSelection.size(), 5);

        // Letting go of a cell after select-all keeps just that cell.
        list.cellReleased(list.cells.at(3));
        QCOMPARE(list.currentCell, list.cells.at(3));
        QVERIFY(list.multiSelection.isEmpty());
        for (int i = 0; i < 5; ++i)
            QCOMPARE(list.cells.at(i)->selected, i == 3);
    }

    void setCurrentCellKeepsOneHighlight() {
        CPicList list;
        fill(list, m_picture, 3);
        list.SetCurrentCell(0);
        list.SetCurrentCell(2);
        QCOMPARE(list.currentCell, list.cells.at(2));
        QVERIFY(!list.cells.at(0)->selected);
        list.SetCurrentCell(7);
        QCOMPARE(list.currentCell, list.cells.at(2));
    }

    void folderScanInNameOrderOnce() {
        const QString folder = m_folder + QStringLiteral("bundle/");
        QDir().mkpath(folder);
        for (const char* name : {"border02.png", "border10.png", "border01.png", "other.png", "border03.txt"})
            TestSupport::makePicture(20, 20).save(folder + QString::fromLatin1(name), "PNG");
        QDir().mkpath(folder + QStringLiteral("border99.png")); // a folder is no picture

        CPicList list;
        list.AddFolder(folder + QStringLiteral("border*.png"));
        QStringList shown;
        for (CImgCtrl* cell : list.cells)
            shown.append(QFileInfo(cell->picturePath).fileName());
        QCOMPARE(shown, (QStringList{"border01.png", "border02.png", "border10.png"}));
        QCOMPARE(list.cells.first()->picturePath, folder + QStringLiteral("border01.png"));

        list.AddFolder(folder + QStringLiteral("BORDER*.png"));
        QCOMPARE(list.cells.size(), 3);
        list.ForgetLastFolder();
        list.AddFolder(folder + QStringLiteral("border*.png"));
        QCOMPARE(list.cells.size(), 6);
        list.AddFolder(folder + QStringLiteral("nothing*.png"));
        QCOMPARE(list.cells.size(), 6);
    }

    void workerHandOverWaitsForTheList() {
        // Cells the filter list has made, counted on this thread the moment it makes each one.
        CellCounter made;
        // Asked on the worker thread once the window has had the thumbnail: how many cells
        // there were by then.
        QList<int> madeOnReturn;
        QStringList handedOver;
        CcsAllDlg window;
        window.show();
        window.filterList->findChild<QWidget*>(QStringLiteral("thumbViewport"))->installEventFilter(&made);
        connect(
            &window.editor(), &Editor::thumbnailReady, this,
            [&](const QString& path) {
                madeOnReturn.append(made.cells.load());
                handedOver.append(path);
            },
            Qt::DirectConnection);

        window.openPicture(TestSupport::dataFile(QStringLiteral("chelsea.png")));
        QVERIFY(EditorTestFiles::waitForThumbnails(window.editor()));

        QVERIFY(handedOver.size() > 3);
        QList<int> expected;
        for (int i = 1; i <= handedOver.size(); ++i)
            expected.append(i);
        QCOMPARE(madeOnReturn, expected);
        QStringList cellPaths;
        for (int i = 0; i < window.filterList->visibleCount(); ++i)
            cellPaths.append(window.filterList->cells.at(i)->picturePath);
        QCOMPARE(cellPaths, handedOver);
        QCOMPARE(window.state().filterListNumbers.size(), handedOver.size());
    }
};

QTEST_MAIN(ThumbListTest)
#include "tst_ui_thumblist.moc"
