#include "AppIcon.h"

#include "StripPicture.h"

#include <QPixmap>

namespace AppIcon {

QIcon icon() {
    const QPixmap picture(StripPicture::uiPath(QStringLiteral("lumenkraft.png")));
    return picture.isNull() ? QIcon() : QIcon(picture);
}

} // namespace AppIcon
