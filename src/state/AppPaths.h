#pragma once

#include <QString>

// The two roots of the program: resources (catalogues, artwork, control pictures) and the
// working folder where the editing pipeline keeps its files. Both end with "/".
namespace AppPaths {

// LUMENKRAFT_DATA_DIR if set; else the executable's folder when it holds deploy/ (the build
// tree); else ../share/lumenkraft/ beside the executable (the installed layout).
QString programFolder();

// The working folder for this process. LUMENKRAFT_WORK_DIR if set, else a per-user cache
// folder. Until claimWorkFolder() has run this is the base folder itself.
QString workFolder();

// Picks the working folder for a running editor and holds a lock on it for the life of the
// process, so that a second editor started meanwhile gets a folder of its own ("work-2", ...).
// Returns the folder chosen.
QString claimWorkFolder();

// Turns the backslashes of old catalogue paths into slashes.
QString fromCataloguePath(QString text);

} // namespace AppPaths
