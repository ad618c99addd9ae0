#pragma once

#include "CatalogTypes.h"
#include "EditRecipe.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <atomic>
#include <functional>

// Where a render stands: what it is doing now, in words the user can read, and how much of the
// whole is done (0 to 1).
struct RenderProgress {
    QString stage;
    double fraction = 0.0;
};

// How a render is watched and bounded. Every member is optional.
struct RenderControl {
    // The finished picture fits in this size, never larger than the full-size picture: the
    // picture is decoded reduced and the look's lengths shrink with it. Empty: full size.
    QSize largest;
    // Called on the rendering thread at the start of every stage and look step.
    std::function<void(const RenderProgress&)> progress;
    // Looked at between stages and between look steps; once it is set the render ends early.
    const std::atomic<bool>* cancel = nullptr;
    // A frame whose picture cannot be read is left out, as the view leaves it out, instead of
    // failing the render. A print follows the view; an export does not write a picture without
    // the frame the user chose.
    bool unframedWithoutFramePicture = false;
};

// The finished picture, or why there is none.
struct RenderedPicture {
    QImage image;  // 32-bit ARGB, sRGB; null unless the render succeeded
    QString error; // the reason in words when it failed
    bool cancelled = false;
};

// The one full-size render path of export, printing and lumenkraft-render: the edited picture
// made again from the full-size picture exactly as the view shows it on the preview. The
// picture is decoded upright, cropped, turned, given the filter and then the light at its own
// size (their lengths scaled from the preview the look was seen on), mirrored, and framed.
// Safe to call on any thread while MagickWand runs; it touches no editing state.
RenderedPicture renderFullSize(const EditRecipe& recipe, const Catalogues& catalogues,
                               const RenderControl& control = {});

// How many pixels of a picture of this upright size stand for one pixel of the preview the
// editor shows it on: 1 for a picture used directly, its width / 1000 for a larger one.
double previewLengthScale(const QSize& uprightSize);
