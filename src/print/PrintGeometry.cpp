#include "PrintGeometry.h"

#include "PrintShared.h"

#include <cmath>

namespace {

// Integer products of picture and page sizes: a 1200 dpi page times a large picture side would
// overflow 32 bits.
int scaled(int length, int numerator, int denominator) {
    return int(qint64(length) * numerator / denominator);
}

// A rectangle of width x height centred on the area's centre (integer halves, as the page uses).
Rect centredIn(const Rect& area, int width, int height) {
    const int cx = (area.left + area.right) / 2;
    const int cy = (area.top + area.bottom) / 2;
    const int left = cx - width / 2;
    const int top = cy - height / 2;
    return {left, top, left + width, top + height};
}

bool pictureHasSize(int width, int height) {
    return width > 0 && height > 0;
}

bool inside(const Rect& inner, const Rect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

} // namespace

Rect PrintableRect(const Rect& paper, const PaperSetup& setup) {
    if (setup.paperWidth <= 0 || setup.paperHeight <= 0)
        return paper;
    const double width = paper.width();
    const double height = paper.height();
    const double w = setup.paperWidth;
    const double h = setup.paperHeight;
    const PageMargins& m = setup.margins;
    return {int(std::trunc(paper.left + m.left / w * width)), int(std::trunc(paper.top + m.top / h * height)),
            int(std::trunc(paper.right - m.right / w * width)),
            int(std::trunc(paper.bottom - m.bottom / h * height))};
}

Rect PreviewPaperRect(const PaperSetup& setup) {
    const Rect& area = PrintGeometry::kPreviewArea;
    Rect paper{0, 0, area.width(), area.height()};
    if (setup.paperWidth > 0 && setup.paperHeight > 0) {
        const int side = area.width();
        const double f = double(setup.paperWidth) / setup.paperHeight;
        if (f > 1.0) {
            const int h = int(std::trunc(side / f));
            paper = {0, (side - h) / 2, side, (side + h) / 2};
        } else if (f < 1.0) {
            const int w = int(std::trunc(f * side));
            paper = {(side - w) / 2, 0, (side + w) / 2, side};
        }
    }
    return {paper.left + area.left, paper.top + area.top, paper.right + area.left, paper.bottom + area.top};
}

Rect FitAspect(int width, int height, const Rect& area) {
    if (!pictureHasSize(width, height) || area.isEmpty())
        return {};
    const double f = double(width) / height;
    const int rw = area.width();
    const int rh = area.height();
    const double e = double(rw) / rh;
    if (e == f)
        return area;
    if (e < f) {
        const int h = int(std::trunc(rw / f));
        return {area.left, area.top + (rh - h) / 2, area.left + rw, area.top + (h + rh) / 2};
    }
    const int w = int(std::trunc(f * rh));
    return {area.left + (rw - w) / 2, area.top, area.left + (w + rw) / 2, area.top + rh};
}

Rect FitCentred(int width, int height, const Rect& area) {
    if (!pictureHasSize(width, height) || area.isEmpty())
        return {};
    const int rw = area.width();
    const int rh = area.height();
    const int w = scaled(rh, width, height);
    if (rh <= rw || w <= rw)
        return centredIn(area, w, rh);
    return centredIn(area, rw, scaled(rw, height, width));
}

Rect FitShortSide(int width, int height, const Rect& area) {
    if (!pictureHasSize(width, height) || area.isEmpty())
        return {};
    const int rw = area.width();
    const int rh = area.height();
    if (rh <= rw)
        return centredIn(area, scaled(rh, width, height), rh);
    return centredIn(area, rw, scaled(rw, height, width));
}

Rect FitFullWidth(int width, int height, const Rect& area) {
    if (!pictureHasSize(width, height) || area.isEmpty())
        return {};
    const int rw = area.width();
    return centredIn(area, rw, scaled(rw, height, width));
}

Rect PlacePrintPicture(const PrintShared& shared, const Rect& printable) {
    if (shared.printPicture.isNull())
        return {};
    const bool framed = shared.printFrameMode == 0 || shared.printFrameMode == 1;
    const bool quarterTurn = shared.printRotation == 90 || shared.printRotation == 270;
    // A frame is laid around the look at the look's own size; without a frame the look is
    // stretched over the picture's place, as the view draws it.
    const QImage& measured = framed && !shared.printLook.isNull() ? shared.printLook : shared.printPicture;
    const int width = measured.width();
    const int height = measured.height();
    const Rect placed =
        framed && quarterTurn ? FitShortSide(width, height, printable) : FitAspect(width, height, printable);
    // Spanning the short side can run past the long one (a turned wide picture on a tall page):
    // then the picture is fitted whole, never cut at the paper's edge.
    if (inside(placed, printable))
        return placed;
    return FitAspect(width, height, printable);
}
