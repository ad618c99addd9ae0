#include "RenderJobs.h"

#include "EditState.h"
#include "EffectDispatch.h"
#include "Encoders.h"
#include "ExportFile.h"
#include "LookBlend.h"
#include "LookOnPicture.h"
#include "LookRendering.h"
#include "MagickBridge.h"
#include "RasterIO.h"
#include "WorkFiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <atomic>

#include <wand/MagickWand.h>

namespace {

// The picture at input as the editor takes it in: decoded by the window's decoders (upright,
// its first frame) and written losslessly as a working file the effect library reads. The
// library never sees the user's own file, whose type it might misread or not know. Several
// inputs are worked on at once, so each gets a working file of its own, removed once read.
class WorkingInput {
  public:
    explicit WorkingInput(const QString& input) {
        if (!QFileInfo(input).isFile()) {
            error = QStringLiteral("cannot read %1: no such file").arg(input);
            return;
        }
        const QImage picture = RasterIO::load(input);
        if (picture.isNull()) {
            error = QStringLiteral("cannot read %1: not a picture, or larger than %2 megapixels")
                        .arg(input)
                        .arg(RasterIO::kMaxPixels / 1'000'000);
            return;
        }
        static std::atomic<int> serial{0};
        const QString candidate = WorkFiles::path(
            QStringLiteral("render_input_%1_%2.png").arg(QCoreApplication::applicationPid()).arg(serial++));
        const std::optional<ImageEncoder> png = Encoders::byMimeType("image/png");
        // Quality 90 asks for light compression: the file is read once, at once. A picture that
        // covers every pixel is written without an alpha channel, so the effect library treats it
        // exactly as it treats the user's own opaque file.
        if (!png || !Encoders::save(picture, candidate, *png, 90)) {
            error = QStringLiteral("cannot write the working file %1").arg(candidate);
            return;
        }
        path = candidate;
    }
    ~WorkingInput() {
        if (!path.isEmpty())
            QFile::remove(path);
    }
    WorkingInput(const WorkingInput&) = delete;
    WorkingInput& operator=(const WorkingInput&) = delete;

    QString path;  // empty when the picture could not be taken in
    QString error; // why
};

} // namespace

RenderResult renderStep(const EffectRecord& record, const QString& input) {
    const WorkingInput working(input);
    if (working.path.isEmpty())
        return {{}, working.error};
    const QString& picture = working.path;
    MagickWand* image = NewMagickWand();
    MagickWand* second = NewMagickWand();
    RenderResult result;
    if (!readPicture(image, picture, "lumenkraft-render", __LINE__)) {
        result.error = QStringLiteral("cannot read %1").arg(input);
    } else {
        EffectRouting routing;
        routing.renderTarget = RenderToView;
        if (run_effect_function(routing, 1, second, record, 1, 1, image))
            result.image = routing.effectBitmap;
        else
            result.error = QStringLiteral("step %1 failed on %2").arg(record.neffectfunction).arg(input);
    }
    DestroyMagickWand(second);
    DestroyMagickWand(image);
    return result;
}

RenderResult renderFilter(const Catalogues& catalogues, int number, const QString& input) {
    if (number < 1 || number > catalogues.filterLooks.size())
        return {{},
                QStringLiteral("no filter %1: the catalogue holds %2")
                    .arg(number)
                    .arg(catalogues.filterLooks.size())};
    const WorkingInput working(input);
    if (working.path.isEmpty())
        return {{}, working.error};
    const QString& picture = working.path;
    EditState state;
    state.renderTarget = RenderToFilterResult;
    if (!applyFilterToFile(state, catalogues, number - 1, picture) || state.effectBitmap.isNull())
        return {{}, QStringLiteral("filter %1 failed on %2").arg(number).arg(input)};
    return {state.effectBitmap, {}};
}

RenderResult renderLight(const Catalogues& catalogues, int number, const QString& input) {
    if (number < 1 || number > catalogues.lightRecords.size())
        return {{},
                QStringLiteral("no light %1: the catalogue holds %2")
                    .arg(number)
                    .arg(catalogues.lightRecords.size())};
    const WorkingInput working(input);
    if (working.path.isEmpty())
        return {{}, working.error};
    const QString& picture = working.path;
    EditState state;
    state.renderTarget = RenderToView;
    if (!applyLight(state, catalogues, number - 1, picture) || state.effectBitmap.isNull())
        return {{}, QStringLiteral("light %1 failed on %2").arg(number).arg(input)};
    return {state.effectBitmap, {}};
}

std::optional<EditRecipe> lookRecipe(const RenderOptions& options, const Catalogues& catalogues,
                                     QString* error) {
    EditRecipe recipe;
    recipe.rotationAngle = options.rotation;
    recipe.flipHorizontal = options.flipHorizontal;
    recipe.flipVertical = options.flipVertical;
    recipe.strength = strengthOfPercent(options.strength);
    if (options.filter > catalogues.filterLooks.size()) {
        *error = QStringLiteral("no filter %1: the catalogue holds %2")
                     .arg(options.filter)
                     .arg(catalogues.filterLooks.size());
        return std::nullopt;
    }
    if (options.light > catalogues.lightRecords.size()) {
        *error = QStringLiteral("no light %1: the catalogue holds %2")
                     .arg(options.light)
                     .arg(catalogues.lightRecords.size());
        return std::nullopt;
    }
    recipe.filterIndex = options.filter - 1;
    recipe.lightIndex = options.light - 1;
    if (options.frame.isEmpty())
        return recipe;
    bool isNumber = false;
    const int number = options.frame.toInt(&isNumber);
    for (qsizetype i = 0; i < catalogues.frameRecords.size(); ++i) {
        const FrameRecord& frame = catalogues.frameRecords[i];
        const QFileInfo picture(frame.effectimage);
        const bool named =
            isNumber ? number == i + 1
                     : options.frame == picture.fileName() || options.frame == picture.completeBaseName();
        if (named) {
            recipe.frameMode = frame.framerule == FrameRuleNineSlice ? FrameNineSlice : FrameOverlay;
            recipe.framePicture = frame.effectimage;
            return recipe;
        }
    }
    *error = QStringLiteral("no frame \"%1\": --list shows every frame").arg(options.frame);
    return std::nullopt;
}

QString checkOutputType(const QString& output) {
    return ExportFile::checkTarget(output);
}

QString saveResult(const QImage& image, const QString& output, const QString& source) {
    if (QString error = checkOutputType(output); !error.isEmpty())
        return error;
    return ExportFile::write(image, output, source).error;
}
