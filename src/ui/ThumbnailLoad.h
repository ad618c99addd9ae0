#pragma once

#include <QImage>
#include <QRect>
#include <QString>

// The background half of a list cell: decode a picture and scale it once to the exact size the
// cell shows it at. Pure functions of their arguments, safe on any thread.
namespace ThumbnailLoad {

// Where a W x H picture goes inside the cell's inner square: landscape pictures keep the full
// width and are centred vertically, portrait ones keep the full height and are centred
// horizontally, square ones fill it. Integer arithmetic throughout.
QRect placeInside(const QRect& inner, int width, int height);

struct Result {
    quint64 generation = 0;
    QImage thumbnail; // null when the file could not be decoded
    QRect thumbRect;
};

// Loads path and scales it into its place inside inner, at devicePixelRatio device pixels per
// cell pixel, so a high-density screen gets every pixel it can show.
Result load(const QString& path, const QRect& inner, quint64 generation, qreal devicePixelRatio = 1.0);

} // namespace ThumbnailLoad
