#include "AppPaths.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The generator run by the build: the pictures it draws must be the same on every build, and a
// rebuild must leave nothing behind from earlier designs.
class FrameGenTest : public QObject {
    Q_OBJECT

  private slots:
    void rebuildDrawsTheSameFramesAndNothingElse() {
        QTemporaryDir out;
        QVERIFY(out.isValid());
        const QString folder = out.filePath(QStringLiteral("border.bundle"));
        QVERIFY(QDir().mkpath(folder));
        QFile stray(folder + QStringLiteral("/border99.png"));
        QVERIFY(stray.open(QIODevice::WriteOnly));
        stray.close();

        QProcess generator;
        generator.start(QStringLiteral(LK_DATAGEN), {out.path(), QStringLiteral("frames")});
        QVERIFY(generator.waitForFinished(300000));
        QCOMPARE(generator.exitStatus(), QProcess::NormalExit);
        QCOMPARE(generator.exitCode(), 0);

        const QDir fresh(folder), shipped(AppPaths::programFolder() + QStringLiteral("border.bundle"));
        const QStringList names = fresh.entryList(QDir::Files, QDir::Name);
        QCOMPARE(names, shipped.entryList(QDir::Files, QDir::Name)); // the stray file is gone
        for (const QString& name : names) {
            const QImage a(fresh.filePath(name)), b(shipped.filePath(name));
            QVERIFY2(!a.isNull() && a == b, qPrintable(name));
        }
    }
};

QTEST_GUILESS_MAIN(FrameGenTest)
#include "tst_framegen.moc"
