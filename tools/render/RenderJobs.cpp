#include "RenderJobs.h"

#include "ApplyLook.h"
#include "EditState.h"
#include "EffectDispatch.h"
#include "ExportFile.h"
#include "LookRendering.h"
#include "MagickBridge.h"
#include "RasterIO.h"

#include <QFileInfo>

#include <wand/MagickWand.h>

namespace {

QString checkInput(const QString& input) {
    if (!QFileInfo(input).isFile())
        return QStringLiteral("cannot read %1: no such file").arg(input);
    if (!RasterIO::pictureSize(input).isValid())
        return QStringLiteral("cannot read %1: not a picture").arg(input);
    return {};
}

} // namespace

RenderResult renderStep(const EffectRecord& record, const QString& input) {
    if (QString error = checkInput(input); !error.isEmpty())
        return {{}, error};
    MagickWand* image = NewMagickWand();
    MagickWand* second = NewMagickWand();
    RenderResult result;
    if (!readPicture(image, input, "lumenkraft-render", __LINE__)) {
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
    if (QString error = checkInput(input); !error.isEmpty())
        return {{}, error};
    EditState state;
    state.renderTarget = RenderToFilterResult;
    if (!applyFilterToFile(state, catalogues, number - 1, input) || state.effectBitmap.isNull())
        return {{}, QStringLiteral("filter %1 failed on %2").arg(number).arg(input)};
    return {state.effectBitmap, {}};
}

RenderResult renderLight(const Catalogues& catalogues, int number, const QString& input) {
    if (number < 1 || number > catalogues.lightRecords.size())
        return {{},
                QStringLiteral("no light %1: the catalogue holds %2")
                    .arg(number)
                    .arg(catalogues.lightRecords.size())};
    if (QString error = checkInput(input); !error.isEmpty())
        return {{}, error};
    EditState state;
    state.renderTarget = RenderToView;
    if (!applyLight(state, catalogues, number - 1, input) || state.effectBitmap.isNull())
        return {{}, QStringLiteral("light %1 failed on %2").arg(number).arg(input)};
    return {state.effectBitmap, {}};
}

std::optional<EditRecipe> lookRecipe(const RenderOptions& options, const Catalogues& catalogues,
                                     QString* error) {
    EditRecipe recipe;
    recipe.rotationAngle = options.rotation;
    recipe.flipHorizontal = options.flipHorizontal;
    recipe.flipVertical = options.flipVertical;
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
            recipe.frameMode = frame.framerule == 1 ? 1 : 0;
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
