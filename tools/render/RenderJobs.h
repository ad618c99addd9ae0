#pragma once

#include "CatalogTypes.h"
#include "EditRecipe.h"
#include "RenderOptions.h"

#include <QImage>
#include <QString>

#include <optional>

// One rendered picture, or the reason there is none.
struct RenderResult {
    QImage image;
    QString error;
};

// One catalogue step on the picture at input, run exactly as a look's single step is.
RenderResult renderStep(const EffectRecord& record, const QString& input);

// Filter number (1-based) or light number of the catalogues, as the editor applies them.
RenderResult renderFilter(const Catalogues& catalogues, int number, const QString& input);
RenderResult renderLight(const Catalogues& catalogues, int number, const QString& input);

// The recipe of the look options for any input (sourcePath left empty); nothing, with the reason
// in error, when a number or a frame name names nothing in the catalogues.
std::optional<EditRecipe> lookRecipe(const RenderOptions& options, const Catalogues& catalogues,
                                     QString* error);

// Writes image to output as an export is written (atomically, sRGB, with the metadata of the
// photo at source when there is one); an empty text on success.
QString saveResult(const QImage& image, const QString& output, const QString& source = QString());

// The reason output cannot be written (its type, a missing folder), or an empty text.
QString checkOutputType(const QString& output);
