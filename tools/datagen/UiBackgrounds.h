#pragma once

#include <QImage>
#include <QRectF>

class QPainter;

// The two window backgrounds and the application icon.
namespace UiBackgrounds {

// After a picture is loaded: title band, picture area, tool band and look panel.
QImage workingBackground();
// Before the first picture: the working background inviting a double-click or a dropped photo.
QImage startBackground();
// The window and task-bar icon, 256 x 256 with transparent corners.
QImage applicationIcon();

// The editor's mark (an aperture in a ring of light) drawn into box.
void paintMark(QPainter& painter, const QRectF& box);

} // namespace UiBackgrounds
