#pragma once

#include "PrintGeometry.h"
#include "PrintPainting.h"

#include <QSize>

#include <functional>

class QPagedPaintDevice;

// Makes the printed picture (turned, mirrored, with its look and frame) no larger than largest,
// in page pixels: the place it gets on the page, so it is rendered at the printer's resolution
// and no finer. Null when it cannot be made. Called once per job, on the job's thread.
using PrintPictureSupplier = std::function<QImage(const QSize& largest)>;

struct PrintJob {
    PaperSetup paper;
    // What the preview showed; the picture is placed on the page by the same rule.
    PrintContent content;
    int copies = 1;
    PrintPictureSupplier picture;
    // Called on the job's thread after each step: the picture, then every page.
    std::function<void(int done, int total)> progress;
};

struct PrintedPages {
    bool succeeded = false;
    Rect pagePrintRect; // the printable rectangle of the whole sheet, in device pixels
    Rect pictureRect;   // where the picture went
    QSize pictureSize;  // the pixels the supplier gave for it
    int pages = 0;
};

// Prints one page per copy onto device (a printer or a PDF writer): white sheets measured whole,
// margins as the paper set-up has them, the picture at its placed rectangle. Fails when the
// device cannot be started, a page cannot be added, or the picture cannot be made.
PrintedPages printPages(QPagedPaintDevice& device, const PrintJob& job);
