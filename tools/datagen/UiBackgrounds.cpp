#include "UiBackgrounds.h"

#include "UiIcons.h"
#include "UiLayout.h"
#include "UiStrips.h"
#include "UiStyle.h"

#include <QLineF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRandomGenerator>
#include <QtMath>

namespace UiBackgrounds {

using namespace UiLayout;

namespace {

void prepare(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
}

void hline(QPainter& painter, qreal x1, qreal x2, qreal y, const QColor& colour) {
    painter.setPen(QPen(colour, 1.0));
    painter.drawLine(QPointF(x1, y + 0.5), QPointF(x2, y + 0.5));
}

void vline(QPainter& painter, qreal x, qreal y1, qreal y2, const QColor& colour) {
    painter.setPen(QPen(colour, 1.0));
    painter.drawLine(QPointF(x + 0.5, y1), QPointF(x + 0.5, y2));
}

void paintTitleBand(QPainter& painter) {
    painter.fillRect(QRect(0, 0, kWindowWidth, kTitleBottom), UiStyle::titleBand());
    hline(painter, 0, kWindowWidth, kTitleBottom, UiStyle::hairline());

    // The close and minimise controls end at x 57; a divider keeps them apart from the name.
    vline(painter, 68, 12, 38, UiStyle::hairlineSoft());
    // Help stands apart from the picture commands print and export.
    vline(painter, 915, 14, 36, UiStyle::hairlineSoft());
    paintMark(painter, QRectF(82, 12, 26, 26));
    painter.setFont(UiStyle::uiFont(20, QFont::Bold));
    painter.setPen(UiStyle::textMain());
    painter.drawText(QRectF(116, 0, 200, kTitleBottom), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Lumenkraft"));
}

void paintWorkArea(QPainter& painter) {
    painter.fillRect(QRect(0, kTitleBottom + 1, kSidebarLeft, kToolBandTop - kTitleBottom - 1),
                     UiStyle::windowBase());

    // The picture well, framed by one hairline.
    const QRectF well(kPictureArea);
    painter.fillRect(well, UiStyle::pictureWell());
    painter.setPen(QPen(UiStyle::hairline(), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(well.adjusted(-0.5, -0.5, 0.5, 0.5));
}

void paintToolBand(QPainter& painter) {
    painter.fillRect(QRect(0, kToolBandTop, kSidebarLeft, kWindowHeight - kToolBandTop), UiStyle::toolBand());
    hline(painter, 0, kSidebarLeft, kToolBandTop, UiStyle::hairline());
    // Dividers between the groups: load and crop, crop settings, turn and mirror, compare and random.
    for (const int x : {134, 441, 601})
        vline(painter, x, 600, 629, UiStyle::hairline());
}

void paintSidebar(QPainter& painter) {
    painter.fillRect(QRect(kSidebarLeft, kTitleBottom + 1, kWindowWidth - kSidebarLeft, kWindowHeight),
                     UiStyle::sidePanel());
    vline(painter, kSidebarLeft - 1, kTitleBottom + 1, kWindowHeight, UiStyle::hairline());

    painter.setPen(QPen(QColor(44, 48, 56), 1.0));
    painter.setBrush(UiStyle::tabTrack());
    painter.drawRoundedRect(QRectF(kTabTrack).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);

    painter.setPen(QPen(QColor(44, 48, 56), 1.0));
    painter.setBrush(QColor(26, 28, 33));
    painter.drawRoundedRect(QRectF(kListWell).adjusted(0.5, 0.5, -0.5, -0.5), 7, 7);
}

// A soft light that fades to nothing. An 8-bit gradient this faint shows rings, so each pixel is
// blended in floating point and rounded with a little fixed-seed noise instead.
void paintDitheredGlow(QImage& image, QPointF centre, qreal radius, const QColor& colour, qreal strength) {
    QRandomGenerator noise(0x4c756d65);
    const QRect box =
        QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius).toAlignedRect();
    for (int y = box.top(); y <= box.bottom(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = box.left(); x <= box.right(); ++x) {
            const qreal d = QLineF(centre, QPointF(x + 0.5, y + 0.5)).length() / radius;
            const qreal jitter = noise.generateDouble() - 0.5;
            if (d >= 1.0)
                continue;
            const qreal a = strength * (1 - d) * (1 - d);
            auto mix = [&](int under, int over) {
                return qBound(0, qFloor(under + (over - under) * a + 0.5 + jitter), 255);
            };
            const QRgb p = line[x];
            line[x] = qRgb(mix(qRed(p), colour.red()), mix(qGreen(p), colour.green()),
                           mix(qBlue(p), colour.blue()));
        }
    }
}

// A painter on a background: window pixels in, stored pixels (kScale times as many) out.
void prepareScaled(QPainter& painter) {
    prepare(painter);
    painter.scale(UiStyle::kScale, UiStyle::kScale);
}

QImage workingBase() {
    // Stored at kScale times the window's size, like the control strips, so a high-density screen
    // shows the title and the invitation as sharp as the controls on them.
    QImage background(kWindowWidth * UiStyle::kScale, kWindowHeight * UiStyle::kScale, QImage::Format_RGB32);
    background.fill(UiStyle::windowBase());
    QPainter painter(&background);
    prepareScaled(painter);
    paintTitleBand(painter);
    paintWorkArea(painter);
    paintToolBand(painter);
    paintSidebar(painter);
    return background;
}

} // namespace

void paintMark(QPainter& painter, const QRectF& box) {
    painter.save();
    painter.translate(box.center());
    const qreal r = box.width() / 2;
    const qreal ring = r * 0.9;
    const qreal opening = r * 0.4;

    // Six blades, each tangent to the opening, run from the ring to the corner where the next
    // blade crosses: the hexagonal opening of a lens aperture stopped down.
    QPolygonF hexagon;
    QPainterPath blades;
    const qreal reach = qSqrt(ring * ring - opening * opening);
    const qreal halfSide = opening * qTan(qDegreesToRadians(30.0));
    for (int i = 0; i < 6; ++i) {
        const qreal a = qDegreesToRadians(60.0 * i - 90.0);
        const QPointF touch(opening * qCos(a), opening * qSin(a));
        const QPointF along(-qSin(a), qCos(a));
        blades.moveTo(touch - along * reach);
        blades.lineTo(touch + along * halfSide);
        hexagon << touch + along * halfSide;
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 159, 48, 70));
    painter.drawPolygon(hexagon);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(UiStyle::accent(), r * 0.11, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(blades);
    painter.setPen(QPen(UiStyle::accent(), r * 0.13));
    painter.drawEllipse(QPointF(0, 0), ring, ring);
    painter.restore();
}

QImage workingBackground() {
    return workingBase();
}

QImage startBackground() {
    QImage background = workingBase();
    QPainter painter(&background);
    prepareScaled(painter);

    const QRectF well(kPictureArea);
    const QRectF zone = well.adjusted(28, 28, -28, -28);
    QPen dashes(QColor(70, 76, 87), 1.5, Qt::CustomDashLine, Qt::RoundCap);
    dashes.setDashPattern({5, 5});
    painter.setPen(dashes);
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(zone, 14, 14);

    const QPointF centre(well.center().x(), well.top() + 210);
    painter.end();
    paintDitheredGlow(background, centre * UiStyle::kScale, 150 * UiStyle::kScale, UiStyle::accent(), 0.11);
    painter.begin(&background);
    prepareScaled(painter);

    const qreal side = 120;
    const QRectF iconBox(centre.x() - side / 2, centre.y() - side / 2, side, side);
    UiStrips::drawIcon(painter, UiIcons::photo(), iconBox, QColor(150, 156, 168), 1.1);
    // The sun of the photo icon in the accent, so the eye lands on the invitation.
    painter.setPen(Qt::NoPen);
    painter.setBrush(UiStyle::accent());
    painter.drawEllipse(QPointF(iconBox.left() + 16.2 * side / 24, iconBox.top() + 8.6 * side / 24),
                        1.9 * side / 24, 1.9 * side / 24);

    painter.setPen(UiStyle::textMain());
    painter.setFont(UiStyle::uiFont(22, QFont::DemiBold));
    painter.drawText(QRectF(well.left(), centre.y() + 88, well.width(), 32), Qt::AlignCenter,
                     QStringLiteral("Double-click or drop a photo here"));
    painter.setPen(UiStyle::textDim());
    painter.setFont(UiStyle::uiFont(14, QFont::Normal));
    painter.drawText(QRectF(well.left(), centre.y() + 122, well.width(), 24), Qt::AlignCenter,
                     QStringLiteral("JPEG  \u00b7  PNG  \u00b7  BMP  \u00b7  GIF  \u00b7  TIFF"));
    return background;
}

QImage applicationIcon(int side) {
    QImage icon(side, side, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    prepare(painter);
    // Drawn on a 256-unit grid at whatever size is asked, so every size is drawn, not scaled.
    painter.scale(side / 256.0, side / 256.0);
    const QRectF tile(12, 12, 232, 232);
    QLinearGradient shade(tile.topLeft(), tile.bottomLeft());
    shade.setColorAt(0.0, QColor(50, 55, 64));
    shade.setColorAt(1.0, QColor(22, 24, 28));
    painter.setPen(QPen(QColor(72, 78, 90), 3));
    painter.setBrush(shade);
    painter.drawRoundedRect(tile, 52, 52);
    paintMark(painter, tile.adjusted(40, 40, -40, -40));
    painter.end();
    return icon.convertToFormat(QImage::Format_ARGB32);
}

} // namespace UiBackgrounds
