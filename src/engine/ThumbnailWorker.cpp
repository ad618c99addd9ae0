#include "ThumbnailWorker.h"

#include "EffectCatalogue.h"
#include "LookRendering.h"
#include "MagickBridge.h"
#include "MagickSession.h"
#include "WorkFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <vector>

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

// The reduced source as every filter of the run starts from it: read back from "wl.jpg", so a
// thumbnail shows exactly what a look clicked on that file would.
WandPtr readReducedSource(const char* routine) {
    WandPtr wand = newWand();
    if (!readPicture(wand.get(), WorkFiles::path(WorkFiles::kReducedSource), routine, __LINE__))
        return nullptr;
    return wand;
}

int poolSize(const ThumbnailRequest& request, int filterCount) {
    const int threads = request.threads > 0 ? request.threads : QThread::idealThreadCount();
    return std::clamp(filterCount, 1, std::max(1, threads));
}

// Renders the filters of one run on a pool of threads, each filter on a copy of its own of the
// reduced source, and hands the thumbnails over in the order the filters were added: a filter
// finished early waits for those before it.
//
// The thread that adds the filters (the worker's) is one of the pool and the only one that hands
// over. It renders the first filter itself, so the first thumbnail comes without waiting for
// another thread to be scheduled, and once every filter is added it renders whatever nobody has
// started instead of waiting; a pool of one is the plain single-thread run. The other threads
// never wait for the consumer: a hand-over blocked on a window that is closing holds up no
// filter, and the stop reaches every one.
class ThumbnailPool {
  public:
    ThumbnailPool(MagickWand* source, int threads, const ThumbReadyFn& thumbReady,
                  const std::atomic<bool>* stopRequested)
        : m_source(source), m_thumbReady(thumbReady), m_stopRequested(stopRequested), m_threadCount(threads) {
        for (int i = 1; i < threads; ++i)
            m_helpers.emplace_back([this] { help(); });
    }

