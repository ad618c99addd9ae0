// A print made from the edit's recipe: the page holds the picture the full-size render path
// makes, at the page's resolution up to the photo's own pixels, with its look, mirror and frame.

#include "ExportTestFiles.h"
#include "FullSizeRender.h"
#include "MagickSession.h"
#include "PdfPages.h"
#include "PrintPicture.h"
#include "TestSupport.h"

#include <QPdfWriter>
#include <QtTest>

#include <cmath>

using namespace ExportTestFiles;

class PrintPictureTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void pageHoldsTheRenderedRecipe_data();
    void pageHoldsTheRenderedRecipe();
    void aMissingOverlayPrintsAsTheViewShows_data();
    void aMissingOverlayPrintsAsTheViewShows();

  private:
    // The recipe printed into pdf on A4 at dpi, placed as the print dialog places it on screen.
    PrintedPages printToPdf(const EditRecipe& recipe, const Catalogues& catalogues, const QString& pdf,
                            int dpi);
    // How far the picture on the first page is from the full-size render of expected.
    double offTheRender(const QString& pdf, const PrintedPages& printed, int dpi, const EditRecipe& expected,
                        const Catalogues& catalogues);

    MagickSession m_magick;
    QString m_work;
    QString m_photo;
    Catalogues m_catalogues;
};

void PrintPictureTest::initTestCase() {
    m_work = TestSupport::freshWorkFolder();
    m_photo = writeLargePhoto(m_work + "coffee large.png", 3);
    m_catalogues = shippedCatalogues();
}

void PrintPictureTest::pageHoldsTheRenderedRecipe_data() {
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("rotation");
    QTest::addColumn<QSize>("pictureSize");
    // A4 at 300 dpi offers 2242 pixels across the printable width: the photo has only 1800.
    QTest::newRow("the photo's own pixels, no more") << 300 << 360 << QSize(1800, 1200);
    QTest::newRow("turned, the photo's own pixels") << 300 << 90 << QSize(1200, 1800);
    // At 100 dpi the printable width is 748 pixels: no more are made.
    QTest::newRow("no finer than the page") << 100 << 360 << QSize(748, 499);
}

PrintedPages PrintPictureTest::printToPdf(const EditRecipe& recipe, const Catalogues& catalogues,
                                          const QString& pdf, int dpi) {
    PrintShared shared;
    const QSize screen(1000, 667);
    const bool quarterTurned = recipe.rotationAngle == 90 || recipe.rotationAngle == 270;
    shared.printPicture = QImage(quarterTurned ? screen.transposed() : screen, QImage::Format_RGB32);
    shared.printRotation = recipe.rotationAngle;
    PrintJob job;
    job.paper.margins = {1000, 1000, 1000, 1000};
    job.content = PrintContent::of(shared, QImage());
    job.picture = fullSizePrintPicture(recipe, catalogues);
    QPdfWriter writer(pdf);
    writer.setResolution(dpi);
    writer.setPageSize(QPageSize(QPageSize::A4));
    return printPages(writer, job);
}

double PrintPictureTest::offTheRender(const QString& pdf, const PrintedPages& printed, int dpi,
                                      const EditRecipe& expected, const Catalogues& catalogues) {
    const QImage page = PdfPages::rasterise(pdf, 60).value(0);
    const double factor = 60.0 / dpi;
    const QRect placed = printed.pictureRect.toQRect();
    const QRect onPage(int(std::ceil(placed.left() * factor)) + 1, int(std::ceil(placed.top() * factor)) + 1,
                       int(placed.width() * factor) - 2, int(placed.height() * factor) - 2);
    const QImage full = renderFullSize(expected, catalogues).image;
    const QImage rendered =
        scaledTo(full, placed.size() * factor).copy(1, 1, onPage.width(), onPage.height());
    return TestSupport::meanDifference(page.copy(onPage), rendered);
}

void PrintPictureTest::pageHoldsTheRenderedRecipe() {
    QFETCH(int, dpi);
    QFETCH(int, rotation);
    QFETCH(QSize, pictureSize);
    EditRecipe recipe;
    recipe.sourcePath = m_photo;
    recipe.rotationAngle = rotation;
    recipe.flipHorizontal = true;
    recipe.filterIndex = 2;
    recipe.lightIndex = 0;
    recipe.frameMode = FrameOverlay;
    recipe.framePicture = m_catalogues.frameRecords.first().effectimage;

    const QString pdf = m_work + QTest::currentDataTag() + QStringLiteral(".pdf");
    const PrintedPages printed = printToPdf(recipe, m_catalogues, pdf, dpi);
    QVERIFY(printed.succeeded);
    const QList<QSize> images = PdfPages::embeddedImages(pdf, 1);
    QCOMPARE(images.size(), 1);
    QVERIFY2(std::abs(images.first().width() - pictureSize.width()) <= 1 &&
                 std::abs(images.first().height() - pictureSize.height()) <= 1,
             qPrintable(QStringLiteral("%1 x %2").arg(images.first().width()).arg(images.first().height())));

    // What the page shows is the full-size export, look, mirror and frame; not the same edit
    // unmirrored. The PDF holds the picture as a JPEG, which costs a few levels.
    EditRecipe unmirrored = recipe;
    unmirrored.flipHorizontal = false;
    const double toExport = offTheRender(pdf, printed, dpi, recipe, m_catalogues);
    const double toUnmirrored = offTheRender(pdf, printed, dpi, unmirrored, m_catalogues);
    QVERIFY2(
        toExport >= 0 && toExport < 8 && toExport < toUnmirrored / 2,
        qPrintable(
            QStringLiteral("%1 from the export, %2 from it unmirrored").arg(toExport).arg(toUnmirrored)));
}

void PrintPictureTest::aMissingOverlayPrintsAsTheViewShows_data() {
    QTest::addColumn<int>("frameMode");
    QTest::addColumn<bool>("lightGone");
    QTest::newRow("overlay frame missing") << 0 << false;
    QTest::newRow("nine-slice template missing") << 1 << false;
    QTest::newRow("light overlay missing") << -1 << true;
}

void PrintPictureTest::aMissingOverlayPrintsAsTheViewShows() {
    QFETCH(int, frameMode);
    QFETCH(bool, lightGone);
    Catalogues catalogues = m_catalogues;
    if (lightGone)
        catalogues.lightRecords[0].effectimage = m_work + "gone/light.png";
    EditRecipe recipe;
    recipe.sourcePath = m_photo;
    recipe.filterIndex = 2;
    recipe.lightIndex = 0;
    recipe.frameMode = frameMode;
    recipe.framePicture = m_work + "gone/frame.png";

    const QString pdf = m_work + QTest::currentDataTag() + QStringLiteral(".pdf");
    const int dpi = 100;
    const PrintedPages printed = printToPdf(recipe, catalogues, pdf, dpi);
    QVERIFY(printed.succeeded);
    QCOMPARE(PdfPages::embeddedImages(pdf, 1).size(), 1);
    // As the view shows it: the look, without the frame.
    EditRecipe unframed = recipe;
    unframed.frameMode = FrameNone;
    const double off = offTheRender(pdf, printed, dpi, unframed, catalogues);
    QVERIFY2(off >= 0 && off < 8, qPrintable(QString::number(off)));
}

QTEST_MAIN(PrintPictureTest)
#include "tst_print_picture.moc"
