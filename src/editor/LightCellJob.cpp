#include "LightCellJob.h"

#include "LightThumbnails.h"

LightCellJob::LightCellJob(std::atomic<bool>& busy, QObject* parent) : BackgroundJob(busy, parent) {}

LightCellJob::~LightCellJob() {
    stopSilently();
}

bool LightCellJob::start(const LightRecords& lights) {
    return launch([lights](const std::atomic<bool>& stopRequested) {
        return renderLightThumbnails(lights, stopRequested);
    });
}
