// Every thumbnail cell names its look in a tooltip, as the catalogues name it, so a look can be
// found again: through the categories too, where a cell's position is no longer its number.
#include "CImgCtrl.h"
#include "CPicList.h"
#include "CategoryBrowse.h"
#include "CcsAllDlg.h"
#include "EditorTestFiles.h"
#include "MagickSession.h"
#include "TestSupport.h"

#include <QFile>
#include <QHelpEvent>
#include <QToolTip>
#include <QtTest>

#include <memory>

class LookNameTest : public QObject {
    Q_OBJECT
    MagickSession m_magick;
    std::unique_ptr<CcsAllDlg> m_window;

    // What the cell's tooltip says when the pointer rests on it; empty when it shows none.
    static QString tipOf(CImgCtrl* cell) {
        // The toolkit lets a tip fade out; the previous cell's must be gone first.
        QToolTip::hideText();
        if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 5000))
            return QStringLiteral("(a tip stays up)");
        const QPoint centre = cell->rect().center();
        QHelpEvent rest(QEvent::ToolTip, centre, cell->mapToGlobal(centre));
        QCoreApplication::sendEvent(cell, &rest);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }

  private slots:
    void initTestCase() {
        const QString work = TestSupport::freshWorkFolder();
        qputenv("XDG_DATA_HOME", QFile::encodeName(work + QStringLiteral("data")));
        m_window = std::make_unique<CcsAllDlg>();
        m_window->showNotice = [](const QString& text) { QFAIL(qPrintable(text)); };
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));

        // Lights and frames have their names before any picture is in.
        QCOMPARE(tipOf(m_window->lightList->cells.at(0)), QStringLiteral("Amber Light Leak"));

        m_window->openPicture(TestSupport::dataFile(QStringLiteral("rocket.jpg")));
        // Filter cells name their looks while the first run still reads the catalogue.
        QTRY_VERIFY_WITH_TIMEOUT(m_window->filterList->visibleCount() > 0, 60000);
        QCOMPARE(tipOf(m_window->filterList->cells.at(0)), QStringLiteral("Warm Sunset"));
        QVERIFY(EditorTestFiles::waitForThumbnails(m_window->editor(), 240000));
    }

    void cellNamesItsLook_data() {
        QTest::addColumn<int>("panel");
        QTest::addColumn<QString>("category");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("name");
        QTest::newRow("filter") << int(FilterPanel) << "All" << 0 << "Warm Sunset";
        QTest::newRow("third filter") << int(FilterPanel) << "All" << 2 << "Sepia";
        QTest::newRow("filter of a category") << int(FilterPanel) << "Black and White" << 0 << "Classic Mono";
        QTest::newRow("light") << int(LightPanel) << "All" << 0 << "Amber Light Leak";
        QTest::newRow("light of a category") << int(LightPanel) << "Natural" << 0 << "Sun Flare";
        QTest::newRow("artistic frame") << int(FramePanel) << "All" << 0 << "Photo Album";
        QTest::newRow("regular frame") << int(FramePanel) << "Regular" << 0 << "Walnut";
    }

    void cellNamesItsLook() {
        QFETCH(int, panel);
        QFETCH(QString, category);
        QFETCH(int, position);
        QFETCH(QString, name);
        CcsAllDlg& window = *m_window;
        switch (panel) {
        case FilterPanel:
            window.onFilterTab();
            window.onFilterCategoryChosen(int(kFilterCategoryNames.indexOf(category)));
            break;
        case LightPanel:
            window.onLightTab();
            window.onLightCategoryChosen(int(kLightCategoryNames.indexOf(category)));
            break;
        default:
            window.onFrameTab();
            window.onFrameCategoryChosen(int(kFrameCategoryNames.indexOf(category)));
            break;
        }
        CPicList* list = window.listOf(panel);
        QVERIFY(position < list->visibleCount());
        QCOMPARE(tipOf(list->cells.at(position)), name);
    }

    void freeCellNamesNothing() {
        // A cell left over from a longer category shows no picture and names no look.
        CcsAllDlg& window = *m_window;
        window.onLightTab();
        window.onLightCategoryChosen(int(kLightCategoryNames.indexOf("All")));
        const int all = window.lightList->visibleCount();
        window.onLightCategoryChosen(int(kLightCategoryNames.indexOf("Natural")));
        QVERIFY(window.lightList->visibleCount() < all);
        QCOMPARE(tipOf(window.lightList->cells.at(all - 1)), QString());
    }

    void cleanupTestCase() { m_window.reset(); }
};

QTEST_MAIN(LookNameTest)
#include "tst_desktop_looknames.moc"
