#include "RenderOptions.h"

#include "CatalogValues.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QThread>

#include <algorithm>
#include <cstdio>

namespace {

struct Failure {
    QString reason;
};

int integerValue(const QCommandLineParser& parser, const QString& name) {
    bool ok = false;
    const int value = parser.value(name).toInt(&ok);
    if (!ok)
        throw Failure{QStringLiteral("--%1 needs a whole number, not \"%2\"").arg(name, parser.value(name))};
    return value;
}

float realValue(const QCommandLineParser& parser, const QString& name) {
    bool ok = false;
    const float value = parser.value(name).toFloat(&ok);
    if (!ok)
        throw Failure{QStringLiteral("--%1 needs a number, not \"%2\"").arg(name, parser.value(name))};
    return value;
}

// "R,G,B" with components 0.0 .. 1.0, as the catalogue writes colours.
SharedPixelWand colourValue(const QCommandLineParser& parser, const QString& name) {
    const QStringList parts = parser.value(name).split(QLatin1Char(','));
    double rgb[3] = {};
    bool ok = parts.size() == 3;
    for (int i = 0; ok && i < 3; ++i) {
        rgb[i] = parts[i].trimmed().toDouble(&ok);
        ok = ok && rgb[i] >= 0.0 && rgb[i] <= 1.0;
    }
    if (!ok)
        throw Failure{QStringLiteral("--%1 needs R,G,B with components from 0 to 1, not \"%2\"")
                          .arg(name, parser.value(name))};
    return CatalogValues::makePixelWand(rgb[0], rgb[1], rgb[2]);
}

EffectRecord stepRecord(const QCommandLineParser& parser, int number) {
    EffectRecord record;
    record.neffectfunction = number;
    if (parser.isSet("radius"))
        record.radius = realValue(parser, "radius");
    if (parser.isSet("sigma"))
        record.sigma = realValue(parser, "sigma");
    if (parser.isSet("brightness"))
        record.brightness = realValue(parser, "brightness");
    if (parser.isSet("contrast"))
        record.contrast = realValue(parser, "contrast");
    if (parser.isSet("nenum"))
        record.nenum = integerValue(parser, "nenum");
    if (parser.isSet("bool1"))
        record.imboolval1 = integerValue(parser, "bool1");
    if (parser.isSet("bool2"))
        record.imboolval2 = integerValue(parser, "bool2");
    if (parser.isSet("channel")) {
        const auto mask = CatalogValues::channelMask(integerValue(parser, "channel"));
        if (!mask)
            throw Failure{QStringLiteral("--channel takes a position from 0 to 19")};
        record.imchannel = *mask;
    }
    if (parser.isSet("color1"))
        record.color1 = colourValue(parser, "color1");
    if (parser.isSet("color2"))
        record.color2 = colourValue(parser, "color2");
    return record;
}

// Clockwise degrees, any multiple of 90, as the editor's angle: 360 for none.
int rotationValue(const QCommandLineParser& parser) {
    const int degrees = integerValue(parser, "rotate");
    if (degrees % 90 != 0)
        throw Failure{QStringLiteral("--rotate takes a multiple of 90 degrees, not %1").arg(degrees)};
    const int angle = ((degrees % 360) + 360) % 360;
    return angle == 0 ? 360 : angle;
}

int lookNumber(const QCommandLineParser& parser, const QString& name) {
    const int number = integerValue(parser, name);
    if (number < 1)
        throw Failure{QStringLiteral("--%1 counts from 1").arg(name)};
    return number;
}

const QStringList kLookOptions = {"filter", "light", "frame", "rotate", "flip-h", "flip-v", "strength"};

RenderOptions parse(QCommandLineParser& parser, const QStringList& arguments) {
    if (!parser.parse(arguments))
        throw Failure{parser.errorText()};

    RenderOptions options;
    const bool look = std::any_of(kLookOptions.begin(), kLookOptions.end(),
                                  [&](const QString& name) { return parser.isSet(name); });
    const int modes = int(parser.isSet("step")) + int(parser.isSet("list")) + int(look);
    if (modes != 1)
        throw Failure{
            QStringLiteral("choose exactly one of --step, --list or a look "
                           "(--filter, --light, --frame, --rotate, --flip-h, --flip-v, --strength)")};

    if (parser.isSet("list")) {
        options.mode = RenderOptions::Mode::List;
        if (!parser.positionalArguments().isEmpty())
            throw Failure{QStringLiteral("--list takes no files")};
        return options;
    }
    if (parser.isSet("step")) {
        options.mode = RenderOptions::Mode::Step;
        options.number = integerValue(parser, "step");
        options.record = stepRecord(parser, options.number);
    } else {
        options.mode = RenderOptions::Mode::Look;
        if (parser.isSet("filter"))
            options.filter = lookNumber(parser, "filter");
        if (parser.isSet("light"))
            options.light = lookNumber(parser, "light");
        options.frame = parser.value("frame");
        if (parser.isSet("rotate"))
            options.rotation = rotationValue(parser);
        options.flipHorizontal = parser.isSet("flip-h");
        options.flipVertical = parser.isSet("flip-v");
        if (parser.isSet("strength")) {
            options.strength = integerValue(parser, "strength");
            if (options.strength < 0 || options.strength > 100)
                throw Failure{QStringLiteral("--strength takes a percentage from 0 to 100")};
        }
    }
    options.jobs = std::max(1, QThread::idealThreadCount());
    if (parser.isSet("jobs")) {
        options.jobs = integerValue(parser, "jobs");
        if (options.jobs < 1)
            throw Failure{QStringLiteral("--jobs needs at least 1")};
    }

    const QStringList files = parser.positionalArguments();
    if (parser.isSet("out-dir")) {
        options.outputDir = parser.value("out-dir");
        options.format = parser.value("format");
        options.inputs = files;
        if (files.isEmpty())
            throw Failure{QStringLiteral("no input files")};
    } else {
        if (files.size() != 2)
            throw Failure{QStringLiteral("expected IN OUT (or several inputs with --out-dir DIR)")};
        if (parser.isSet("format"))
            throw Failure{QStringLiteral("--format goes with --out-dir; otherwise OUT's extension decides")};
        options.inputs = {files[0]};
        options.output = files[1];
    }
    return options;
}

} // namespace

