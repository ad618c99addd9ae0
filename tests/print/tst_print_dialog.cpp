// The print dialog: its controls, the paper it keeps between openings, a preview that follows
// the page set-up, and a print through its printer into a PDF file.
#include "PdfPages.h"
#include "PntDialg.h"
#include "TestSupport.h"

#include <QPageLayout>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

Q_DECLARE_METATYPE(Rect)

namespace {

QPageLayout layoutOf(QPageSize::PageSizeId size, QPageLayout::Orientation orientation, double marginMm) {
    return QPageLayout(QPageSize(size), orientation, QMarginsF(marginMm, marginMm, marginMm, marginMm),
                       QPageLayout::Millimeter);
}

void showPhoto() {
    PrintShared& shared = PrintShared::instance();
    shared.reset();
    shared.printPicture = QImage(TestSupport::dataFile(QStringLiteral("coffee.png")));
}

} // namespace

class PrintDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { m_work = TestSupport::freshWorkFolder(); }
    void marginsStartAtTenMillimetresPaperStays();
    void previewFollowsPageSetup_data();
    void previewFollowsPageSetup();
    void printsCopiesIntoAPdf();
    void aFailedPrintIsReported();

  private:
    QString m_work;
};

void PrintDialogTest::marginsStartAtTenMillimetresPaperStays() {
    PntDialg dialog;
    dialog.takePageLayout(layoutOf(QPageSize::Letter, QPageLayout::Landscape, 25.0));
    QCOMPARE(dialog.paper.paperSizeCode, 1);
    QCOMPARE(dialog.paper.paperOrientation, 2);
    QCOMPARE(dialog.paper.paperWidth, 27940);
    QCOMPARE(dialog.paper.paperHeight, 21590);
    QCOMPARE(dialog.paper.margins, (PageMargins{2500, 2500, 2500, 2500}));
    dialog.prepareOpening();
    QCOMPARE(dialog.paper.margins, (PageMargins{1000, 1000, 1000, 1000}));
    QCOMPARE(dialog.paper.paperWidth, 27940);
    QCOMPARE(dialog.paper.paperOrientation, 2);
    QCOMPARE(dialog.printer().pageLayout().margins(QPageLayout::Millimeter), QMarginsF(10, 10, 10, 10));
}

void PrintDialogTest::previewFollowsPageSetup_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<Rect>("paper");
    QTest::addColumn<Rect>("printable");
    QTest::newRow("A4 portrait") << int(QPageSize::A4) << false << Rect{105, 20, 515, 600}
                                 << Rect{124, 39, 495, 580};
    QTest::newRow("A4 landscape") << int(QPageSize::A4) << true << Rect{20, 105, 600, 515}
                                  << Rect{39, 124, 580, 495};
    QTest::newRow("A5 portrait") << int(QPageSize::A5) << false << Rect{106, 20, 514, 600}
                                 << Rect{133, 47, 486, 572};
}

// The page set-up's answer shows on the preview at once: paper, margins and the picture.
void PrintDialogTest::previewFollowsPageSetup() {
    QFETCH(int, size);
    QFETCH(bool, landscape);
    QFETCH(Rect, paper);
    QFETCH(Rect, printable);
    showPhoto();
    PntDialg dialog;
    dialog.prepareOpening();
    dialog.takePageLayout(layoutOf(QPageSize::PageSizeId(size),
                                   landscape ? QPageLayout::Landscape : QPageLayout::Portrait, 10.0));
    const QImage shown = dialog.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(dialog.previewPaperRect, paper);
    QCOMPARE(dialog.previewPrintRect, printable);
    QCOMPARE(shown.pixel(paper.left - 1, (paper.top + paper.bottom) / 2), qRgb(0, 0, 0));
    // The printable rectangle is outlined in red dashes.
    int red = 0;
    for (int x = printable.left; x <= printable.right; ++x)
        red += shown.pixel(x, printable.top) == qRgb(255, 0, 0) ? 1 : 0;
    QVERIFY(red > printable.width() / 3 && red < printable.width());
    // The photo (600 x 400) fills the printable width, centred in its height.
    const Rect picture = FitAspect(600, 400, printable);
    const QImage photo =
        QImage(TestSupport::dataFile(QStringLiteral("coffee.png")))
            .scaled(picture.width(), picture.height(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_RGB32);
    const QRect inner(2, 2, picture.width() - 4, picture.height() - 4);
    const double difference = TestSupport::meanDifference(
        shown.copy(inner.translated(picture.left, picture.top)), photo.copy(inner));
    QVERIFY2(difference >= 0 && difference < 4, qPrintable(QString::number(difference)));
}

void PrintDialogTest::printsCopiesIntoAPdf() {
    showPhoto();
    PntDialg dialog;
    dialog.prepareOpening();
    const QString pdf = m_work + QStringLiteral("copies.pdf");
    dialog.printer().setOutputFormat(QPrinter::PdfFormat);
    dialog.printer().setOutputFileName(pdf);
    dialog.printer().setResolution(300);
    QSignalSpy finished(&dialog, &PntDialg::printFinished);
    dialog.startPrintJob(3);
    // Nothing that could change the page works while it prints.
    QVERIFY(!dialog.printButton->isEnabled());
    QVERIFY(!dialog.pageSetButton->isEnabled());
    QVERIFY(!dialog.cancelButton->isEnabled());
    QVERIFY(finished.wait(60000));
    QCOMPARE(finished.first().first().toBool(), true);
    QVERIFY(dialog.printButton->isEnabled());
    QCOMPARE(PdfPages::info(pdf, QStringLiteral("Pages")), QStringLiteral("3"));
    QCOMPARE(PdfPages::info(pdf, QStringLiteral("Title")), QStringLiteral("Lumenkraft"));
    QVERIFY(PdfPages::info(pdf, QStringLiteral("Page size")).contains(QStringLiteral("A4")));
    QCOMPARE(dialog.pagePrintRect, (Rect{118, 118, 2360, 3389}));
}

void PrintDialogTest::aFailedPrintIsReported() {
    showPhoto();
    PntDialg dialog;
    QStringList notices;
    dialog.showNotice = [&notices](const QString& text) { notices.append(text); };
    dialog.prepareOpening();
    dialog.printer().setOutputFormat(QPrinter::PdfFormat);
    dialog.printer().setOutputFileName(m_work + QStringLiteral("no/such/folder/out.pdf"));
    QSignalSpy finished(&dialog, &PntDialg::printFinished);
    QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    dialog.startPrintJob(1);
    QVERIFY(finished.wait(60000));
    QCOMPARE(finished.first().first().toBool(), false);
    QCOMPARE(notices, QStringList{QStringLiteral("The picture could not be printed.")});
    QVERIFY(dialog.cancelButton->isEnabled());
}

QTEST_MAIN(PrintDialogTest)
#include "tst_print_dialog.moc"
