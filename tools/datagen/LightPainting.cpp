#include "LightPainting.h"

#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace LightPaint {

namespace {

QColor withAlpha(QColor colour, double alpha) {
    colour.setAlphaF(float(std::clamp(alpha, 0.0, 1.0)));
    return colour;
}

// A bell-shaped fall-off that reaches exactly zero at the rim, so no disc edge shows.
double bell(double t) {
    const double edge = std::exp(-4.5);
    return (std::exp(-4.5 * t * t) - edge) / (1.0 - edge);
}

} // namespace

QImage canvas(const QColor& fill, bool alpha) {
    QImage image(kOverlayWidth, kOverlayHeight,
                 alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

QPointF at(double fx, double fy) {
    return {fx * kOverlayWidth, fy * kOverlayHeight};
}

void glow(QPainter& p, QPointF centre, double radius, const QColor& colour, double strength, double aspect) {
    QRadialGradient gradient(QPointF(0, 0), radius);
    for (int i = 0; i <= 10; ++i) {
        const double t = i / 10.0;
        gradient.setColorAt(t, withAlpha(colour, strength * bell(t)));
    }
    p.save();
    p.translate(centre);
    p.scale(1.0, aspect);
    p.setPen(Qt::NoPen);
    p.setBrush(gradient);
    p.drawEllipse(QPointF(0, 0), radius, radius);
    p.restore();
}

void bokeh(QPainter& p, Rng& rng, const QRectF& area, const QList<QColor>& palette, const BokehStyle& style) {
    p.save();
    p.setPen(Qt::NoPen);
    for (int i = 0; i < style.count; ++i) {
        const QPointF centre(rng.range(area.left(), area.right()), rng.range(area.top(), area.bottom()));
        const double radius = rng.range(style.minRadius, style.maxRadius);
        const double alpha = rng.range(style.minAlpha, style.maxAlpha);
        const QColor colour = palette.at(rng.below(int(palette.size())));
        // A lens renders a defocused highlight as a flat disc with a slightly brighter rim.
        QRadialGradient gradient(centre, radius);
        gradient.setColorAt(0.0, withAlpha(colour, alpha * 0.72));
        gradient.setColorAt(0.82, withAlpha(colour, alpha * 0.85));
        gradient.setColorAt(0.94, withAlpha(colour, alpha));
        gradient.setColorAt(1.0, withAlpha(colour, 0.0));
        p.setBrush(gradient);
        p.drawEllipse(centre, radius, radius);
    }
    p.restore();
}

void rays(QPainter& p, Rng& rng, QPointF origin, int count, double fromDegrees, double toDegrees,
          double length, const QColor& colour, double strength) {
    p.save();
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const double angle = rng.range(fromDegrees, toDegrees) * M_PI / 180.0;
        const double halfWidth = rng.range(0.4, 2.2) * M_PI / 180.0;
        const double alpha = strength * rng.range(0.35, 1.0);
        const double reach = length * rng.range(0.7, 1.0);
        QRadialGradient gradient(origin, reach);
        gradient.setColorAt(0.0, withAlpha(colour, alpha));
        gradient.setColorAt(0.45, withAlpha(colour, alpha * 0.45));
        gradient.setColorAt(1.0, withAlpha(colour, 0.0));
        QPainterPath beam;
        beam.moveTo(origin);
        beam.lineTo(origin + QPointF(std::cos(angle - halfWidth), std::sin(angle - halfWidth)) * reach);
        beam.lineTo(origin + QPointF(std::cos(angle + halfWidth), std::sin(angle + halfWidth)) * reach);
        beam.closeSubpath();
        p.setBrush(gradient);
        p.drawPath(beam);
    }
    p.restore();
}

void rainbow(QPainter& p, QPointF centre, double radius, double width, double strength) {
    static const QColor spectrum[] = {QColor(140, 60, 220), QColor(60, 90, 255),  QColor(40, 200, 120),
                                      QColor(250, 230, 50), QColor(255, 150, 40), QColor(240, 50, 50)};
    const double inner = (radius - width) / radius;
    QRadialGradient gradient(centre, radius);
    gradient.setColorAt(std::max(0.0, inner - 0.03), withAlpha(spectrum[0], 0.0));
    const int bands = int(std::size(spectrum));
    for (int i = 0; i < bands; ++i) {
        const double t = inner + (1.0 - inner) * (i + 0.5) / bands;
        // The bow is faint at its edges and strongest in the yellow and green.
        const double weight = std::sin(M_PI * (i + 0.5) / bands);
        gradient.setColorAt(std::min(t, 0.999), withAlpha(spectrum[i], strength * (0.5 + 0.5 * weight)));
    }
    gradient.setColorAt(1.0, withAlpha(spectrum[bands - 1], 0.0));
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(gradient);
    p.drawEllipse(centre, radius, radius);
    p.restore();
}

void vignette(QPainter& p, const QColor& centreColour, const QColor& edgeColour, double innerFraction) {
    // Drawn in a unit square stretched to the canvas, so the darkening follows the picture's
    // own shape whatever its aspect.
    QRadialGradient gradient(QPointF(0, 0), std::sqrt(2.0));
    gradient.setColorAt(0.0, centreColour);
    gradient.setColorAt(innerFraction, centreColour);
    for (int i = 1; i <= 8; ++i) {
        const double t = i / 8.0;
        const double s = t * t * (3 - 2 * t);
        const QColor c = FrameKit::mix(centreColour, edgeColour, s);
        gradient.setColorAt(innerFraction + (1.0 - innerFraction) * t, c);
    }
    p.save();
    p.translate(kOverlayWidth / 2.0, kOverlayHeight / 2.0);
    p.scale(kOverlayWidth / 2.0, kOverlayHeight / 2.0);
    p.setPen(Qt::NoPen);
    p.setBrush(gradient);
    p.drawRect(QRectF(-1, -1, 2, 2));
    p.restore();
}

QImage grain(double amplitude, double clump, uint32_t seed) {
    const int w = std::max(1, int(kOverlayWidth / clump));
    const int h = std::max(1, int(kOverlayHeight / clump));
    QImage small(w, h, QImage::Format_Grayscale8);
    for (int y = 0; y < h; ++y) {
        uchar* row = small.scanLine(y);
        for (int x = 0; x < w; ++x) {
            // Two uniform draws make a triangular spread: mostly small deviations, few spikes.
            const double n = FrameKit::grain(x, y, seed) + FrameKit::grain(x, y, seed + 7919u) - 1.0;
            row[x] = uchar(std::clamp(128.0 + amplitude * n, 0.0, 255.0));
        }
    }
    if (w == kOverlayWidth && h == kOverlayHeight)
        return small;
    return small.scaled(kOverlayWidth, kOverlayHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void scratches(QPainter& p, Rng& rng, int count, const QColor& colour) {
    p.save();
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < count; ++i) {
        const double x = rng.range(0, kOverlayWidth);
        const double top = rng.uniform() < 0.5 ? -10 : rng.range(0, kOverlayHeight * 0.6);
        const double bottom =
            std::min(double(kOverlayHeight) + 10, top + rng.range(150, kOverlayHeight * 1.1));
        const double drift = rng.range(-25, 25);
        QPainterPath line;
        line.moveTo(x, top);
        line.cubicTo(x + drift * 0.3 + rng.range(-6, 6), top + (bottom - top) * 0.33, x + drift * 0.7,
                     top + (bottom - top) * 0.66, x + drift, bottom);
        p.setPen(QPen(withAlpha(colour, rng.range(0.25, 0.8)), rng.range(0.8, 2.4)));
        p.drawPath(line);
    }
    p.restore();
}

void dust(QPainter& p, Rng& rng, int specks, int hairs, const QColor& colour) {
    p.save();
    p.setPen(Qt::NoPen);
    for (int i = 0; i < specks; ++i) {
        const QPointF centre(rng.range(0, kOverlayWidth), rng.range(0, kOverlayHeight));
        const double r = rng.uniform() < 0.85 ? rng.range(0.8, 2.2) : rng.range(2.5, 5.5);
        p.setBrush(withAlpha(colour, rng.range(0.4, 0.95)));
        p.drawEllipse(centre, r, r * rng.range(0.6, 1.0));
    }
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < hairs; ++i) {
        const QPointF start(rng.range(0, kOverlayWidth), rng.range(0, kOverlayHeight));
        const double length = rng.range(18, 70);
        const double angle = rng.range(0, 2 * M_PI);
        const QPointF direction(std::cos(angle), std::sin(angle));
        const QPointF normal(-direction.y(), direction.x());
        QPainterPath hair;
        hair.moveTo(start);
        hair.cubicTo(start + direction * length * 0.3 + normal * rng.range(-20, 20),
                     start + direction * length * 0.7 + normal * rng.range(-20, 20),
                     start + direction * length);
        p.setPen(QPen(withAlpha(colour, rng.range(0.5, 0.9)), rng.range(1.0, 2.0)));
        p.drawPath(hair);
    }
    p.restore();
}

} // namespace LightPaint
