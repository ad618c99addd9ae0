#pragma once

#include "CatalogTypes.h"

#include <QString>
#include <QStringList>

#include <optional>

// What one run of the renderer was asked to do, checked before any picture is touched.
struct RenderOptions {
    enum class Mode { Step, Look, List };
    Mode mode = Mode::Step;
    int number = 0;      // step operation (Mode::Step)
    EffectRecord record; // the step's arguments (Mode::Step)
    // The look (Mode::Look), as the window exports it.
    int filter = 0;     // 1-based; 0 for none
    int light = 0;      // 1-based; 0 for none
    QString frame;      // a frame's number in --list, or its picture's name; empty for none
    int rotation = 360; // clockwise degrees as the editor keeps them: 360 (none), 90, 180, 270
    bool flipHorizontal = false;
    bool flipVertical = false;
    int strength = 100; // percent of the filter and light blended over the picture
    int jobs = 1;
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
