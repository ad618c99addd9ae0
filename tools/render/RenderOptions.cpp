#include "RenderOptions.h"

#include "CatalogValues.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

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

RenderOptions parse(QCommandLineParser& parser, const QStringList& arguments) {
    if (!parser.parse(arguments))
        throw Failure{parser.errorText()};

    RenderOptions options;
    const QStringList modes = {"step", "filter", "light", "list"};
    QStringList chosen;
    for (const QString& mode : modes)
        if (parser.isSet(mode))
            chosen.append(QStringLiteral("--") + mode);
    if (chosen.size() != 1)
        throw Failure{QStringLiteral("choose exactly one of --step, --filter, --light and --list")};

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
        options.mode = parser.isSet("filter") ? RenderOptions::Mode::Filter : RenderOptions::Mode::Light;
        const QString name = parser.isSet("filter") ? QStringLiteral("filter") : QStringLiteral("light");
        options.number = integerValue(parser, name);
        if (options.number < 1)
            throw Failure{QStringLiteral("--%1 counts from 1").arg(name)};
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
    parser.setApplicationDescription(
        QStringLiteral("Runs a catalogue step, a filter or a light on pictures; the output type follows the "
                       "output's extension (jpg, png, bmp, gif, tif)."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    parser.addOptions({
        {"step", "Run catalogue operation <n>.", "n"},
        {"filter", "Run filter <n> of the filter catalogue (1-based).", "n"},
        {"light", "Run light <n> of the light catalogue (1-based).", "n"},
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
