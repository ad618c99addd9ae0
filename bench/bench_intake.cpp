// Taking in a camera-sized photo: from choosing it to its preview ready (every intake step up
// to the thumbnail worker's start), next to djpeg decoding the same file at full size; from
// choosing it to the last filter thumbnail of the shipped catalogue; and a click on a filter
// until its look is computed.
//
//   build/bench/bench_intake [--benchmark_filter=...]
#include "BenchEnvironment.h"
#include "BenchPhotos.h"
#include "Editor.h"
#include "MagickSession.h"
#include "WorkFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

namespace {

struct Pictures {
    QString baseline24;    // 6000 x 4000
    QString progressive18; // 5184 x 3456
    QString other24;       // a second picture, so that every intake is of a new one
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
    benchmark::RegisterBenchmark("BM_ClickFilterToLook", BM_ClickFilterToLook)
        ->Unit(kMillisecond)
        ->UseManualTime()
        ->Iterations(132);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
