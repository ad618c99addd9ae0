#include "FuzzInput.h"

#include "WorkFiles.h"

#include <QDir>
#include <QFile>

QString fuzzInputFile(const uint8_t* data, size_t size, const QString& name) {
    const QString path = WorkFiles::path(name);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    return path;
}
