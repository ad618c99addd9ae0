#include "PictureTypes.h"

#include <QFileInfo>
#include <QImageReader>

namespace PictureTypes {

QStringList extensions() {
    // The decoders are plug-ins, so the list is the installed one; it cannot change while the
    // program runs.
    static const QStringList known = [] {
        QStringList names;
        for (const QByteArray& format : QImageReader::supportedImageFormats())
            names << QString::fromLatin1(format).toLower();
        names.removeDuplicates();
        return names;
    }();
    return known;
}

bool isPictureName(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0)
        return false;
    return extensions().contains(name.mid(dot + 1), Qt::CaseInsensitive);
}

} // namespace PictureTypes
