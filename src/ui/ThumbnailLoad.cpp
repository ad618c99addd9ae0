#include "ThumbnailLoad.h"

#include "RasterIO.h"

namespace ThumbnailLoad {

QRect placeInside(const QRect& inner, int width, int height) {
    QRect place = inner;
    if (width <= 0 || height <= 0 || width == height)
        return place;
    if (height < width) {
        const int shown = inner.width() * height / width;
        place.setTop(inner.y() + (inner.height() - shown) / 2);
        place.setHeight(shown);
    } else {
        const int shown = width * inner.height() / height;
        place.setLeft(inner.x() + (inner.width() - shown) / 2);
        place.setWidth(shown);
    }
    return place;
}

Result load(const QString& path, const QRect& inner, quint64 generation, qreal devicePixelRatio) {
    Result result;
    result.generation = generation;
    const QImage picture = RasterIO::load(path);
    if (picture.isNull())
        return result;
    result.thumbRect = placeInside(inner, picture.width(), picture.height());
    if (result.thumbRect.isEmpty())
        return result;
    const QSize devicePixels = (QSizeF(result.thumbRect.size()) * devicePixelRatio).toSize();
    result.thumbnail = picture.scaled(devicePixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    result.thumbnail.setDevicePixelRatio(devicePixelRatio);
    return result;
}

} // namespace ThumbnailLoad
