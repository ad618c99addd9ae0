#include "WorkFiles.h"

#include "AppPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace WorkFiles {

QString path(const QString& name) {
    return AppPaths::workFolder() + name;
}

QString sourceCopyName(int copyCounter) {
    return QString::fromLatin1(copyCounter % 2 == 0 ? kSourceCopy : kSourceCopyAlt);
}

QString thumbnailPath(int n) {
    return path(QStringLiteral("a/%1.jpg").arg(n));
}

QString filterResultPath(int n) {
    return path(QStringLiteral("b/%1.jpg").arg(n));
}

QString rotatedCopyPath(int angle) {
    const int a = ((angle % 360) + 360) % 360;
    return path(QStringLiteral("save_rot%1.jpg").arg(a));
}

void ensureWorkFolder(const QString& name) {
    const QString folder = path(name);
    if (!QFileInfo(folder).isDir())
        QDir().mkpath(folder);
}

static bool removeFile(const char* name) {
    return QFile::remove(path(name));
}

bool deleteSourceCopies() {
    const bool first = removeFile(kSourceCopy);
    removeFile(kSourceCopyAlt);
    return first;
}

void removeWorkFiles() {
    removeFile("xx.jpg");
    removeFile("wl.jpg");
    deleteSourceCopies();
    removeFile("newfile1.jpg");
    for (const char* name : {"max_lj.jpg", "save_save.jpg", "save2.jpg", "sss.jpg", "ww.jpg", "newthumbfile.jpg"})
        removeFile(name);
    for (const char* name :
         {"cut.jpg", "save.jpg", "save_rot0.jpg", "save_rot90.jpg", "save_rot180.jpg", "save_rot270.jpg",
          "save_save.jpg", "save2.jpg", "sss.jpg", "newfile.jpg", "newfile1.jpg", "s_x.jpg", "sssss.jpg",
          "a/source_cut.jpg", "a/source_cut1.jpg", "save_save1.jpg", "sss1.jpg", "wwllwl.jpg", "wwll.jpg",
          "max_lj.jpg"})
        removeFile(name);
    QDir(path(kThumbFolder)).removeRecursively();
    QDir(path(kResultFolder)).removeRecursively();
}

} // namespace WorkFiles
