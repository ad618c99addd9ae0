#pragma once

#include "Rect.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>

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

// How a program of the build's bin/ folder ended: its exit status (-1 when it crashed or did
// not end within five minutes), what it printed, and its standard error line by line.
struct ProgramRun {
    int exitCode = -1;
    QString out;
    QStringList errorLines;
};

// Runs program (a name in bin/, such as "lumenkraft-render") and waits for it. childSetup, when
// given, runs in the child before the program starts (to limit its resources, say).
ProgramRun runProgram(const QString& program, const QStringList& arguments,
                      const std::function<void()>& childSetup = {});

} // namespace TestSupport

// How QCOMPARE shows a rectangle that differs: (left, top, right, bottom).
char* toString(const Rect& rect);
