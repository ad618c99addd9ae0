#include "AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

#include <memory>

namespace {

QString withSlash(QString path) {
    if (!path.isEmpty() && !path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

QString executableFolder() {
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(QLatin1Char('/'), 0, -2);
}

QString baseWorkFolder() {
    const QString env = qEnvironmentVariable("LUMENKRAFT_WORK_DIR");
    if (!env.isEmpty())
        return withSlash(QDir::cleanPath(env));
    QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (cache.isEmpty())
        cache = QDir::tempPath() + QStringLiteral("/lumenkraft");
    return withSlash(cache + QStringLiteral("/work"));
}

QString& claimedFolder() {
    static QString folder;
    return folder;
}

} // namespace

namespace AppPaths {

QString programFolder() {
    const QString env = qEnvironmentVariable("LUMENKRAFT_DATA_DIR");
    if (!env.isEmpty())
        return withSlash(QDir::cleanPath(env));
    const QString exeDir = executableFolder();
    if (QFileInfo(exeDir + QStringLiteral("/deploy")).isDir())
        return withSlash(exeDir);
    return withSlash(QDir::cleanPath(exeDir + QStringLiteral("/../share/lumenkraft")));
}

QString workFolder() {
    const QString& claimed = claimedFolder();
    return claimed.isEmpty() ? baseWorkFolder() : claimed;
}

QString claimWorkFolder() {
    static std::unique_ptr<QLockFile> lock;
    if (!claimedFolder().isEmpty())
        return claimedFolder();
    const QString base = baseWorkFolder();
    const QString stem = base.chopped(1);
    for (int n = 1; n < 1000; ++n) {
        const QString candidate = n == 1 ? base : withSlash(stem + QStringLiteral("-%1").arg(n));
        QDir().mkpath(candidate);
        // The lock lives beside the folder so that removing the working files never touches it.
        auto candidateLock = std::make_unique<QLockFile>(candidate.chopped(1) + QStringLiteral(".lock"));
        candidateLock->setStaleLockTime(0);
        if (candidateLock->tryLock(0)) {
            lock = std::move(candidateLock);
            claimedFolder() = candidate;
            return candidate;
        }
    }
    claimedFolder() = base;
    return base;
}

QString fromCataloguePath(QString text) {
    return text.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

} // namespace AppPaths
