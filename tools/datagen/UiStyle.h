#pragma once

#include <QColor>
#include <QFont>
#include <QString>

// One visual language for every control picture and background: charcoal surfaces, light line icons,
// one amber accent. The controls are opaque rectangles laid over the background, so every surface a
// control sits on is a flat colour here and the control paints that same colour around its chip.
namespace UiStyle {

// Strips and the arrow pictures are drawn at twice their size on screen.
inline constexpr int kScale = 2;

enum class Look { Normal, Pressed, Inactive };

// Surfaces of the window, back to front.
inline QColor windowBase() {
    return QColor(28, 31, 36);
}
inline QColor titleBand() {
    return QColor(21, 23, 27);
}
inline QColor toolBand() {
    return QColor(23, 25, 29);
}
inline QColor sidePanel() {
    return QColor(32, 35, 41);
}
inline QColor pictureWell() {
    return QColor(17, 19, 22);
}
inline QColor hairline() {
    return QColor(46, 50, 58);
}
inline QColor hairlineSoft() {
    return QColor(38, 42, 49);
}
// The recessed track the panel tabs sit in.
inline QColor tabTrack() {
    return QColor(24, 26, 31);
}

// Chips (button bodies) per look.
inline QColor chipFill(Look look) {
    switch (look) {
    case Look::Normal:
        return QColor(44, 48, 56);
    case Look::Pressed:
        return QColor(20, 22, 26);
    case Look::Inactive:
        return QColor(34, 37, 43);
    }
    return {};
}
inline QColor chipEdge(Look look) {
    switch (look) {
    case Look::Normal:
        return QColor(62, 67, 77);
    case Look::Pressed:
        return QColor(12, 13, 16);
    case Look::Inactive:
        return QColor(40, 43, 50);
    }
    return {};
}

// Icon ink per look; the pressed ink takes the accent so a latched button reads as "on".
inline QColor ink(Look look) {
    switch (look) {
    case Look::Normal:
        return QColor(226, 229, 234);
    case Look::Pressed:
        return QColor(255, 176, 72);
    case Look::Inactive:
        return QColor(86, 91, 100);
    }
    return {};
}

inline QColor accent() {
    return QColor(255, 159, 48);
}
inline QColor accentSoft() {
    return QColor(255, 159, 48, 70);
}
inline QColor textMain() {
    return QColor(232, 234, 238);
}
inline QColor textDim() {
    return QColor(140, 146, 156);
}

// Liberation Sans ships with the editor's dependencies, so the labels render the same everywhere.
inline QFont uiFont(qreal pixelSize, QFont::Weight weight = QFont::DemiBold) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(qRound(pixelSize));
    font.setWeight(weight);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

} // namespace UiStyle
