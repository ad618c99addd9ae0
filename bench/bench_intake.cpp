// Taking in a camera-sized photo: from choosing it to its preview ready (every intake step up
// to the thumbnail worker's start), next to djpeg decoding the same file at full size; from
// choosing it to the first and the last filter thumbnail of the shipped catalogue; and a click
// on a filter until its look is computed.
//
//   build/bench/bench_intake [--benchmark_filter=...]
#include "BenchEnvironment.h"
#include "BenchPhotos.h"
#include "Editor.h"
#include "MagickSession.h"
#include "WorkFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QImageWriter>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <vector>

namespace {

struct Pictures {
    QString baseline24;    // 6000 x 4000
    QString progressive18; // 5184 x 3456
    QString other24;       // a second picture, so that every intake is of a new one
    QString otherProgressive18;
};

Pictures& pictures() {
    static Pictures p;
    return p;
}

// The editor's hand-overs wait for this thread: deliver them until the run has ended.
void finishThumbnails(Editor& editor) {
    editor.waitForWorker();
    QCoreApplication::processEvents();
}

void BM_IntakeToPreview(benchmark::State& state, const QString& path) {
    for (auto _ : state) {
        state.PauseTiming();
        auto editor = std::make_unique<Editor>();
        state.ResumeTiming();
        const Editor::IntakeOutcome outcome = editor->takeIn(path, IntakeSource::OpenDialog);
        benchmark::DoNotOptimize(outcome);
        state.PauseTiming();
        if (outcome != Editor::IntakeOutcome::NewPicture)
            state.SkipWithError("the picture was not taken in");
        editor.reset(); // stops the thumbnail run the intake started
        state.ResumeTiming();
    }
}

void BM_DjpegFullDecode(benchmark::State& state, const QString& path) {
    for (auto _ : state) {
        const int status = QProcess::execute(QStringLiteral("djpeg"), {"-outfile", "/dev/null", path});
        if (status != 0)
            state.SkipWithError("djpeg failed");
    }
}

// The first picture of a run also reads the filter catalogue while rendering.
void BM_FirstPictureToLastThumbnail(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto editor = std::make_unique<Editor>();
        state.ResumeTiming();
        editor->takeIn(pictures().baseline24, IntakeSource::OpenDialog);
        finishThumbnails(*editor);
        state.PauseTiming();
        state.counters["filters"] = double(editor->catalogues().filterLooks.size());
        editor.reset();
        state.ResumeTiming();
    }
}

void BM_NextPictureToLastThumbnail(benchmark::State& state) {
    Editor editor;
    editor.takeIn(pictures().other24, IntakeSource::OpenDialog);
    finishThumbnails(editor);
    bool flip = false;
    for (auto _ : state) {
        editor.takeIn(flip ? pictures().other24 : pictures().baseline24, IntakeSource::OpenDialog);
        finishThumbnails(editor);
        flip = !flip;
    }
}

// The window's own wait: its event loop takes each hand-over the moment it comes, until the run
// has ended (finishThumbnails looks for hand-overs every few milliseconds instead).
void runUntilThumbnailsEnd(Editor& editor) {
    QEventLoop loop;
    QObject::connect(&editor, &Editor::workerFinished, &loop, &QEventLoop::quit);
    loop.exec();
}

// A later picture (the catalogue is in memory) from choosing it to its first filter thumbnail
// handed over (first_ms) and to its last (the iteration's time), with the hand-overs taken as
// the window takes them. The pictures alternate so that every intake is of a new one.
void BM_NextPictureThumbnails(benchmark::State& state, const QString& path, const QString& other) {
    Editor editor;
    editor.takeIn(other, IntakeSource::OpenDialog);
    finishThumbnails(editor);
    using Clock = std::chrono::steady_clock;
    // Written on the worker thread once its hand-over has been taken; read after the join.
    std::atomic<Clock::rep> firstAt{0};
    QObject::connect(
        &editor, &Editor::thumbnailReady, &editor,
        [&firstAt](const QString&, int) {
            Clock::rep none = 0;
            firstAt.compare_exchange_strong(none, Clock::now().time_since_epoch().count());
        },
        Qt::DirectConnection);
    double firstTotal = 0;
    bool flip = false;
    for (auto _ : state) {
        firstAt = 0;
        const Clock::time_point start = Clock::now();
        editor.takeIn(flip ? other : path, IntakeSource::OpenDialog);
        runUntilThumbnailsEnd(editor);
        firstTotal += std::chrono::duration<double, std::milli>(Clock::duration(firstAt.load()) -
                                                                start.time_since_epoch())
                          .count();
        flip = !flip;
    }
    state.counters["first_ms"] = benchmark::Counter(firstTotal, benchmark::Counter::kAvgIterations);
}

