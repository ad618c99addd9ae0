#include "FrameDesigns.h"
#include "FrameMoulding.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <vector>

using namespace FrameKit;

namespace FrameDesigns {

namespace {

// Cream meander on terracotta between two rules.
QImage greekKey() {
    constexpr int depth = 140, period = 70;
    auto strip = [=](QImage& s, const SideLight&) {
        QPainter p(&s);
        p.setRenderHint(QPainter::Antialiasing);
        const QColor ground(168, 70, 40), ink(240, 226, 196);
        p.fillRect(QRect(0, 0, kTemplateSize, depth), ground);
        p.setPen(QPen(ink, 6, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        p.drawLine(QPointF(0, 16), QPointF(kTemplateSize, 16));
        p.drawLine(QPointF(0, depth - 16), QPointF(kTemplateSize, depth - 16));
        repeatAlong(p, period, std::fmod(kMiddle, double(period)), [](QPainter& q) {
            // One turn of the key, 70 wide, between y 32 and y 108.
            const double u = 70, top = 32, h = 76;
            QPainterPath key;
            key.moveTo(-u / 2, top + h);
            key.lineTo(-u / 2, top);
            key.lineTo(-u / 2 + u * 0.8, top);
            key.lineTo(-u / 2 + u * 0.8, top + h * 0.72);
            key.lineTo(-u / 2 + u * 0.3, top + h * 0.72);
            key.lineTo(-u / 2 + u * 0.3, top + h * 0.36);
            key.lineTo(-u / 2 + u * 0.55, top + h * 0.36);
            key.moveTo(-u / 2, top + h);
            key.lineTo(u / 2, top + h);
            q.drawPath(key);
        });
        p.end();
        // Gentle wear so the paint does not look printed.
        for (int y = 0; y < depth; ++y) {
            auto* line = reinterpret_cast<QRgb*>(s.scanLine(y));
            for (int x = 0; x < kTemplateSize; ++x) {
                const double v = 0.9 + 0.14 * fbm((x % kEdgeLength) / 20.0, y / 20.0, 21, 3, 61);
                line[x] =
                    qRgba(std::min(255, int(qRed(line[x]) * v)), std::min(255, int(qGreen(line[x]) * v)),
                          std::min(255, int(qBlue(line[x]) * v)), 255);
            }
        }
        innerShadow(s, depth, 12, 0.45);
    };
    return assembleMitred(strip);
}

QImage checker() {
    constexpr int depth = 92, square = 30;
    Moulding m;
    m.depth = depth;
    m.height = [](double, double d) { return ramp(d, 0, 4, 3) - ramp(d, depth - 4, depth, 3); };
    m.surface = [](double x, double d) {
        const int i = int(x) / square, row = int(std::min(d, 89.9)) / square;
        const bool dark = (i + row) % 2 == 0;
        const double n = grain(int(x) % kEdgeLength, int(d), 63) * 10;
        return dark ? Rgba{24 + n, 24 + n, 28 + n, 1} : Rgba{236 + n * 0.5, 234 + n * 0.5, 226, 1};
    };
    m.gloss = 0.6;
    return assembleMitred(mouldingStrip(m));
}

QImage brick() {
    constexpr int depth = 140, length = 60, course = 28;
    auto inMortar = [](double x, double d, int& brickId) {
        const int row = int(d) / course;
        const double shifted = x + (row % 2) * length / 2.0;
        const double u = std::fmod(shifted, double(length)), v = std::fmod(d, double(course));
        brickId = (int(shifted) / length % (kEdgeLength / length)) * 11 + row;
        return std::min({u, length - u, v, course - v});
    };
    Moulding m;
    m.depth = depth;
    m.height = [inMortar](double x, double d) {
        int id;
        const double e = inMortar(x, d, id);
        return std::min(e, 3.0) * 1.2 + fbm(x / kEdgeLength * 40, d / 6, 40, 2, 67) * 2;
    };
    m.surface = [inMortar](double x, double d) {
        int id;
        if (inMortar(x, d, id) < 2.5)
            return Rgba{196, 188, 172, 1};
        Rng rng(uint64_t(id) + 500);
        const QColor base = mix(QColor(150, 60, 40), QColor(186, 96, 60), rng.uniform());
        const double speck = grain(int(x) % kEdgeLength, int(d), 69);
        return rgba(scaled(base, 0.88 + speck * 0.2));
    };
    m.relief = 1.2;
    return assembleMitred(mouldingStrip(m));
}

QImage marble() {
    constexpr int depth = 170;
    Moulding m;
    m.depth = depth;
    m.height = [](double, double d) { return panelProfile(d, depth); };
    m.surface = [](double x, double d) {
        const double u = x / kEdgeLength;
        const double turb = fbm(u * 8, d / 36, 8, 5, 71);
        const double vein = std::abs(std::sin(2 * kPi * u * 3 + d * 0.035 + turb * 9));
        const double fine = std::pow(1 - vein, 10);
        const QColor stone = mix(QColor(22, 70, 56), QColor(44, 108, 88), turb);
        return rgba(mix(stone, QColor(226, 236, 228), std::clamp(fine * 1.3, 0.0, 1.0)));
    };
    m.gloss = 0.9;
    return assembleMitred(mouldingStrip(m));
}

// Two glowing tubes on dark slate.
QImage neon() {
    constexpr int depth = 150;
    auto strip = [=](QImage& s, const SideLight&) {
        const QColor pink(255, 64, 170), cyan(40, 220, 255);
        fillPixels(s, [&](int xi, int di) -> Rgba {
            const double d = di + 0.5;
            if (d >= depth)
                return {};
            const double n = grain(xi % kEdgeLength, di, 73) * 8;
            Rgba c{30 + n, 32 + n, 40 + n, 1};
            for (const auto& [centre, colour] : {std::pair{48.0, pink}, std::pair{100.0, cyan}}) {
                const double r = std::abs(d - centre);
                const double glow = std::exp(-r * r / 180) * 0.85;
                c = blend(c, rgba(colour), glow);
                const double core = 1 - smoothstep(2.5, 5, r);
                c = blend(c, Rgba{255, 250, 255, 1}, core);
            }
            return c;
        });
        innerShadow(s, depth, 10, 0.5);
    };
    return assembleMitred(strip);
}

QImage candyStripes() {
    constexpr int depth = 96, period = 28;
    Moulding m;
    m.depth = depth;
    m.height = [](double, double d) { return roundProfile(d, depth) * 1.4; };
    m.surface = [](double x, double d) {
        const double u = offsetInPeriod(x + d, period);
        const double red = smoothstep(-0.8, 0.8, std::abs(u) - period * 0.25);
        return blend(Rgba{250, 248, 244, 1}, Rgba{206, 24, 44, 1}, red);
    };
    m.gloss = 0.9;
    return assembleMitred(mouldingStrip(m));
}

QImage polkaDots() {
    constexpr int depth = 130, period = 42;
    Moulding m;
    m.depth = depth;
    auto dot = [](double x, double d) {
        double best = 1e9;
        for (const auto& [row, shift] : {std::pair{34.0, 0.0}, std::pair{86.0, 21.0}})
            best = std::min(best, std::hypot(offsetInPeriod(x + shift, period), d - row));
        return best;
    };
    m.height = [dot](double x, double d) {
        const double r = dot(x, d);
        return panelProfile(d, depth) + (r < 12 ? std::sqrt(144 - r * r) * 0.25 : 0);
    };
    m.surface = [dot](double x, double d) {
        const double inDot = 1 - smoothstep(11, 12.5, dot(x, d));
        const double n = grain(int(x) % kEdgeLength, int(d), 75) * 8;
        return blend(Rgba{22 + n, 128 + n, 130 + n, 1}, Rgba{252, 246, 226, 1}, inDot);
    };
    m.gloss = 0.3;
    return assembleMitred(mouldingStrip(m));
}

// Steel chain links lying on navy leather.
QImage chain() {
    constexpr int depth = 124, period = 60;
    auto strip = [=](QImage& s, const SideLight& light) {
        fillPixels(s, [&](int xi, int di) -> Rgba {
            if (di >= depth)
                return {};
            const double v = fbm((xi % kEdgeLength) / 14.0, di / 14.0, 30, 3, 77);
            return {18 + 26 * v, 26 + 30 * v, 60 + 40 * v, 1};
        });
        QPainter p(&s);
        p.setRenderHint(QPainter::Antialiasing);
        const bool litFromOuter = light.across < 0;
        auto steel = [&](QRectF r) {
            QLinearGradient g(r.topLeft(), r.bottomLeft());
            g.setColorAt(0, litFromOuter ? QColor(250, 252, 255) : QColor(110, 114, 120));
            g.setColorAt(0.5, QColor(170, 176, 184));
            g.setColorAt(1, litFromOuter ? QColor(90, 94, 100) : QColor(236, 240, 246));
            return g;
        };
        repeatAlong(p, period, std::fmod(kMiddle, double(period)), [&](QPainter& q) {
            // A link lying flat, then one seen edge-on.
            const QRectF flat(-24, 40, 48, 40), edge(6, 56, 48, 8);
            q.setPen(QPen(QColor(40, 40, 46, 120), 2));
            q.setBrush(Qt::NoBrush);
            q.drawRoundedRect(flat.translated(2, 3), 20, 20);
            q.setPen(QPen(QBrush(steel(flat)), 9));
            q.drawRoundedRect(flat, 20, 20);
            q.setPen(QPen(QColor(60, 62, 70), 1));
            q.setBrush(steel(edge));
            q.drawRoundedRect(edge, 4, 4);
        });
        p.end();
        innerShadow(s, depth, 12, 0.5);
    };
    return assembleMitred(strip);
}

QImage pianoKeys() {
    constexpr int depth = 150, key = 30;
    auto strip = [=](QImage& s, const SideLight&) {
        QPainter p(&s);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(QRect(0, 0, kTemplateSize, depth), QColor(30, 26, 24));
        for (int i = 0; i * key < kTemplateSize; ++i) {
            const QRectF white(i * key + 1, 0, key - 2, depth - 8);
            QLinearGradient g(0, 0, 0, depth);
            g.setColorAt(0, QColor(236, 232, 222));
            g.setColorAt(0.9, QColor(252, 250, 244));
            g.setColorAt(1, QColor(200, 196, 188));
            p.setPen(Qt::NoPen);
            p.setBrush(g);
            p.drawRoundedRect(white, 3, 3);
        }
        // Black keys after the 1st, 2nd, 4th, 5th and 6th white key of every octave of seven.
        for (int i = 0; i * key < kTemplateSize; ++i) {
            const int inOctave = i % 7;
            if (inOctave == 2 || inOctave == 6)
                continue;
            const QRectF black((i + 1) * key - 9, 0, 18, 92);
            QLinearGradient g(black.topLeft(), black.topRight());
            g.setColorAt(0, QColor(60, 58, 60));
            g.setColorAt(0.35, QColor(16, 14, 16));
            g.setColorAt(1, QColor(4, 4, 6));
            p.setBrush(g);
            p.drawRoundedRect(black, 3, 3);
        }
        p.end();
        innerShadow(s, depth, 12, 0.5);
    };
    return assembleMitred(strip);
}

// Chevrons in four colours that run along the side.
QImage zigzag() {
    constexpr int depth = 128, period = 42, stripe = 16;
    auto strip = [=](QImage& s, const SideLight&) {
        static const Rgba palette[] = {
            {244, 196, 48, 1}, {232, 96, 60, 1}, {40, 140, 150, 1}, {250, 244, 230, 1}};
        fillPixels(s, [&](int xi, int di) -> Rgba {
            const double x = xi + 0.5, d = di + 0.5;
            if (d >= depth)
                return {};
            const double tri = std::abs(offsetInPeriod(x, period)) / (period * 0.5) * 14;
            const double f = (d + tri) / stripe;
            const int band = int(std::floor(f));
            const double into = (f - band) * stripe; // pixels into this stripe
            const Rgba c = palette[((band % 4) + 4) % 4];
            const Rgba previous = palette[(((band - 1) % 4) + 4) % 4];
            const Rgba out = blend(previous, c, std::clamp(into + 0.5, 0.0, 1.0));
            const double n = (grain(xi % kEdgeLength, di, 79) - 0.5) * 8;
            return {out.r + n, out.g + n, out.b + n, 1};
        });
        innerShadow(s, depth, 10, 0.45);
    };
    return assembleMitred(strip);
}

// Leaded glass: irregular cells of jewel colours; the cell seeds repeat with the edge tile.
QImage stainedGlass() {
    constexpr int depth = 140, cells = 22;
    std::vector<QPointF> seeds;
    std::vector<Rgba> colours;
    Rng rng(81);
    static const QColor jewels[] = {QColor(180, 30, 50), QColor(30, 80, 170),  QColor(230, 170, 40),
                                    QColor(40, 140, 80), QColor(120, 50, 150), QColor(60, 160, 190)};
    for (int i = 0; i < cells; ++i) {
        seeds.emplace_back(rng.range(0, kEdgeLength), rng.range(8, depth - 8));
        colours.push_back(rgba(jewels[rng.below(6)]));
    }
    auto strip = [=](QImage& s, const SideLight&) {
        fillPixels(s, [&](int xi, int di) -> Rgba {
            const double x = std::fmod(xi + 0.5, double(kEdgeLength)), d = di + 0.5;
            if (d >= depth)
                return {};
            double best = 1e9, second = 1e9;
            int owner = 0;
            for (int i = 0; i < cells; ++i)
                for (int wrap = -1; wrap <= 1; ++wrap) {
                    const double dist = std::hypot(x - seeds[i].x() - wrap * kEdgeLength, d - seeds[i].y());
                    if (dist < best) {
                        second = best;
                        best = dist;
                        owner = i;
                    } else if (dist < second) {
                        second = dist;
                    }
                }
            const double lead = 1 - smoothstep(2.5, 4.0, (second - best) * 0.5);
            const double rim = 1 - smoothstep(3, 6, std::min(d, depth - d));
            const double light = 0.8 + 0.4 * fbm(x / 30, d / 30, 14, 3, 83);
            Rgba glass = colours[owner];
            glass = {glass.r * light, glass.g * light, glass.b * light, 1};
            return blend(glass, Rgba{40, 40, 44, 1}, std::max(lead, rim));
        });
        innerShadow(s, depth, 10, 0.45);
    };
    return assembleMitred(strip);
}

} // namespace

QList<RegularFrame> ornamentFrames() {
    return {
        {QStringLiteral("Greek Key"), greekKey},
        {QStringLiteral("Checker"), checker},
        {QStringLiteral("Brick"), brick},
        {QStringLiteral("Marble"), marble},
        {QStringLiteral("Neon"), neon},
        {QStringLiteral("Candy Stripes"), candyStripes},
        {QStringLiteral("Polka Dots"), polkaDots},
        {QStringLiteral("Chain"), chain},
        {QStringLiteral("Piano Keys"), pianoKeys},
        {QStringLiteral("Zigzag"), zigzag},
        {QStringLiteral("Stained Glass"), stainedGlass},
    };
}

} // namespace FrameDesigns
