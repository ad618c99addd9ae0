#include "FrameKit.h"

#include <QPainter>
#include <QtTest>

#include <cmath>

using namespace FrameKit;

namespace {

// A strip whose pixels say where they are: red = along / 4, green = depth, blue = side marker.
StripPainter codedStrip(QList<SideLight>* lights = nullptr) {
    return [lights](QImage& strip, const SideLight& light) {
        if (lights)
            lights->append(light);
        fillPixels(strip, [](int x, int d) -> Rgba { return {double(x / 4), double(d), 200, 1}; });
    };
}

} // namespace

class FrameKitTest : public QObject {
    Q_OBJECT

  private slots:
    // Frame strips repeat every edge tile only if their noise does.
    void noiseRepeatsWithItsPeriod_data() {
        QTest::addColumn<int>("period");
        QTest::addColumn<int>("octaves");
        QTest::newRow("one octave, 3 cells") << 3 << 1;
        QTest::newRow("four octaves, 14 cells") << 14 << 4;
        QTest::newRow("two octaves, 140 cells") << 140 << 2;
    }
    void noiseRepeatsWithItsPeriod() {
        QFETCH(int, period);
        QFETCH(int, octaves);
        Rng rng(7);
        for (int i = 0; i < 200; ++i) {
            const double x = rng.range(-50, 50), y = rng.range(-50, 50);
            const double here = fbm(x, y, period, octaves, 99);
            QVERIFY(here >= 0 && here <= 1);
            QCOMPARE(fbm(x + period, y, period, octaves, 99), here);
            QCOMPARE(fbm(x - 2 * period, y, period, octaves, 99), here);
        }
        // Without a period the noise does not repeat there.
        QVERIFY(noise(0.5, 0.5, 0, 99) != noise(0.5 + period, 0.5, 0, 99));
    }

    void randomSourceIsReproducible() {
        Rng a(42), b(42), c(43);
        bool differs = false;
        for (int i = 0; i < 100; ++i) {
            const double u = a.uniform();
            QCOMPARE(b.uniform(), u);
            QVERIFY(u >= 0 && u < 1);
            differs = differs || c.uniform() != u;
        }
        QVERIFY(differs);
    }

    // Each side is the strip turned by quarter turns: its outer edge on the template's edge, the
    // strip's length running clockwise around the frame, the middle left clear.
    void sidesAreTheStripTurnedAroundTheFrame() {
        const QImage frame = assembleMitred(codedStrip()).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(frame.size(), QSize(kTemplateSize, kTemplateSize));
        const int last = kTemplateSize - 1;
        struct Probe {
            const char* side;
            QPoint at;
            int along, depth;
        };
        const Probe probes[] = {
            {"top", QPoint(500, 10), 500, 10},
            {"right", QPoint(last - 10, 500), 500, 10},
            {"bottom", QPoint(500, last - 10), last - 500, 10},
            {"left", QPoint(10, 500), last - 500, 10},
            {"top, deep", QPoint(300, 200), 300, 200},
        };
        for (const Probe& probe : probes) {
            const QRgb pixel = frame.pixel(probe.at);
            QVERIFY2(qRed(pixel) == probe.along / 4 && qGreen(pixel) == probe.depth && qAlpha(pixel) == 255,
                     probe.side);
        }
        for (const QPoint& middle : {QPoint(kCornerSize, kCornerSize), QPoint(450, 450), QPoint(659, 659)})
            QCOMPARE(qAlpha(frame.pixel(middle)), 0);
    }

