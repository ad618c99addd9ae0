#include "UiIcons.h"

#include <QPolygonF>
#include <QtMath>

namespace UiIcons {
namespace {

void polyline(QPainterPath& path, std::initializer_list<QPointF> points) {
    auto it = points.begin();
    path.moveTo(*it);
    for (++it; it != points.end(); ++it)
        path.lineTo(*it);
}

void polygon(QPainterPath& path, std::initializer_list<QPointF> points) {
    polyline(path, points);
    path.closeSubpath();
}

// An arc of a circle ending in an open arrow head that follows the direction of travel.
// Angles in degrees, counter-clockwise as QPainterPath counts them; a negative sweep turns clockwise.
void arcArrow(QPainterPath& path, QPointF centre, qreal radius, qreal startDeg, qreal sweepDeg, qreal head) {
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    path.arcMoveTo(box, startDeg);
    path.arcTo(box, startDeg, sweepDeg);
    const qreal end = qDegreesToRadians(startDeg + sweepDeg);
    const QPointF tip(centre.x() + radius * qCos(end), centre.y() - radius * qSin(end));
    // Screen-space tangent of the travel direction at the tip.
    const qreal sign = sweepDeg < 0 ? 1.0 : -1.0;
    const QPointF dir(sign * qSin(end), sign * qCos(end));
    const qreal spread = qDegreesToRadians(38.0);
    auto back = [&](qreal turn) {
        const qreal c = qCos(turn), s = qSin(turn);
        const QPointF d(dir.x() * c - dir.y() * s, dir.x() * s + dir.y() * c);
        return tip - head * d;
    };
    path.moveTo(back(spread));
    path.lineTo(tip);
    path.lineTo(back(-spread));
}

} // namespace

Icon folder() {
    Icon icon;
    polygon(icon.strokes, {{3, 18.5}, {3, 5.5}, {9.2, 5.5}, {11.4, 8}, {21, 8}, {21, 18.5}});
    polyline(icon.strokes, {{3, 11}, {21, 11}});
    return icon;
}

Icon crop() {
    Icon icon;
    polyline(icon.strokes, {{7, 2.5}, {7, 17}, {21.5, 17}});
    polyline(icon.strokes, {{2.5, 7}, {17, 7}, {17, 21.5}});
    return icon;
}

Icon orientation() {
    Icon icon;
    icon.strokes.addRoundedRect(QRectF(2.5, 3, 8, 12), 1.4, 1.4);
    icon.strokes.addRoundedRect(QRectF(12, 13.5, 10, 7), 1.4, 1.4);
    arcArrow(icon.strokes, {13.5, 10.5}, 6.5, 90, -90, 3.4);
    return icon;
}

Icon cancel() {
    Icon icon;
    polyline(icon.strokes, {{6, 6}, {18, 18}});
    polyline(icon.strokes, {{18, 6}, {6, 18}});
    return icon;
}

Icon ok() {
    Icon icon;
    polyline(icon.strokes, {{4.5, 12.5}, {9.5, 17.5}, {19.5, 6.5}});
    return icon;
}

Icon rotate() {
    Icon icon;
    // Counter-clockwise, the way the rotate button turns the picture.
    arcArrow(icon.strokes, {12, 12}, 8, -55, 285, 4.2);
    return icon;
}

// A step back curls over to the left, a step forward over to the right.
Icon undo() {
    Icon icon;
    arcArrow(icon.strokes, {12, 13.5}, 7.5, -40, 220, 4.2);
    return icon;
}

Icon redo() {
    Icon icon;
    arcArrow(icon.strokes, {12, 13.5}, 7.5, 220, -220, 4.2);
    return icon;
}

Icon flipHorizontal() {
    Icon icon;
    polyline(icon.strokes, {{12, 2.5}, {12, 21.5}});
    polygon(icon.fills, {{9.2, 5}, {9.2, 19}, {2.5, 12}});
    polygon(icon.strokes, {{14.8, 5}, {14.8, 19}, {21.5, 12}});
    return icon;
}

Icon flipVertical() {
    Icon icon;
    polyline(icon.strokes, {{2.5, 12}, {21.5, 12}});
    polygon(icon.fills, {{5, 9.2}, {19, 9.2}, {12, 2.5}});
    polygon(icon.strokes, {{5, 14.8}, {19, 14.8}, {12, 21.5}});
    return icon;
}

Icon compare() {
    Icon icon;
    QPainterPath frame;
    frame.addRoundedRect(QRectF(3, 5, 18, 14), 2.5, 2.5);
    icon.strokes.addPath(frame);
    QPainterPath leftHalf;
    leftHalf.addRect(QRectF(0, 0, 12, 24));
    icon.fills = frame.intersected(leftHalf);
    polyline(icon.strokes, {{12, 2}, {12, 22}});
    return icon;
}

Icon dice() {
    Icon icon;
    icon.strokes.addRoundedRect(QRectF(3.5, 3.5, 17, 17), 3.8, 3.8);
    for (const QPointF pip :
         {QPointF(8.2, 8.2), QPointF(15.8, 8.2), QPointF(12, 12), QPointF(8.2, 15.8), QPointF(15.8, 15.8)})
        icon.fills.addEllipse(pip, 1.55, 1.55);
    return icon;
}

Icon printer() {
    Icon icon;
    polyline(icon.strokes, {{6.5, 8.5}, {6.5, 3}, {17.5, 3}, {17.5, 8.5}});
    polyline(icon.strokes, {{6.5, 17}, {3, 17}, {3, 8.5}, {21, 8.5}, {21, 17}, {17.5, 17}});
    icon.strokes.addRect(QRectF(6.5, 13.5, 11, 7.5));
    icon.fills.addEllipse(QPointF(17.8, 11.3), 1.0, 1.0);
    return icon;
}

Icon exportTray() {
    Icon icon;
    polyline(icon.strokes, {{3.5, 14}, {3.5, 20}, {20.5, 20}, {20.5, 14}});
    polyline(icon.strokes, {{12, 15.5}, {12, 3.5}});
    polyline(icon.strokes, {{7.5, 8}, {12, 3.5}, {16.5, 8}});
    return icon;
}

Icon help() {
    Icon icon;
    icon.strokes.addEllipse(QPointF(12, 12), 9.5, 9.5);
    const QRectF hook(9.1, 6.4, 5.8, 5.8);
    icon.strokes.arcMoveTo(hook, 165);
    icon.strokes.arcTo(hook, 165, -235);
    icon.strokes.lineTo(12, 14.2);
    icon.fills.addEllipse(QPointF(12, 17.4), 1.2, 1.2);
    return icon;
}

Icon close() {
    Icon icon;
    polyline(icon.strokes, {{7, 7}, {17, 17}});
    polyline(icon.strokes, {{17, 7}, {7, 17}});
    return icon;
}

Icon minimise() {
    Icon icon;
    polyline(icon.strokes, {{6.5, 12}, {17.5, 12}});
    return icon;
}

Icon chevronDown() {
    Icon icon;
    polyline(icon.strokes, {{5, 9}, {12, 16}, {19, 9}});
    return icon;
}

Icon chevronUp() {
    Icon icon;
    polyline(icon.strokes, {{5, 15}, {12, 8}, {19, 15}});
    return icon;
}

Icon photo() {
    Icon icon;
    icon.strokes.addRoundedRect(QRectF(2.5, 4, 19, 16), 2.5, 2.5);
    polyline(icon.strokes, {{2.8, 17}, {9, 10.5}, {13.5, 15}, {16, 12.5}, {21.2, 17.5}});
    icon.fills.addEllipse(QPointF(16.2, 8.6), 1.8, 1.8);
    return icon;
}

} // namespace UiIcons
