#include "MagickSession.h"
#include "NineSliceFrame.h"
#include "PrintShared.h"
#include "PrintStatePublish.h"
#include "RasterIO.h"
#include "TestSupport.h"

#include <QFile>
#include <QPainter>
#include <QtTest>

#include <memory>

namespace {

// Pieces in the order of EditState::framePieces, each a solid colour of its own.
const QColor kPieceColours[8] = {Qt::red,  Qt::green,   Qt::blue,     Qt::yellow,
                                 Qt::cyan, Qt::magenta, Qt::darkBlue, Qt::darkGreen};

std::array<QImage, 8> solidPieces() {
    std::array<QImage, 8> pieces;
    for (int i = 0; i < 8; ++i) {
        pieces[i] = QImage(16, 16, QImage::Format_ARGB32);
        pieces[i].fill(kPieceColours[i]);
    }
    return pieces;
}

// Left half black, right half white: shows which way a picture was mirrored.
QImage halves(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter(&image).fillRect(0, 0, width / 2, height, Qt::black);
    return image;
}

bool sameColour(QRgb a, const QColor& b) {
    return std::abs(qRed(a) - b.red()) <= 2 && std::abs(qGreen(a) - b.green()) <= 2 &&
           std::abs(qBlue(a) - b.blue()) <= 2;
}

} // namespace

class NineSliceTest : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void layout_data();
    void layout();
    void piecesGoAroundThePicture_data();
    void piecesGoAroundThePicture();
    void mirroringFollowsTheView_data();
    void mirroringFollowsTheView();
    void screenDrawsIntoDestination();
    void divisorFollowsTheTurn_data();
    void divisorFollowsTheTurn();

  private:
    MagickSession m_magick;
    QString m_work;
    std::unique_ptr<EditState> m_state;
};

void NineSliceTest::init() {
    m_work = TestSupport::freshWorkFolder();
    PrintShared::instance().reset();
    m_state = std::make_unique<EditState>();
    m_state->framePieces = solidPieces();
    m_state->frameSliceSizes = {180, 315, 180, 180, 180, 180, 315, 180};
    m_state->sourceWidth = 4000;
}

void NineSliceTest::layout_data() {
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<int>("fullWidth");
    QTest::addColumn<int>("corner");
    QTest::addColumn<int>("edge");
    QTest::addColumn<double>("divisor");
    QTest::addColumn<bool>("framed");
    QTest::addColumn<QSize>("canvas");
    QTest::newRow("preview of a 4000-wide picture")
        << QSize(1000, 750) << 4000 << 180 << 315 << 4.0 << true << QSize(1026, 792);
    // 1000 - 2 x 100 is four tiles of 200 exactly; 750 - 200 is not.
    // Not a whole quotient: pieces divided by 2.6, not by 2.
    QTest::newRow("real ratio") << QSize(1000, 750) << 2600 << 180 << 315 << 2.6 << true << QSize(1106, 864);
    QTest::newRow("tiles fit across")
        << QSize(1000, 750) << 1000 << 100 << 200 << 1.0 << true << QSize(1000, 800);
    QTest::newRow("picture narrower than two corners")
        << QSize(100, 100) << 100 << 60 << 50 << 1.0 << true << QSize(100, 100);
    // Wider than the full-size picture: the real ratio 0.6 instead of a zero quotient.
    QTest::newRow("quotient zero") << QSize(1000, 750) << 600 << 180 << 315 << 0.6 << true
                                   << QSize(1125, 1125);
    QTest::newRow("edge under a pixel")
        << QSize(1000, 750) << 4000 << 3 << 3 << 4.0 << false << QSize(1000, 750);
    QTest::newRow("no full-size width")
        << QSize(1000, 750) << 0 << 180 << 315 << 0.0 << false << QSize(1000, 750);
}

void NineSliceTest::layout() {
    QFETCH(QSize, picture);
    QFETCH(int, fullWidth);
    QFETCH(int, corner);
    QFETCH(int, edge);
    QFETCH(double, divisor);
    QFETCH(bool, framed);
    QFETCH(QSize, canvas);
    const std::array<int, 8> sizes{corner, edge, corner, corner, corner, corner, edge, corner};
    const NineSliceLayout layout = nineSliceLayout(picture, sizes, fullWidth);
    QCOMPARE(layout.divisor, divisor);
    QCOMPARE(layout.framed, framed);
    QCOMPARE(layout.canvas, canvas);
    const QImage composed = composeNineSliceFrame(QImage(picture, QImage::Format_ARGB32), solidPieces(),
                                                  sizes, fullWidth, false, false);
    QCOMPARE(composed.size(), canvas);
}

void NineSliceTest::piecesGoAroundThePicture_data() {
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<int>("sourceWidth");
    QTest::newRow("canvas grows") << QSize(1000, 750) << 4000;
    QTest::newRow("tiles fit exactly") << QSize(360 + 4 * 630, 360 + 2 * 630) << 2880;
}

