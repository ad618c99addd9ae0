// Where the paper, its margins and the picture go on the preview and on the page, and how the
// picture is drawn there: framed, mirrored, with its overlay.
#include "EditCodes.h"
#include "NineSliceTiles.h"
#include "PrintGeometry.h"
#include "PrintPainting.h"
#include "TestSupport.h"

#include <QPainter>
#include <QtTest>

Q_DECLARE_METATYPE(Rect)

namespace {

enum Fit { Aspect, Centred, ShortSide, FullWidth };

PaperSetup a4(bool landscape = false) {
    PaperSetup paper;
    if (landscape) {
        paper.paperOrientation = PaperSetup::kLandscape;
        std::swap(paper.paperWidth, paper.paperHeight);
    }
    paper.margins = {1000, 1000, 1000, 1000};
    return paper;
}

QImage solid(int width, int height, const QColor& colour) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

// Four quadrants of their own colour: shows how a picture was mirrored.
const QColor kQuadrants[4] = {QColor(200, 30, 30), QColor(30, 200, 30), QColor(30, 30, 200),
                              QColor(200, 200, 30)};

QImage quadrants(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, width / 2, height / 2, kQuadrants[0]);
    painter.fillRect(width / 2, 0, width - width / 2, height / 2, kQuadrants[1]);
    painter.fillRect(0, height / 2, width / 2, height - height / 2, kQuadrants[2]);
    painter.fillRect(width / 2, height / 2, width - width / 2, height - height / 2, kQuadrants[3]);
    return image;
}

bool near(QRgb pixel, const QColor& colour, int tolerance = 6) {
    return std::abs(qRed(pixel) - colour.red()) <= tolerance &&
           std::abs(qGreen(pixel) - colour.green()) <= tolerance &&
           std::abs(qBlue(pixel) - colour.blue()) <= tolerance;
}

} // namespace

class PrintLayoutTest : public QObject {
    Q_OBJECT
  private slots:
    void paperAndPrintableRect_data();
    void paperAndPrintableRect();
    void fittingRules_data();
    void fittingRules();
    void placementKeepsThePictureWhole_data();
    void placementKeepsThePictureWhole();
    void framedAndMirrored_data();
    void framedAndMirrored();
};

void PrintLayoutTest::paperAndPrintableRect_data() {
    QTest::addColumn<PaperSetup>("paper");
    QTest::addColumn<Rect>("page"); // empty: the preview
    QTest::addColumn<Rect>("paperRect");
    QTest::addColumn<Rect>("printable");
    QTest::newRow("A4 portrait preview")
        << a4() << Rect{} << Rect{105, 20, 515, 600} << Rect{124, 39, 495, 580};
    QTest::newRow("A4 landscape preview")
        << a4(true) << Rect{} << Rect{20, 105, 600, 515} << Rect{39, 124, 580, 495};
    PaperSetup square = a4();
    square.paperHeight = square.paperWidth;
    square.margins = {0, 2100, 10500, 0};
    QTest::newRow("square paper, uneven margins")
        << square << Rect{} << Rect{20, 20, 600, 600} << Rect{20, 78, 310, 600};
    QTest::newRow("A4 page at 600 dpi")
        << a4() << Rect{0, 0, 4960, 7016} << Rect{0, 0, 4960, 7016} << Rect{236, 236, 4723, 6779};
}

void PrintLayoutTest::paperAndPrintableRect() {
    QFETCH(PaperSetup, paper);
    QFETCH(Rect, page);
    QFETCH(Rect, paperRect);
    QFETCH(Rect, printable);
    const Rect drawn = page.isEmpty() ? PreviewPaperRect(paper) : page;
    QCOMPARE(drawn, paperRect);
    QCOMPARE(PrintableRect(drawn, paper), printable);
}

