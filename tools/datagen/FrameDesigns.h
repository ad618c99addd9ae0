#pragma once

#include "FrameKit.h"

#include <QImage>
#include <QList>
#include <QString>

#include <functional>

// The frames the editor ships. Regular frames become border<NN>.png nine-slice templates in
// list order; artistic frames become <name>.png overlays with <name>_thumb.jpg beside them.
namespace FrameDesigns {

struct RegularFrame {
    QString type;                 // the catalogue's descriptive name
    std::function<QImage()> draw; // a kTemplateSize square template with a transparent middle
};

// Artistic overlays are drawn at 4:3 and stretched over the whole picture by the editor.
inline constexpr int kOverlayWidth = 1600;
inline constexpr int kOverlayHeight = 1200;

struct ArtisticFrame {
    QString name; // file stem; never starts with "border", never holds "_thumb"
    QString type;
    std::function<QImage()> draw; // kOverlayWidth x kOverlayHeight, transparent middle
};

// Carved, gilded and metal mouldings.
QList<RegularFrame> mouldingFrames();
// Printed, woven and tiled bands: film, stamps, mosaics and the like.
QList<RegularFrame> patternFrames();
// Woods: stained, painted, weathered, inlaid.
QList<RegularFrame> woodFrames();
// Metals: copper, chrome, pewter, bronze.
QList<RegularFrame> metalFrames();
// Textiles: rope, cord, pearls, leather, denim, lace, knitting.
QList<RegularFrame> textileFrames();
// Graphic bands: meanders, checks, stripes, bricks, marble, neon and the like.
QList<RegularFrame> ornamentFrames();

// Soft shapes: ovals, vignettes, windows, instant photos.
QList<ArtisticFrame> shapeOverlays();
// Edges: burnt, brushed, frosted, cloudy, grassy, paper and album pages.
QList<ArtisticFrame> edgeOverlays();
// Scattered things: hearts, snow, leaves, confetti and the like.
QList<ArtisticFrame> scatterOverlays();

} // namespace FrameDesigns
