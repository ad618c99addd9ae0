#pragma once

#include "EditState.h"
#include "NineSliceTiles.h"
#include "Rect.h"

#include <QImage>
#include <QSize>

#include <array>

class QPainter;

// Where the pieces of a nine-slice frame go around a picture of a given size. The piece sizes
// are measured for the full-size picture and divided by how much smaller the picture is.
struct NineSliceLayout : NineSliceTiles {
    double divisor = 0.0; // sourceWidth / picture width: integral, or the real ratio below 1
};

NineSliceLayout nineSliceLayout(const QSize& picture, const std::array<int, 8>& sliceSizes, int sourceWidth);

// The picture stretched to the layout's canvas, mirrored as asked, with the eight pieces (order
// of EditState::framePieces) laid around it. Null when the picture is.
QImage composeNineSliceFrame(const QImage& picture, const std::array<QImage, 8>& pieces,
                             const std::array<int, 8>& sliceSizes, int sourceWidth, bool flipHorizontal,
                             bool flipVertical);

// Frames picture with state's pieces, mirrored by the shared print flags (as the view shows it).
// On screen (saveMode false) the result is drawn stretched into destination and the divisor is
// published as printPieceScale for the print dialog. In save mode nothing is drawn: the result is
// written to state.exportPath with the encoder its extension chooses, and false means the file
// could not be written (unknown type, no permission, full disk).
bool drawNineSliceFrame(QPainter* painter, const Rect& destination, const QImage& picture, bool saveMode,
                        const EditState& state);
