#pragma once

#include <QList>
#include <QPair>
#include <QString>

// Working files that replace their earlier versions all together or not at all. Each new file
// is written under a name of its own beside its final one, and commit() gives every one its
// final name only once all are complete. Whatever a batch wrote and did not commit is removed
// when it goes, so a write that fails part way leaves the earlier files as they were.
class WorkFileBatch {
  public:
    WorkFileBatch() = default;
    ~WorkFileBatch();
    WorkFileBatch(const WorkFileBatch&) = delete;
    WorkFileBatch& operator=(const WorkFileBatch&) = delete;

    // Where to write the new content of finalPath; nothing is there yet.
    QString stage(const QString& finalPath);

    // Moves every staged file over its final name. A rename within one folder needs no room on
    // the disk, so this fails only in odd cases (a folder in the way); reason then says why.
    bool commit(QString* reason = nullptr);

  private:
    QList<QPair<QString, QString>> m_staged; // written, final
};
