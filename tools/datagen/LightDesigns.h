#pragma once

#include <QImage>
#include <QList>
#include <QString>

#include <functional>

// One shipped light: the overlay picture and the blend that lays it over the user's picture.
// The blend is an ImageMagick CompositeOperator value, the xmlnenum of the light's catalogue
// entry; the overlay is saved as lightimage.bundle/<file>.png.
struct LightDesign {
    QString file;
    int composeOp = 0;
    std::function<QImage()> draw;
};

namespace LightDesigns {

// Light leaks, bokeh, rainbows and colour washes.
QList<LightDesign> colorful();
// Sun, haze, mist, dappled light and warm or cool daylight.
QList<LightDesign> natural();
// Grey-only overlays: vignettes, grain, dust, scratches, paper and spotlights.
QList<LightDesign> monochrome();

// Every light in catalogue order (light n is entry n - 1): the three groups dealt in turn,
// colourful, natural, black and white, so any run of lights shows all three kinds.
QList<LightDesign> inCatalogueOrder();

} // namespace LightDesigns
