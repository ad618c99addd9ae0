#pragma once

#include <QString>
#include <QStringList>

// What the open dialog offers: where it starts and the file types it lists.
namespace OpenDialogChoices {

// "Pictures (*.bmp *.BMP ...)": every type the program opens (PictureTypes), in both letter
// cases, since cameras and old drives write upper-case names and some platforms' dialogs match
// patterns case by case.
QString picturesFilter();

// The filters in the order offered: the pictures first, then the one that shows every file.
QStringList filters();

// The folder the dialog opens in: the one last used during this run, else the user's Pictures
// folder, else the home folder.
QString startFolder(const QString& lastUsed);

} // namespace OpenDialogChoices
