#include "CatalogTestFiles.h"

#include "AppPaths.h"

#include <QDir>
#include <QFile>

QString writeCatalogueFile(const QString& name, const QString& text) {
    const QString folder = AppPaths::workFolder();
    QDir().mkpath(folder);
    const QString path = folder + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {};
    file.write(text.toUtf8());
    return path;
}
