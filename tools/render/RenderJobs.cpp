#include "RenderJobs.h"

#include "ApplyLook.h"
#include "EditState.h"
#include "EffectDispatch.h"
#include "Encoders.h"
#include "LookRendering.h"
#include "MagickBridge.h"
#include "RasterIO.h"

#include <QFileInfo>

#include <wand/MagickWand.h>

namespace {

// The quality the editor's export uses.
constexpr int kExportQuality = 85;

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

QString checkOutputType(const QString& output) {
    if (!Encoders::findExportEncoder(output))
        return QStringLiteral("cannot write %1: unknown picture type (use jpg, png, bmp, gif or tif)")
            .arg(output);
    return {};
}

QString saveResult(const QImage& image, const QString& output) {
    if (QString error = checkOutputType(output); !error.isEmpty())
        return error;
    if (!Encoders::save(image, output, *Encoders::findExportEncoder(output), kExportQuality))
        return QStringLiteral("cannot write %1").arg(output);
    return {};
}
