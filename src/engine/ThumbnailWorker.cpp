#include "ThumbnailWorker.h"

#include "EffectCatalogue.h"
#include "EffectDispatch.h"
#include "LookRendering.h"
#include "MagickBridge.h"
#include "WorkFiles.h"
#include "WorkerJoin.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include <wand/MagickWand.h>

namespace {

bool stopped(const std::atomic<bool>* stopRequested) {
    return stopRequested && stopRequested->load();
}

// The picture shrunk once per run to a fifth of the preview in each direction ("wl.jpg"), so
// that every filter step works on 1/25 of the preview's pixels.
bool makeReducedSource(const ThumbnailRequest& request, const char* routine) {
    // Every filter of the run reads this file: one left over from an earlier picture must be
    // gone before anything can fail, or the thumbnails would quietly show that picture.
    const QString target = WorkFiles::path(WorkFiles::kReducedSource);
    QFile::remove(target);
    WandPtr wand = newWand();
    if (!readPicture(wand.get(), request.picturePath, routine, __LINE__))
        return false;
    const size_t columns = size_t(std::max(0, int(0.2 * request.previewWidth)));
    const size_t rows = size_t(std::max(0, int(0.2 * request.previewHeight)));
    // A preview under 5 pixels asks for a zero size, which the library refuses; the picture is
    // then used as it is.
    MagickAdaptiveResizeImage(wand.get(), columns, rows);
    if (MagickWriteImages(wand.get(), magickPath(target).constData(), MagickTrue) == MagickFalse) {
        reportMagickFailure(wand.get(), routine, __LINE__);
        return false;
    }
    // The library names the files of a picture with several frames after its frames instead.
    if (!QFileInfo(target).isFile()) {
        reportFailure(routine, __LINE__, qPrintable(QStringLiteral("cannot write %1").arg(target)));
        return false;
    }
    return true;
}

// One filter's thumbnail, rendered on "wl.jpg" step by step as the steps arrive. After a failed
// step (reported by whoever failed) the remaining steps are skipped and no thumbnail is made.
class FilterThumbnail {
  public:
    FilterThumbnail(EffectRouting& routing, int number, int stepCount, bool sourceReady, const char* routine)
        : m_routing(routing), m_number(number), m_stepCount(stepCount), m_ok(sourceReady) {
        if (!m_ok || stepCount == 0)
            return;
        m_image = newWand();
        m_second = newWand();
        m_ok = readPicture(m_image.get(), WorkFiles::path(WorkFiles::kReducedSource), routine, __LINE__);
    }

    void run(const EffectRecord& step, int position) {
        if (m_ok)
            m_ok = run_effect_function(m_routing, m_number, m_second.get(), step, m_stepCount, position,
                                       m_image.get());
    }

    bool succeeded() const { return m_ok; }

  private:
    EffectRouting& m_routing;
    int m_number;
    int m_stepCount;
    bool m_ok;
    WandPtr m_image;
    WandPtr m_second;
};

// The routing of one run: thumbnails only, handed over with the number of the filter being
// rendered. It is the run's own, so the worker never writes the window's fields.
struct ThumbnailRouting {
    EffectRouting routing;
    int filterNumber = 0;

    explicit ThumbnailRouting(const ThumbReadyFn& thumbReady) {
        routing.renderTarget = RenderToThumbnail;
        routing.thumbReady = [this, &thumbReady](const QString& path) {
            if (thumbReady)
                thumbReady(path, filterNumber);
        };
    }
    ThumbnailRouting(const ThumbnailRouting&) = delete;
    ThumbnailRouting& operator=(const ThumbnailRouting&) = delete;
};

} // namespace

