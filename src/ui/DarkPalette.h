#pragma once

#include <QPalette>

// The colours of the window's own dark look, for the dialogs and message boxes it opens.
QPalette darkPalette();
