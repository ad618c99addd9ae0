#pragma once

#include "CatalogTypes.h"

#include <QString>
#include <QStringList>

#include <optional>

// What one run of the renderer was asked to do, checked before any picture is touched.
struct RenderOptions {
    enum class Mode { Step, Filter, Light, List };
    Mode mode = Mode::Step;
    int number = 0;      // step operation, or 1-based filter / light number
    EffectRecord record; // the step's arguments (Mode::Step)
    QStringList inputs;
    QString output;    // single input
    QString outputDir; // several inputs
    QString format;    // extension for --out-dir outputs; empty keeps each input's own
};

// Either options or a one-line reason why the command line cannot be run.
struct ParsedOptions {
    std::optional<RenderOptions> options;
    QString error;
    bool helpShown = false;
};

// Parses the arguments (arguments[0] is the program). Colour options create pixel wands, so
// MagickWand must have been started.
ParsedOptions parseRenderOptions(const QStringList& arguments);

// The output file for input when writing into a folder.
QString outputPathFor(const RenderOptions& options, const QString& input);
