// Each shipped filter at 1000 x 750, run the way the editor applies it (read the file, every
// step, the raster, the filter-result JPEG), next to the MagickWand operations alone on a
// picture already in memory. The difference is the engine's own cost.
//
// Then a 24-megapixel charcoal with the shipped resource policy and with the distribution's
// default limits, which push a picture of that size onto the disk cache.
//
//   build-*/bench/bench_dispatch [--benchmark_filter=...]

#include "EditState.h"
#include "EffectCatalogue.h"
#include "EffectOperations.h"
#include "LookOnPicture.h"
#include "MagickBridge.h"
#include "MagickSession.h"
#include "RasterIO.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <wand/MagickWand.h>

namespace {

Catalogues g_catalogues;
QString g_picture;
QString g_largePicture;

// A photo of the test set, brought to the size the benchmark names.
QString writePicture(const QString& folder, int width, int height) {
    const QString source = QFileInfo(QStringLiteral(__FILE__)).dir().filePath("../tests/data/rocket.jpg");
    const QImage photo = RasterIO::load(source);
    const QString path = QStringLiteral("%1/picture-%2x%3.jpg").arg(folder).arg(width).arg(height);
    RasterIO::saveWorkingJpeg(photo.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                              path);
    return path;
}

void filterThroughEngine(benchmark::State& state, int k, int target) {
    for (auto _ : state) {
        EditState edit;
        edit.renderTarget = target;
        if (!applyFilterToFile(edit, g_catalogues, k, g_picture))
            state.SkipWithError("the filter failed");
        benchmark::DoNotOptimize(edit.effectBitmap.constBits());
    }
}

void filterOperationsOnly(benchmark::State& state, int k) {
    MagickWand* source = NewMagickWand();
    MagickReadImage(source, magickPath(g_picture).constData());
    MagickWand* second = NewMagickWand();
    const FilterLook& look = g_catalogues.filterLooks[k];
    for (auto _ : state) {
        state.PauseTiming();
        MagickWand* image = CloneMagickWand(source);
        state.ResumeTiming();
        for (const EffectRecord& step : look.steps)
            runEffectOperation(image, second, step);
        state.PauseTiming();
        DestroyMagickWand(image);
        state.ResumeTiming();
    }
    DestroyMagickWand(second);
    DestroyMagickWand(source);
}

// The pieces of the engine's own cost, one by one.
void engineRead(benchmark::State& state) {
    for (auto _ : state) {
        MagickWand* image = NewMagickWand();
        MagickReadImage(image, magickPath(g_picture).constData());
        DestroyMagickWand(image);
    }
}

void engineRaster(benchmark::State& state) {
    MagickWand* image = NewMagickWand();
    MagickReadImage(image, magickPath(g_picture).constData());
    for (auto _ : state)
        benchmark::DoNotOptimize(magick2raster(image).constBits());
    DestroyMagickWand(image);
}

void engineSave(benchmark::State& state) {
    MagickWand* image = NewMagickWand();
    MagickReadImage(image, magickPath(g_picture).constData());
    const QImage raster = magick2raster(image);
    DestroyMagickWand(image);
    const QString path = QFileInfo(g_picture).dir().filePath("saved.jpg");
    for (auto _ : state)
        RasterIO::saveWorkingJpeg(raster, path);
}

struct Limits {
    MagickSizeType memory, map, area, width, height, disk;
};

Limits currentLimits() {
    return {MagickGetResourceLimit(MemoryResource), MagickGetResourceLimit(MapResource),
            MagickGetResourceLimit(AreaResource),   MagickGetResourceLimit(WidthResource),
            MagickGetResourceLimit(HeightResource), MagickGetResourceLimit(DiskResource)};
}

void setLimits(const Limits& limits) {
    MagickSetResourceLimit(MemoryResource, limits.memory);
    MagickSetResourceLimit(MapResource, limits.map);
    MagickSetResourceLimit(AreaResource, limits.area);
    MagickSetResourceLimit(WidthResource, limits.width);
    MagickSetResourceLimit(HeightResource, limits.height);
    MagickSetResourceLimit(DiskResource, limits.disk);
}

// The limits of Debian's /etc/ImageMagick-6/policy.xml.
constexpr Limits kDistributionLimits{256ull << 20, 512ull << 20, 128'000'000, 16'000, 16'000, 1ull << 30};

void charcoal24MP(benchmark::State& state, bool shippedPolicy) {
    const Limits shipped = currentLimits();
    if (!shippedPolicy)
        setLimits(kDistributionLimits);
    state.counters["memory_MiB"] = double(MagickGetResourceLimit(MemoryResource) >> 20);
    for (auto _ : state) {
        MagickWand* image = NewMagickWand();
        if (MagickReadImage(image, magickPath(g_largePicture).constData()) != MagickTrue ||
            MagickCharcoalImage(image, 0.0, 1.0) != MagickTrue)
            state.SkipWithError("charcoal failed");
        DestroyMagickWand(image);
    }
    setLimits(shipped);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // The shipped policy and catalogues sit in bin/ beside the editor.
    if (qEnvironmentVariableIsEmpty("LUMENKRAFT_DATA_DIR"))
        qputenv("LUMENKRAFT_DATA_DIR", QDir(app.applicationDirPath() + "/../bin").absolutePath().toUtf8());
    QTemporaryDir work(qEnvironmentVariable("LK_BENCH_TMP", QDir::tempPath()) + "/lk-bench-XXXXXX");
    qputenv("LUMENKRAFT_WORK_DIR", work.path().toUtf8());
    RasterIO::allowLargePictures();
    const MagickSession session;

    ReadEffectCatalogue(g_catalogues);
    g_picture = writePicture(work.path(), 1000, 750);
    g_largePicture = writePicture(work.path(), 6000, 4000);

    const auto name = [](int k, const char* what) {
        return QStringLiteral("Filter%1/%2").arg(k + 1, 2, 10, QLatin1Char('0')).arg(what).toStdString();
    };
    for (int k = 0; k < g_catalogues.filterLooks.size(); ++k) {
        benchmark::RegisterBenchmark(name(k, "engine").c_str(), filterThroughEngine, k,
                                     int(RenderToFilterResult))
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(name(k, "operations").c_str(), filterOperationsOnly, k)
            ->Unit(benchmark::kMillisecond);
    }
    // Where the engine's time goes, on the first filter: without the file, without the raster.
    benchmark::RegisterBenchmark("Filter01/engine_view_only", filterThroughEngine, 0, int(RenderToView))
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Filter01/engine_nowhere", filterThroughEngine, 0, int(RenderToNowhere))
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Engine/read_jpeg", engineRead)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Engine/wand_to_raster", engineRaster)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Engine/save_jpeg", engineSave)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Charcoal24MP/shipped_policy", charcoal24MP, true)
        ->Unit(benchmark::kSecond)
        ->Iterations(1);
    benchmark::RegisterBenchmark("Charcoal24MP/distribution_limits", charcoal24MP, false)
        ->Unit(benchmark::kSecond)
        ->Iterations(1);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // The catalogue's pixel wands go before the library ends.
    g_catalogues = {};
    return 0;
}
