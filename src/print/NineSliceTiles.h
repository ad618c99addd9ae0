#pragma once

#include <QImage>
#include <QSize>

#include <array>

// How the eight pieces of a nine-slice frame are laid around a picture, given the piece sizes
// at the picture's scale. The view, the export and the print all lay them by this one rule.
struct NineSliceTiles {
    int corner = 0;          // c: corner size and edge thickness
    int edge = 0;            // e: edge tile length
    int cornerHeight = 0;    // ch
    int lastTileAcross = -1; // nx: tiles 0..nx along the top and bottom
    int lastTileDown = -1;   // ny: tiles 0..ny along the sides
    QSize canvas;            // grown past the picture when the tiles do not fit a whole number of times
    bool framed = false;     // false when an edge tile would be under a pixel: the picture alone
};

NineSliceTiles nineSliceTiles(const QSize& picture, int corner, int edge, int cornerHeight);

// The picture stretched to the canvas of tiles, mirrored as asked, with the eight pieces laid
// around it (top-left, top-right, bottom-right, bottom-left corner, top, right, bottom, left
// edge). Null when the picture is.
QImage composeNineSlice(const QImage& picture, const std::array<QImage, 8>& pieces,
                        const NineSliceTiles& tiles, bool flipHorizontal, bool flipVertical);
