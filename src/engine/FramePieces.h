#pragma once

#include <QImage>

#include <array>

// A nine-slice frame template: its top-left 900 x 900 square is cut on a 240 / 420 / 240 grid
// into four corners and four edge tiles. The square is first scaled for the full-size picture,
// so the frame keeps the same weight on small and large pictures.
inline constexpr int kFrameTemplateSquare = 900;
inline constexpr int kFrameTemplateCorner = 240;
inline constexpr int kFrameTemplateEdge = 420;

struct FrameTemplateScale {
    int referenceSide = 0; // T: the picture side the template is drawn for
    double shrink = 0.0;   // s = T / m
    int square = 0;        // N: the scaled square
    int corner = 0;        // c: corner size and edge thickness
    int edge = 0;          // e: edge tile length
};

// The scale for a full-size picture whose shorter side is shorterSide (m > 0): T = 4000 up to
// 4000 pixels, (m / 4000 + 4) x 1000 beyond; N, c and e truncated toward zero.
FrameTemplateScale frameTemplateScale(int shorterSide);

// The eight pieces cut from the template's square scaled to scale.square, in the order
// top-left, top-right, bottom-right, bottom-left corner, top, right, bottom, left edge.
std::array<QImage, 8> cutFramePieces(const QImage& frameTemplate, const FrameTemplateScale& scale);

// The piece sizes kept for the composition: corner width, edge length, corner height, then the
// edge thickness and length of the remaining sides.
std::array<int, 8> frameSliceSizes(const FrameTemplateScale& scale);
