#include "LogFile.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace LogFile {

QString filePath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (folder.isEmpty())
        folder = QDir::homePath() + QStringLiteral("/.local/share/lumenkraft");
    return folder + QStringLiteral("/lumenkraft.log");
}

void append(const QString& line) {
    const QString path = filePath();
    QDir().mkpath(path.section(QLatin1Char('/'), 0, -2));
    QFile file(path);
    if (file.open(QIODevice::Append | QIODevice::Text))
        file.write(line.toUtf8() + '\n');
}

} // namespace LogFile
