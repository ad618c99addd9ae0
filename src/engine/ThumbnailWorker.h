#pragma once

#include "BackgroundJob.h"
#include "CatalogTypes.h"

#include <QString>

#include <atomic>
#include <functional>

// What a thumbnail run renders from: plain values copied when it starts, so the worker never
// reads the window's state from its thread.
struct ThumbnailRequest {
    QString picturePath; // the preview (currentImagePath)
    int previewWidth = 0;
    int previewHeight = 0;
    QString cataloguePath; // read only by the first run of the process
    // How many filters are rendered at once; 0 for one per core. The thumbnails are the same
    // whatever the number.
    int threads = 0;
};

// Called on the worker thread for each finished thumbnail (its file a/<n>.jpg and the filter
// number n), in catalogue order; returns only once the consumer has taken it. Meanwhile the
// filters after it go on rendering.
using ThumbReadyFn = std::function<void(const QString& thumbnailPath, int filterNumber)>;

// The first run of a process: reads the filter catalogue while rendering, appending to
// catalogues.filterLooks and filterThumbs, and starts each filter as soon as its steps are read.
// Every filter gets its entry, so positions stay catalogue numbers minus one; a filter without
// steps gets no thumbnail, no hand-over and an empty thumbPath. When the picture cannot be read
// the catalogue is still read in full (later runs render from it) and the run returns false.
//
// Both runs render request.threads filters at once, each on its own copy of the reduced picture,
// and hand the thumbnails over in catalogue order, each as soon as it and those before it are
// done. They return false when the picture or a filter could not be rendered (each failure is
// reported on standard error) or when stopRequested was raised; stopRequested is looked at
// between steps, nothing is handed over once it is seen, and a run stopped early leaves the
// collections with only the filters read by then.
bool self_DrawThread(const ThumbnailRequest& request, Catalogues& catalogues, const ThumbReadyFn& thumbReady,
                     const std::atomic<bool>* stopRequested = nullptr);
// Later runs: re-render every filter from catalogues.filterLooks without reading the file.
bool self_DrawThread2(const ThumbnailRequest& request, const Catalogues& catalogues,
                      const ThumbReadyFn& thumbReady, const std::atomic<bool>* stopRequested = nullptr);

// Runs one of the two on a thread of its own, one run at a time; ended(succeeded) tells how it
// went.
class ThumbnailWorker : public BackgroundJob {
    Q_OBJECT
  public:
    // workerBusy is raised while a run goes: intake, clicks and the filter categories wait.
    ThumbnailWorker(Catalogues& catalogues, std::atomic<bool>& workerBusy, QObject* parent = nullptr);
    ~ThumbnailWorker() override; // stops a run still going at its next safe point and waits for it

    // readCatalogue selects self_DrawThread. False, with nothing started, while workerBusy is
    // raised.
    bool start(const ThumbnailRequest& request, bool readCatalogue, ThumbReadyFn thumbReady);

  private:
    Catalogues& m_catalogues;
};