void PrintLayoutTest::fittingRules_data() {
    QTest::addColumn<int>("fit");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<Rect>("area");
    QTest::addColumn<Rect>("expected");
    const Rect preview{124, 39, 495, 580};
    const Rect page{236, 236, 4723, 6779};
    QTest::newRow("aspect, wide picture")
        << int(Aspect) << QSize(400, 300) << preview << Rect{124, 170, 495, 448};
    QTest::newRow("aspect, tall picture")
        << int(Aspect) << QSize(300, 600) << preview << Rect{174, 39, 444, 580};
    QTest::newRow("aspect, same shape") << int(Aspect) << QSize(371, 541) << preview << preview;
    QTest::newRow("aspect, no picture") << int(Aspect) << QSize(0, 0) << preview << Rect{};
    QTest::newRow("centred, width-fit on a tall area")
        << int(Centred) << QSize(400, 300) << preview << Rect{124, 170, 495, 448};
    QTest::newRow("centred, height-fit on a wide area")
        << int(Centred) << QSize(300, 400) << Rect{0, 0, 1000, 500} << Rect{313, 0, 688, 500};
    QTest::newRow("centred, too wide for a wide area")
        << int(Centred) << QSize(2000, 500) << Rect{0, 0, 500, 400} << Rect{-550, 0, 1050, 400};
    QTest::newRow("short side, look on the page")
        << int(ShortSide) << QSize(640, 480) << page << Rect{236, 1825, 4723, 5190};
    QTest::newRow("short side of a wide area")
        << int(ShortSide) << QSize(400, 300) << Rect{0, 0, 1000, 500} << Rect{167, 0, 833, 500};
    QTest::newRow("full width, tall picture past the page")
        << int(FullWidth) << QSize(9, 16) << page << Rect{236, -481, 4723, 7495};
}

void PrintLayoutTest::fittingRules() {
    QFETCH(int, fit);
    QFETCH(QSize, picture);
    QFETCH(Rect, area);
    QFETCH(Rect, expected);
    const int w = picture.width();
    const int h = picture.height();
    const Rect got = fit == Aspect      ? FitAspect(w, h, area)
                     : fit == Centred   ? FitCentred(w, h, area)
                     : fit == ShortSide ? FitShortSide(w, h, area)
                                        : FitFullWidth(w, h, area);
    QCOMPARE(got, expected);
}

void PrintLayoutTest::placementKeepsThePictureWhole_data() {
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("look"); // empty: no look
    QTest::addColumn<int>("frameMode");
    QTest::addColumn<int>("rotation");
    QTest::addColumn<Rect>("printable");
    QTest::addColumn<Rect>("expected");
    const Rect preview{124, 39, 495, 580};
    const Rect page{236, 236, 4723, 6779};
    QTest::newRow("plain picture on the preview")
        << QSize(400, 300) << QSize() << -1 << 360 << preview << Rect{124, 170, 495, 448};
    QTest::newRow("unframed look takes the picture's place")
        << QSize(400, 300) << QSize(440, 300) << -1 << 360 << preview << Rect{124, 170, 495, 448};
    QTest::newRow("framed look measured by itself")
        << QSize(400, 300) << QSize(300, 300) << 0 << 360 << preview << Rect{124, 124, 495, 495};
    QTest::newRow("overlay-framed turned look spans the page's width")
        << QSize(640, 480) << QSize(640, 480) << 0 << 90 << page << Rect{236, 1825, 4723, 5190};
    // Spanning the short side would put 7976 rows on a 6543-row printable area.
    QTest::newRow("turned 16:9 picture framed, fitted whole")
        << QSize(563, 1000) << QSize() << 1 << 90 << page << Rect{638, 236, 4321, 6779};
    QTest::newRow("turned 16:9 look overlay-framed, fitted whole")
        << QSize(563, 1000) << QSize(563, 1000) << 0 << 270 << page << Rect{638, 236, 4321, 6779};
    QTest::newRow("no picture") << QSize() << QSize() << -1 << 360 << page << Rect{};
}

