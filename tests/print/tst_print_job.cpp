// The print job onto a real PDF: pages per copy, the picture whole inside the margins at the
// place the preview shows, and drawn from pixels at the page's resolution.
#include "EditCodes.h"
#include "PdfPages.h"
#include "PrintJob.h"
#include "TestSupport.h"

#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QtTest>

#include <cmath>

namespace {

constexpr int kPageDpi = 300;
constexpr int kCheckDpi = 60;

// A real photo blown up to a full-size picture, and the screen raster made from it as intake
// makes one: at most 1000 pixels wide.
struct Photo {
    QImage full;
    QImage screen;
};

Photo photo(const QString& name, const QSize& fullSize) {
    const QImage source = QImage(TestSupport::dataFile(name)).convertToFormat(QImage::Format_ARGB32);
    Photo p;
    p.full = source.scaled(fullSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    p.screen = p.full.width() > 1000 ? p.full.scaledToWidth(1000, Qt::SmoothTransformation) : p.full;
    return p;
}

// A frame overlay: a thick dark border with a clear middle.
QImage borderOverlay() {
    QImage overlay(400, 400, QImage::Format_ARGB32);
    overlay.fill(Qt::transparent);
    QPainter painter(&overlay);
    painter.setPen(QPen(QColor(40, 20, 10), 40));
    painter.drawRect(20, 20, 360, 360);
    return overlay;
}

// The pixels a rectangle of the page touches once the page is rasterised at factor.
QRect scaledRect(const Rect& r, double factor) {
    return QRect(QPoint(int(std::floor(r.left * factor)), int(std::floor(r.top * factor))),
                 QPoint(int(std::ceil(r.right * factor)) - 1, int(std::ceil(r.bottom * factor)) - 1));
}

bool within(const QRect& inner, const QRect& outer, int slack) {
    return outer.adjusted(-slack, -slack, slack, slack).contains(inner);
}

std::unique_ptr<QPdfWriter> a4Writer(const QString& path) {
    auto writer = std::make_unique<QPdfWriter>(path);
    writer->setResolution(kPageDpi);
    writer->setPageSize(QPageSize(QPageSize::A4));
    return writer;
}

PaperSetup a4Paper() {
    PaperSetup paper;
    paper.margins = {1000, 1000, 1000, 1000};
    return paper;
}

} // namespace

class PrintJobTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void pagesOfAPrint_data();
    void pagesOfAPrint();
    void noPictureNoPages();

  private:
    QString m_work;
};

void PrintJobTest::initTestCase() {
    m_work = TestSupport::freshWorkFolder();
}

void PrintJobTest::pagesOfAPrint_data() {
    QTest::addColumn<QString>("photoName");
    QTest::addColumn<QSize>("fullSize");
    QTest::addColumn<int>("frameMode");
    QTest::addColumn<int>("rotation");
    QTest::addColumn<int>("copies");
    QTest::addColumn<bool>("fromFullSize");
    QTest::newRow("sharp photo") << "coffee.png" << QSize(3000, 2000) << -1 << 360 << 1 << true;
    QTest::newRow("three copies, three pages")
        << "chelsea.png" << QSize(2706, 1800) << -1 << 360 << 3 << true;
    // Spanning the page's width would put the ends of this picture past the bottom margin.
    QTest::newRow("turned 16:9 picture with an overlay frame")
        << "rocket.jpg" << QSize(1688, 3000) << 0 << 90 << 1 << true;
    QTest::newRow("composed from the screen rasters")
        << "astronaut.png" << QSize(2400, 2400) << 0 << 360 << 2 << false;
}

