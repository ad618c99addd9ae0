// The export command of the main window: the save dialog, the controls an export keeps away,
// its progress over the picture area, and what the user is told at its end.

#include "CcsAllDlg.h"

#include "DarkPalette.h"
#include "ExportNaming.h"
#include "Recipe.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

// How long the window says where the file went.
constexpr int kNoticeMilliseconds = 5000;

const QString kTypeFilters =
    QStringLiteral("JPG (*.jpg *.jpeg *.jpe);;BMP (*.bmp);;PNG (*.png);;GIF (*.gif);;TIFF (*.tiff *.tif)");

} // namespace

void CcsAllDlg::setUpExport() {
    chooseExportPath = [this](const QString& folder, const QString& name) {
        return askExportPath(folder, name);
    };
    connect(&m_exportJob, &ExportJob::progressed, this, &CcsAllDlg::onExportProgress);
    connect(&m_exportJob, &ExportJob::finished, this, &CcsAllDlg::onExportFinished);
    m_noticeTimer.setSingleShot(true);
    m_noticeTimer.setInterval(kNoticeMilliseconds);
    connect(&m_noticeTimer, &QTimer::timeout, this, [this] {
        m_exportOverlay.clearNotice();
        invalidateView();
    });
}

QString CcsAllDlg::askExportPath(const QString& folder, const QString& name) {
    QFileDialog dialog(nullptr, QStringLiteral("Export"), QDir(folder).filePath(name), kTypeFilters);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // A name typed without an extension gets the chosen type's, a JPEG's at first; the overwrite
    // question stays on.
    dialog.setDefaultSuffix(QStringLiteral("jpg"));
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        const QRegularExpressionMatch first =
            QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filter);
        if (first.hasMatch())
            dialog.setDefaultSuffix(first.captured(1));
    });
    dialog.setPalette(darkPalette());
    dialog.setWindowIcon(appIcon);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

// What the controls come back to once no export holds them.
void CcsAllDlg::releaseExportControls() {
    applyToolControls(state().compareActive ? ToolControls::CompareOn : ToolControls::CompareOff);
    updateHistoryControls();
}

void CcsAllDlg::onExport() {
    // One export at a time, and none while the thumbnails of a new picture are rendered.
    if (m_editor.busy() || !state().imageLoaded)
        return;
    applyToolControls(ToolControls::Exporting);
    const QString folder = ExportNaming::dialogFolder(m_lastExportFolder, state().lastSourcePath);
    const QString target = chooseExportPath(folder, ExportNaming::defaultName(state().fullSizePath));
    ExportRequest request;
    request.recipe = recipeOf(state());
    request.catalogues = m_editor.catalogues();
    request.target = target;
    if (target.isEmpty() || !m_exportJob.start(std::move(request))) {
        releaseExportControls();
        return;
    }
    state().exportPath = target;
    m_lastExportFolder = QFileInfo(target).absolutePath();
    // The window goes on answering while the export runs; the cursor says that work goes on.
    QApplication::setOverrideCursor(Qt::BusyCursor);
    m_noticeTimer.stop();
    m_exportOverlay.start();
    // Undo, redo and the strength wait for the export like every command.
    updateHistoryControls();
    invalidateView();
}

void CcsAllDlg::onExportProgress(const QString& stage, double fraction) {
    m_exportOverlay.progress(stage, fraction);
    update(ExportOverlay::kArea);
}

void CcsAllDlg::onExportFinished(const ExportOutcome& outcome) {
    QApplication::restoreOverrideCursor();
    releaseExportControls();
    if (outcome.succeeded()) {
        m_exportOverlay.finish(
            QStringLiteral("Exported to %1").arg(QDir::toNativeSeparators(outcome.target)));
        m_noticeTimer.start();
    } else {
        m_exportOverlay.finish();
    }
    invalidateView();
    if (!outcome.error.isEmpty() && !outcome.cancelled)
        showNotice(QStringLiteral("The export failed: nothing was written, and a file already at that name "
                                  "is unchanged.\n\n%1")
                       .arg(outcome.error));
    else if (!outcome.warning.isEmpty())
        showNotice(QStringLiteral("The picture was exported to %1.\n\n%2")
                       .arg(QDir::toNativeSeparators(outcome.target), outcome.warning));
}
