// The editing tools on a photo: a quarter turn until the look is on screen again (with no look,
// and with a filter, next to that filter alone), a random look (filter + light + frame), and a
// crop commit of a 24- and a 100-megapixel photo.
//
//   build/bench/bench_tools [--benchmark_filter=...]
#include "BenchEnvironment.h"
#include "BenchTiming.h"
#include "Editor.h"
#include "MagickSession.h"
#include "WorkFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

namespace {

struct Photos {
    QString preview; // 1500 x 1000: a 1000 x 667 preview
    QString large;   // 6000 x 4000, 24 MP
    QString huge;    // 12240 x 8160, 100 MP
};

Photos& photos() {
    static Photos p;
    return p;
}

// A photo of the test data stretched to the size a camera writes.
QString writePhoto(const QString& source, const QString& path, int width, int height) {
    QImageWriter writer(path, "jpeg");
    writer.setQuality(92);
    writer.write(QImage(source).scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    return path;
}

std::unique_ptr<Editor> editorWith(const QString& photo) {
    auto editor = std::make_unique<Editor>();
    editor->takeIn(photo, IntakeSource::OpenDialog);
    // The thumbnail run hands its cells to this thread: deliver them until it has ended.
    editor->waitForWorker();
    QCoreApplication::processEvents();
    return editor;
}

void clickFilter(Editor& editor, int position) {
    editor.showPanel(FilterPanel);
    editor.thumbClicked(ThumbClick{FilterPanel, position, QString()});
}

// Rotate with no look, or with the filter at that list position re-applied on the turned picture.
void BM_Rotate(benchmark::State& state, int filterPosition) {
    const auto editor = editorWith(photos().preview);
    if (filterPosition >= 0)
        clickFilter(*editor, filterPosition);
    timeEach(state, [&] { return editor->rotate(); });
}

// The filter alone on the preview: the look's own time inside a rotation.
void BM_FilterAlone(benchmark::State& state, int filterPosition) {
    const auto editor = editorWith(photos().preview);
    EditState& s = editor->state();
    const int filter = s.filterListNumbers.value(filterPosition) - 1;
    s.effectBasePath = WorkFiles::rotatedCopyPath(360);
    timeEach(state, [&] {
        s.renderTarget = RenderToFilterResult;
        return applyFilter(s, editor->catalogues(), filter);
    });
}

void BM_RandomLook(benchmark::State& state) {
    const auto editor = editorWith(photos().preview);
    timeEach(state, [&] { return editor->randomLook().has_value(); });
}

// Ok on a box over a large photo: the preview's cut and its file, the full-size cut's place,
// the turn and the view.
void BM_CropCommit(benchmark::State& state, const QString* photo, Rect box) {
    const auto editor = editorWith(*photo);
    timeEach(state, [&] {
        // Drawn anew each time, not from where the last box was left.
        editor->state().cropStartRect = Rect{210, 160, 500, 460};
        editor->openCrop();
        editor->cropPress(QPoint(box.left, box.top));
        editor->cropMove(QPoint(box.right, box.bottom), true);
        editor->cropRelease();
        return editor->confirmCrop() == Editor::CropCommit::Committed;
    });
    state.counters["full_size_MP"] =
        double(editor->state().sourceWidth) * editor->state().sourceHeight / 1.0e6;
}

} // namespace

int main(int argc, char** argv) {
    const BenchEnvironment environment(argv[0]);
    QCoreApplication app(argc, argv);
    MagickSession magick;

    const QString testData = qEnvironmentVariableIsSet("LK_TEST_DATA")
                                 ? qEnvironmentVariable("LK_TEST_DATA")
                                 : QDir(environment.exeFolder() + "/../../tests/data").absolutePath();
    const QString source = testData + QStringLiteral("/rocket.jpg");
    const QString folder = environment.workFolder() + QStringLiteral("/photos/");
    QDir().mkpath(folder);
    photos().preview = writePhoto(source, folder + "photo-1500.jpg", 1500, 1000);
    photos().large = writePhoto(source, folder + "photo-24mp.jpg", 6000, 4000);
    photos().huge = writePhoto(source, folder + "photo-100mp.jpg", 12240, 8160);

    using benchmark::kMillisecond;
    // Filter position 2 is a cheap look; 47 (Oval Vignette in the shipped catalogue) a dear one.
    for (const int position : {-1, 2, 47}) {
        const std::string name = position < 0 ? "none" : "filter_cell_" + std::to_string(position);
        benchmark::RegisterBenchmark(("BM_Rotate/" + name).c_str(), BM_Rotate, position)
            ->Unit(kMillisecond)
            ->UseManualTime()
            ->Iterations(20);
        if (position >= 0)
            benchmark::RegisterBenchmark(("BM_FilterAlone/" + name).c_str(), BM_FilterAlone, position)
                ->Unit(kMillisecond)
                ->UseManualTime()
                ->Iterations(20);
    }
    benchmark::RegisterBenchmark("BM_RandomLook", BM_RandomLook)
        ->Unit(kMillisecond)
        ->UseManualTime()
        ->Iterations(30);
    // The photo is drawn 700 x 467 at (10, 77): a box over half of it, and all of it.
    benchmark::RegisterBenchmark("BM_CropCommit24MP/half", BM_CropCommit, &photos().large,
                                 Rect{110, 130, 610, 460})
        ->Unit(kMillisecond)
        ->UseManualTime()
        ->Iterations(8);
    benchmark::RegisterBenchmark("BM_CropCommit24MP/whole", BM_CropCommit, &photos().large,
                                 Rect{10, 77, 710, 543})
        ->Unit(kMillisecond)
        ->UseManualTime()
        ->Iterations(8);
    benchmark::RegisterBenchmark("BM_CropCommit100MP/whole", BM_CropCommit, &photos().huge,
                                 Rect{10, 77, 710, 543})
        ->Unit(kMillisecond)
        ->UseManualTime()
        ->Iterations(4);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
