#pragma once

#include "EditCodes.h"

#include <QImage>
#include <QString>

#include <array>

class QPainter;
struct Rect;

// The picture state the print dialog draws from. The editor refreshes it whenever the picture,
// its look, its turn or its mirroring change; printing never reads the editor's own state.
// The mirror flags here are the ones every mirrored draw (view, export, frame, print) follows.
struct PrintShared {
    QImage printPicture;
    QImage printLook;
    int printRotation = 360;
    bool printFlipHorizontal = false;
    bool printFlipVertical = false;
    int printFrameMode = FrameNone;
    QString printOverlayPath;
    std::array<QImage, 8> printFramePieces;
    double printPieceScale = 0.0;

    // Back to the start values (no picture, no look, unturned, unmirrored, no frame).
    void reset();

    // The one block of the process.
    static PrintShared& instance();
};

// Draws the whole of image stretched into target, mirrored left to right and/or top to bottom.
// Both flags together look like a half turn.
void DrawMirrored(QPainter& painter, const QImage& image, const QRectF& target, bool flipHorizontal,
                  bool flipVertical);
void DrawMirrored(QPainter& painter, const QImage& image, const Rect& target, bool flipHorizontal,
                  bool flipVertical);

// The same with the mirror flags of the shared print state.
void DrawMirrored(QPainter& painter, const QImage& image, const Rect& target);
