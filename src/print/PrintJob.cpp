#include "PrintJob.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>

PrintedPages printPages(QPagedPaintDevice& device, const PrintJob& job) {
    PrintedPages printed;
    const int copies = std::max(job.copies, 1);
    const int steps = copies + 1;
    const auto report = [&](int done) {
        if (job.progress)
            job.progress(done, steps);
    };

    // Margins are ours, measured from the edge of the sheet, so paint on the whole sheet.
    const QPageLayout original = device.pageLayout();
    QPageLayout wholeSheet = original;
    wholeSheet.setMode(QPageLayout::FullPageMode);
    device.setPageLayout(wholeSheet);
    const QRect sheet = wholeSheet.fullRectPixels(device.logicalDpiX());
    printed.pagePrintRect = PrintableRect(Rect{0, 0, sheet.width(), sheet.height()}, job.paper);
    printed.pictureRect = PlacePrintPicture(job.content.shared, printed.pagePrintRect);

    QImage picture;
    if (!printed.pictureRect.isEmpty()) {
        picture = job.picture ? job.picture(printed.pictureRect.toQRect().size()) : QImage();
        if (picture.isNull()) {
            device.setPageLayout(original);
            return printed;
        }
        printed.pictureSize = picture.size();
    }
    report(1);

    QPainter painter;
    bool succeeded = painter.begin(&device);
    if (succeeded) {
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                               QPainter::SmoothPixmapTransform);
        for (int copy = 0; copy < copies && succeeded; ++copy) {
            if (copy > 0 && !device.newPage()) {
                succeeded = false;
                break;
            }
            painter.fillRect(QRect(QPoint(0, 0), sheet.size()), Qt::white);
            if (!picture.isNull())
                painter.drawImage(printed.pictureRect.toQRectF(), picture);
            ++printed.pages;
            report(1 + printed.pages);
        }
        // Ending the document is what writes the file or hands it to the spooler.
        succeeded = painter.end() && succeeded;
    }
    device.setPageLayout(original);
    printed.succeeded = succeeded;
    return printed;
}