bool self_DrawThread(const ThumbnailRequest& request, Catalogues& catalogues, const ThumbReadyFn& thumbReady,
                     const std::atomic<bool>* stopRequested) {
    static constexpr const char* routine = "self_DrawThread";
    EffectCatalogueReader reader(request.cataloguePath.isEmpty() ? EffectCatalogueReader::defaultPath()
                                                                 : request.cataloguePath);
    const int filterCount = reader.filterCount();
    WorkFiles::ensureWorkFolder(QString::fromLatin1(WorkFiles::kThumbFolder));
    // Without a source the catalogue is still read to the end: later runs render from memory and
    // would otherwise never see a filter.
    const bool sourceReady = makeReducedSource(request, routine);
    bool allRendered = sourceReady;

    ThumbnailRouting thumbnails(thumbReady);
    for (int i = 1; i <= filterCount; ++i) {
        const int stepCount = reader.beginFilter(i);
        thumbnails.filterNumber = i;
        FilterThumbnail thumbnail(thumbnails.routing, i, stepCount, sourceReady, routine);
        FilterLook look;
        for (int j = 1; j <= stepCount; ++j) {
            if (stopped(stopRequested))
                return false;
            const EffectRecord step = reader.readStep(j);
            thumbnail.run(step, j);
            look.steps.append(step);
        }
        catalogues.filterLooks.append(look);
        // A filter without steps never gets a thumbnail file, so it names none.
        const QString thumbPath = stepCount > 0 ? WorkFiles::thumbnailPath(i) : QString();
        catalogues.filterThumbs.append(ThumbEntry{reader.currentKind(), i, thumbPath});
        allRendered = allRendered && thumbnail.succeeded();
    }
    return allRendered && !stopped(stopRequested);
}

bool self_DrawThread2(const ThumbnailRequest& request, const Catalogues& catalogues,
                      const ThumbReadyFn& thumbReady, const std::atomic<bool>* stopRequested) {
    static constexpr const char* routine = "self_DrawThread2";
    WorkFiles::ensureWorkFolder(QString::fromLatin1(WorkFiles::kThumbFolder));
    if (!makeReducedSource(request, routine))
        return false;

    bool allRendered = true;
    ThumbnailRouting thumbnails(thumbReady);
    const int filterCount = int(catalogues.filterLooks.size());
    for (int i = 1; i <= filterCount; ++i) {
        const QList<EffectRecord>& steps = catalogues.filterLooks[i - 1].steps;
        const int stepCount = int(steps.size());
        thumbnails.filterNumber = i;
        FilterThumbnail thumbnail(thumbnails.routing, i, stepCount, true, routine);
        for (int j = 1; j <= stepCount; ++j) {
            if (stopped(stopRequested))
                return false;
            thumbnail.run(steps[j - 1], j);
        }
        allRendered = allRendered && thumbnail.succeeded();
    }
    return allRendered && !stopped(stopRequested);
}

ThumbnailWorker::ThumbnailWorker(Catalogues& catalogues, std::atomic<bool>& workerBusy, QObject* parent)
    : QObject(parent), m_catalogues(catalogues), m_workerBusy(workerBusy) {}

ThumbnailWorker::~ThumbnailWorker() {
    // Whoever owns the worker is going away: nobody is left to hear that the run ended.
    blockSignals(true);
    requestStop();
    wait();
}

void ThumbnailWorker::start(const ThumbnailRequest& request, bool readCatalogue, ThumbReadyFn thumbReady) {
    wait();
    m_stopRequested = false;
    m_running = true;
    const quint64 run = ++m_run;
    m_thread = std::thread([this, request, readCatalogue, run, thumbReady = std::move(thumbReady)] {
        const bool succeeded = readCatalogue
                                   ? self_DrawThread(request, m_catalogues, thumbReady, &m_stopRequested)
                                   : self_DrawThread2(request, m_catalogues, thumbReady, &m_stopRequested);
        m_workerBusy = false;
        // An intake may start the next run between here and the notice; the notice then speaks
        // of a run that is over and must not give back the buttons the new one holds.
        QMetaObject::invokeMethod(
            this,
            [this, succeeded, run] {
                if (run == m_run)
                    emit finished(succeeded);
            },
            Qt::QueuedConnection);
        m_running = false;
    });
}

void ThumbnailWorker::requestStop() {
    m_stopRequested = true;
}

void ThumbnailWorker::wait() {
    // The run may be blocked in a hand-over queued to this very thread.
    joinDelivering(m_thread, m_running);
}
