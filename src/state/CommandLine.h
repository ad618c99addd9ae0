#pragma once

#include <QString>
#include <QStringList>

// What the two programs make of their command lines beyond their own work: the --help and
// --version answers, and the picture a file manager or the menu entry hands the editor.
namespace CommandLine {

// "0.1.0", from the build.
QString version();

enum class InfoRequest { None, Help, Version };

// --help (or -h) and --version anywhere among the raw arguments, the first one found winning.
// Read straight from argv so the answer comes before any application object exists: neither
// question needs a display.
InfoRequest infoRequest(int argc, const char* const* argv);

// Writes text to standard output as UTF-8.
void print(const QString& text);

// The editor's answers.
QString editorHelp();
QString versionLine(const QString& program);

// The picture to open at start: the first argument after the program's own name that names an
// existing file of a type the program opens (PictureTypes), given as a path (relative ones
// against workingFolder) or as a file:// URL the way file managers pass them. Options, other
// URLs, names of missing files and of other types are passed over. Empty when there is none.
QString pictureArgument(const QStringList& arguments, const QString& workingFolder);

} // namespace CommandLine