    // The corners are mitred: each half of a corner square belongs to the side it touches.
    void cornersAreMitred() {
        const QImage frame = assembleMitred(codedStrip()).convertToFormat(QImage::Format_ARGB32);
        // Just above the top-left diagonal: the top strip (depth = y); just below: the left one (depth = x).
        QCOMPARE(qGreen(frame.pixel(100, 60)), 60);
        QCOMPARE(qGreen(frame.pixel(60, 100)), 60);
        QCOMPARE(qRed(frame.pixel(100, 60)), 100 / 4);
        QCOMPARE(qRed(frame.pixel(60, 100)), (kTemplateSize - 1 - 100) / 4);
        // The seam along the mitre is opaque: no half-covered pixels between two opaque sides.
        for (int i = 0; i < kCornerSize; ++i)
            QCOMPARE(qAlpha(frame.pixel(i, i)), 255);
    }

    // The room light falls from the top left: the top side sees it from its outer edge, the
    // bottom side from the picture's side.
    void sidesAreLitFromTheTopLeft() {
        QList<SideLight> lights;
        assembleMitred(codedStrip(&lights));
        QCOMPARE(lights.size(), 4);
        QVERIFY(lightFor(Side::Top).across < 0 && lightFor(Side::Left).across < 0);
        QVERIFY(lightFor(Side::Bottom).across > 0 && lightFor(Side::Right).across > 0);
        // A slope rising inward faces the outer edge: bright at the top, dark at the bottom.
        QVERIFY(shade(1.0, 0, lightFor(Side::Top)) > 1.0);
        QVERIFY(shade(1.0, 0, lightFor(Side::Bottom)) < 1.0);
        QCOMPARE(shade(0, 0, lightFor(Side::Right)), 1.0);
    }

    // Corner ornaments are drawn once and land in all four corners, turned with them.
    void cornerOrnamentsAreTurnedIntoEveryCorner() {
        QImage frame(kTemplateSize, kTemplateSize, QImage::Format_ARGB32_Premultiplied);
        frame.fill(Qt::transparent);
        decorateCorners(frame,
                        [](QPainter& p, const SideLight&) { p.fillRect(QRect(20, 60, 10, 10), Qt::red); });
        const int last = kTemplateSize - 1;
        for (const QPoint& at :
             {QPoint(25, 65), QPoint(last - 65, 25), QPoint(last - 25, last - 65), QPoint(65, last - 25)})
            QVERIFY2(frame.pixel(at) == qRgb(255, 0, 0),
                     qPrintable(QStringLiteral("%1,%2").arg(at.x()).arg(at.y())));
        QCOMPARE(qAlpha(frame.pixel(65, 25)), 0); // not mirrored
    }

    void repeatedMotifsCoverTheWholeStrip() {
        QImage strip(kTemplateSize, 20, QImage::Format_ARGB32_Premultiplied);
        strip.fill(Qt::transparent);
        QPainter p(&strip);
        repeatAlong(p, 60, 30, [](QPainter& q) { q.fillRect(QRect(-5, 0, 10, 20), Qt::black); });
        p.end();
        for (int x = 0; x < kTemplateSize; ++x) {
            const bool expected = ((x - 25) % 60 + 60) % 60 < 10; // [30 + 60k - 5, 30 + 60k + 5)
            QVERIFY2((qAlpha(strip.pixel(x, 10)) == 255) == expected, qPrintable(QString::number(x)));
        }
    }

    void bandThrowsAShadowOnlyBeyondItself() {
        QImage strip(kTemplateSize, kCornerSize, QImage::Format_ARGB32_Premultiplied);
        strip.fill(Qt::transparent);
        innerShadow(strip, 100, 20, 0.5);
        QCOMPARE(qAlpha(strip.pixel(10, 99)), 0);
        QVERIFY(qAlpha(strip.pixel(10, 100)) > qAlpha(strip.pixel(10, 110)));
        QVERIFY(qAlpha(strip.pixel(10, 110)) > 0);
        QCOMPARE(qAlpha(strip.pixel(10, 120)), 0);
        QCOMPARE(qRed(strip.pixel(10, 100)), 0); // black
    }
};

QTEST_GUILESS_MAIN(FrameKitTest)
#include "tst_framekit.moc"
