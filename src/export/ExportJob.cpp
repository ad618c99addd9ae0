#include "ExportJob.h"

#include "ExportFile.h"
#include "WorkerJoin.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace {

// The share of the progress bar the render takes; writing takes the rest.
constexpr double kRenderShare = 0.9;

} // namespace

ExportOutcome runExport(const ExportRequest& request, const RenderControl& control) {
    ExportOutcome outcome;
    outcome.target = request.target;
    // Known before any work: a long render must not end in "cannot write that".
    outcome.error = ExportFile::checkTarget(request.target);
    if (!outcome.error.isEmpty())
        return outcome;

    RenderControl renderControl = control;
    if (control.progress)
        renderControl.progress = [&](const RenderProgress& progress) {
            control.progress({progress.stage, progress.fraction * kRenderShare});
        };
    RenderedPicture rendered = renderFullSize(request.recipe, request.catalogues, renderControl);
    if (rendered.image.isNull()) {
        outcome.error = rendered.error;
        outcome.cancelled = rendered.cancelled;
        return outcome;
    }
    if (control.progress)
        control.progress({QStringLiteral("Writing"), kRenderShare});
    // Handed over: the encoder can reformat the only copy of the picture in place.
    const ExportFile::Written written =
        ExportFile::write(std::move(rendered.image), request.target, request.recipe.sourcePath);
    outcome.error = written.error;
    outcome.warning = written.warning;
    return outcome;
}

ExportJob::ExportJob(std::atomic<bool>& busy, QObject* parent) : QObject(parent), m_busy(busy) {}

ExportJob::~ExportJob() {
    // Nobody is left to hear how it ended.
    blockSignals(true);
    cancel();
    wait();
}

bool ExportJob::start(ExportRequest request) {
    bool idle = false;
    if (!m_busy.compare_exchange_strong(idle, true))
        return false;
    if (m_thread.joinable())
        m_thread.join();
    m_cancel = false;
    m_running = true;
    m_thread = std::thread([this, request = std::move(request)] {
        RenderControl control;
        control.cancel = &m_cancel;
        control.progress = [this](const RenderProgress& progress) {
            QMetaObject::invokeMethod(
                this, [this, progress] { emit progressed(progress.stage, progress.fraction); },
                Qt::QueuedConnection);
        };
        const ExportOutcome outcome = runExport(request, control);
        // Lowered where the outcome is handed over, so that the flag and what the owner shows
        // (controls held, progress drawn) never disagree.
        QMetaObject::invokeMethod(
            this,
            [this, outcome] {
                m_busy = false;
                emit finished(outcome);
            },
            Qt::QueuedConnection);
        m_running = false;
    });
    return true;
}

void ExportJob::cancel() {
    m_cancel = true;
}

void ExportJob::wait() {
    if (!m_thread.joinable())
        return;
    joinDelivering(m_thread, m_running);
    // The outcome is queued behind the export's end; hand it over before returning.
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_busy = false;
}
