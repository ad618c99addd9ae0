// The shipped looks one by one, on a photo: every filter at a 1000 x 750 preview (what a click
// costs) and at 200 x 150 (what its thumbnail costs), and every light at 1000 x 750 with its
// overlay read and stretched, as a click does. Last, the heaviest filters on a 24-megapixel
// picture (6000 x 4000) as they ran before their lengths grew with the picture and as they run
// now, six times longer (what a full-size export of a 1000-pixel-wide preview costs).
//
//   build/bench/bench_looks [--benchmark_filter=Filter/.*/1000x750]
//   build/bench/bench_looks --benchmark_filter=FullSize
#include "BenchEnvironment.h"
#include "EffectCatalogue.h"
#include "EffectDispatch.h"
#include "LightFrameCatalogue.h"
#include "LookOnPicture.h"
#include "MagickBridge.h"
#include "MagickSession.h"
#include "RasterIO.h"
#include "WorkFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <wand/MagickWand.h>

#include <memory>

namespace {

struct LooksSetup {
    Catalogues catalogues;
    MagickWand* preview = nullptr;   // 1000 x 750
    MagickWand* thumbnail = nullptr; // 200 x 150
    QString previewPath;
    QImage photo;

    // 6000 x 4000, made on first use: it takes a while and a good deal of memory.
    MagickWand* fullSize() {
        if (!m_fullSize)
            m_fullSize =
                raster2magick(photo.scaled(6000, 4000, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        return m_fullSize;
    }
    MagickWand* m_fullSize = nullptr;
};

LooksSetup& setup() {
    static LooksSetup s;
    return s;
}

void BM_Filter(benchmark::State& state, int number, MagickWand* source, double lengthScale) {
    const FilterLook& look = setup().catalogues.filterLooks[number - 1];
    EffectRouting routing;
    routing.renderTarget = RenderToNowhere;
    routing.lengthScale = lengthScale;
    const int count = int(look.steps.size());
    for (auto _ : state) {
        state.PauseTiming();
        MagickWand* image = CloneMagickWand(source);
        state.ResumeTiming();
        for (int step = 1; step <= count; ++step)
            run_effect_function(routing, number, nullptr, look.steps[step - 1], count, step, image);
        state.PauseTiming();
        DestroyMagickWand(image);
        state.ResumeTiming();
    }
    state.SetLabel(setup().catalogues.filterThumbs[number - 1].kind.toStdString());
}

// A plain blur of sigma 2.5 pixels, about 100 ms on this machine when it is idle: run
// beside the looks, it tells how much a busy machine inflates the other figures.
void BM_ReferenceBlur(benchmark::State& state) {
    EffectRecord blur;
    blur.neffectfunction = 18;
    blur.imchannel = 0x7FFFFFF;
    blur.sigma = 2.5f;
    EffectRouting routing;
    routing.renderTarget = RenderToNowhere;
    for (auto _ : state) {
        state.PauseTiming();
        MagickWand* image = CloneMagickWand(setup().preview);
        state.ResumeTiming();
        run_effect_function(routing, 1, nullptr, blur, 1, 1, image);
        state.PauseTiming();
        DestroyMagickWand(image);
        state.ResumeTiming();
    }
}

void BM_FullSizeFilter(benchmark::State& state, int number, double lengthScale) {
    BM_Filter(state, number, setup().fullSize(), lengthScale);
}

void BM_Light(benchmark::State& state, int number) {
    auto edit = std::make_unique<EditState>();
    for (auto _ : state) {
        edit->renderTarget = RenderToView;
        const bool ok = applyLight(*edit, setup().catalogues, number - 1, setup().previewPath);
        benchmark::DoNotOptimize(ok);
    }
    state.SetLabel(setup().catalogues.lightThumbs[number - 1].kind.toStdString());
}

MagickWand* scaledCopy(const QImage& photo, int width, int height) {
    return raster2magick(photo.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

} // namespace

int main(int argc, char** argv) {
    const BenchEnvironment environment(argv[0]);
    const QString exeFolder = environment.exeFolder();
    const QString photoFolder = qEnvironmentVariableIsSet("LK_TEST_DATA")
                                    ? qEnvironmentVariable("LK_TEST_DATA")
                                    : QDir(exeFolder + "/../../tests/data").absolutePath();
    QCoreApplication app(argc, argv);
    MagickSession magick;

    LooksSetup& s = setup();
    ReadEffectCatalogue(s.catalogues);
    ReadLightCatalogue(s.catalogues);
    s.photo = RasterIO::load(photoFolder + QStringLiteral("/coffee.png"));
    const QImage& photo = s.photo;
    if (s.catalogues.filterLooks.isEmpty() || photo.isNull()) {
        fprintf(stderr, "bench_looks: no catalogue in the data folder, or no photo in %s\n",
                qPrintable(photoFolder));
        return 1;
    }
    s.preview = scaledCopy(photo, 1000, 750);
    s.thumbnail = scaledCopy(photo, 200, 150);
    s.previewPath = WorkFiles::path(QStringLiteral("bench_looks_preview.jpg"));
    RasterIO::saveWorkingJpeg(photo.scaled(1000, 750), s.previewPath);

    benchmark::RegisterBenchmark("Reference/blur0x2.5/1000x750", BM_ReferenceBlur)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->MinTime(0.2);
    for (int n = 1; n <= s.catalogues.filterLooks.size(); ++n) {
        for (const auto& [size, wand] :
             {std::pair{"1000x750", s.preview}, std::pair{"200x150", s.thumbnail}}) {
            const std::string name =
                QStringLiteral("Filter/%1/").arg(n, 2, 10, QLatin1Char('0')).toStdString() + size;
            benchmark::RegisterBenchmark(name.c_str(), BM_Filter, n, wand, 1.0)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime()
                ->MinTime(0.2);
        }
    }
    for (int n = 1; n <= s.catalogues.lightRecords.size(); ++n) {
        const std::string name =
            QStringLiteral("Light/%1/1000x750").arg(n, 2, 10, QLatin1Char('0')).toStdString();
        benchmark::RegisterBenchmark(name.c_str(), BM_Light, n)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->MinTime(0.2);
    }
    // Charcoal, Motion Blur, Ink Drawing, Strong Blur, Pen and Ink, Relief, Oil Painting, Oval
    // Vignette, Watercolor, Clarity Pop.
    for (const int n : {12, 13, 20, 21, 28, 32, 40, 48, 61, 66}) {
        for (const double lengthScale : {1.0, 6.0}) {
            const std::string name = QStringLiteral("FullSize/%1/6000x4000/%2")
                                         .arg(n, 2, 10, QLatin1Char('0'))
                                         .arg(lengthScale == 1.0 ? "unscaled" : "scaled")
                                         .toStdString();
            benchmark::RegisterBenchmark(name.c_str(), BM_FullSizeFilter, n, lengthScale)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime()
                ->Iterations(1);
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    DestroyMagickWand(s.preview);
    DestroyMagickWand(s.thumbnail);
    if (s.m_fullSize)
        DestroyMagickWand(s.m_fullSize);
    // The catalogue's pixel wands must go before MagickWand ends with the session.
    s.catalogues = Catalogues();
    return 0;
}
