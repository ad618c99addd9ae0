#include "UiStrips.h"

#include <QPainter>
#include <QPen>

namespace UiStrips {

using UiStyle::Look;

namespace {

void prepare(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
}

// A chip's body: fill, a one-pixel edge, and a faint top light on the raised looks.
void paintChip(QPainter& painter, const QRectF& chip, qreal radius, Look look) {
    painter.setPen(QPen(UiStyle::chipEdge(look), 1.0));
    painter.setBrush(UiStyle::chipFill(look));
    painter.drawRoundedRect(chip.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    if (look == Look::Normal) {
        painter.setPen(QPen(QColor(255, 255, 255, 22), 1.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(chip.adjusted(1.5, 1.5, -1.5, -1.5), radius - 1, radius - 1);
    } else if (look == Look::Pressed) {
        // Inset shadow along the top edge.
        painter.setPen(QPen(QColor(0, 0, 0, 90), 1.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawLine(QPointF(chip.left() + radius, chip.top() + 1.5),
                         QPointF(chip.right() - radius, chip.top() + 1.5));
    }
}

} // namespace

QImage threeStateStrip(QSize onScreen, const Face& face) {
    const int k = UiStyle::kScale;
    QImage strip(3 * onScreen.width() * k, onScreen.height() * k, QImage::Format_RGB32);
    strip.fill(Qt::black);
    const Look looks[] = {Look::Normal, Look::Pressed, Look::Inactive};
    for (int state = 0; state < 3; ++state) {
        QPainter painter(&strip);
        prepare(painter);
        painter.translate(state * onScreen.width() * k, 0);
        painter.scale(k, k);
        const QRectF bounds(0, 0, onScreen.width(), onScreen.height());
        painter.setClipRect(bounds);
        face(painter, bounds, looks[state]);
    }
    return strip;
}

QImage singlePicture(QSize onScreen, const std::function<void(QPainter&, const QRectF&)>& paint) {
    const int k = UiStyle::kScale;
    QImage picture(onScreen * k, QImage::Format_RGB32);
    picture.fill(Qt::black);
    QPainter painter(&picture);
    prepare(painter);
    painter.scale(k, k);
    paint(painter, QRectF(0, 0, onScreen.width(), onScreen.height()));
    return picture;
}

void drawIcon(QPainter& painter, const UiIcons::Icon& icon, const QRectF& box, const QColor& ink,
              qreal penWidth) {
    painter.save();
    painter.translate(box.topLeft());
    painter.scale(box.width() / 24.0, box.height() / 24.0);
    QPen pen(ink, penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(icon.strokes);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawPath(icon.fills);
    painter.restore();
}

Face chipButton(UiIcons::Icon icon, QColor surface, qreal chipSide, qreal iconSide, ChipAlign align) {
    return [=](QPainter& painter, const QRectF& bounds, Look look) {
        painter.fillRect(bounds, surface);
        const qreal top = bounds.center().y() - chipSide / 2;
        const qreal left =
            align == ChipAlign::Centre ? bounds.center().x() - chipSide / 2 : bounds.left() + 2;
        const QRectF chip(left, top, chipSide, chipSide);
        paintChip(painter, chip, chipSide * 0.22, look);
        // The pressed icon sinks by half a pixel, which reads as the button going in.
        const qreal sink = look == Look::Pressed ? 0.5 : 0.0;
        const QRectF box(chip.center().x() - iconSide / 2, chip.center().y() - iconSide / 2 + sink, iconSide,
                         iconSide);
        drawIcon(painter, icon, box, UiStyle::ink(look), 24.0 * 1.5 / iconSide + 0.5);
    };
}

Face titleButton(UiIcons::Icon icon, bool closes) {
    return [=](QPainter& painter, const QRectF& bounds, Look look) {
        painter.fillRect(bounds, UiStyle::titleBand());
        const QRectF chip(bounds.center().x() - 9, bounds.center().y() - 9, 18, 18);
        QColor ink = UiStyle::ink(look);
        if (look == Look::Pressed && closes) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(214, 64, 58));
            painter.drawEllipse(chip);
            ink = QColor(255, 255, 255);
        } else {
            painter.setPen(QPen(UiStyle::chipEdge(look), 1.0));
            painter.setBrush(UiStyle::chipFill(look));
            painter.drawEllipse(chip.adjusted(0.5, 0.5, -0.5, -0.5));
            if (look == Look::Normal)
                ink = QColor(200, 204, 211);
        }
        drawIcon(painter, icon, chip.adjusted(3, 3, -3, -3), ink, 2.6);
    };
}

Face panelTab(QString label) {
    return [=](QPainter& painter, const QRectF& bounds, Look look) {
        painter.fillRect(bounds, UiStyle::tabTrack());
        QColor text = UiStyle::textDim();
        if (look == Look::Pressed) {
            const QRectF chip = bounds.adjusted(1, 2, -1, -2);
            painter.setPen(QPen(QColor(70, 75, 86), 1.0));
            painter.setBrush(QColor(52, 56, 65));
            painter.drawRoundedRect(chip.adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
            painter.setPen(Qt::NoPen);
            painter.setBrush(UiStyle::accent());
            painter.drawRoundedRect(QRectF(bounds.center().x() - 9, bounds.bottom() - 5.5, 18, 2.2), 1.1,
                                    1.1);
            text = UiStyle::textMain();
        } else if (look == Look::Inactive) {
            text = QColor(84, 89, 98);
        }
        painter.setPen(text);
        painter.setFont(UiStyle::uiFont(12.5, QFont::DemiBold));
        const QRectF textBox = bounds.adjusted(0, look == Look::Pressed ? -1.5 : 0, 0, 0);
        painter.drawText(textBox, Qt::AlignCenter, label);
    };
}

QColor dropDownField() {
    return QColor(38, 42, 49);
}

Face dropDownArrow(QColor field) {
    return [=](QPainter& painter, const QRectF& bounds, Look look) {
        painter.fillRect(bounds, field);
        // The open menu hangs below the field, so the pressed arrow points back up at it.
        const UiIcons::Icon icon = look == Look::Pressed ? UiIcons::chevronUp() : UiIcons::chevronDown();
        QColor ink = UiStyle::ink(look);
        if (look == Look::Normal)
            ink = QColor(196, 201, 209);
        // The chevron spans 14 of the 24 grid units; let it fill the arrow's width.
        const qreal side = bounds.width() * 24.0 / 14.0;
        const QRectF box(bounds.center().x() - side / 2, bounds.center().y() - side / 2, side, side);
        drawIcon(painter, icon, box, ink, 2.6);
    };
}

void paintDropDownBody(QPainter& painter, const QRectF& bounds, QColor surface, qreal dividerX) {
    painter.fillRect(bounds, surface);
    const QRectF field = bounds.adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(QColor(62, 67, 77), 1.0));
    painter.setBrush(dropDownField());
    painter.drawRoundedRect(field, 6, 6);
    painter.setPen(QPen(QColor(255, 255, 255, 16), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(field.adjusted(1, 1, -1, -1), 5, 5);
    painter.setPen(QPen(QColor(58, 63, 72), 1.0));
    painter.drawLine(QPointF(dividerX + 0.5, bounds.top() + 7), QPointF(dividerX + 0.5, bounds.bottom() - 7));
}

} // namespace UiStrips
