#pragma once

#include "Rect.h"

struct PrintShared;

// Paper lengths are in hundredths of a millimetre, as the page set-up reports them; only their
// ratios matter, so the same numbers place the margins on the small preview and on a page of
// thousands of printer pixels.
struct PageMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    friend constexpr bool operator==(const PageMargins&, const PageMargins&) = default;
};

// The paper chosen in the page set-up. Size and orientation last for the whole run; the margins
// go back to kDefaultMargin each time the print dialog opens.
struct PaperSetup {
    static constexpr int kA4 = 9;       // the printer paper code of A4
    static constexpr int kPortrait = 1; // printer orientation codes
    static constexpr int kLandscape = 2;
    static constexpr int kDefaultMargin = 1000; // 10 mm

    int paperSizeCode = kA4;
    int paperOrientation = kPortrait;
    int paperWidth = 21000;
    int paperHeight = 29700;
    PageMargins margins;
};

namespace PrintGeometry {

// Where the preview draws the paper, in print dialog pixels.
inline constexpr Rect kPreviewArea{20, 20, 600, 600};
// The black frame around the preview.
inline constexpr Rect kPreviewFrame{5, 5, 615, 615};

} // namespace PrintGeometry

// The part of a paper drawn at paper (on the preview or a whole printer page) that lies inside
// the margins.
Rect PrintableRect(const Rect& paper, const PaperSetup& setup);

// The paper fitted into the preview area, centred.
Rect PreviewPaperRect(const PaperSetup& setup);

// The four ways a picture of width x height pixels is fitted into the printable rectangle area.
// FitAspect: the largest rectangle of the picture's proportions, centred.
Rect FitAspect(int width, int height, const Rect& area);
// Spans the area's height unless the area is taller than wide and the picture too wide for it.
Rect FitCentred(int width, int height, const Rect& area);
// Spans the area's shorter side; may reach past the longer one.
Rect FitShortSide(int width, int height, const Rect& area);
// Spans the area's width; may reach past its height.
Rect FitFullWidth(int width, int height, const Rect& area);

// Where the picture of the shared print state goes inside printable: the one rule of the
// preview and of the page, so the preview shows exactly what prints. A framed picture turned
// by a quarter spans the short side, every other one is fitted by its proportions; whichever
// rule is chosen, the whole picture stays inside printable. Empty without a picture.
Rect PlacePrintPicture(const PrintShared& shared, const Rect& printable);
