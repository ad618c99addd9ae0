// Thumbnail rendering of the shipped filter catalogue for a 1000 x 750 preview: one whole later
// run (the reduced source plus every filter, as a picture intake starts it), the first run that
// also reads the catalogue, and every filter on its own.
//
//   build/bench/bench_thumbnails [--benchmark_filter=...]
#include "BenchEnvironment.h"
#include "AppPaths.h"
#include "EffectCatalogue.h"
#include "LookRendering.h"
#include "MagickSession.h"
#include "RasterIO.h"
#include "ThumbnailWorker.h"
#include "WorkFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>

namespace {

constexpr int kPreviewWidth = 1000;
constexpr int kPreviewHeight = 750;

// Gradients, discs and fine stripes: structure in every channel, like a photograph, so no
// operation gets an unusually easy picture.
QImage benchPicture() {
    QImage image(kPreviewWidth, kPreviewHeight, QImage::Format_ARGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, kPreviewWidth, kPreviewHeight);
    sky.setColorAt(0, QColor(30, 70, 160));
    sky.setColorAt(1, QColor(240, 190, 120));
    painter.fillRect(image.rect(), sky);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 40; ++i) {
        painter.setBrush(QColor::fromHsv((i * 37) % 360, 160, 220, 180));
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QPointF((i * 173) % kPreviewWidth, (i * 97) % kPreviewHeight), 20 + i * 2,
                            15 + i);
    }
    painter.setPen(QColor(20, 20, 20, 90));
    for (int x = 0; x < kPreviewWidth; x += 6)
        painter.drawLine(x, 0, x + 200, kPreviewHeight);
    return image;
}

struct BenchSetup {
    QString cataloguePath;
    QString picturePath;
    Catalogues catalogues;
};

BenchSetup& setup() {
    static BenchSetup s;
    return s;
}

// threads 0: one per core, as the editor runs it.
ThumbnailRequest request(int threads = 0) {
    return {setup().picturePath, kPreviewWidth, kPreviewHeight, setup().cataloguePath, threads};
}

void BM_LaterRun(benchmark::State& state) {
    for (auto _ : state) {
        const bool ok = self_DrawThread2(request(int(state.range(0))), setup().catalogues, {});
        benchmark::DoNotOptimize(ok);
    }
    state.counters["filters"] = double(setup().catalogues.filterLooks.size());
}

// A later run from its start to its first thumbnail handed over, the wait before the list shows
// anything; the run is stopped there.
void BM_FirstThumbnail(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    for (auto _ : state) {
        std::atomic<bool> stop{false};
        Clock::time_point first;
        const ThumbReadyFn stopAtFirst = [&](const QString&, int) {
            first = Clock::now();
            stop = true;
        };
        const Clock::time_point start = Clock::now();
        self_DrawThread2(request(int(state.range(0))), setup().catalogues, stopAtFirst, &stop);
        state.SetIterationTime(std::chrono::duration<double>(first - start).count());
    }
}

void BM_FirstRun(benchmark::State& state) {
    for (auto _ : state) {
        Catalogues catalogues;
        const bool ok = self_DrawThread(request(), catalogues, {});
        benchmark::DoNotOptimize(ok);
    }
}

void BM_Filter(benchmark::State& state, int number) {
    const FilterLook& look = setup().catalogues.filterLooks[number - 1];
    EffectRouting routing;
    routing.renderTarget = RenderToThumbnail;
    const QString source = WorkFiles::path(WorkFiles::kReducedSource);
    for (auto _ : state) {
        const bool ok = renderFilterLook(routing, look, number, source, "bench");
        benchmark::DoNotOptimize(ok);
    }
    state.SetLabel(QStringLiteral("%1 steps").arg(look.steps.size()).toStdString());
}

} // namespace

int main(int argc, char** argv) {
    const BenchEnvironment environment(argv[0]);
    QCoreApplication app(argc, argv);
    MagickSession magick;

    BenchSetup& s = setup();
    s.cataloguePath = EffectCatalogueReader::defaultPath();
    ReadEffectCatalogue(s.catalogues, s.cataloguePath);
    if (s.catalogues.filterLooks.isEmpty()) {
        fprintf(stderr, "no filters in %s\n", qPrintable(s.cataloguePath));
        return 1;
    }
    s.picturePath = WorkFiles::path(QStringLiteral("bench_preview.jpg"));
    RasterIO::saveWorkingJpeg(benchPicture(), s.picturePath);
    WorkFiles::ensureWorkFolder(QString::fromLatin1(WorkFiles::kThumbFolder));
    // Leaves wl.jpg for the per-filter benchmarks.
    self_DrawThread2(request(), s.catalogues, {});

    benchmark::RegisterBenchmark("BM_LaterRun", BM_LaterRun)
        ->ArgName("threads")
        ->Arg(0)
        ->Arg(1)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_FirstThumbnail", BM_FirstThumbnail)
        ->ArgName("threads")
        ->Arg(0)
        ->Arg(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_FirstRun", BM_FirstRun)->Unit(benchmark::kMillisecond);
    for (int n = 1; n <= s.catalogues.filterLooks.size(); ++n) {
        if (s.catalogues.filterLooks[n - 1].steps.isEmpty())
            continue;
        benchmark::RegisterBenchmark(QStringLiteral("BM_Filter/%1").arg(n).toStdString().c_str(), BM_Filter,
                                     n)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // The catalogue's pixel wands must go before MagickWand ends with the session.
    s.catalogues = Catalogues();
    return 0;
}