    // Stops what is still going at its next step and waits for the pool's threads.
    ~ThumbnailPool() {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_closed = true;
        }
        m_changed.notify_all();
        for (std::thread& thread : m_helpers)
            thread.join();
    }
    ThumbnailPool(const ThumbnailPool&) = delete;
    ThumbnailPool& operator=(const ThumbnailPool&) = delete;

    // Queues filter number (1-based) after those added before it.
    void add(int number, const FilterLook& look) {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_filters.push_back(Filter{number, look, Filter::Waiting});
        }
        m_changed.notify_all();
    }

    // Hands over the thumbnails finished so far that no earlier one waits for (rendering the first
    // filter first); returns at the first thumbnail not finished yet.
    void handOverFinished() { handOver(false); }

    // Once every filter is added: waits for them all, handing their thumbnails over. True when
    // every filter was rendered and no stop was requested.
    bool finish() {
        handOver(true);
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_allRendered && !stopped(m_stopRequested);
    }

  private:
    struct Filter {
        int number;
        FilterLook look;
        enum { Waiting, Rendered, Failed } state;
    };

    // The first filter runs alone, on the thread that hands over, with the library's own
    // threads, so that the first thumbnail comes as soon as a single thread would make it; then
    // the rest share the cores, one filter to a core.
    bool mayStart() const { return m_firstDone && m_nextStart < m_filters.size(); }

    void handOver(bool waitForAll) {
        std::unique_lock<std::mutex> lock(m_mutex);
        while (m_nextHandOver < m_filters.size()) {
            const Filter& next = m_filters[m_nextHandOver];
            if (next.state == Filter::Waiting) {
                if (m_nextStart == 0)
                    renderNext(lock);
                else if (!waitForAll)
                    return;
                // Rather than wait, this thread renders a filter nobody has started yet.
                else if (mayStart())
                    renderNext(lock);
                else
                    m_changed.wait(lock);
                continue;
            }
            ++m_nextHandOver;
            // A stopped run is not seen any more; what it finished stays unannounced.
            if (stopped(m_stopRequested) || next.state != Filter::Rendered)
                continue;
            const QString path = WorkFiles::thumbnailPath(next.number);
            const int number = next.number;
            lock.unlock();
            if (m_thumbReady)
                m_thumbReady(path, number);
            lock.lock();
        }
    }

    void help() {
        std::unique_lock<std::mutex> lock(m_mutex);
        for (;;) {
            m_changed.wait(lock, [this] { return mayStart() || m_closed; });
            if (!mayStart())
                return;
            renderNext(lock);
        }
    }

    // Renders the next filter to start; called and returns with the lock held.
    void renderNext(std::unique_lock<std::mutex>& lock) {
        const bool first = m_nextStart == 0;
        // The deque keeps its elements in place as filters are added.
        Filter& filter = m_filters[m_nextStart++];
        // The copies share the source's pixels until they change them; the library guards that
        // sharing, the lock guards the source itself, which is copied one copy at a time.
        WandPtr image(CloneMagickWand(m_source));
        lock.unlock();
        const bool rendered = render(filter, image.get());
        image.reset();
        lock.lock();
        filter.state = rendered ? Filter::Rendered : Filter::Failed;
        m_allRendered = m_allRendered && rendered;
        if (first) {
            m_firstDone = true;
            // A pool of one leaves the library its threads: they have the other cores to
            // themselves.
            if (m_threadCount > 1)
                m_oneThreadEach.emplace();
        }
        m_changed.notify_all();
    }

    // With a routing of the filter's own: the thumbnail route writes a/<n>.jpg, and with no
    // thumbReady there the hand-over is left to handOver.
    bool render(const Filter& filter, MagickWand* image) const {
        if (stopped(m_stopRequested))
            return false;
        EffectRouting routing;
        routing.renderTarget = RenderToThumbnail;
        return runFilterSteps(routing, filter.look, filter.number, image,
                              [this](int, int) { return !stopped(m_stopRequested); });
    }

    MagickWand* m_source;
    const ThumbReadyFn& m_thumbReady;
    const std::atomic<bool>* m_stopRequested;
    const int m_threadCount;
    // Held from the end of the first filter until the pool is gone.
    std::optional<MagickOneThreadPerOperation> m_oneThreadEach;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Filter> m_filters;
    size_t m_nextStart = 0;
    size_t m_nextHandOver = 0;
    bool m_closed = false;
    bool m_firstDone = false;
    bool m_allRendered = true;
    std::vector<std::thread> m_helpers;
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
    const WandPtr source = makeReducedSource(request, routine) ? readReducedSource(routine) : nullptr;
    std::optional<ThumbnailPool> pool;
    if (source)
        pool.emplace(source.get(), poolSize(request, filterCount), thumbReady, stopRequested);

    for (int i = 1; i <= filterCount; ++i) {
        const int stepCount = reader.beginFilter(i);
        FilterLook look;
        for (int j = 1; j <= stepCount; ++j) {
            if (stopped(stopRequested))
                return false;
            look.steps.append(reader.readStep(j));
        }
        catalogues.filterLooks.append(look);
        // A filter without steps never gets a thumbnail file, so it names none.
        const QString thumbPath = stepCount > 0 ? WorkFiles::thumbnailPath(i) : QString();
        catalogues.filterThumbs.append(ThumbEntry{reader.currentKind(), i, thumbPath});
        if (pool && stepCount > 0) {
            pool->add(i, look);
            pool->handOverFinished();
        }
    }
    return pool && pool->finish();
}

bool self_DrawThread2(const ThumbnailRequest& request, const Catalogues& catalogues,
                      const ThumbReadyFn& thumbReady, const std::atomic<bool>* stopRequested) {
    static constexpr const char* routine = "self_DrawThread2";
    WorkFiles::ensureWorkFolder(QString::fromLatin1(WorkFiles::kThumbFolder));
    if (!makeReducedSource(request, routine))
        return false;
    const WandPtr source = readReducedSource(routine);
    if (!source)
        return false;

    const int filterCount = int(catalogues.filterLooks.size());
    ThumbnailPool pool(source.get(), poolSize(request, filterCount), thumbReady, stopRequested);
    for (int i = 1; i <= filterCount; ++i)
        if (!catalogues.filterLooks[i - 1].steps.isEmpty())
            pool.add(i, catalogues.filterLooks[i - 1]);
    return pool.finish();
}

ThumbnailWorker::ThumbnailWorker(Catalogues& catalogues, std::atomic<bool>& workerBusy, QObject* parent)
    : BackgroundJob(workerBusy, parent), m_catalogues(catalogues) {}

ThumbnailWorker::~ThumbnailWorker() {
    // The run reads the catalogues this object refers to.
    stopSilently();
}

bool ThumbnailWorker::start(const ThumbnailRequest& request, bool readCatalogue, ThumbReadyFn thumbReady) {
    return launch([this, request, readCatalogue,
                   thumbReady = std::move(thumbReady)](const std::atomic<bool>& stopRequested) {
        return readCatalogue ? self_DrawThread(request, m_catalogues, thumbReady, &stopRequested)
                             : self_DrawThread2(request, m_catalogues, thumbReady, &stopRequested);
    });
}
