#pragma once

#include "Editor.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

#include <optional>

// Pictures, catalogues and waiting shared by the editor's tests.
namespace EditorTestFiles {

// The picture encoded as a JPEG file's bytes.
QByteArray jpegBytes(const QImage& image, bool progressive = false);

// The JPEG with an EXIF segment whose Orientation tag (1..8) says how to show its pixels.
QByteArray withOrientation(const QByteArray& jpeg, int orientation);

// The JPEG with another frame size in its header; the pixel data is left as it was.
QByteArray withFrameSize(const QByteArray& jpeg, int width, int height);

// The pixels to store so that a viewer applying orientation shows upright.
QImage storedForOrientation(const QImage& upright, int orientation);

void writeFile(const QString& path, const QByteArray& bytes);

// A real photo scaled to width x height: smooth enough to survive JPEG, and different from
// every turned or mirrored copy of itself.
QImage photo(int width, int height);

// A JPEG of photo(width, height) at path.
QString writePicture(const QString& path, int width, int height);

// Writes deploy/vuvedieffect.xml in dataFolder: one filter per entry, a one-step desaturation
// of that category, or a filter without steps where the entry is empty.
void writeFilterCatalogue(const QString& dataFolder, const QList<std::optional<QString>>& kinds);

// Points the editor's resource folder at a fresh folder of this test program and returns it.
QString freshDataFolder();

// A fresh resource folder with a one-step filter of each kind (as writeFilterCatalogue) and the
// lights and frames the program ships.
void makeLooksDataFolder(const QStringList& filterKinds);

// Collects the thumbnails an editor hands over, the way the window's filter list takes them.
class HandOvers : public QObject {
    Q_OBJECT
  public:
    explicit HandOvers(Editor& editor);
    QList<int> numbers;
    QStringList paths;
    // How many cells the editor's position map described when each cell arrived.
    QList<qsizetype> mapSizes;
};

// Waits until the editor's thumbnail run has ended and its end has been told (the window's
// editor as well as one of its own); false when it did not within timeoutMs.
bool waitForThumbnails(Editor& editor, int timeoutMs = 120000);

} // namespace EditorTestFiles