ParsedOptions parseRenderOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Exports pictures with a look exactly as the editor's window does: full size, upright, the\n"
        "filter, then the light, mirrored, then the frame, with the photo's metadata. Lengths in a\n"
        "look (blur radii and the like) are scaled so that the result looks as the look does on the\n"
        "picture's preview in the window. --rotate turns clockwise by a multiple of 90 degrees, the\n"
        "way the editor keeps its angle: one press of the window's Rotate button is --rotate 270.\n"
        "The output type follows the output's extension (jpg, png, bmp, gif, tif).\n"
        "--step runs one catalogue operation on a picture as it is; --list shows the catalogues."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    parser.addOptions({
        {"filter", "Filter <n> of the filter catalogue (1-based, as --list shows it).", "n"},
        {"light", "Light <n> of the light catalogue (1-based).", "n"},
        {"frame", "A frame by its number in --list or its picture's name (border01, album).", "name"},
        {"rotate", "Turn clockwise by <degrees>, a multiple of 90 (270: a quarter to the left).", "degrees"},
        {"flip-h", "Mirror left to right."},
        {"flip-v", "Mirror top to bottom."},
        {"strength",
         "How strongly the filter and light show, in percent (default 100); the frame always shows.",
         "percent"},
        {"jobs", "With several inputs: how many to work on at once (default: the number of cores).", "n"},
        {"step", "Run catalogue operation <n> on the picture as it is.", "n"},
        {"list", "List every filter, light and frame of the catalogues."},
        {"radius", "R of the step.", "R"},
        {"sigma", "S of the step.", "S"},
        {"brightness", "B of the step.", "B"},
        {"contrast", "C of the step.", "C"},
        {"nenum", "Enumeration value of the step.", "E"},
        {"channel", "Channel position 0..19 of the step.", "I"},
        {"bool1", "First flag of the step (1 is true).", "V"},
        {"bool2", "Second flag of the step (1 is true).", "V"},
        {"color1", "First colour of the step, components 0..1.", "R,G,B"},
        {"color2", "Second colour of the step, components 0..1.", "R,G,B"},
        {"out-dir", "Write each input's result into <dir>, under the input's name.", "dir"},
        {"format", "With --out-dir: the output extension (default: each input's own).", "ext"},
    });
    parser.addPositionalArgument("IN", "Input picture (several with --out-dir).");
    parser.addPositionalArgument("OUT", "Output picture.");

    ParsedOptions parsed;
    try {
        parsed.options = parse(parser, arguments);
    } catch (const Failure& failure) {
        if (parser.isSet(helpOption)) {
            std::fputs(qPrintable(parser.helpText()), stdout);
            parsed.helpShown = true;
        } else {
            parsed.error = failure.reason;
        }
        return parsed;
    }
    if (parser.isSet(helpOption)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        parsed.helpShown = true;
        parsed.options.reset();
    }
    return parsed;
}

QString outputPathFor(const RenderOptions& options, const QString& input) {
    if (options.outputDir.isEmpty())
        return options.output;
    const QFileInfo info(input);
    const QString suffix = options.format.isEmpty() ? info.suffix() : options.format;
    return QDir(options.outputDir).filePath(info.completeBaseName() + QLatin1Char('.') + suffix);
}
