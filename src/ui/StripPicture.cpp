#include "StripPicture.h"

#include "AppPaths.h"

namespace StripPicture {

QString uiPath(const QString& fileName) {
    return AppPaths::programFolder() + QStringLiteral("UI/") + fileName;
}

QRect stateSource(const QSize& stripSize, State state) {
    const int width = stripSize.width() / 3;
    return QRect(static_cast<int>(state) * width, 0, width, stripSize.height());
}

const QImage& Cache::get(const QString& path) {
    if (path != m_path) {
        m_path = path;
        m_image = path.isEmpty() ? QImage() : QImage(path);
    }
    return m_image;
}

} // namespace StripPicture
