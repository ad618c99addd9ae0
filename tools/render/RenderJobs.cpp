#include "RenderJobs.h"

#include "ApplyLook.h"
#include "EditState.h"
#include "EffectDispatch.h"
#include "Encoders.h"
#include "LookRendering.h"
#include "MagickBridge.h"
#include "RasterIO.h"
#include "WorkFiles.h"

#include <QFileInfo>

#include <wand/MagickWand.h>

namespace {

// The quality the editor's export uses.
constexpr int kExportQuality = 85;

// A picture that covers every pixel: written without an alpha channel, the effect library
// treats it exactly as it treats the user's own opaque file.
QImage withoutNeedlessAlpha(const QImage& picture) {
    for (int y = 0; y < picture.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            if (qAlpha(line[x]) != 255)
                return picture;
    }
    return picture.convertToFormat(QImage::Format_RGB32);
}

// The picture at input as the editor takes it in: decoded by the window's decoders (upright,
// its first frame) and written losslessly as a working file the effect library reads. The
// library never sees the user's own file, whose type it might misread or not know.
QString workingInput(const QString& input, QString* error) {
    if (!QFileInfo(input).isFile()) {
        *error = QStringLiteral("cannot read %1: no such file").arg(input);
        return {};
    }
    const QImage picture = RasterIO::load(input);
    if (picture.isNull()) {
        *error = QStringLiteral("cannot read %1: not a picture, or larger than %2 megapixels")
                     .arg(input)
                     .arg(RasterIO::kMaxPixels / 1'000'000);
        return {};
    }
    const QString path = WorkFiles::path(QStringLiteral("render_input.png"));
    const std::optional<ImageEncoder> png = Encoders::byMimeType("image/png");
    // Quality 90 asks for light compression: the file is read once, at once.
    if (!png || !Encoders::save(withoutNeedlessAlpha(picture), path, *png, 90)) {
        *error = QStringLiteral("cannot write the working file %1").arg(path);
        return {};
    }
    return path;
}

} // namespace

RenderResult renderStep(const EffectRecord& record, const QString& input) {
    QString error;
    const QString picture = workingInput(input, &error);
    if (picture.isEmpty())
        return {{}, error};
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
    QString error;
    const QString picture = workingInput(input, &error);
    if (picture.isEmpty())
        return {{}, error};
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
    QString error;
    const QString picture = workingInput(input, &error);
    if (picture.isEmpty())
        return {{}, error};
    EditState state;
    state.renderTarget = RenderToView;
    if (!applyLight(state, catalogues, number - 1, picture) || state.effectBitmap.isNull())
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
