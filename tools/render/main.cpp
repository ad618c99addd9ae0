// lumenkraft-render: the editor's looks on picture files, without the window.
//
//   lumenkraft-render [--filter N] [--light M] [--frame NAME] [--rotate K] [--flip-h] [--flip-v] IN OUT
//   lumenkraft-render <look options> --out-dir DIR [--format EXT] [--jobs N] IN...
//   lumenkraft-render --step N [--radius R] ... IN OUT
//   lumenkraft-render --list
//   lumenkraft-render --contact-sheet IN OUT   (every filter, light and frame on one sheet)
//
// A look is exported exactly as the window exports it, through the same full-size render path.
// Exit status 0 on success; otherwise one line per failure on standard error and status 1
// (2 when the command line itself is wrong). The files that could be written are written.

#include "AppPaths.h"
#include "CatalogueListing.h"
#include "CommandLine.h"
#include "ContactSheet.h"
#include "EffectCatalogue.h"
#include "ExportJob.h"
#include "LightFrameCatalogue.h"
#include "MagickSession.h"
#include "RasterIO.h"
#include "RenderJobs.h"
#include "RenderOptions.h"

#include <QCoreApplication>
#include <QDir>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;

void fail(const QString& reason) {
    std::fprintf(stderr, "lumenkraft-render: %s\n", qPrintable(reason));
    std::fflush(stderr);
}

Catalogues readCatalogues(const RenderOptions& options) {
    Catalogues catalogues;
    if (options.mode == RenderOptions::Mode::Step)
        return catalogues;
    ReadEffectCatalogue(catalogues);
    ReadLightCatalogue(catalogues);
    ReadFrameCatalogue(catalogues);
    return catalogues;
}

// One input to its output; an empty text on success.
QString renderOne(const RenderOptions& options, const Catalogues& catalogues, const EditRecipe& look,
                  const QString& input, const QString& output) {
    if (options.mode == RenderOptions::Mode::Step) {
        // An unknown output type is known before any work is done.
        if (QString error = checkOutputType(output); !error.isEmpty())
            return error;
        const RenderResult result = renderStep(options.record, input);
        return result.error.isEmpty() ? saveResult(result.image, output, input) : result.error;
    }
    ExportRequest request;
    request.recipe = look;
    request.recipe.sourcePath = input;
    request.catalogues = catalogues;
    request.target = output;
    return runExport(request).error;
}

// Works on the inputs options.jobs at a time; each file is reported as soon as it is done.
int renderAll(const RenderOptions& options, const Catalogues& catalogues, const EditRecipe& look) {
    const int count = int(options.inputs.size());
    std::atomic<int> next{0};
    std::atomic<int> done{0};
    std::atomic<int> failures{0};
    std::mutex reporting;
    const auto work = [&] {
        for (int i = next++; i < count; i = next++) {
            const QString& input = options.inputs[i];
            const QString output = outputPathFor(options, input);
            const QString error = renderOne(options, catalogues, look, input, output);
            const std::lock_guard lock(reporting);
            const int finished = ++done;
            if (error.isEmpty()) {
                std::printf("[%d/%d] %s -> %s\n", finished, count, qPrintable(input), qPrintable(output));
                std::fflush(stdout);
            } else {
                ++failures;
                fail(error);
            }
        }
    };
    std::vector<std::thread> workers;
    for (int j = 1; j < std::min(options.jobs, count); ++j)
        workers.emplace_back(work);
    work();
    for (std::thread& worker : workers)
        worker.join();
    return failures == 0 ? 0 : kFailed;
}

int run(const RenderOptions& options) {
    const Catalogues catalogues = readCatalogues(options);
    if (options.mode == RenderOptions::Mode::List) {
        for (const QString& line : listCatalogues(catalogues, AppPaths::programFolder()))
            std::printf("%s\n", qPrintable(line));
        return 0;
    }
    EditRecipe look;
    if (options.mode == RenderOptions::Mode::Look) {
        QString error;
        const std::optional<EditRecipe> recipe = lookRecipe(options, catalogues, &error);
        if (!recipe) {
            fail(error);
            return kFailed;
        }
        look = *recipe;
    }
    if (!options.outputDir.isEmpty() && !QDir().mkpath(options.outputDir)) {
        fail(QStringLiteral("cannot create the folder %1").arg(options.outputDir));
        return kFailed;
    }
    return renderAll(options, catalogues, look);
}

} // namespace

int main(int argc, char** argv) {
    // Answered before anything starts, so a machine without a display (or without the data
    // folders) still gets them.
    switch (CommandLine::infoRequest(argc, argv)) {
    case CommandLine::InfoRequest::Version:
        CommandLine::print(CommandLine::versionLine(QStringLiteral("lumenkraft-render")));
        return 0;
    case CommandLine::InfoRequest::Help: {
        QCoreApplication app(argc, argv);
        parseRenderOptions({app.arguments().constFirst(), QStringLiteral("--help")});
        return 0;
    }
    case CommandLine::InfoRequest::None:
        break;
    }
    // The sheet draws text and so brings its own GUI application object.
    if (argc > 1 && qstrcmp(argv[1], "--contact-sheet") == 0)
        return runContactSheet(argc, argv);
    // Nothing is shown, so no display is needed; the decoders' chatter about odd but readable
    // files would bury the one line a failure prints.
    QCoreApplication app(argc, argv);
    // Past a file-size limit (ulimit -f) a write should fail and be reported, not end the process
    // with a file half written.
    std::signal(SIGXFSZ, SIG_IGN);
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio=false"));
    RasterIO::allowLargePictures();

    // The working files of a look (b/<n>.jpg and the like) go to a folder of this run, so a
    // render never disturbs an editor that is open at the same time.
    QTemporaryDir work;
    if (!work.isValid()) {
        fail(QStringLiteral("cannot create a working folder"));
        return kFailed;
    }
    qputenv("LUMENKRAFT_WORK_DIR", QDir(work.path()).absolutePath().toUtf8());

    const MagickSession session;
    const ParsedOptions parsed = parseRenderOptions(app.arguments());
    if (parsed.helpShown)
        return 0;
    if (!parsed.options) {
        fail(parsed.error);
        return kUsage;
    }
    return run(*parsed.options);
}
