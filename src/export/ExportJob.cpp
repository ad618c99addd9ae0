#include "ExportJob.h"

#include "ExportFile.h"

#include <memory>

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

ExportJob::ExportJob(std::atomic<bool>& busy, QObject* parent) : BackgroundJob(busy, parent) {}

ExportJob::~ExportJob() {
    // Nothing is written for an export stopped here.
    stopSilently();
}

bool ExportJob::start(ExportRequest request) {
    auto outcome = std::make_shared<ExportOutcome>();
    return launch(
        [this, request = std::move(request), outcome](const std::atomic<bool>& stopRequested) {
            RenderControl control;
            control.cancel = &stopRequested;
            control.progress = [this](const RenderProgress& progress) {
                post([this, progress] { emit progressed(progress.stage, progress.fraction); });
            };
            *outcome = runExport(request, control);
            return outcome->succeeded();
        },
        [this, outcome] { emit finished(*outcome); });
}

void ExportJob::cancel() {
    requestStop();
}
