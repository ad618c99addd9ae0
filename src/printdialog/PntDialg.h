#pragma once

#include "PrintGeometry.h"
#include "PrintJob.h"
#include "PrintPainting.h"

#include <QDialog>
#include <QFutureWatcher>
#include <QPrinter>

#include <functional>

class QPageLayout;
class QProgressBar;
class QPushButton;

// The print dialog: a preview of the page with the picture as it will print, the page set-up
// (paper, orientation, margins) and the print job. The main window keeps one for its whole life;
// paper and orientation stay from one opening to the next, the margins start at 10 mm each time.
class PntDialg : public QDialog {
    Q_OBJECT
  public:
    static constexpr QSize kSize{726, 622};

    explicit PntDialg(QWidget* parent = nullptr);
    // Waits for a print job still running: it paints onto this dialog's printer.
    ~PntDialg() override;

    // Takes the shared print state as it is now and shows the dialog modally.
    int DoModal();
    // What opening does before showing: margins back to 10 mm, the picture state taken.
    void prepareOpening();

    // The paper in hundredths of a millimetre, as the page set-up reports it.
    PaperSetup paper;
    // Where the last paint drew the paper and its printable part, in dialog pixels.
    Rect previewPaperRect;
    Rect previewPrintRect;
    // The printable part of the last printed page, in device pixels.
    Rect pagePrintRect;

    // Makes the printed picture at the page's resolution. Without one, the screen rasters are
    // composed as the preview shows them.
    PrintPictureSupplier pictureSupplier;
    // Tells the user a print failed; a message box unless replaced.
    std::function<void(const QString& text)> showNotice;

    QPushButton* printButton = nullptr;
    QPushButton* pageSetButton = nullptr;
    QPushButton* cancelButton = nullptr;

    // The printer both platform dialogs set up.
    QPrinter& printer() { return m_printer; }
    const PrintContent& content() const { return m_content; }
    bool printing() const { return m_job.isRunning(); }

    // Takes paper size, orientation and margins from a page layout the platform dialogs chose.
    void takePageLayout(const QPageLayout& layout);
    // Prints copies pages onto the printer as it is set up, on a worker thread; printFinished
    // follows. The dialog refuses to close meanwhile.
    void startPrintJob(int copies);

  signals:
    void printFinished(bool succeeded);

  public slots:
    // PageSet: the platform's page set-up; the preview follows at once.
    void onPageSet();
    // Print: the platform's print dialog, then the job.
    void onPrint();
    void reject() override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void setBusy(bool busy);
    void jobFinished();

    QPrinter m_printer{QPrinter::HighResolution};
    PrintContent m_content;
    QProgressBar* m_progress = nullptr;
    QFutureWatcher<PrintedPages> m_job;
};
