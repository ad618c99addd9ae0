#pragma once

#include "EditState.h"
#include "PreviewDecoder.h"

#include <QSize>
#include <QString>

#include <optional>

// Where a picture came from. The open dialog accepts any file; a drop only names of the types
// the program opens (PictureTypes::isPictureName).
enum class IntakeSource { OpenDialog, Drop };

// The steps that make a user's file the working picture, in the order intake runs them. Each
// works on the editing state alone, so the editor and its tests can run them without a window.
namespace Intake {

// The working files of a picture as intake wrote them.
struct WorkingFiles {
    QString copyPath;    // the byte copy of the user's file
    QString previewPath; // the picture the editor works on: the copy itself, or newthumbfile.jpg
};

// Writes every working file of a new picture: the byte copy of userPath under the name
// copyCounter chooses (newfile1.jpg when odd, newfile.jpg when even); the preview file, unless
// the copy can stand for it (the picture fits the view directly, is stored upright and in sRGB,
// and holds one frame); and the four turned copies of the preview. Either all of them then
// replace those of the picture before, whose byte copy is removed, or nothing in the working
// folder changes and problem says why in words, naming the folder.
std::optional<WorkingFiles> writeWorkingFiles(const QString& userPath, const DecodedPreview& decoded,
                                              int copyCounter, QString* problem);

// Points the working, committed and effect-base paths at the preview.
void setWorkingPaths(EditState& state, const QString& previewPath);

// Fits the preview into the view and the compare halves, and derives the scales between
// screen, preview and full-size pixels. Opens the crop tool's rectangles anew.
void resetGeometry(EditState& state, const QSize& previewSize, const QSize& sourceSize);

// Unturned and unmirrored, in the editor and in the print copies alike.
void resetOrientation(EditState& state);

// No filter and no light chosen, and none of their cached results; the frame stays.
void dropFilterAndLight(EditState& state);
// No look: no filter, light or frame chosen, no cached result of the previous picture.
void resetLook(EditState& state);

// A picture is loaded, no tool is open, the view draws rasters rather than a file.
void resetTools(EditState& state);

// The rasters the view, rotation and printing start from, all the preview in memory.
void loadRasters(EditState& state, const QImage& preview);

} // namespace Intake
