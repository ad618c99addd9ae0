// The export command in the window: Ctrl+S to the written file, the controls an export keeps
// away and gives back, its progress over the view, and what the user is told when it fails.

#include "CButtonX.h"
#include "CImgCtrl.h"
#include "CPicList.h"
#include "CcsAllDlg.h"
#include "ExportTestFiles.h"
#include "MagickSession.h"
#include "PdfPages.h"
#include "PntDialg.h"
#include "RasterIO.h"
#include "TestSupport.h"
#include "reComb.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace ExportTestFiles;

namespace {

// The controls whose commands would change the picture while an export renders it.
const QList<CButtonX* CcsAllDlg::*> kHeldButtons = {
    &CcsAllDlg::loadButton,           &CcsAllDlg::cropButton,         &CcsAllDlg::rotateButton,
    &CcsAllDlg::flipHorizontalButton, &CcsAllDlg::flipVerticalButton, &CcsAllDlg::randomButton,
};

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class ExportWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void ctrlSExportsAndGivesTheControlsBack();
    void failuresAreToldAndLeaveTheFileAlone_data();
    void failuresAreToldAndLeaveTheFileAlone();
    void cancelledDialogWritesNothing();
    void printsWhileAnExportRuns();
    // Last: the window stays closed.
    void aCloseWaitsForTheExport();

  private:
    bool controlsHeld() const;
    bool controlsBack() const;
    void pressCtrlS();
    // Prints one page into pdf from the print dialog once it is open, as the user would, then
    // closes it; succeeded tells how the print ended.
    void printFromTheDialog(const QString& pdf, bool& succeeded);

    MagickSession m_magick;
    QString m_work;
    QString m_out;
    QString m_photo;
    std::unique_ptr<CcsAllDlg> m_window;
    QStringList m_notices;
    QStringList m_asked; // folder and proposed name of every save dialog
    QString m_answer;    // what the save dialog returns
};

void ExportWindowTest::initTestCase() {
    m_work = TestSupport::freshWorkFolder();
    m_out = m_work + "out/";
    QVERIFY(QDir().mkpath(m_out));
    m_photo = writeLargePhoto(m_work + "coffee.day.png", 3);
    m_window = std::make_unique<CcsAllDlg>();
    m_window->showNotice = [this](const QString& text) { m_notices << text; };
    m_window->chooseExportPath = [this](const QString& folder, const QString& name) {
        m_asked << folder << name;
        return m_answer;
    };
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    m_window->openPicture(m_photo);
    QVERIFY(QTest::qWaitFor([&] { return m_window->exportButton->active; }, 120000));
    // A look, so that the export has work to do at full size.
    m_window->filterList->ScrollToItem(2);
    QTest::mouseClick(m_window->filterList->cells.at(2), Qt::LeftButton);
    QCOMPARE(m_window->state().filterActive, int(LookOn));
}

bool ExportWindowTest::controlsHeld() const {
    for (CButtonX* CcsAllDlg::*button : kHeldButtons)
        if ((m_window.get()->*button)->active)
            return false;
    for (const reComb* dropDown :
         {m_window->filterCategoryDropDown, m_window->lightCategoryDropDown, m_window->frameCategoryDropDown})
        if (dropDown->enabled)
            return false;
    for (const CPicList* list : {m_window->filterList, m_window->lightList, m_window->frameList})
        if (list->isEnabled())
            return false;
    return true;
}

bool ExportWindowTest::controlsBack() const {
    for (CButtonX* CcsAllDlg::*button : kHeldButtons)
        if (!(m_window.get()->*button)->active)
            return false;
    for (const CPicList* list : {m_window->filterList, m_window->lightList, m_window->frameList})
        if (!list->isEnabled())
            return false;
    // The crop tool's toggle is not given back: no crop is open after an export.
    return !m_window->orientationButton->active && m_window->filterCategoryDropDown->enabled &&
           QApplication::overrideCursor() == nullptr;
}

void ExportWindowTest::pressCtrlS() {
    QTest::keyClick(m_window.get(), Qt::Key_S, Qt::ControlModifier);
}

void ExportWindowTest::ctrlSExportsAndGivesTheControlsBack() {
    m_asked.clear();
    m_answer = m_out + "coffee_lumenkraft.jpg";
    QImage duringExport;
    bool secondRefused = false;
    const QMetaObject::Connection watch =
        connect(&m_window->exportJob(), &ExportJob::progressed, this, [&](const QString& stage) {
            if (!duringExport.isNull() || !stage.startsWith(u"Filter"))
                return;
            QVERIFY(controlsHeld());
            QVERIFY(m_window->state().exportBusy);
            // A second export while this one runs is refused before any dialog.
            pressCtrlS();
            secondRefused = m_asked.size() == 2;
            m_window->repaint();
            duringExport = m_window->grab().toImage();
        });
    pressCtrlS();
    QVERIFY(QTest::qWaitFor([&] { return !m_window->exportOverlay().running(); }, 120000));
    disconnect(watch);

    // The dialog opened where the photo is, proposing the stem before the first dot.
    QCOMPARE(m_asked, (QStringList{QFileInfo(m_photo).absolutePath(), "coffee_lumenkraft.jpg"}));
    QVERIFY(secondRefused);
    QVERIFY(controlsBack());
    QVERIFY(!m_window->state().exportBusy);
    QCOMPARE(RasterIO::pictureSize(m_answer), QSize(1800, 1200));
    QVERIFY(m_notices.isEmpty());
    QVERIFY(m_window->exportOverlay().notice().contains("coffee_lumenkraft.jpg"));

    // While it ran, the picture area showed the progress instead of the picture.
    m_window->repaint();
    const QImage after = m_window->grab().toImage();
    const QRect area = ExportOverlay::kArea;
    QVERIFY(TestSupport::meanDifference(duringExport.copy(area), after.copy(area)) > 20.0);

    // The next export opens where the last one went.
    m_asked.clear();
    m_answer.clear();
    pressCtrlS();
    QCOMPARE(m_asked.value(0), QFileInfo(m_out + "x").absolutePath());
}

