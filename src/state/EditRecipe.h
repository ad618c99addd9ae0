#pragma once

#include "EditCodes.h"

#include <QRect>
#include <QString>

// A plain description of an edit: everything needed to make the edited picture again from the
// full-size picture, at any size. Export, printing and lumenkraft-render render from it, and an
// undo history stores it; it holds no pictures.
struct EditRecipe {
    // The full-size picture as taken in (the byte copy of the user's file).
    QString sourcePath;
    // The crop in upright full-size pixels; a null rectangle keeps the whole picture.
    QRect crop;
    // Clockwise turn as the editor keeps it: 360 (none), 270, 180 or 90.
    int rotationAngle = 360;
    bool flipHorizontal = false;
    bool flipVertical = false;
    // 0-based catalogue positions; -1 when the look has no filter or no light.
    int filterIndex = -1;
    int lightIndex = -1;
    // -1 no frame, 0 an overlay frame, 1 a nine-slice frame.
    int frameMode = FrameNone;
    // The overlay picture (frameMode 0) or the nine-slice template (frameMode 1).
    QString framePicture;
    // How strongly the filter and the light show, 0 to 1; the frame is not affected.
    double strength = 1.0;

    friend bool operator==(const EditRecipe&, const EditRecipe&) = default;
};
