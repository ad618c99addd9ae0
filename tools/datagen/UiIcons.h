#pragma once

#include <QPainterPath>

// Line icons of the control pictures, drawn on a 24 x 24 grid: `strokes` are outlined with the
// icon pen, `fills` are filled with the same ink.
namespace UiIcons {

struct Icon {
    QPainterPath strokes;
    QPainterPath fills;
};

Icon folder();
Icon crop();
Icon orientation();
Icon cancel();
Icon ok();
Icon rotate();
Icon undo();
Icon redo();
Icon flipHorizontal();
Icon flipVertical();
Icon compare();
Icon dice();
Icon printer();
Icon exportTray();
Icon help();
Icon close();
Icon minimise();
Icon chevronDown();
Icon chevronUp();
Icon photo();

} // namespace UiIcons
