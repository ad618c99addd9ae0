#pragma once

#include "EditState.h"
#include "NineSliceTiles.h"
#include "Rect.h"

#include <QImage>
#include <QSize>

#include <array>

class QPainter;

// Where the pieces of a nine-slice frame go around a picture of a given size. The piece sizes
// are measured for the full-size picture and divided by how much smaller the picture is, as a
// real ratio: the view, the export and the print then frame a picture in the same proportions
// whatever its size.
struct NineSliceLayout : NineSliceTiles {
    double divisor = 0.0; // full-size width / picture width, both in the picture's orientation
};

// fullWidth is the width of the full-size picture turned the way picture is: a picture turned by
// a quarter is compared with the full-size height.
NineSliceLayout nineSliceLayout(const QSize& picture, const std::array<int, 8>& sliceSizes, int fullWidth);

// The picture stretched to the layout's canvas, mirrored as asked, with the eight pieces (order
// of EditState::framePieces) laid around it. Null when the picture is.
QImage composeNineSliceFrame(const QImage& picture, const std::array<QImage, 8>& pieces,
                             const std::array<int, 8>& sliceSizes, int fullWidth, bool flipHorizontal,
                             bool flipVertical);

// The width of state's full-size picture turned by its rotation, as the view shows it.
int shownFullWidth(const EditState& state);

// Frames picture with state's pieces, mirrored by state's flags, and draws the result stretched
// into destination. False when there is nothing to draw.
bool drawNineSliceFrame(QPainter& painter, const Rect& destination, const QImage& picture,
                        const EditState& state);
