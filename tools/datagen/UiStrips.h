#pragma once

#include "UiIcons.h"
#include "UiStyle.h"

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>

#include <functional>

class QPainter;

// Control faces and the strips that hold them. Faces are painted in on-screen pixels; the strip
// builders scale the painter so the stored picture carries twice the detail.
namespace UiStrips {

using Face = std::function<void(QPainter&, const QRectF& bounds, UiStyle::Look look)>;

// normal, pressed, inactive side by side, each state kScale times the on-screen size.
QImage threeStateStrip(QSize onScreen, const Face& face);
// One opaque picture at kScale times the on-screen size (a drop-down body is stretched whole).
QImage singlePicture(QSize onScreen, const std::function<void(QPainter&, const QRectF&)>& paint);

// Strokes and fills of an icon drawn into box with the icon pen (width given on the 24-unit grid).
void drawIcon(QPainter& painter, const UiIcons::Icon& icon, const QRectF& box, const QColor& ink,
              qreal penWidth = 1.9);

enum class ChipAlign { Centre, Left };

// A rounded chip carrying an icon, on a flat surface colour that matches the background beneath.
Face chipButton(UiIcons::Icon icon, QColor surface, qreal chipSide, qreal iconSide,
                ChipAlign align = ChipAlign::Centre);
// The small close and minimise controls of the title band; the close chip turns red when pressed.
Face titleButton(UiIcons::Icon icon, bool closes);
// A panel tab with its label; the pressed state is the selected tab.
Face panelTab(QString label);
// The arrow of a drop-down, on the field colour of the body it is drawn over.
Face dropDownArrow(QColor field);

// The colour of the drop-down field, shared by the body and its arrow so the arrow leaves no seam.
QColor dropDownField();
// A drop-down body of the given on-screen size on surface; the divider sits left of the arrow place.
void paintDropDownBody(QPainter& painter, const QRectF& bounds, QColor surface, qreal dividerX);

} // namespace UiStrips
