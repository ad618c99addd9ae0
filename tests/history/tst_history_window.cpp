// The window after a step back or forth: the lists mark the cells of the look restored, showing
// every entry again when the category shown lacks one; the strength bar follows the look and its
// keys; undo and redo are usable exactly when there is a step to take.
#include "CButtonX.h"
#include "CImgCtrl.h"
#include "CPicList.h"
#include "CcsAllDlg.h"
#include "EditorTestFiles.h"
#include "MagickSession.h"
#include "StrengthBar.h"
#include "TestSupport.h"
#include "reComb.h"

#include <QtTest>

namespace {

QString currentPath(const CPicList* list) {
    return list->currentCell ? list->currentCell->picturePath : QString();
}

void click(CcsAllDlg& window, CPicList* list, int cell) {
    list->cellClicked(list->cells.at(cell), Qt::LeftButton, Qt::NoModifier);
    QCOMPARE(window.state().lightActive, int(LookOn));
}

} // namespace

class HistoryWindowTest : public QObject {
    Q_OBJECT
    MagickSession m_magick;

  private slots:
    void windowFollowsTheHistory() {
        const QString work = TestSupport::freshWorkFolder();
        qputenv("XDG_DATA_HOME", QFile::encodeName(work + QStringLiteral("data")));
        CcsAllDlg window;
        QStringList notices;
        window.showNotice = [&notices](const QString& text) { notices << text; };
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.openPicture(TestSupport::dataFile(QStringLiteral("chelsea.png")));
        QVERIFY(EditorTestFiles::waitForThumbnails(window.editor()));
        QVERIFY(!window.undoButton->active && !window.redoButton->active);
        QVERIFY(!window.strengthBar->isVisible());

        // The first light of the whole list, then a light of a category that lacks it.
        window.onLightTab();
        CPicList* lights = window.lightList;
        click(window, lights, 0);
        const QString first = currentPath(lights);
        QVERIFY(window.strengthBar->isVisible());
        int category = 1;
        for (; category < window.lightCategoryNames.size(); ++category) {
            window.onLightCategoryChosen(category);
            if (lights->visibleCount() > 0 && !window.state().lightListNumbers.contains(1))
                break;
        }
        QVERIFY(category < window.lightCategoryNames.size());
        click(window, lights, 0);
        const QString second = currentPath(lights);
        QTest::keyClick(&window, Qt::Key_BracketLeft);
        QCOMPARE(window.strengthBar->percent(), 90);
        QCOMPARE(window.state().strength, 0.9);

        QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(window.strengthBar->percent(), 100);
        QCOMPARE(currentPath(lights), second);
        QTest::mouseClick(window.undoButton, Qt::LeftButton);
        QCOMPARE(currentPath(lights), first);
        QCOMPARE(window.lightCategoryDropDown->caption, QStringLiteral("All"));
        QTest::mouseClick(window.undoButton, Qt::LeftButton);
        QCOMPARE(currentPath(lights), QString());
        QVERIFY(!window.strengthBar->isVisible());
        QVERIFY(!window.undoButton->active);
        QVERIFY(window.redoButton->active);

        for (int i = 0; i < 3; ++i)
            QTest::keyClick(&window, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(currentPath(lights), second);
        QCOMPARE(window.strengthBar->percent(), 90);
        QVERIFY(!window.redoButton->active);
        // The before/after view holds the history, as it holds every command.
        QTest::mouseClick(window.compareButton, Qt::LeftButton);
        QVERIFY(!window.undoButton->active);
        QVERIFY(!window.strengthBar->isEnabled());
        QTest::mouseClick(window.compareButton, Qt::LeftButton);
        QVERIFY(window.undoButton->active);
        QVERIFY(notices.isEmpty());

        // A step whose picture cannot be made again is told; it stays to be taken later.
        window.editor().setHistoryRasterBudget(0);
        const QString picture = window.state().effectBasePath;
        QVERIFY(QFile::rename(picture, picture + QStringLiteral(".aside")));
        QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(notices.size(), 1);
        QCOMPARE(window.strengthBar->percent(), 90);
        QVERIFY(window.undoButton->active);
        QVERIFY(QFile::rename(picture + QStringLiteral(".aside"), picture));
        QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(window.strengthBar->percent(), 100);
        QCOMPARE(notices.size(), 1);
    }
};

QTEST_MAIN(HistoryWindowTest)
#include "tst_history_window.moc"
