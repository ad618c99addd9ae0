#pragma once

#include <QString>

// The names the export proposes.
namespace ExportNaming {

// The stem of fullSizePath followed by "_lumenkraft.jpg". The stem is the file name cut before
// its first dot ("beach.day.jpg" gives "beach"); a name without a dot, or a path without a
// folder, gives an empty stem. After a crop the full-size picture is the working file
// "a/source_cut.jpg", which proposes "source_cut_lumenkraft.jpg".
QString defaultName(const QString& fullSizePath);

// Where the save dialog opens: the folder of the last export, or before any export the folder
// of the user's photo.
QString dialogFolder(const QString& lastExportFolder, const QString& photoPath);

} // namespace ExportNaming
