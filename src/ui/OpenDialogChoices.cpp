#include "OpenDialogChoices.h"

#include "PictureTypes.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace OpenDialogChoices {

QString picturesFilter() {
    QStringList patterns;
    for (const QString& extension : PictureTypes::extensions())
        patterns << QStringLiteral("*.") + extension << QStringLiteral("*.") + extension.toUpper();
    return QStringLiteral("Pictures (%1)").arg(patterns.join(QLatin1Char(' ')));
}

QStringList filters() {
    // The pattern "*" also lists files without any extension: the intake decides by content.
    return {picturesFilter(), QStringLiteral("all file *.* (*)")};
}

QString startFolder(const QString& lastUsed) {
    if (!lastUsed.isEmpty() && QFileInfo(lastUsed).isDir())
        return lastUsed;
    // The XDG Pictures folder; the toolkit falls back on the home folder when it is not set up,
    // and a configured folder may not exist yet.
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!pictures.isEmpty() && QFileInfo(pictures).isDir())
        return pictures;
    return QDir::homePath();
}

} // namespace OpenDialogChoices
