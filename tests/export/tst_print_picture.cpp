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

  private:
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
    recipe.frameMode = 0;
    recipe.framePicture = m_catalogues.frameRecords.first().effectimage;

    // Placed as the print dialog places the picture on screen.
    PrintShared shared;
    const QSize screen(1000, 667);
    shared.printPicture = QImage(rotation == 90 ? screen.transposed() : screen, QImage::Format_RGB32);
    shared.printRotation = rotation;
    PrintJob job;
    job.paper.margins = {1000, 1000, 1000, 1000};
    job.content = PrintContent::of(shared, QImage());
    job.picture = fullSizePrintPicture(recipe, m_catalogues);
    const QString pdf = m_work + QTest::currentDataTag() + QStringLiteral(".pdf");
    PrintedPages printed;
    {
        QPdfWriter writer(pdf);
        writer.setResolution(dpi);
        writer.setPageSize(QPageSize(QPageSize::A4));
        printed = printPages(writer, job);
    }
    QVERIFY(printed.succeeded);
    const QList<QSize> images = PdfPages::embeddedImages(pdf, 1);
    QCOMPARE(images.size(), 1);
    QVERIFY2(std::abs(images.first().width() - pictureSize.width()) <= 1 &&
                 std::abs(images.first().height() - pictureSize.height()) <= 1,
             qPrintable(QStringLiteral("%1 x %2").arg(images.first().width()).arg(images.first().height())));

    // What the page shows is the full-size export, look, mirror and frame; not the same edit
    // unmirrored. The PDF holds the picture as a JPEG, which costs a few levels.
    const QImage page = PdfPages::rasterise(pdf, 60).value(0);
    const double factor = 60.0 / dpi;
    const QRect placed = printed.pictureRect.toQRect();
    const QRect onPage(int(std::ceil(placed.left() * factor)) + 1, int(std::ceil(placed.top() * factor)) + 1,
                       int(placed.width() * factor) - 2, int(placed.height() * factor) - 2);
    const QImage printedPicture = page.copy(onPage);
    const auto exported = [&](const EditRecipe& edit) {
        const QImage full = renderFullSize(edit, m_catalogues).image;
        const QSize placedSize = placed.size() * factor;
        return scaledTo(full, placedSize).copy(1, 1, onPage.width(), onPage.height());
    };
    EditRecipe unmirrored = recipe;
    unmirrored.flipHorizontal = false;
    const double toExport = TestSupport::meanDifference(printedPicture, exported(recipe));
    const double toUnmirrored = TestSupport::meanDifference(printedPicture, exported(unmirrored));
    QVERIFY2(
        toExport >= 0 && toExport < 8 && toExport < toUnmirrored / 2,
        qPrintable(
            QStringLiteral("%1 from the export, %2 from it unmirrored").arg(toExport).arg(toUnmirrored)));
}

QTEST_MAIN(PrintPictureTest)
#include "tst_print_picture.moc"
