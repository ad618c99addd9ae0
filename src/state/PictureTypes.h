#pragma once

#include <QString>
#include <QStringList>

// What the program opens, known by a file's name: the one list behind the open dialog's picture
// filter, a drop on the window and a picture handed over on the command line.
namespace PictureTypes {

// The extensions of every type the picture decoders read, in lower case: "bmp", "gif", "jpeg",
// "jpg", "png", "tif", "tiff", "webp" and the rest the installed plug-ins bring.
QStringList extensions();

// Whether the file name ends in one of extensions(), in any letter case: the text after its last
// dot. A name without a dot, or whose only dot is its first character, names no picture.
bool isPictureName(const QString& path);

} // namespace PictureTypes
