#pragma once

#include "PrintGeometry.h"
#include "PrintShared.h"

#include <QImage>
#include <QSize>

class QPainter;

// Everything the print draws, taken when the print dialog opens: the shared picture state, the
// overlay picture of an overlay frame, and the nine-slice piece sizes at the scale of the screen
// rasters. A copy, so a print job can read it off the user-interface thread.
struct PrintContent {
    PrintShared shared;
    QImage overlay;     // frame mode 0; null when the picture cannot be loaded (no frame then)
    int cornerSize = 0; // frame mode 1: b and c, the corner and edge piece lengths
    int edgeLength = 0;

    // The pieces were cut for the full-size picture; printPieceScale is how much smaller the
    // screen raster is than that.
    static PrintContent of(const PrintShared& shared, const QImage& overlay);

    // The raster that is drawn: the look when there is one, else the plain picture.
    const QImage& raster() const {
        return shared.printLook.isNull() ? shared.printPicture : shared.printLook;
    }
};

// The raster framed by the nine-slice pieces at content's piece sizes and mirrored by its flags,
// composed at the raster's own size and drawn stretched into target.
void DrawFramed(QPainter& painter, const QImage& raster, const Rect& target, const PrintContent& content);

// The picture with its look, mirroring and frame, stretched into target.
void drawPrintPicture(QPainter& painter, const PrintContent& content, const Rect& target);

// Where the preview drew what.
struct PrintPreview {
    Rect paper;
    Rect printable;
    Rect picture; // empty without a picture
};

// The page preview inside PrintGeometry::kPreviewFrame: the paper, its printable rectangle
// (red, dashed) and the picture at the place the page gets it.
PrintPreview paintPrintPreview(QPainter& painter, const PaperSetup& paper, const PrintContent& content);

// The printed picture composed from the screen rasters exactly as the preview draws it, with the
// proportions of largest and never larger than the raster it is made from.
QImage composeScreenPicture(const PrintContent& content, const QSize& largest);
