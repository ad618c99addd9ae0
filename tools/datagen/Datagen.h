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

// The sizes the desktop's icon theme expects of an application icon.
inline constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256, 512};
// <size>x<size>/apps/<desktop id>.png for each of kIconSizes, the icon theme's layout: the icon of
// the menu entry, drawn at each size.
void generateIcons(const QString& outDir);

} // namespace Datagen
