// Where the paper, its margins and the picture go on the preview and on the page, and how the
// picture is drawn there: framed, mirrored, with its overlay.
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

// Corners solid; each edge tile dark with a white first column (top and bottom) or first row
// (sides), so the tiles laid can be counted.
std::array<QImage, 8> markedPieces(int corner, int edge) {
    std::array<QImage, 8> pieces;
    for (int i = 0; i < 4; ++i)
        pieces[i] = solid(corner, corner, QColor(250, 120, 0));
    for (int i = 4; i < 8; ++i) {
        const bool across = i == 4 || i == 6;
        QImage tile = solid(across ? edge : corner, across ? corner : edge, QColor(20, 20, 20));
        QPainter painter(&tile);
        painter.fillRect(across ? QRect(0, 0, 1, corner) : QRect(0, 0, corner, 1), Qt::white);
        pieces[i] = tile;
    }
    return pieces;
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
    void framedCanvasGrowsToWholeTiles();
    void mirrorsTurnThePictureButNotTheFrame_data();
    void mirrorsTurnThePictureButNotTheFrame();
    void previewPainting_data();
    void previewPainting();
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

// b = 20, c = 50 on 300 x 200: 5.2 tiles across and 3.2 down become six and four on a 340 x 240
// canvas, drawn here at its own size.
void PrintLayoutTest::framedCanvasGrowsToWholeTiles() {
    const NineSliceTiles tiles = nineSliceTiles(QSize(300, 200), 20, 50, 20);
    QCOMPARE(tiles.canvas, QSize(340, 240));
    QCOMPARE(tiles.lastTileAcross + 1, 6);
    QCOMPARE(tiles.lastTileDown + 1, 4);

    PrintContent content;
    content.shared.printFramePieces = markedPieces(20, 50);
    content.cornerSize = 20;
    content.edgeLength = 50;
    QImage page(400, 300, QImage::Format_ARGB32);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        DrawFramed(painter, solid(300, 200, Qt::gray), Rect{30, 30, 370, 270}, content);
    }
    const auto countMarks = [&](bool across, int line) {
        int marks = 0;
        const int length = across ? 340 : 240;
        for (int i = 0; i < length; ++i) {
            const QRgb pixel = across ? page.pixel(30 + i, line) : page.pixel(line, 30 + i);
            marks += near(pixel, Qt::white, 40) ? 1 : 0;
        }
        return marks;
    };
    QCOMPARE(countMarks(true, 40), 6);   // top edge
    QCOMPARE(countMarks(true, 259), 6);  // bottom edge
    QCOMPARE(countMarks(false, 40), 4);  // left edge
    QCOMPARE(countMarks(false, 359), 4); // right edge
    QVERIFY(near(page.pixel(31, 31), QColor(250, 120, 0)));
    QVERIFY(near(page.pixel(368, 268), QColor(250, 120, 0)));
    QVERIFY(near(page.pixel(200, 150), Qt::gray));
    QVERIFY(near(page.pixel(29, 29), Qt::white));
    QVERIFY(near(page.pixel(370, 270), Qt::white));
}

void PrintLayoutTest::mirrorsTurnThePictureButNotTheFrame_data() {
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

void PrintLayoutTest::mirrorsTurnThePictureButNotTheFrame() {
    QFETCH(int, frameMode);
    QFETCH(bool, flipHorizontal);
    QFETCH(bool, flipVertical);
    const QColor frameColour(250, 120, 0);
    // An overlay with a 10-pixel border and a clear middle.
    QImage overlay(400, 300, QImage::Format_ARGB32);
    overlay.fill(Qt::transparent);
    {
        QPainter painter(&overlay);
        painter.fillRect(0, 0, 400, 10, frameColour);
        painter.fillRect(0, 0, 10, 300, frameColour);
    }
    PrintShared shared;
    shared.printPicture = quadrants(400, 300);
    shared.printLook = shared.printPicture;
    shared.printFrameMode = frameMode;
    shared.printFlipHorizontal = flipHorizontal;
    shared.printFlipVertical = flipVertical;
    std::array<QImage, 8> pieces;
    pieces.fill(solid(40, 40, frameColour));
    shared.printFramePieces = pieces;
    shared.printPieceScale = 4.0; // pieces of 40 at full size: 10 on the screen raster
    const PrintContent content = PrintContent::of(shared, overlay);
    QCOMPARE(content.cornerSize, 10);
    QCOMPARE(content.edgeLength, 10);

    QImage page(400, 300, QImage::Format_ARGB32);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        drawPrintPicture(painter, content, Rect{0, 0, 400, 300});
    }
    // The top-left corner belongs to the frame whatever the mirroring.
    QCOMPARE(near(page.pixel(3, 3), frameColour), frameMode != -1);
    const QPoint probes[4] = {{100, 75}, {300, 75}, {100, 225}, {300, 225}};
    for (int quadrant = 0; quadrant < 4; ++quadrant) {
        int shown = quadrant;
        if (flipHorizontal)
            shown ^= 1;
        if (flipVertical)
            shown ^= 2;
        QVERIFY2(near(page.pixel(probes[quadrant]), kQuadrants[shown]),
                 qPrintable(QString::number(quadrant)));
    }
}

