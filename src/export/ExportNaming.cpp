#include "ExportNaming.h"

#include <QDir>
#include <QFileInfo>

namespace ExportNaming {

QString defaultName(const QString& fullSizePath) {
    QString stem;
    const qsizetype slash = fullSizePath.lastIndexOf(QLatin1Char('/'));
    if (slash > 0) {
        const QString name = fullSizePath.mid(slash + 1);
        const qsizetype dot = name.indexOf(QLatin1Char('.'));
        if (dot >= 0)
            stem = name.left(dot);
    }
    return stem + QStringLiteral("_lumenkraft.jpg");
}

QString dialogFolder(const QString& lastExportFolder, const QString& photoPath) {
    if (!lastExportFolder.isEmpty() && QFileInfo(lastExportFolder).isDir())
        return lastExportFolder;
    if (!photoPath.isEmpty()) {
        const QString folder = QFileInfo(photoPath).absolutePath();
        if (QFileInfo(folder).isDir())
            return folder;
    }
    return QDir::homePath();
}

} // namespace ExportNaming
