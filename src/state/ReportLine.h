#pragma once

#include <QString>

// The one line a failure leaves on standard error: "veZirDlg <routine> <line> <description>",
// written whole, so lines of several threads never run into each other. For a failure that is
// not the image library's (a file that cannot be written or read).
void reportFailure(const char* routine, unsigned long line, const char* description);
// The same line, written only the first time this description is reported in this process: a
// fault of a file read again and again (a catalogue, at every picture) is told once.
void reportFailureOnce(const char* routine, unsigned long line, const QString& description);