void PrintLayoutTest::previewPainting_data() {
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<int>("frameMode");
    QTest::addColumn<Rect>("picture");
    QTest::newRow("portrait paper, no frame") << false << -1 << Rect{124, 170, 495, 448};
    QTest::newRow("portrait paper, overlay frame") << false << 0 << Rect{124, 170, 495, 448};
    QTest::newRow("landscape paper, overlay frame") << true << 0 << Rect{62, 124, 556, 495};
}

// The preview of a 400 x 300 picture: grey ground in a black frame, the paper outlined, the
// picture at its place and the printable rectangle dashed in red over it.
void PrintLayoutTest::previewPainting() {
    QFETCH(bool, landscape);
    QFETCH(int, frameMode);
    QFETCH(Rect, picture);
    const QColor pictureColour(30, 90, 160);
    const QColor frameColour(250, 120, 0);
    QImage overlay(400, 300, QImage::Format_ARGB32);
    overlay.fill(Qt::transparent);
    QPainter(&overlay).fillRect(0, 0, 400, 20, frameColour);
    PrintShared shared;
    shared.printPicture = solid(400, 300, pictureColour);
    shared.printFrameMode = frameMode;
    QImage dialog(726, 622, QImage::Format_ARGB32);
    dialog.fill(Qt::blue);
    PrintPreview preview;
    {
        QPainter painter(&dialog);
        preview = paintPrintPreview(painter, a4(landscape), PrintContent::of(shared, overlay));
    }
    QCOMPARE(preview.picture, picture);
    const QColor ground(220, 220, 220);
    QVERIFY(near(dialog.pixel(5, 300), Qt::black, 0));
    QVERIFY(near(dialog.pixel(614, 300), Qt::black, 0));
    QVERIFY(near(dialog.pixel(8, 8), ground, 0));
    QVERIFY(near(dialog.pixel(620, 300), Qt::blue, 0)); // outside the preview: the dialog's own
    const Rect& paper = preview.paper;
    QVERIFY(near(dialog.pixel(paper.left - 1, (paper.top + paper.bottom) / 2), Qt::black, 0));
    QVERIFY(near(dialog.pixel(paper.right, (paper.top + paper.bottom) / 2), Qt::black, 0));
    QVERIFY(near(dialog.pixel(paper.left + 2, paper.top + 2), ground, 0));
    // The red outline is dashed: some of its top row is red, some is not.
    const Rect& printable = preview.printable;
    int red = 0;
    for (int x = printable.left; x <= printable.right; ++x)
        red += near(dialog.pixel(x, printable.top), Qt::red, 0) ? 1 : 0;
    QVERIFY(red > printable.width() / 3);
    QVERIFY(red < printable.width());
    QVERIFY(near(dialog.pixel((picture.left + picture.right) / 2, (picture.top + picture.bottom) / 2),
                 pictureColour));
    QVERIFY(near(dialog.pixel((picture.left + picture.right) / 2, picture.top + 1),
                 frameMode == 0 ? frameColour : pictureColour));
    QVERIFY(near(dialog.pixel((picture.left + picture.right) / 2, picture.top - 2), ground, 0));
    QVERIFY(near(dialog.pixel((picture.left + picture.right) / 2, picture.bottom + 1), ground, 0));
}

QTEST_MAIN(PrintLayoutTest)
#include "tst_print_layout.moc"