void PrintJobTest::pagesOfAPrint() {
    QFETCH(QString, photoName);
    QFETCH(QSize, fullSize);
    QFETCH(int, frameMode);
    QFETCH(int, rotation);
    QFETCH(int, copies);
    QFETCH(bool, fromFullSize);
    const Photo p = photo(photoName, fullSize);
    QImage overlay = frameMode == FrameOverlay ? borderOverlay() : QImage();
    PrintShared shared;
    shared.printPicture = p.screen;
    shared.printFrameMode = frameMode;
    shared.printRotation = rotation;

    PrintJob job;
    job.paper = a4Paper();
    job.content = PrintContent::of(shared, overlay);
    job.copies = copies;
    // The full-size picture (or the screen raster) with the same frame, scaled to what the page
    // asks for.
    PrintContent source = job.content;
    if (fromFullSize)
        source.shared.printPicture = p.full;
    QSize asked;
    job.picture = [source, &asked](const QSize& largest) {
        asked = largest;
        return composeScreenPicture(source, largest);
    };
    QList<int> progress;
    job.progress = [&progress](int done, int total) { progress.append(done * 100 + total); };

    const QString pdf = m_work + QTest::currentDataTag() + QStringLiteral(".pdf");
    PrintedPages printed;
    {
        const auto writer = a4Writer(pdf);
        printed = printPages(*writer, job);
    }
    QVERIFY(printed.succeeded);
    QCOMPARE(printed.pages, copies);
    QCOMPARE(PdfPages::info(pdf, QStringLiteral("Pages")).toInt(), copies);
    QCOMPARE(progress.size(), copies + 1);
    QCOMPARE(progress.last(), (copies + 1) * 101);

    // The margins are measured from the whole sheet: 10 mm of A4 (2479 x 3508 at 300 dpi).
    QCOMPARE(printed.pagePrintRect, (Rect{118, 118, 2360, 3389}));
    const Rect& placed = printed.pictureRect;
    QVERIFY(placed.left >= 118 && placed.top >= 118 && placed.right <= 2360 && placed.bottom <= 3389);
    QCOMPARE(asked, placed.toQRect().size());

    // Sharp: the page holds the picture at the page's resolution, not the screen raster's.
    for (int page = 1; page <= copies; ++page) {
        const QList<QSize> images = PdfPages::embeddedImages(pdf, page);
        QCOMPARE(images.size(), 1);
        QCOMPARE(images.first(), printed.pictureSize);
    }
    const QSize pictureSize = printed.pictureSize;
    QVERIFY(pictureSize.width() <= placed.width() && pictureSize.height() <= placed.height());
    if (fromFullSize)
        QVERIFY2(pictureSize.width() > p.screen.width() * 3 / 2,
                 qPrintable(QStringLiteral("%1 pixels across").arg(pictureSize.width())));
    else
        QVERIFY(pictureSize.width() <= p.screen.width());

    // Every page the same, the picture whole inside the margins where it was placed.
    const QList<QImage> pages = PdfPages::rasterise(pdf, kCheckDpi);
    QCOMPARE(pages.size(), copies);
    const double factor = double(kCheckDpi) / kPageDpi;
    const QRect ink = PdfPages::inkBounds(pages.first());
    const auto describe = [](const QRect& r) {
        return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    };
    const QRect printable = scaledRect(printed.pagePrintRect, factor);
    const QRect expected = scaledRect(placed, factor);
    // The rasteriser rounds a picture's edges outward by up to a pixel.
    QVERIFY2(within(ink, printable, 1), qPrintable(describe(ink) + " outside " + describe(printable)));
    QVERIFY2(within(ink, expected, 1) && within(expected, ink, 1),
             qPrintable(describe(ink) + " instead of " + describe(expected)));
    for (const QImage& page : pages)
        QCOMPARE(TestSupport::maxChannelDifference(page, pages.first()), 0);

    // The preview shows the same picture at the same place within the printable rectangle.
    QImage dialog(726, 622, QImage::Format_RGB32);
    PrintPreview preview;
    {
        QPainter painter(&dialog);
        preview = paintPrintPreview(painter, job.paper, job.content);
    }
    const QRect previewPicture = preview.picture.toQRect().adjusted(2, 2, -2, -2);
    const QImage pagePicture = pages.first()
                                   .copy(scaledRect(placed, factor))
                                   .scaled(preview.picture.width(), preview.picture.height(),
                                           Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                   .copy(2, 2, previewPicture.width(), previewPicture.height());
    const double difference = TestSupport::meanDifference(dialog.copy(previewPicture), pagePicture);
    QVERIFY2(difference >= 0 && difference < 12, qPrintable(QString::number(difference)));
}

// A picture that cannot be made prints nothing at all rather than blank pages.
void PrintJobTest::noPictureNoPages() {
    PrintShared shared;
    shared.printPicture = photo(QStringLiteral("coffee.png"), QSize(600, 400)).screen;
    PrintJob job;
    job.paper = a4Paper();
    job.content = PrintContent::of(shared, QImage());
    job.copies = 2;
    job.picture = [](const QSize&) { return QImage(); };
    const QString pdf = m_work + QStringLiteral("no-picture.pdf");
    PrintedPages printed;
    {
        const auto writer = a4Writer(pdf);
        printed = printPages(*writer, job);
    }
    QVERIFY(!printed.succeeded);
    QCOMPARE(printed.pages, 0);
    QVERIFY(!QFile::exists(pdf));
}

QTEST_MAIN(PrintJobTest)
#include "tst_print_job.moc"
