#include "PntDialg.h"

#include "RasterIO.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QProgressBar>
#include <QPushButton>
#include <QtConcurrent>

namespace {

const QColor kDialogGround(43, 43, 46);

// The dark look of the main window, for the dialog's own controls.
QPalette darkPalette(QPalette palette) {
    const QColor text(230, 230, 230);
    palette.setColor(QPalette::Window, kDialogGround);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Button, QColor(68, 68, 72));
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::Base, QColor(30, 30, 32));
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Highlight, QColor(90, 130, 200));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(120, 120, 120));
    return palette;
}

int hundredths(double millimetres) {
    return qRound(millimetres * 100.0);
}

} // namespace

PntDialg::PntDialg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("printDialog"));
    setWindowTitle(QStringLiteral("Print"));
    setModal(true);
    setFixedSize(kSize);
    setPalette(darkPalette(palette()));
    setAutoFillBackground(false);

    struct Button {
        QPushButton* PntDialg::*member;
        const char* name;
        const char* text;
        QRect place;
    };
    const Button buttons[] = {
        {&PntDialg::printButton, "printButton", "Print", {640, 11, 75, 23}},
        {&PntDialg::pageSetButton, "pageSetButton", "PageSet", {640, 37, 75, 23}},
        {&PntDialg::cancelButton, "cancelButton", "Cancel", {640, 62, 75, 23}},
    };
    for (const Button& setup : buttons) {
        auto* button = new QPushButton(QString::fromLatin1(setup.text), this);
        button->setObjectName(QString::fromLatin1(setup.name));
        button->setGeometry(setup.place);
        button->setAutoDefault(false);
        this->*setup.member = button;
    }
    connect(printButton, &QPushButton::clicked, this, &PntDialg::onPrint);
    connect(pageSetButton, &QPushButton::clicked, this, &PntDialg::onPageSet);
    connect(cancelButton, &QPushButton::clicked, this, &PntDialg::reject);

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("printProgress"));
    m_progress->setGeometry(640, 96, 75, 18);
    m_progress->setTextVisible(false);
    m_progress->hide();
    connect(&m_job, &QFutureWatcher<PrintedPages>::finished, this, &PntDialg::jobFinished);

    showNotice = [this](const QString& text) {
        QMessageBox box(QMessageBox::Warning, windowTitle(), text, QMessageBox::Ok, this);
        box.setPalette(palette());
        box.exec();
    };
    m_printer.setDocName(QStringLiteral("Lumenkraft"));
}

PntDialg::~PntDialg() {
    m_job.waitForFinished();
}

void PntDialg::prepareOpening() {
    paper.margins = {PaperSetup::kDefaultMargin, PaperSetup::kDefaultMargin, PaperSetup::kDefaultMargin,
                     PaperSetup::kDefaultMargin};
    const double millimetres = PaperSetup::kDefaultMargin / 100.0;
    m_printer.setPageMargins(QMarginsF(millimetres, millimetres, millimetres, millimetres),
                             QPageLayout::Millimeter);
    const PrintShared& shared = PrintShared::instance();
    // An overlay that cannot be loaded leaves the picture unframed, on the preview and on paper.
    const QImage overlay = shared.printFrameMode == 0 && !shared.printOverlayPath.isEmpty()
                               ? RasterIO::load(shared.printOverlayPath)
                               : QImage();
    m_content = PrintContent::of(shared, overlay);
    update();
}

int PntDialg::DoModal() {
    prepareOpening();
    return exec();
}

void PntDialg::takePageLayout(const QPageLayout& layout) {
    const QRectF sheet = layout.fullRect(QPageLayout::Millimeter);
    const QMarginsF margins = layout.margins(QPageLayout::Millimeter);
    paper.paperWidth = hundredths(sheet.width());
    paper.paperHeight = hundredths(sheet.height());
    paper.margins = {hundredths(margins.left()), hundredths(margins.top()), hundredths(margins.right()),
                     hundredths(margins.bottom())};
    paper.paperOrientation =
        layout.orientation() == QPageLayout::Landscape ? PaperSetup::kLandscape : PaperSetup::kPortrait;
    paper.paperSizeCode = layout.pageSize().windowsId();
    update();
}

void PntDialg::onPageSet() {
    if (printing())
        return;
    QPageSetupDialog dialog(&m_printer, this);
    dialog.setPalette(palette());
    if (dialog.exec() == QDialog::Accepted)
        takePageLayout(m_printer.pageLayout());
    repaint();
}

void PntDialg::onPrint() {
    if (printing())
        return;
    m_printer.setCollateCopies(true);
    QPrintDialog dialog(&m_printer, this);
    dialog.setPalette(palette());
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
    // Printing to a PDF file is what a machine without a printer can do.
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The print dialog may have changed the paper; the preview and the page follow it.
    takePageLayout(m_printer.pageLayout());
    repaint();
    // Every copy is a page of its own; the spooler must not multiply them again.
    const int copies = m_printer.copyCount();
    m_printer.setCopyCount(1);
    startPrintJob(copies);
}

void PntDialg::startPrintJob(int copies) {
    if (printing())
        return;
    PrintJob job;
    job.paper = paper;
    job.content = m_content;
    job.copies = copies;
    job.picture = pictureSupplier;
    if (!job.picture)
        job.picture = [content = m_content](const QSize& largest) {
            return composeScreenPicture(content, largest);
        };
    job.progress = [this](int done, int total) {
        QMetaObject::invokeMethod(
            this,
            [this, done, total] {
                m_progress->setRange(0, total);
                m_progress->setValue(done);
            },
            Qt::QueuedConnection);
    };
    setBusy(true);
    m_progress->setRange(0, 0);
    m_job.setFuture(QtConcurrent::run([this, job] { return printPages(m_printer, job); }));
}

void PntDialg::jobFinished() {
    const PrintedPages printed = m_job.result();
    pagePrintRect = printed.pagePrintRect;
    setBusy(false);
    if (!printed.succeeded && showNotice)
        showNotice(QStringLiteral("The picture could not be printed."));
    emit printFinished(printed.succeeded);
}

void PntDialg::setBusy(bool busy) {
    for (QPushButton* button : {printButton, pageSetButton, cancelButton})
        button->setEnabled(!busy);
    m_progress->setVisible(busy);
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void PntDialg::reject() {
    // The job paints onto this dialog's printer until it ends.
    if (!printing())
        QDialog::reject();
}

void PntDialg::closeEvent(QCloseEvent* event) {
    if (printing())
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void PntDialg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kDialogGround);
    const PrintPreview preview = paintPrintPreview(painter, paper, m_content);
    previewPaperRect = preview.paper;
    previewPrintRect = preview.printable;
}
