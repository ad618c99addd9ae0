#pragma once

#include "Rect.h"

#include <QImage>
#include <QString>

// Shared helpers of the test programs.
namespace TestSupport {

// A file of tests/data.
QString dataFile(const QString& name);

// The build tree's bin/ folder (executables and runtime data).
QString binFolder();

// Empties the working folder of this test program (LUMENKRAFT_WORK_DIR) and returns it, with "/".
QString freshWorkFolder();

// A picture with structure in every direction and every channel (gradients, a disc, stripes),
// so that operations and turns show up in its pixels. Opaque unless withAlpha.
QImage makePicture(int width, int height, bool withAlpha = false);

// Largest difference of any channel of any pixel; -1 when the sizes differ.
int maxChannelDifference(const QImage& a, const QImage& b);

// Mean absolute difference over all channels, 0..255; -1 when the sizes differ.
double meanDifference(const QImage& a, const QImage& b);

// Root mean square difference of the red, green and blue samples, 0..1 of the full range; -1
// when the sizes differ.
double rmseDifference(const QImage& a, const QImage& b);

} // namespace TestSupport

// How QCOMPARE shows a rectangle that differs: (left, top, right, bottom).
char* toString(const Rect& rect);