// Every filter with steps in turn, so that each click computes a new look; the median over the
// catalogue is the figure to watch, since filters differ a lot in cost.
void BM_ClickFilterToLook(benchmark::State& state) {
    Editor editor;
    editor.takeIn(pictures().baseline24, IntakeSource::OpenDialog);
    finishThumbnails(editor);
    const QList<int> numbers = editor.state().filterListNumbers;
    if (numbers.isEmpty()) {
        state.SkipWithError("no filter thumbnails");
        return;
    }
    std::vector<double> clicks;
    qsizetype position = 0;
    for (auto _ : state) {
        const ThumbClick click{FilterPanel, int(position), WorkFiles::thumbnailPath(numbers[position])};
        const auto start = std::chrono::steady_clock::now();
        const bool applied = editor.thumbClicked(click);
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        benchmark::DoNotOptimize(applied);
        state.SetIterationTime(elapsed.count());
        clicks.push_back(elapsed.count() * 1000.0);
        position = (position + 1) % numbers.size();
    }
    std::sort(clicks.begin(), clicks.end());
    state.counters["median_ms"] = clicks[clicks.size() / 2];
    state.counters["max_ms"] = clicks.back();
}

} // namespace

int main(int argc, char** argv) {
    const BenchEnvironment environment(argv[0]);
    QCoreApplication app(argc, argv);
    MagickSession magick;

    const QString folder = environment.workFolder() + QStringLiteral("/photos/");
    QDir().mkpath(folder);
    Pictures& p = pictures();
    p.baseline24 = writeCameraJpeg(folder + "baseline-24mp.jpg", 6000, 4000, false);
    p.progressive18 = writeCameraJpeg(folder + "progressive-18mp.jpg", 5184, 3456, true);
    p.other24 = folder + "other-24mp.jpg";
    QImageWriter(p.other24, "jpeg").write(cameraPicture(6000, 4000).mirrored(true, false));
    p.otherProgressive18 = folder + "other-progressive-18mp.jpg";
    QImageWriter progressive(p.otherProgressive18, "jpeg");
    progressive.setQuality(92);
    progressive.setProgressiveScanWrite(true);
    progressive.write(cameraPicture(5184, 3456).mirrored(true, false));

    using benchmark::kMillisecond;
    benchmark::RegisterBenchmark("BM_IntakeToPreview/baseline_24MP", BM_IntakeToPreview, p.baseline24)
        ->Unit(kMillisecond);
    benchmark::RegisterBenchmark("BM_DjpegFullDecode/baseline_24MP", BM_DjpegFullDecode, p.baseline24)
        ->Unit(kMillisecond);
    benchmark::RegisterBenchmark("BM_IntakeToPreview/progressive_18MP", BM_IntakeToPreview, p.progressive18)
        ->Unit(kMillisecond);
    benchmark::RegisterBenchmark("BM_DjpegFullDecode/progressive_18MP", BM_DjpegFullDecode, p.progressive18)
        ->Unit(kMillisecond);
    benchmark::RegisterBenchmark("BM_FirstPictureToLastThumbnail", BM_FirstPictureToLastThumbnail)
        ->Unit(kMillisecond)
        ->Iterations(3);
    benchmark::RegisterBenchmark("BM_NextPictureToLastThumbnail", BM_NextPictureToLastThumbnail)
        ->Unit(kMillisecond)
        ->Iterations(3);
    benchmark::RegisterBenchmark("BM_NextPictureThumbnails/progressive_18MP", BM_NextPictureThumbnails,
                                 p.progressive18, p.otherProgressive18)
        ->Unit(kMillisecond)
        ->Iterations(6);
    benchmark::RegisterBenchmark("BM_ClickFilterToLook", BM_ClickFilterToLook)
        ->Unit(kMillisecond)
        ->UseManualTime()
        ->Iterations(132);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
