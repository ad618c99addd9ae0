#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <optional>

// A picture as intake needs it: its full size, read from the header, and the preview the
// editor works on, decoded no larger than the preview needs. Both are upright: a picture with
// an orientation tag is turned and mirrored the way a camera meant it to be shown. The preview is
// in sRGB whatever profile the file carries.
struct DecodedPreview {
    QSize sourceSize;
    QImage preview;
    // The preview is the whole picture at full size, so the byte copy of the file can stand
    // for it as long as nothing had to be turned.
    bool wholePicture = false;
    // The file's pixels are stored turned or mirrored; only a freshly written file is upright.
    bool reoriented = false;
    // The file's colours are not sRGB (its profile says so); only a freshly written file holds
    // the converted ones.
    bool recoloured = false;
    // The file holds several frames (an animation, pages, icon sizes); the preview is the first.
    bool multiFrame = false;
};

namespace PreviewDecoder {

// Pictures up to this size are worked on directly; anything larger gets a preview.
inline constexpr int kDirectMaxWidth = 1024;
inline constexpr int kDirectMaxHeight = 768;
inline constexpr int kPreviewWidth = 1000;

bool usableDirectly(const QSize& uprightSize);

// 1000 x trunc(1000 * height / width), never less than one pixel high.
QSize previewSizeFor(const QSize& uprightSize);

// The libjpeg scale denominator (1, 2, 4 or 8) that decodes a stored size straight to the
// smallest picture still covering target.
int dctScaleFor(const QSize& storedSize, const QSize& storedTarget);

// Decodes path once. Nothing when the file is not a picture the decoders understand or holds
// more than RasterIO::kMaxPixels.
std::optional<DecodedPreview> decode(const QString& path);

} // namespace PreviewDecoder
