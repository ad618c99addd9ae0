#pragma once

#include <QImage>
#include <QString>

#include <functional>

struct EditState;

// Turns a picture clockwise by a multiple of 90 degrees (0 and 360 leave it as it is). The
// result is exactly the source turned: same pixels, no canvas showing along any edge.
QImage turnPicture(const QImage& source, int angle);

// Writes the four turned copies of the preview (save_rot0/90/180/270.jpg) that looks start
// from, and leaves rotationAngle at 360. The preview is passed in when the caller already has
// it decoded; otherwise it is read from currentImagePath. False when a copy could not be
// written.
bool makeRotatedCopies(EditState& state, const QImage& preview);
bool makeRotatedCopies(EditState& state);

// The same four copies, each written to pathFor(its angle: 360, 270, 180, 90); false as soon as
// one cannot be written.
bool writeRotatedCopies(const QImage& preview, const std::function<QString(int angle)>& pathFor);
