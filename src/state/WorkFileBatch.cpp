#include "WorkFileBatch.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

WorkFileBatch::~WorkFileBatch() {
    for (const auto& [written, target] : std::as_const(m_staged))
        QFile::remove(written);
}

QString WorkFileBatch::stage(const QString& finalPath) {
    const QString written = finalPath + QStringLiteral(".part");
    // Left over from a run that ended half way; the copy below refuses to overwrite.
    QFile::remove(written);
    m_staged.append({written, finalPath});
    return written;
}

bool WorkFileBatch::commit(QString* reason) {
    while (!m_staged.isEmpty()) {
        const auto [written, target] = m_staged.first();
        // rename(2) replaces the earlier file in one step; QFile::rename would refuse to.
        if (std::rename(QFile::encodeName(written).constData(), QFile::encodeName(target).constData()) != 0) {
            if (reason)
                *reason = QString::fromLocal8Bit(std::strerror(errno));
            return false;
        }
        m_staged.removeFirst();
    }
    return true;
}
