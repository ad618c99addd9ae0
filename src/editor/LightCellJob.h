#pragma once

#include "BackgroundJob.h"
#include "CatalogTypes.h"

// Draws the light cells on the user's picture once its filter thumbnails are done. It runs
// beside the editing, with a flag of its own rather than the editor's busy state: clicks, tools
// and exports go on meanwhile, and only a new thumbnail run, which replaces the reduced source
// it reads, stops it first.
class LightCellJob : public BackgroundJob {
    Q_OBJECT
  public:
    LightCellJob(std::atomic<bool>& busy, QObject* parent = nullptr);
    ~LightCellJob() override;

    // The lights are copied: an intake may read the catalogue again meanwhile.
    bool start(const LightRecords& lights);
};
