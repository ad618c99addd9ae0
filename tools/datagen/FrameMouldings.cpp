#include "FrameDesigns.h"
#include "FrameMoulding.h"

#include <QPainter>
#include <QRadialGradient>

#include <cmath>

using namespace FrameKit;

namespace FrameDesigns {

namespace {

QImage woodFrame(QColor dark, QColor light, uint32_t seed, double ringWidth, int depth, double gloss) {
    Moulding m;
    m.depth = depth;
    m.height = [depth](double, double d) { return classicProfile(d, depth); };
    m.surface = [=](double x, double d) { return woodColour(x, d, dark, light, seed, ringWidth); };
    m.gloss = gloss;
    return assembleMitred(mouldingStrip(m));
}

QImage gildedFrame() {
    Moulding m;
    m.depth = 210;
    m.height = [](double x, double d) {
        double h = classicProfile(d, 210);
        // A row of pearls on the slope, centred on the template's middle so every corner cuts
        // the row alike.
        if (d > 48 && d < 76) {
            const double dx = std::fmod(x - 450 + 15 + 30 * 40, 30.0) - 15;
            const double r2 = 13.0 * 13.0 - dx * dx - (d - 62) * (d - 62);
            if (r2 > 0)
                h += std::sqrt(r2);
        }
        // Leafy relief on the flat: tileable noise carved into the surface.
        if (d > 90 && d < 140)
            h += 6 * fbm(x / kEdgeLength * 14, d / 9.0, 14, 2, 33) * std::sin((d - 90) / 50 * 3.14159);
        return h;
    };
    m.surface = [](double x, double d) { return goldColour(x, d, 21); };
    m.gloss = 0.9;
    m.relief = 1.2;
    QImage frame = assembleMitred(mouldingStrip(m));
    decorateCorners(frame, [](QPainter& p, const SideLight&) {
        // A rosette boss over each mitre.
        QRadialGradient g(QPointF(92, 92), 46, QPointF(80, 80));
        g.setColorAt(0, QColor(255, 238, 170));
        g.setColorAt(0.5, QColor(214, 166, 70));
        g.setColorAt(1, QColor(120, 80, 20));
        p.setPen(QPen(QColor(100, 66, 16), 2));
        p.setBrush(g);
        for (int i = 0; i < 8; ++i) {
            p.save();
            p.translate(105, 105);
            p.rotate(i * 45);
            p.drawEllipse(QRectF(-14, -58, 28, 46));
            p.restore();
        }
        p.drawEllipse(QPointF(105, 105), 26, 26);
    });
    return frame;
}

// Brushed metal: fine streaks along the side, bevelled edges, a bright polish.
QImage metalFrame(QColor base, QColor streak, uint32_t seed, int depth) {
    Moulding m;
    m.depth = depth;
    m.height = [depth](double, double d) {
        const double k = depth / 160.0;
        return ramp(d, 0, 18 * k, 14 * k) - ramp(d, 120 * k, 160 * k, 10 * k) +
               roundBead(d, 70 * k, 40 * k) * 0.25;
    };
    m.surface = [=](double x, double d) { return brushedColour(x, d, base, streak, seed); };
    m.gloss = 1.0;
    m.relief = 1.4;
    return assembleMitred(mouldingStrip(m));
}

} // namespace

QList<RegularFrame> mouldingFrames() {
    return {
        {QStringLiteral("Walnut"),
         [] { return woodFrame(QColor(62, 36, 20), QColor(128, 82, 48), 11, 7.0, 200, 0.25); }},
        {QStringLiteral("Gilded"), gildedFrame},
        {QStringLiteral("Silver"),
         [] { return metalFrame(QColor(160, 164, 170), QColor(214, 218, 224), 5, 160); }},
        {QStringLiteral("Oak"),
         [] { return woodFrame(QColor(150, 108, 60), QColor(214, 176, 122), 17, 11.0, 180, 0.15); }},
    };
}

} // namespace FrameDesigns
