#pragma once

#include <QImage>
#include <QRectF>

class QPainter;

// The two window backgrounds and the application icon.
namespace UiBackgrounds {

// Both backgrounds are stored at UiStyle::kScale times the window's size.
// After a picture is loaded: title band, picture area, tool band and look panel.
QImage workingBackground();
// Before the first picture: the working background inviting a double-click or a dropped photo.
QImage startBackground();
// The window, task-bar and menu icon, side x side with transparent corners.
QImage applicationIcon(int side = 256);

// The editor's mark (an aperture in a ring of light) drawn into box.
void paintMark(QPainter& painter, const QRectF& box);

} // namespace UiBackgrounds
