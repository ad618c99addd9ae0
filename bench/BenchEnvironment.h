#pragma once

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

// Points a benchmark at the data folder of its build tree (build/bin, beside build/bench) and
// at a working folder of its own, unless the environment already names them. Must be created
// before MagickWand starts, which reads the resource policy from the data folder.
class BenchEnvironment {
public:
    explicit BenchEnvironment(const char* argv0)
        : m_exeFolder(QFileInfo(QString::fromLocal8Bit(argv0)).absolutePath()) {
        if (qEnvironmentVariableIsEmpty("LUMENKRAFT_DATA_DIR"))
            qputenv("LUMENKRAFT_DATA_DIR", QDir(m_exeFolder + "/../bin").absolutePath().toUtf8() + "/");
        if (qEnvironmentVariableIsEmpty("LUMENKRAFT_WORK_DIR"))
            qputenv("LUMENKRAFT_WORK_DIR", m_work.path().toUtf8() + "/");
    }

    QString exeFolder() const { return m_exeFolder; }
    QString workFolder() const { return m_work.path(); }

private:
    QString m_exeFolder;
    QTemporaryDir m_work;
};
