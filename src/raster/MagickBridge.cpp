#include "MagickBridge.h"

#include "RasterIO.h"

#include <QColorSpace>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <string>

#include <wand/MagickWand.h>

namespace {

// The image library takes 32-bit pixels in the byte order B, G, R, A; QImage's ARGB32 has
// exactly that layout in memory on the little-endian machines this program runs on.
constexpr const char* kPixelMap = "BGRA";

} // namespace

void reportMagickFailure(MagickWand* wand, const char* routine, unsigned long line) {
    ExceptionType severity = UndefinedException;
    char* description = wand ? MagickGetException(wand, &severity) : nullptr;
    reportFailure(routine, line, description);
    if (description)
        MagickRelinquishMemory(description);
    // The wand goes on being used by the caller; a stale exception would be reported again.
    if (wand)
        MagickClearException(wand);
}

QByteArray magickPath(const QString& path) {
    return path.toUtf8();
}

QImage stretchedPicture(const QString& path, int width, int height) {
    if (width <= 0 || height <= 0)
        return {};
    const QImage decoded = RasterIO::load(path);
    if (decoded.isNull()) {
        // Laying a fully transparent picture over another changes nothing.
        reportFailureOnce("CcsAllDlg::bitmap2magick", __LINE__,
                          QStringLiteral("cannot read %1: the overlay is left out").arg(path));
        QImage blank(width, height, QImage::Format_ARGB32);
        blank.fill(Qt::transparent);
        return blank;
    }
    // Stretched over the whole picture, not letter-boxed: overlays are made to cover it. Made
    // 32-bit ARGB in place, so that only one picture of that size is ever held.
    return decoded.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32);
}

bool bitmap2magick(const QString& path, MagickWand* wand, int width, int height) {
    if (width <= 0 || height <= 0) {
        reportFailure("CcsAllDlg::bitmap2magick", __LINE__, "the requested size is empty");
        return false;
    }
    const QImage canvas = stretchedPicture(path, width, height);
    if (canvas.isNull()) {
        reportFailure("CcsAllDlg::bitmap2magick", __LINE__, "out of memory for the overlay");
        return false;
    }
    return rowsToMagick(canvas, 0, height, wand, "CcsAllDlg::bitmap2magick");
}

bool rowsToMagick(const QImage& argb, int top, int rows, MagickWand* wand, const char* routine) {
    // ARGB32 rows are packed (width x 4 bytes), so the rows lie one after another in memory.
    if (MagickConstituteImage(wand, size_t(argb.width()), size_t(rows), kPixelMap, CharPixel,
                              argb.constScanLine(top)) != MagickTrue) {
        reportMagickFailure(wand, routine, __LINE__);
        return false;
    }
    return true;
}

QImage magick2raster(MagickWand* wand, const char* routine) {
    const size_t width = MagickGetImageWidth(wand);
    const size_t height = MagickGetImageHeight(wand);
    if (width == 0 || height == 0 || width > size_t(INT_MAX) || height > size_t(INT_MAX)) {
        reportMagickFailure(wand, routine, __LINE__);
        return {};
    }
    // The raster gets pixels of its own (ARGB32 rows are packed, width x 4 bytes), so it stays
    // valid whatever happens to the wand or to the next raster made after it.
    QImage raster(int(width), int(height), QImage::Format_ARGB32);
    if (raster.isNull()) {
        reportFailure(routine, __LINE__, "out of memory for the picture's pixels");
        return {};
    }
    if (MagickExportImagePixels(wand, 0, 0, width, height, kPixelMap, CharPixel, raster.bits()) !=
        MagickTrue) {
        reportMagickFailure(wand, routine, __LINE__);
        return {};
    }
    // The library exports an alpha sample even for an image without an alpha channel, and after
    // some operations (a scale, for one) that sample is left over from the computation rather
    // than opaque. Such an image is opaque by definition.
    if (MagickGetImageAlphaChannel(wand) != MagickTrue) {
        for (int y = 0; y < raster.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(raster.scanLine(y));
            for (int x = 0; x < raster.width(); ++x)
                line[x] |= 0xFF000000u;
        }
    }
    return raster;
}

// The colours the library read from a file as Qt describes them: its profile, else its gamma
// and chromaticities (a PNG's gAMA and cHRM). A gamma or chromaticities the file did not state
// come as the library's defaults or as zero, and zero says nothing.
static QColorSpace describedColours(MagickWand* wand) {
    size_t length = 0;
    if (unsigned char* icc = MagickGetImageProfile(wand, "icc", &length)) {
        const QByteArray profile(reinterpret_cast<const char*>(icc), qsizetype(length));
        MagickRelinquishMemory(icc);
        // A profile nobody here can read is invalid, which leaves the numbers as they are.
        return QColorSpace::fromIccProfile(profile);
    }
    const double gamma = MagickGetImageGamma(wand);
    if (gamma <= 0)
        return {};
    QPointF white, red, green, blue;
    MagickGetImageWhitePoint(wand, &white.rx(), &white.ry());
    MagickGetImageRedPrimary(wand, &red.rx(), &red.ry());
    MagickGetImageGreenPrimary(wand, &green.rx(), &green.ry());
    MagickGetImageBluePrimary(wand, &blue.rx(), &blue.ry());
    const QPointF points[] = {white, red, green, blue};
    const bool chromaticitiesStated =
        std::all_of(std::begin(points), std::end(points),
                    [](const QPointF& point) { return point.x() > 0 && point.y() > 0; });
    if (!chromaticitiesStated)
        return QColorSpace(QColorSpace::Primaries::SRgb, float(1.0 / gamma));
    return QColorSpace(white, red, green, blue, QColorSpace::TransferFunction::Gamma, float(1.0 / gamma));
}

bool holdsForeignColours(MagickWand* wand) {
    return RasterIO::isForeignColourSpace(describedColours(wand));
}

bool replaceWithRaster(MagickWand* wand, const QImage& picture, const char* routine) {
    ClearMagickWand(wand);
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    // "P" skips the alpha byte: an opaque picture gets no alpha channel, as when read from a file.
    // It matters: some operations (edges among them) weigh their neighbourhood by alpha.
    const char* map = RasterIO::hasTransparency(argb) ? kPixelMap : "BGRP";
    if (argb.isNull() || MagickConstituteImage(wand, size_t(argb.width()), size_t(argb.height()), map,
                                               CharPixel, argb.constBits()) != MagickTrue) {
        reportMagickFailure(wand, routine, __LINE__);
        return false;
    }
    return true;
}

MagickWand* raster2magick(const QImage& image) {
    MagickWand* wand = NewMagickWand();
    if (image.isNull())
        return wand;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    if (MagickConstituteImage(wand, size_t(argb.width()), size_t(argb.height()), kPixelMap, CharPixel,
                              argb.constBits()) != MagickTrue) {
        reportMagickFailure(wand, "raster2magick", __LINE__);
        ClearMagickWand(wand);
    }
    return wand;
}
