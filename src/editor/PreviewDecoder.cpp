#include "PreviewDecoder.h"

#include "RasterIO.h"

#include <QImageReader>

namespace PreviewDecoder {

namespace {

bool withinLimit(const QSize& size) {
    return size.isValid() && qint64(size.width()) * size.height() <= RasterIO::kMaxPixels;
}

} // namespace

bool usableDirectly(const QSize& uprightSize) {
    return uprightSize.width() <= kDirectMaxWidth && uprightSize.height() <= kDirectMaxHeight;
}

QSize previewSizeFor(const QSize& uprightSize) {
    const double ratio = double(uprightSize.height()) / double(uprightSize.width());
    return QSize(kPreviewWidth, qMax(1, int(ratio * kPreviewWidth)));
}

int dctScaleFor(const QSize& storedSize, const QSize& storedTarget) {
    for (const int denominator : {8, 4, 2}) {
        if (storedSize.width() / denominator >= storedTarget.width() &&
            storedSize.height() / denominator >= storedTarget.height())
            return denominator;
    }
    return 1;
}

std::optional<DecodedPreview> decode(const QString& path) {
    RasterIO::allowLargePictures();
    QImageReader reader(path);
    reader.setAutoTransform(true);
    // Counted before anything else is asked: the TIFF handler counts its pages from where the
    // file stands, and after the size query that is no longer the start.
    const bool multiFrame = reader.imageCount() > 1;

    // The handler reports the stored size; the orientation tag is applied after decoding, so
    // any reduced size asked of the decoder is in stored orientation too.
    const QSize storedSize = reader.size();
    if (storedSize.isValid() && !withinLimit(storedSize))
        return std::nullopt;
    const QImageIOHandler::Transformations transformation = reader.transformation();
    const bool quarterTurned = transformation.testFlag(QImageIOHandler::TransformationRotate90);

    DecodedPreview result;
    result.reoriented = transformation != QImageIOHandler::TransformationNone;
    result.multiFrame = multiFrame;
    result.sourceSize = quarterTurned ? storedSize.transposed() : storedSize;

    const bool needsPreview = storedSize.isValid() && !usableDirectly(result.sourceSize);
    QSize previewSize;
    if (needsPreview) {
        previewSize = previewSizeFor(result.sourceSize);
        const QSize storedTarget = quarterTurned ? previewSize.transposed() : previewSize;
        // libjpeg can leave out detail while decoding, at 1/2, 1/4 or 1/8 of the size. Asking
        // for exactly such a size keeps Qt from resampling on its own, so the only scaling is
        // the high-quality one below.
        if (reader.format() == "jpeg" && reader.supportsOption(QImageIOHandler::ScaledSize)) {
            const int denominator = dctScaleFor(storedSize, storedTarget);
            if (denominator > 1)
                reader.setScaledSize(
                    QSize(storedSize.width() / denominator, storedSize.height() / denominator));
        }
    }

    QImage decoded = reader.read();
    if (decoded.isNull())
        return std::nullopt;
    if (!storedSize.isValid()) {
        // A handler that cannot tell its size up front: the decoded picture is the whole one.
        if (!withinLimit(decoded.size()))
            return std::nullopt;
        result.sourceSize = decoded.size();
        if (!usableDirectly(result.sourceSize)) {
            previewSize = previewSizeFor(result.sourceSize);
            decoded = decoded.scaled(previewSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
    } else if (needsPreview) {
        decoded = decoded.scaled(previewSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    result.wholePicture = usableDirectly(result.sourceSize);
    // Converted at the preview's size, which costs a fraction of converting the whole picture,
    // and still in the decoder's own depth.
    result.recoloured = RasterIO::convertToSRgb(decoded);
    result.preview = decoded.convertToFormat(QImage::Format_ARGB32);
    return result;
}

} // namespace PreviewDecoder