void NineSliceTest::piecesGoAroundThePicture() {
    QFETCH(QSize, picture);
    QFETCH(int, sourceWidth);
    QImage grey(picture, QImage::Format_ARGB32);
    grey.fill(Qt::gray);
    const QImage canvas =
        composeNineSliceFrame(grey, solidPieces(), m_state->frameSliceSizes, sourceWidth, false, false);
    const int w = canvas.width();
    const int h = canvas.height();
    const struct {
        QPoint at;
        int piece; // -1: the picture
    } probes[] = {{{0, 0}, 0},         {{w - 1, 0}, 1}, {{w - 1, h - 1}, 2},
                  {{0, h - 1}, 3},     {{w / 2, 2}, 4}, {{w - 3, h / 2}, 5},
                  {{w / 2, h - 3}, 6}, {{2, h / 2}, 7}, {{w / 2, h / 2}, -1}};
    for (const auto& probe : probes) {
        const QColor expected = probe.piece < 0 ? QColor(Qt::gray) : kPieceColours[probe.piece];
        QVERIFY2(sameColour(canvas.pixel(probe.at), expected),
                 qPrintable(QStringLiteral("at %1,%2").arg(probe.at.x()).arg(probe.at.y())));
    }
}

void NineSliceTest::mirroringFollowsTheView_data() {
    QTest::addColumn<bool>("flipHorizontal");
    QTest::addColumn<bool>("flipVertical");
    QTest::newRow("none") << false << false;
    QTest::newRow("left to right") << true << false;
    QTest::newRow("top to bottom") << false << true;
}

void NineSliceTest::mirroringFollowsTheView() {
    QFETCH(bool, flipHorizontal);
    QFETCH(bool, flipVertical);
    m_state->flipHorizontal = flipHorizontal;
    m_state->flipVertical = flipVertical;
    QImage saved(1026, 792, QImage::Format_ARGB32);
    saved.fill(Qt::red);
    QPainter painter(&saved);
    QVERIFY(drawNineSliceFrame(painter, Rect{0, 0, 1026, 792}, halves(1000, 750), *m_state));
    painter.end();
    // Mirrored once, exactly as the view shows it; the frame itself is not mirrored.
    const QColor left = flipHorizontal ? Qt::white : Qt::black;
    QVERIFY(sameColour(saved.pixel(200, 396), left));
    QVERIFY(sameColour(saved.pixel(826, 396), flipHorizontal ? Qt::black : Qt::white));
    QVERIFY(sameColour(saved.pixel(0, 0), kPieceColours[0]));
    QVERIFY(sameColour(saved.pixel(1025, 0), kPieceColours[1]));
}

void NineSliceTest::screenDrawsIntoDestination() {
    QImage picture(1000, 750, QImage::Format_ARGB32);
    picture.fill(Qt::gray);
    const Rect destination{100, 50, 100 + 513, 50 + 396};
    const auto paint = [&] {
        QImage surface(800, 700, QImage::Format_ARGB32);
        surface.fill(Qt::white);
        QPainter painter(&surface);
        return drawNineSliceFrame(painter, destination, picture, *m_state) ? surface : QImage();
    };
    const QImage first = paint();
    // Drawing never changes the stored sizes, so every paint gives the same frame.
    QCOMPARE(paint(), first);
    QCOMPARE(m_state->frameSliceSizes[0], 180);
    QVERIFY(sameColour(first.pixel(98, 48), Qt::white));
    QVERIFY(sameColour(first.pixel(102, 52), kPieceColours[0]));
    QVERIFY(sameColour(first.pixel(356, 248), Qt::gray));
    QVERIFY(sameColour(first.pixel(610, 443), kPieceColours[2]));
    QVERIFY(sameColour(first.pixel(615, 448), Qt::white));
}

void NineSliceTest::divisorFollowsTheTurn_data() {
    QTest::addColumn<int>("rotationAngle");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<double>("divisor");
    // A 4000 x 3000 picture under its 1000 x 750 preview, turned or not.
    QTest::newRow("unturned") << 360 << QSize(1000, 750) << 4.0;
    QTest::newRow("half turn") << 180 << QSize(1000, 750) << 4.0;
    QTest::newRow("quarter turn") << 270 << QSize(750, 1000) << 4.0;
    QTest::newRow("three quarters") << 90 << QSize(750, 1000) << 4.0;
}

// The view divides the pieces by the full-size picture turned as it is shown, and the print
// dialog is told the same divisor: a turned picture compared with the unturned width would get
// pieces a third too small.
void NineSliceTest::divisorFollowsTheTurn() {
    QFETCH(int, rotationAngle);
    QFETCH(QSize, picture);
    QFETCH(double, divisor);
    m_state->sourceHeight = 3000;
    m_state->rotationAngle = rotationAngle;
    QImage grey(picture, QImage::Format_ARGB32);
    grey.fill(Qt::gray);
    m_state->viewBitmap = grey;
    m_state->frameMode = FrameNineSlice;
    PrintShared print;
    publishPrintState(*m_state, print);
    QCOMPARE(print.printPieceScale, divisor);
    QCOMPARE(nineSliceLayout(picture, m_state->frameSliceSizes, shownFullWidth(*m_state)).divisor, divisor);
}

QTEST_MAIN(NineSliceTest)
#include "tst_nine_slice.moc"
