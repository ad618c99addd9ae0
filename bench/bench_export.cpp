// Exporting a 24-megapixel photo with a filter of several steps, a light and a nine-slice frame:
// the export as the window runs it, next to ImageMagick's own convert doing the same decode,
// filter steps (their lengths scaled as the export scales them), light composite and encode on
// the same file, alternated in one run; the renderer's peak memory for the same export and for a
// 100-megapixel photo; and how late the window's event loop answers while an export runs.
//
//   build/bench/bench_export [--benchmark_filter=...]
#include "AppPaths.h"
#include "BenchEnvironment.h"
#include "BenchPhotos.h"
#include "EffectCatalogue.h"
#include "ExportJob.h"
#include "LightFrameCatalogue.h"
#include "MagickSession.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <map>
#include <optional>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <wand/MagickWand.h>

namespace {

// "Glow": a blur, a level and a modulate.
constexpr int kFilter = 6;
constexpr int kLight = 1;
const QString kFrame = QStringLiteral("border01.png");

struct Setup {
    QString photo;
    QString outFolder;
    Catalogues catalogues;
    ExportRequest request;
    QStringList convertArguments;
};

Setup& setup() {
    static Setup s;
    return s;
}

QString number(double value) {
    return QString::number(value, 'g', 10);
}

QString channelName(std::uint32_t mask) {
    switch (mask) {
    case RedChannel:
        return QStringLiteral("R");
    case GreenChannel:
        return QStringLiteral("G");
    case BlueChannel:
        return QStringLiteral("B");
    default:
        return QStringLiteral("RGB");
    }
}

// The convert options of one catalogue step, lengths scaled by lengthScale; nothing for an
// operation this table does not know.
std::optional<QStringList> convertStep(const EffectRecord& step, double lengthScale) {
    const double r = step.radius;
    const double s = step.sigma;
    const double b = step.brightness;
    switch (step.neffectfunction) {
    case 18: // MagickBlurImage(radius, sigma)
        return QStringList{"-blur", number(r * lengthScale) + "x" + number(s * lengthScale)};
    case 21: // MagickBrightnessContrastImage(brightness, contrast)
        return QStringList{"-brightness-contrast", number(r) + "x" + number(s)};
    case 72: // MagickGammaImageChannel(channel, gamma)
        return QStringList{"-channel", channelName(step.imchannel), "-gamma", number(r), "+channel"};
    case 102: // MagickLevelImage(black, gamma, white), in quantum values
        return QStringList{"-level", number(r) + "," + number(b) + "," + number(s)};
    case 110: // MagickModulateImage(brightness, saturation, hue)
        return QStringList{"-modulate", number(r) + "," + number(s) + "," + number(b)};
    default:
        return std::nullopt;
    }
}

// convert IN <filter steps> ( overlay -resize WxH! ) -compose OP -composite -quality 85 OUT
std::optional<QStringList> convertCommand(const QString& in, const QString& out, const QSize& size,
                                          double lengthScale) {
    const Catalogues& catalogues = setup().catalogues;
    QStringList arguments{in};
    for (const EffectRecord& step : catalogues.filterLooks[kFilter - 1].steps) {
        const std::optional<QStringList> options = convertStep(step, lengthScale);
        if (!options)
            return std::nullopt;
        arguments << *options;
    }
    const LightRecord& light = catalogues.lightRecords[kLight - 1];
    const char* compose = CommandOptionToMnemonic(MagickComposeOptions, light.nenum);
    arguments << "(" << light.effectimage << "-resize"
              << QStringLiteral("%1x%2!").arg(size.width()).arg(size.height()) << ")"
              << "-compose" << QString::fromLatin1(compose) << "-composite"
              << "-quality"
              << "85" << out;
    return arguments;
}

// The same resource limits as the program's, or convert would spill to the disk cache.
QProcessEnvironment convertEnvironment() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("MAGICK_CONFIGURE_PATH", AppPaths::programFolder() + "magick");
    return environment;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// The export's stages as the progress names them, folded into the counters the table shows.
QString stageCounter(const QString& stage) {
    if (stage.startsWith(u"Filter"))
        return QStringLiteral("filter_ms");
    if (stage == u"Decoding")
        return QStringLiteral("decode_ms");
    if (stage == u"Light")
        return QStringLiteral("light_ms");
    if (stage == u"Frame")
        return QStringLiteral("frame_ms");
    if (stage == u"Writing")
        return QStringLiteral("write_ms");
    return QStringLiteral("turn_ms");
}

// Each iteration runs the export and then convert on the same file; the iteration's time is the
// export's, and where it went is told stage by stage.
void BM_ExportAgainstConvert(benchmark::State& state) {
    Setup& s = setup();
    std::vector<double> exportTimes, convertTimes;
    std::map<QString, std::vector<double>> stageTimes;
    for (auto _ : state) {
        QElapsedTimer clock;
        std::map<QString, double> stages;
        QString current;
        double currentStart = 0.0;
        const auto endStage = [&](double now) {
            if (!current.isEmpty())
                stages[stageCounter(current)] += now - currentStart;
        };
        RenderControl control;
        control.progress = [&](const RenderProgress& progress) {
            const double now = clock.nsecsElapsed() / 1.0e6;
            endStage(now);
            current = progress.stage;
            currentStart = now;
        };
        clock.start();
        const ExportOutcome outcome = runExport(s.request, control);
        const double exportMs = clock.nsecsElapsed() / 1.0e6;
        endStage(exportMs);
        for (const auto& [name, ms] : stages)
            stageTimes[name].push_back(ms);
        if (!outcome.succeeded()) {
            state.SkipWithError(qPrintable(outcome.error));
            return;
        }
        QProcess convert;
        convert.setProcessEnvironment(convertEnvironment());
        clock.restart();
        convert.start(QStringLiteral("convert"), s.convertArguments);
        convert.waitForFinished(-1);
        const double convertMs = clock.nsecsElapsed() / 1.0e6;
        if (convert.exitCode() != 0) {
            state.SkipWithError(qPrintable(QString::fromUtf8(convert.readAllStandardError())));
            return;
        }
        state.SetIterationTime(exportMs / 1000.0);
        exportTimes.push_back(exportMs);
        convertTimes.push_back(convertMs);
    }
    state.counters["export_ms"] = median(exportTimes);
    state.counters["convert_ms"] = median(convertTimes);
    state.counters["export_per_convert"] = median(exportTimes) / median(convertTimes);
    for (const auto& [name, times] : stageTimes)
        state.counters[name.toStdString()] = median(times);
}

// The peak resident size, in MiB, of lumenkraft-render making the export of photo in a process
// of its own (with the program's own start-up); nothing when it fails. Measured for that one
// child, not for all this program's children together.
std::optional<double> rendererPeakMiB(const QString& photo, const QString& out) {
    const QByteArray renderer =
        QFileInfo(QCoreApplication::applicationDirPath() + "/../bin/lumenkraft-render")
            .absoluteFilePath()
            .toLocal8Bit();
    const QList<QByteArray> arguments = {renderer,
                                         "--filter",
                                         QByteArray::number(kFilter),
                                         "--light",
                                         QByteArray::number(kLight),
                                         "--frame",
                                         kFrame.toLocal8Bit(),
                                         photo.toLocal8Bit(),
                                         out.toLocal8Bit()};
    std::vector<char*> argv;
    for (const QByteArray& argument : arguments)
        argv.push_back(const_cast<char*>(argument.constData()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int started = posix_spawn(&child, renderer.constData(), &quiet, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (started != 0)
        return std::nullopt;
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return usage.ru_maxrss / 1024.0;
}

// lumenkraft-render exports the same look; state.range(0) is the photo's size in megapixels:
// 24 is the camera photo of the other measures, 100 the largest picture the editor opens
// (12240 x 8160), written here at first use.
void BM_RendererPeakMemory(benchmark::State& state) {
    Setup& s = setup();
    QString photo = s.photo;
    if (state.range(0) == 100) {
        photo = QFileInfo(s.photo).absolutePath() + "/camera-100mp.jpg";
        if (!QFileInfo::exists(photo))
            writeCameraJpeg(photo, 12240, 8160, false);
    }
    double peak = 0.0;
    for (auto _ : state) {
        const std::optional<double> run = rendererPeakMiB(photo, s.outFolder + "renderer.jpg");
        if (!run) {
            state.SkipWithError("lumenkraft-render failed");
            return;
        }
        peak = std::max(peak, *run);
    }
    state.counters["peak_MiB"] = peak;
}

// The longest the event loop of the thread that started an export waits to run a 10 ms timer
// while the export renders on its own thread.
void BM_EventLoopDuringExport(benchmark::State& state) {
    Setup& s = setup();
    std::vector<double> worst;
    for (auto _ : state) {
        std::atomic<bool> busy{false};
        ExportJob job(busy);
        QEventLoop loop;
        QObject::connect(&job, &ExportJob::finished, &loop, &QEventLoop::quit);
        QElapsedTimer sinceTick;
        double longest = 0.0;
        QTimer tick;
        tick.setInterval(10);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            longest = std::max(longest, sinceTick.nsecsElapsed() / 1.0e6);
            sinceTick.restart();
        });
        job.start(s.request);
        sinceTick.start();
        tick.start();
        loop.exec();
        worst.push_back(longest);
    }
    state.counters["longest_wait_ms"] = *std::max_element(worst.begin(), worst.end());
}

} // namespace

int main(int argc, char** argv) {
    const BenchEnvironment environment(argv[0]);
    QCoreApplication app(argc, argv);
    MagickSession magick;

    Setup& s = setup();
    const QString folder = environment.workFolder() + QStringLiteral("/photos/");
    s.outFolder = environment.workFolder() + QStringLiteral("/out/");
    QDir().mkpath(folder);
    QDir().mkpath(s.outFolder);
    const QSize size(6000, 4000);
    s.photo = writeCameraJpeg(folder + "camera-24mp.jpg", size.width(), size.height(), false);
    ReadEffectCatalogue(s.catalogues);
    ReadLightCatalogue(s.catalogues);
    ReadFrameCatalogue(s.catalogues);

    s.request.recipe.sourcePath = s.photo;
    s.request.recipe.filterIndex = kFilter - 1;
    s.request.recipe.lightIndex = kLight - 1;
    for (const FrameRecord& frame : s.catalogues.frameRecords)
        if (QFileInfo(frame.effectimage).fileName() == kFrame) {
            s.request.recipe.frameMode = FrameNineSlice;
            s.request.recipe.framePicture = frame.effectimage;
        }
    s.request.catalogues = s.catalogues;
    s.request.target = s.outFolder + "export.jpg";
    const std::optional<QStringList> convert =
        convertCommand(s.photo, s.outFolder + "convert.jpg", size, previewLengthScale(size));
    if (!convert || s.request.recipe.frameMode != FrameNineSlice) {
        std::fprintf(stderr, "bench_export: the look's steps or frame are not known here\n");
        return 1;
    }
    s.convertArguments = *convert;
    std::printf("convert %s\n", qPrintable(s.convertArguments.join(' ')));

    using benchmark::kMillisecond;
    benchmark::RegisterBenchmark("BM_ExportAgainstConvert/24MP", BM_ExportAgainstConvert)
        ->Unit(kMillisecond)
        ->UseManualTime()
        ->Iterations(3);
    benchmark::RegisterBenchmark("BM_RendererPeakMemory", BM_RendererPeakMemory)
        ->ArgName("MP")
        ->Arg(24)
        ->Arg(100)
        ->Unit(kMillisecond)
        ->Iterations(1);
    benchmark::RegisterBenchmark("BM_EventLoopDuringExport/24MP", BM_EventLoopDuringExport)
        ->Unit(kMillisecond)
        ->Iterations(1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // The catalogues hold pixel wands, which must go before MagickWand ends.
    s = Setup();
    return 0;
}
