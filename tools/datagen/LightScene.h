#pragma once

#include <QImage>
#include <QString>

// The picture the light thumbnails show: a soft landscape with sky, hills, water, meadow and a
// tree, in quiet mid-tones so that every kind of light (screen, multiply, overlay, soft light)
// shows what it does to highlights, shadows and colour.
QImage drawLightScene(int size);

// A light applied the way the editor applies it: the overlay picture at overlayPath stretched
// over the scene and composed onto it by composeOp (an ImageMagick CompositeOperator) through
// MagickWand. MagickWand must be running. Null when the wand refuses.
QImage composeLight(const QImage& scene, const QString& overlayPath, int composeOp);
