// Undo and the strength of a look on a 1000-pixel preview, each up to the view painted as the
// window paints it: a step of the strength slider (filter and light on, re-blended from the
// cached rasters), and a step back and forth between two looks already seen.
//
//   build/bench/bench_history [--benchmark_filter=...]
#include "BenchEnvironment.h"
#include "BenchTiming.h"
#include "Editor.h"
#include "MagickSession.h"
#include "ViewPainter.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

namespace {

QString& photo() {
    static QString path;
    return path;
}

std::unique_ptr<Editor> editorWithLook() {
    auto editor = std::make_unique<Editor>();
    editor->takeIn(photo(), IntakeSource::OpenDialog);
    editor->waitForWorker();
    QCoreApplication::processEvents();
    editor->showPanel(FilterPanel);
    editor->thumbClicked(ThumbClick{FilterPanel, 2, QString()});
    editor->showPanel(LightPanel);
    editor->thumbClicked(ThumbClick{LightPanel, 4, QString()});
    return editor;
}

// The whole window as a paint event draws it.
void paintView(ViewPainter& painter, Editor& editor, QImage& canvas) {
    QPainter p(&canvas);
    painter.paint(p, editor.state(), editor.state().cropRect);
}

// One slider position after another (a drag), each blended and painted.
void BM_StrengthStep(benchmark::State& state) {
    const auto editor = editorWithLook();
    ViewPainter painter;
    QImage canvas(ViewPainter::kWidth, ViewPainter::kHeight, QImage::Format_ARGB32_Premultiplied);
    int percent = 100;
    timeEach(state, [&] {
        percent = percent <= 10 ? 90 : percent - 10;
        const bool done = editor->setStrength(percent / 100.0);
        paintView(painter, *editor, canvas);
        return done;
    });
}

// Back and forth between filter 2 and filter 5 with the light on, and then a quarter turn.
void BM_UndoToLookSeen(benchmark::State& state, bool acrossTurn) {
    const auto editor = editorWithLook();
    editor->showPanel(FilterPanel);
    editor->thumbClicked(ThumbClick{FilterPanel, 5, QString()});
    if (acrossTurn)
        editor->rotate();
    ViewPainter painter;
    QImage canvas(ViewPainter::kWidth, ViewPainter::kHeight, QImage::Format_ARGB32_Premultiplied);
    bool back = true;
    timeEach(state, [&] {
        const Editor::HistoryMove move = back ? editor->undo() : editor->redo();
        back = !back;
        paintView(painter, *editor, canvas);
        return move == Editor::HistoryMove::Restored;
    });
}

} // namespace

int main(int argc, char** argv) {
    const BenchEnvironment environment(argv[0]);
    // The view is painted into a picture: no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    MagickSession magick;

    const QString testData = qEnvironmentVariableIsSet("LK_TEST_DATA")
                                 ? qEnvironmentVariable("LK_TEST_DATA")
                                 : QDir(environment.exeFolder() + "/../../tests/data").absolutePath();
    // 1500 x 1000: a 1000 x 667 preview.
    photo() = environment.workFolder() + QStringLiteral("/photo-1500.jpg");
    QImageWriter writer(photo(), "jpeg");
    writer.setQuality(92);
    writer.write(QImage(testData + QStringLiteral("/rocket.jpg"))
                     .scaled(1500, 1000, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));

    using benchmark::kMillisecond;
    benchmark::RegisterBenchmark("BM_StrengthStep", BM_StrengthStep)
        ->Unit(kMillisecond)
        ->UseManualTime()
        ->Iterations(60);
    benchmark::RegisterBenchmark("BM_UndoToLookSeen/look", BM_UndoToLookSeen, false)
        ->Unit(kMillisecond)
        ->UseManualTime()
        ->Iterations(60);
    benchmark::RegisterBenchmark("BM_UndoToLookSeen/turn", BM_UndoToLookSeen, true)
        ->Unit(kMillisecond)
        ->UseManualTime()
        ->Iterations(60);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
