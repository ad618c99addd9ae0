// lumenkraft-render: the editor's looks on picture files, without the window.
//
//   lumenkraft-render --step N [--radius R] ... IN OUT
//   lumenkraft-render --filter N IN OUT
//   lumenkraft-render --light N IN OUT
//   lumenkraft-render --filter N --out-dir DIR [--format EXT] IN...
//   lumenkraft-render --list
//   lumenkraft-render --contact-sheet IN OUT   (every filter, light and frame on one sheet)
//
// Exit status 0 on success; otherwise one line per failure on standard error and status 1
// (2 when the command line itself is wrong).

#include "AppPaths.h"
#include "CatalogueListing.h"
#include "CommandLine.h"
#include "ContactSheet.h"
#include "EffectCatalogue.h"
#include "LightFrameCatalogue.h"
#include "MagickSession.h"
#include "RasterIO.h"
#include "RenderJobs.h"
#include "RenderOptions.h"

#include <QCoreApplication>
#include <QDir>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;

void fail(const QString& reason) {
    std::fprintf(stderr, "lumenkraft-render: %s\n", qPrintable(reason));
}

Catalogues readCatalogues(const RenderOptions& options) {
    Catalogues catalogues;
    const bool all = options.mode == RenderOptions::Mode::List;
    if (all || options.mode == RenderOptions::Mode::Filter)
        ReadEffectCatalogue(catalogues);
    if (all || options.mode == RenderOptions::Mode::Light)
        ReadLightCatalogue(catalogues);
    if (all)
        ReadFrameCatalogue(catalogues);
    return catalogues;
}

RenderResult render(const RenderOptions& options, const Catalogues& catalogues, const QString& input) {
    switch (options.mode) {
    case RenderOptions::Mode::Filter:
        return renderFilter(catalogues, options.number, input);
    case RenderOptions::Mode::Light:
        return renderLight(catalogues, options.number, input);
    default:
        return renderStep(options.record, input);
    }
}

int run(const RenderOptions& options) {
    const Catalogues catalogues = readCatalogues(options);
    if (options.mode == RenderOptions::Mode::List) {
        for (const QString& line : listCatalogues(catalogues, AppPaths::programFolder()))
            std::printf("%s\n", qPrintable(line));
        return 0;
    }
    if (!options.outputDir.isEmpty() && !QDir().mkpath(options.outputDir)) {
        fail(QStringLiteral("cannot create the folder %1").arg(options.outputDir));
        return kFailed;
    }
    int failures = 0;
    for (const QString& input : options.inputs) {
        const QString output = outputPathFor(options, input);
        // An unknown output type is known before any work is done.
        QString error = checkOutputType(output);
        if (error.isEmpty()) {
            const RenderResult result = render(options, catalogues, input);
            error = result.error.isEmpty() ? saveResult(result.image, output) : result.error;
        }
        if (!error.isEmpty()) {
            fail(error);
            ++failures;
        }
    }
    return failures == 0 ? 0 : kFailed;
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
