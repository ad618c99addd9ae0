#pragma once

#include "EditState.h"
#include "PreviewDecoder.h"

#include <QSize>
#include <QString>

// Where a picture came from. The open dialog accepts any file; a drop only names with a
// picture extension.
enum class IntakeSource { OpenDialog, Drop };

// The steps that make a user's file the working picture, in the order intake runs them. Each
// works on the editing state alone, so the editor and its tests can run them without a window.
namespace Intake {

// The extension test of a drop: the text after the last dot of the file name, compared
// case-sensitively with jpg, JPG, bmp, BMP, png, PNG, gif, GIF, tiff, TIFF, jpeg, JPEG. A name
// without a dot, or whose only dot is its first character, is no picture.
bool isPictureName(const QString& path);

// Deletes both earlier copies, counts the intake and copies the user's file byte for byte to
// newfile1.jpg (odd count) or newfile.jpg (even count). Sets sourceCopyPath.
void copySource(EditState& state, const QString& userPath);

// The preview file: the copy itself when the picture fits the view directly and is stored
// upright and in sRGB; otherwise the decoded preview written as newthumbfile.jpg. Returns its path.
QString writePreviewFile(const DecodedPreview& decoded, const QString& copyPath);

// Points the working, committed and effect-base paths at the preview.
void setWorkingPaths(EditState& state, const QString& previewPath);

// Fits the preview into the view and the compare halves, and derives the scales between
// screen, preview and full-size pixels. Opens the crop tool's rectangles anew.
void resetGeometry(EditState& state, const QSize& previewSize, const QSize& sourceSize);

// Unturned and unmirrored, in the editor and in the print copies alike.
void resetOrientation(EditState& state);

// No look: no filter, light or frame chosen, no cached result of the previous picture.
void resetLook(EditState& state);

// A picture is loaded, no tool is open, the view draws rasters rather than a file.
void resetTools(EditState& state);

// The rasters the view, rotation and printing start from, all the preview in memory.
void loadRasters(EditState& state, const QImage& preview);

} // namespace Intake
