#pragma once

#include "StderrCapture.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstdio>
#include <memory>

#include <unistd.h>

#include <wand/MagickWand.h>

// Small helpers shared by the engine tests.

struct WandDeleter {
    void operator()(MagickWand* wand) const { DestroyMagickWand(wand); }
};
using WandPtr = std::unique_ptr<MagickWand, WandDeleter>;

// What the operations that change no pixel set: the current image's delay, scene and background
// colour, and the bias the wand passes to the operations after it.
inline QByteArray wandSettings(MagickWand* wand) {
    PixelWand* background = NewPixelWand();
    MagickGetImageBackgroundColor(wand, background);
    char* bias = MagickGetOption(wand, "bias");
    const QByteArray settings = QStringLiteral("delay %1 scene %2 background %3,%4,%5 bias %6")
                                    .arg(MagickGetImageDelay(wand))
                                    .arg(MagickGetImageScene(wand))
                                    .arg(PixelGetRedQuantum(background))
                                    .arg(PixelGetGreenQuantum(background))
                                    .arg(PixelGetBlueQuantum(background))
                                    .arg(QString::fromLatin1(bias ? bias : "none"))
                                    .toLatin1();
    if (bias)
        MagickRelinquishMemory(bias);
    DestroyPixelWand(background);
    return settings;
}

// Every sample of the wand's current image at full depth, with its size, image count and
// settings, so two wands compare equal only when the library left them exactly alike.
inline QByteArray wandFingerprint(MagickWand* wand) {
    const size_t width = MagickGetImageWidth(wand);
    const size_t height = MagickGetImageHeight(wand);
    // Without an alpha channel the alpha the library exports means nothing; leave it out.
    const bool alpha = MagickGetImageAlphaChannel(wand) == MagickTrue;
    QByteArray bytes(qsizetype(width * height * (alpha ? 4 : 3) * sizeof(unsigned short)), '\0');
    if (width && height)
        MagickExportImagePixels(wand, 0, 0, width, height, alpha ? "RGBA" : "RGB", ShortPixel, bytes.data());
    const QByteArray header =
        QStringLiteral("%1x%2x%3 ").arg(width).arg(height).arg(MagickGetNumberImages(wand)).toLatin1();
    return header + wandSettings(wand) + ':' + bytes;
}

// Runs body and returns what it wrote to standard error.
template <typename Body> QString captureStandardError(Body body) {
    StderrCapture errors;
    body();
    return QString::fromLocal8Bit(errors.text());
}
