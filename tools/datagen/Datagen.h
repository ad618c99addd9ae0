#pragma once

#include <QString>

// The artwork the editor ships, drawn from code so that every picture is reproducible.
// Each generator writes into its folder under outDir (the data folder beside the executable).
namespace Datagen {

// UI/: control picture strips and the two window backgrounds.
void generateUiPictures(const QString& outDir);
// border.bundle/: regular (nine-slice) frame templates and artistic overlay frames with thumbnails.
void generateFrames(const QString& outDir);
// lightimage.bundle/: light overlay pictures and the light thumbnails.
void generateLights(const QString& outDir);

} // namespace Datagen
