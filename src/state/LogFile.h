#pragma once

#include <QString>

// The editor's diagnostic log: one line per call, appended to lumenkraft.log in the user's
// data folder.
namespace LogFile {

QString filePath();
void append(const QString& line);

} // namespace LogFile
