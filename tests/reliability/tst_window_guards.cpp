// What the window must not let through: a file dropped on a thumbnail list, and the finished
// notice of a thumbnail run that a newer run has replaced.
#include "CButtonX.h"
#include "CImgCtrl.h"
#include "CPicList.h"
#include "CcsAllDlg.h"
#include "EditorTestFiles.h"
#include "MagickSession.h"
#include "TestSupport.h"
#include "reComb.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QtTest>

namespace {

// The window with its drop handling counted instead of carried out.
class DropCountingWindow : public CcsAllDlg {
  public:
    QList<QStringList> drops;
    void onFilesDropped(const QStringList& paths) override { drops.append(paths); }
};

// Drags a file over the window's point pos and lets go, as the window system delivers it: to the
// nearest widget under the point that takes drops; Qt hands an event that widget leaves
// unaccepted on to its parents.
void dragAndDrop(QWidget& window, const QPoint& pos, const QString& file) {
    QWidget* target = window.childAt(pos) ? window.childAt(pos) : &window;
    while (target && !target->acceptDrops())
        target = target->parentWidget();
    QVERIFY(target);
    const QPoint local = target->mapFrom(&window, pos);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(file)});
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
    QDragEnterEvent enter(local, actions, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(local, actions, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    // Sent whatever the target answered: a drop that arrives anyway must not get through either.
    QDropEvent drop(QPointF(local), actions, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
}

// Takes in another picture at the earliest moment a thumbnail run has let go of the busy flag:
// the first queued call or timer that the window's event loop delivers then, as a user's
// action would come.
class IntakeInTheGap : public QObject {
  public:
    IntakeInTheGap(CcsAllDlg& window, QString picture) : m_window(window), m_picture(std::move(picture)) {}
    bool done = false;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        const bool fromTheLoop = event->type() == QEvent::MetaCall || event->type() == QEvent::Timer;
        if (!done && fromTheLoop && !m_window.state().workerBusy) {
            done = true;
            m_window.openPicture(m_picture);
        }
        return false;
    }

  private:
    CcsAllDlg& m_window;
    QString m_picture;
};

bool waitForRun(CcsAllDlg& window) {
    return EditorTestFiles::waitForThumbnails(window.editor());
}

} // namespace

class WindowGuardsTest : public QObject {
    Q_OBJECT
    MagickSession m_magick;

  private slots:
    void initTestCase() {
        const QString work = TestSupport::freshWorkFolder();
        qputenv("XDG_DATA_HOME", QFile::encodeName(work + QStringLiteral("data")));
    }

    void onlyTheWindowOutsideTheListsTakesDrops_data() {
        QTest::addColumn<int>("panel");
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<int>("drops");
        QTest::newRow("empty filter list") << int(FilterPanel) << QPoint(870, 400) << 0;
        QTest::newRow("light cell") << int(LightPanel) << QPoint(800, 140) << 0;
        QTest::newRow("frame cell") << int(FramePanel) << QPoint(900, 140) << 0;
        QTest::newRow("list scroll bar") << int(LightPanel) << QPoint(970, 300) << 0;
        QTest::newRow("picture area") << int(FilterPanel) << QPoint(300, 300) << 1;
        QTest::newRow("below the lists") << int(FilterPanel) << QPoint(870, 640) << 1;
    }

    void onlyTheWindowOutsideTheListsTakesDrops() {
        QFETCH(int, panel);
        QFETCH(QPoint, pos);
        QFETCH(int, drops);
        DropCountingWindow window;
        if (panel == LightPanel)
            window.onLightTab();
        else if (panel == FramePanel)
            window.onFrameTab();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QString picture = TestSupport::dataFile(QStringLiteral("coffee.png"));
        dragAndDrop(window, pos, picture);
        QCOMPARE(window.drops.size(), drops);
        if (drops)
            QCOMPARE(window.drops.first(), QStringList{picture});
    }

    void finishedNoticeOfAReplacedRunEnablesNothing() {
        CcsAllDlg window;
        window.showNotice = [](const QString& text) { QFAIL(qPrintable(text)); };
        window.show();
        window.openPicture(TestSupport::dataFile(QStringLiteral("coffee.png")));
        QVERIFY(window.state().workerBusy);
        IntakeInTheGap gap(window, TestSupport::dataFile(QStringLiteral("chelsea.png")));
        QTimer ticks;
        ticks.start(1);
        qApp->installEventFilter(&gap);
        QVERIFY(QTest::qWaitFor([&] { return gap.done; }, 120000));
        qApp->removeEventFilter(&gap);
        // Whatever the old run still had to tell has been told; the new run still renders.
        QCoreApplication::processEvents();
        QVERIFY(window.state().workerBusy);
        for (CButtonX* button : {window.filterTabButton, window.lightTabButton, window.frameTabButton,
                                 window.exportButton, window.printButton})
            QVERIFY2(!button->active && !button->isEnabled(), qPrintable(button->objectName()));
        QVERIFY(!window.filterCategoryDropDown->isEnabled());

        QVERIFY(waitForRun(window));
        for (CButtonX* button : {window.filterTabButton, window.lightTabButton, window.frameTabButton,
                                 window.exportButton, window.printButton})
            QVERIFY2(button->active && button->isEnabled(), qPrintable(button->objectName()));
        QVERIFY(window.filterCategoryDropDown->isEnabled());
    }
};

QTEST_MAIN(WindowGuardsTest)
#include "tst_window_guards.moc"
