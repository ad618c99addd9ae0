#pragma once

#include "CatalogTypes.h"

#include <QImage>
#include <QString>

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

// Saves with the encoder the output's extension chooses; an empty text on success.
QString saveResult(const QImage& image, const QString& output);

// The reason output cannot be written by type, or an empty text.
QString checkOutputType(const QString& output);
