#pragma once

#include "BackgroundJob.h"
#include "CatalogTypes.h"
#include "EditRecipe.h"
#include "FullSizeRender.h"

#include <QString>

#include <atomic>

// Everything an export needs, copied when it starts: the worker never reads the editing state.
struct ExportRequest {
    EditRecipe recipe;
    Catalogues catalogues;
    QString target;
};

struct ExportOutcome {
    QString target;
    QString error;   // why nothing was written
    QString warning; // written, but something of the photo could not be kept
    bool cancelled = false;

    bool succeeded() const { return error.isEmpty() && !cancelled; }
};

// The whole export on the calling thread: the type is checked before any work, the picture is
// rendered at full size and written complete or not at all.
ExportOutcome runExport(const ExportRequest& request, const RenderControl& control = {});

// Runs one export at a time on a thread of its own.
class ExportJob : public BackgroundJob {
    Q_OBJECT
  public:
    // busy is raised while an export runs (EditState::exportBusy): intake, clicks, turns, crops
    // and a second export are refused meanwhile.
    explicit ExportJob(std::atomic<bool>& busy, QObject* parent = nullptr);
    ~ExportJob() override; // cancels an export still running and waits for it

    // Starts the export; false, with nothing started, while busy is raised.
    bool start(ExportRequest request);
    // Asks the export to stop at its next step; nothing is written then.
    void cancel();

  signals:
    // In the owner's thread: the stage the export has reached and how much of it is done (0..1).
    void progressed(const QString& stage, double fraction);
    // In the owner's thread, once the export has ended and busy is lowered (before ended).
    void finished(const ExportOutcome& outcome);
};
