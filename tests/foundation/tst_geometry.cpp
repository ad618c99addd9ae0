#include "EditState.h"
#include "FitRules.h"
#include "PrintShared.h"
#include "QuarterTurn.h"
#include "RasterIO.h"
#include "TestSupport.h"
#include "WorkFiles.h"

#include <QPainter>
#include <QtTest>

Q_DECLARE_METATYPE(Rect)

class GeometryTest : public QObject {
    Q_OBJECT
private slots:
    void fitRules_data();
    void fitRules();
    void quarterTurnIsExact_data();
    void quarterTurnIsExact();
    void rotatedCopiesHaveTurnedSizes();
    void drawMirrored_data();
    void drawMirrored();
};

void GeometryTest::fitRules_data() {
    QTest::addColumn<int>("rule");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<Rect>("expected");
    QTest::newRow("view 700x500 fills") << 0 << 700 << 500 << Rect{10, 60, 710, 560};
    QTest::newRow("view 1400x1000 fills") << 0 << 1400 << 1000 << Rect{10, 60, 710, 560};
    QTest::newRow("view 1000x500") << 0 << 1000 << 500 << Rect{10, 135, 710, 485};
    QTest::newRow("view 2000x1000") << 0 << 2000 << 1000 << Rect{10, 135, 710, 485};
    QTest::newRow("view 500x1000") << 0 << 500 << 1000 << Rect{235, 60, 485, 560};
    QTest::newRow("view empty") << 0 << 0 << 0 << Rect{10, 60, 10, 60};
    QTest::newRow("left 1000x500") << 1 << 1000 << 500 << Rect{10, 227, 340, 392};
    QTest::newRow("left 330x500 fills") << 1 << 330 << 500 << Rect{10, 60, 340, 560};
    QTest::newRow("left empty") << 1 << 0 << 0 << Rect{};
    QTest::newRow("right 500x1000") << 2 << 500 << 1000 << Rect{420, 60, 670, 560};
    QTest::newRow("right empty") << 2 << 0 << 0 << Rect{};
}

void GeometryTest::fitRules() {
    QFETCH(int, rule);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(Rect, expected);
    const Rect got = rule == 0 ? FitToView(width, height)
                     : rule == 1 ? FitToCompareLeft(width, height)
                                 : FitToCompareRight(width, height);
    QCOMPARE(got, expected);
}

void GeometryTest::quarterTurnIsExact_data() {
    QTest::addColumn<int>("angle");
    for (int angle : {0, 90, 180, 270, 360})
        QTest::newRow(qPrintable(QString::number(angle))) << angle;
}

// Every pixel of an asymmetric 6 x 4 picture must land where a clockwise turn puts it.
void GeometryTest::quarterTurnIsExact() {
    QFETCH(int, angle);
    QImage source(6, 4, QImage::Format_ARGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            source.setPixel(x, y, qRgba(x * 40, y * 60, 7 * x + y, 255));
    const QImage turned = turnPicture(source, angle);
    const bool quarter = (angle / 90) % 2 == 1;
    QCOMPARE(turned.size(), quarter ? QSize(4, 6) : QSize(6, 4));
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            QPoint to;
            switch ((angle / 90) % 4) {
            case 1: to = {3 - y, x}; break;
            case 2: to = {5 - x, 3 - y}; break;
            case 3: to = {y, 5 - x}; break;
            default: to = {x, y}; break;
            }
            QCOMPARE(turned.pixel(to), source.pixel(x, y));
        }
    }
}

void GeometryTest::rotatedCopiesHaveTurnedSizes() {
    TestSupport::freshWorkFolder();
    EditState state;
    state.rotationAngle = 90;
    makeRotatedCopies(state, TestSupport::makePicture(640, 480));
    QCOMPARE(state.rotationAngle, 360);
    QCOMPARE(RasterIO::pictureSize(WorkFiles::rotatedCopyPath(0)), QSize(640, 480));
    QCOMPARE(RasterIO::pictureSize(WorkFiles::rotatedCopyPath(180)), QSize(640, 480));
    QCOMPARE(RasterIO::pictureSize(WorkFiles::rotatedCopyPath(90)), QSize(480, 640));
    QCOMPARE(RasterIO::pictureSize(WorkFiles::rotatedCopyPath(270)), QSize(480, 640));
    // The 90-degree copy is the preview turned clockwise: its top-left comes from the
    // preview's bottom-left, which is dark red-free and fully green.
    const QImage turned = RasterIO::load(WorkFiles::rotatedCopyPath(90));
    QVERIFY(qGreen(turned.pixel(2, 2)) > 200);
    QVERIFY(qRed(turned.pixel(2, 2)) < 40);
}

void GeometryTest::drawMirrored_data() {
    QTest::addColumn<bool>("flipH");
    QTest::addColumn<bool>("flipV");
    QTest::newRow("plain") << false << false;
    QTest::newRow("horizontal") << true << false;
    QTest::newRow("vertical") << false << true;
    QTest::newRow("both") << true << true;
}

// A 4 x 2 raster drawn into (10, 10, 18, 14) covers exactly that 8 x 4 rectangle, mirrored.
void GeometryTest::drawMirrored() {
    QFETCH(bool, flipH);
    QFETCH(bool, flipV);
    QImage source(4, 2, QImage::Format_ARGB32);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            source.setPixel(x, y, qRgb(60 * x + 10, 200 * y + 20, 90));
    QImage canvas(30, 30, QImage::Format_ARGB32);
    canvas.fill(Qt::transparent);
    {
        QPainter painter(&canvas);
        DrawMirrored(painter, source, Rect{10, 10, 18, 14}, flipH, flipV);
    }
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 30; ++x) {
            const bool inside = x >= 10 && x < 18 && y >= 10 && y < 14;
            QCOMPARE(qAlpha(canvas.pixel(x, y)), inside ? 255 : 0);
            if (!inside)
                continue;
            int sx = (x - 10) / 2;
            int sy = (y - 10) / 2;
            if (flipH)
                sx = 3 - sx;
            if (flipV)
                sy = 1 - sy;
            QCOMPARE(canvas.pixel(x, y), source.pixel(sx, sy));
        }
    }
}

QTEST_GUILESS_MAIN(GeometryTest)
#include "tst_geometry.moc"