void PrintLayoutTest::placementKeepsThePictureWhole() {
    QFETCH(QSize, picture);
    QFETCH(QSize, look);
    QFETCH(int, frameMode);
    QFETCH(int, rotation);
    QFETCH(Rect, printable);
    QFETCH(Rect, expected);
    PrintShared shared;
    if (!picture.isEmpty())
        shared.printPicture = solid(picture.width(), picture.height(), Qt::gray);
    if (!look.isEmpty())
        shared.printLook = solid(look.width(), look.height(), Qt::darkGray);
    shared.printFrameMode = frameMode;
    shared.printRotation = rotation;
    const Rect placed = PlacePrintPicture(shared, printable);
    QCOMPARE(placed, expected);
    if (!placed.isEmpty())
        QVERIFY(placed.left >= printable.left && placed.top >= printable.top &&
                placed.right <= printable.right && placed.bottom <= printable.bottom);
}

void PrintLayoutTest::framedAndMirrored_data() {
    QTest::addColumn<int>("frameMode");
    QTest::addColumn<bool>("flipHorizontal");
    QTest::addColumn<bool>("flipVertical");
    for (int mode : {-1, 0, 1}) {
        const QByteArray name = mode == 1 ? "nine-slice" : mode == 0 ? "overlay" : "no frame";
        QTest::newRow(name + ", plain") << mode << false << false;
        QTest::newRow(name + ", left to right") << mode << true << false;
        QTest::newRow(name + ", top to bottom") << mode << false << true;
        QTest::newRow(name + ", both") << mode << true << true;
    }
}

// A 300 x 200 picture drawn at its size: the mirrors turn the picture, never the frame. The
// nine-slice pieces of 80 at full size are b = 20, c = 50 on a picture four times smaller: 5.2
// tiles across and 3.2 down become six and four on a 340 x 240 canvas, squeezed back into 300 x 200.
void PrintLayoutTest::framedAndMirrored() {
    QFETCH(int, frameMode);
    QFETCH(bool, flipHorizontal);
    QFETCH(bool, flipVertical);
    const QColor frameColour(250, 120, 0);
    QImage overlay(300, 200, QImage::Format_ARGB32);
    overlay.fill(Qt::transparent);
    QPainter(&overlay).fillRect(0, 0, 15, 15, frameColour);
    PrintShared shared;
    shared.printPicture = quadrants(300, 200);
    shared.printFrameMode = frameMode;
    shared.printFlipHorizontal = flipHorizontal;
    shared.printFlipVertical = flipVertical;
    shared.printFramePieces.fill(solid(80, 80, frameColour));
    shared.printFramePieces[4] = solid(200, 80, frameColour);
    shared.printPieceScale = 4.0;
    const PrintContent content = PrintContent::of(shared, overlay);
    QCOMPARE(content.cornerSize, 20);
    QCOMPARE(content.edgeLength, 50);
    const NineSliceTiles tiles = nineSliceTiles(QSize(300, 200), 20, 50, 20);
    QCOMPARE(tiles.canvas, QSize(340, 240));
    QCOMPARE(tiles.lastTileAcross + 1, 6);
    QCOMPARE(tiles.lastTileDown + 1, 4);

    QImage page(300, 200, QImage::Format_ARGB32);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        drawPrintPicture(painter, content, Rect{0, 0, 300, 200});
    }
    QCOMPARE(near(page.pixel(5, 5), frameColour), frameMode != FrameNone);
    const QPoint probes[4] = {{75, 50}, {225, 50}, {75, 150}, {225, 150}};
    for (int quadrant = 0; quadrant < 4; ++quadrant) {
        const int shown = quadrant ^ (flipHorizontal ? 1 : 0) ^ (flipVertical ? 2 : 0);
        QVERIFY2(near(page.pixel(probes[quadrant]), kQuadrants[shown]),
                 qPrintable(QString::number(quadrant)));
    }
}

QTEST_MAIN(PrintLayoutTest)
#include "tst_print_layout.moc"