void ExportWindowTest::failuresAreToldAndLeaveTheFileAlone_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("told");
    QTest::newRow("folder that does not exist") << "gone/coffee.jpg"
                                                << "does not exist";
    QTest::newRow("type the program cannot write") << "coffee.webm"
                                                   << "end the name with .jpg";
    QTest::newRow("a folder where the file would go") << "folder.png"
                                                      << "could not be written";
}

void ExportWindowTest::failuresAreToldAndLeaveTheFileAlone() {
    QFETCH(QString, name);
    QFETCH(QString, told);
    m_notices.clear();
    m_answer = m_out + name;
    QDir().mkpath(m_out + "folder.png");
    const QString existing = QFileInfo(m_answer).isDir() ? QString() : m_answer;
    const QByteArray original("an earlier export");
    if (!existing.isEmpty() && QFileInfo(existing).absoluteDir().exists()) {
        QFile file(existing);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(original);
    }
    pressCtrlS();
    QVERIFY(QTest::qWaitFor([&] { return !m_window->exportOverlay().running(); }, 120000));
    QCOMPARE(m_notices.size(), 1);
    QVERIFY2(m_notices.first().contains(told), qPrintable(m_notices.first()));
    QVERIFY(m_notices.first().contains("nothing was written"));
    QVERIFY(controlsBack());
    QVERIFY(m_window->exportOverlay().notice().isEmpty());
    if (QFileInfo::exists(existing))
        QCOMPARE(readAll(existing), original);
}

void ExportWindowTest::cancelledDialogWritesNothing() {
    const QStringList before = QDir(m_out).entryList(QDir::Files);
    m_answer.clear();
    pressCtrlS();
    QVERIFY(controlsBack());
    QVERIFY(!m_window->state().exportBusy);
    QCOMPARE(QDir(m_out).entryList(QDir::Files), before);
}

void ExportWindowTest::printFromTheDialog(const QString& pdf, bool& succeeded) {
    PntDialg* dialog = m_window->printDialog;
    if (!dialog || !dialog->isVisible())
        return;
    dialog->showNotice = [this](const QString& text) { m_notices << text; };
    dialog->printer().setOutputFormat(QPrinter::PdfFormat);
    dialog->printer().setOutputFileName(pdf);
    dialog->printer().setResolution(100);
    connect(
        dialog, &PntDialg::printFinished, dialog,
        [dialog, &succeeded](bool printed) {
            succeeded = printed;
            dialog->accept();
        },
        Qt::SingleShotConnection);
    dialog->startPrintJob(1);
}

void ExportWindowTest::printsWhileAnExportRuns() {
    m_notices.clear();
    m_answer = m_out + "printed meanwhile.jpg";
    const QString pdf = m_work + "printed meanwhile.pdf";
    bool pressed = false;
    bool exportingAtThePress = false;
    bool printed = false;
    const QMetaObject::Connection watch = connect(&m_window->exportJob(), &ExportJob::progressed, this, [&] {
        if (pressed)
            return;
        pressed = true;
        exportingAtThePress = m_window->state().exportBusy;
        // The print dialog is modal: it is driven from within once it is open.
        QTimer::singleShot(0, this, [&] { printFromTheDialog(pdf, printed); });
        QTest::mouseClick(m_window->printButton, Qt::LeftButton);
    });
    pressCtrlS();
    QVERIFY(QTest::qWaitFor([&] { return !m_window->exportOverlay().running(); }, 120000));
    disconnect(watch);
    QVERIFY(exportingAtThePress);
    QVERIFY(printed);
    QCOMPARE(PdfPages::info(pdf, "Pages"), QStringLiteral("1"));
    QCOMPARE(PdfPages::embeddedImages(pdf, 1).size(), 1);
    QVERIFY(m_notices.isEmpty());
    QCOMPARE(RasterIO::load(m_answer).size(), QSize(1800, 1200));
}

void ExportWindowTest::aCloseWaitsForTheExport() {
    m_notices.clear();
    m_answer = m_out + "closed.jpg";
    bool ended = false;
    bool shownAtTheEnd = false;
    const QMetaObject::Connection watch = connect(&m_window->exportJob(), &ExportJob::finished, this, [&] {
        ended = true;
        shownAtTheEnd = m_window->isVisible();
    });
    m_window->onExport();
    QVERIFY(m_window->state().exportBusy);
    // As the window manager asks: the title-bar button, Alt+F4, the end of the session.
    QVERIFY(m_window->close());
    disconnect(watch);
    QVERIFY(ended);
    QVERIFY(shownAtTheEnd);
    QVERIFY(!m_window->isVisible());
    QVERIFY(m_notices.isEmpty());
    QCOMPARE(RasterIO::load(m_answer).size(), QSize(1800, 1200));
}

QTEST_MAIN(ExportWindowTest)
#include "tst_export_window.moc"
