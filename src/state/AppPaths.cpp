#include "AppPaths.h"

#include "WorkFiles.h"

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

// More editors at once than anyone runs; the folders they may use are numbered below it.
constexpr int kMaxEditors = 1000;

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
    const auto folderNumber = [&](int n) {
        return n == 1 ? base : withSlash(stem + QStringLiteral("-%1").arg(n));
    };
    // The lock lives beside the folder so that removing the working files never touches it.
    // A lock whose program has ended, however it ended, is stale and taken over at once.
    const auto lockOf = [](const QString& folder) {
        auto folderLock = std::make_unique<QLockFile>(folder.chopped(1) + QStringLiteral(".lock"));
        folderLock->setStaleLockTime(0);
        return folderLock;
    };
    for (int n = 1; n < kMaxEditors && claimedFolder().isEmpty(); ++n) {
        const QString candidate = folderNumber(n);
        QDir().mkpath(candidate);
        if (auto candidateLock = lockOf(candidate); candidateLock->tryLock(0)) {
            lock = std::move(candidateLock);
            claimedFolder() = candidate;
        }
    }
    if (claimedFolder().isEmpty()) {
        claimedFolder() = base;
        return base;
    }
    // What a killed editor left here is of no use to this one.
    WorkFiles::removeWorkFiles();
    // The folders of other killed editors go, so they never add up. A folder still locked
    // belongs to an editor that runs.
    for (int n = 2; n < kMaxEditors; ++n) {
        const QString folder = folderNumber(n);
        // Only a folder with a lock file beside it was made by an editor.
        if (folder == claimedFolder() || !QFileInfo::exists(folder.chopped(1) + QStringLiteral(".lock")))
            continue;
        if (auto folderLock = lockOf(folder); folderLock->tryLock(0))
            QDir(folder).removeRecursively();
    }
    return claimedFolder();
}

QString fromCataloguePath(QString text) {
    return text.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

} // namespace AppPaths
