#pragma once

#include "CatalogTypes.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <thread>

// What a thumbnail run renders from: plain values copied when it starts, so the worker never
// reads the window's state from its thread.
struct ThumbnailRequest {
    QString picturePath; // the preview (currentImagePath)
    int previewWidth = 0;
    int previewHeight = 0;
    QString cataloguePath; // read only by the first run of the process
};

// Called on the worker thread for each finished thumbnail (its file a/<n>.jpg and the filter
// number n); returns only once the consumer has taken it.
using ThumbReadyFn = std::function<void(const QString& thumbnailPath, int filterNumber)>;

// The first run of a process: reads the filter catalogue while rendering, appending to
// catalogues.filterLooks and filterThumbs, and renders each filter as soon as its steps are read.
bool self_DrawThread(const ThumbnailRequest& request, Catalogues& catalogues, const ThumbReadyFn& thumbReady);
// Later runs: re-render every filter from catalogues.filterLooks without reading the file.
bool self_DrawThread2(const ThumbnailRequest& request, const Catalogues& catalogues, const ThumbReadyFn& thumbReady);

// Runs one of the two on a thread of its own, one run at a time.
class ThumbnailWorker : public QObject {
    Q_OBJECT
public:
    ThumbnailWorker(Catalogues& catalogues, std::atomic<bool>& workerBusy, QObject* parent = nullptr);
    ~ThumbnailWorker() override; // waits for a run still going

    // The caller has set workerBusy. readCatalogue selects self_DrawThread.
    void start(const ThumbnailRequest& request, bool readCatalogue, ThumbReadyFn thumbReady);
    void wait();

signals:
    // Queued to the owner's thread once a run has ended and workerBusy is false again.
    void finished(bool succeeded);

private:
    Catalogues& m_catalogues;
    std::atomic<bool>& m_workerBusy;
    std::thread m_thread;
};
