// The real program, started offscreen on a photo with a broken catalogue in its data folder,
// still starts, renders what it can, and tells each fault once on standard error.
#include "TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// One filter of one step.
QString filter(int operation,
               const QString& arguments = QStringLiteral(R"(xmlimchannel="0" xmlradius="1" xmlsigma="1")")) {
    return QStringLiteral(R"(<effect><subtheme><xmleffecttype xmleffecttype="Look %1: step"/>)"
                          R"(<xmlneffectfunction xmlneffectfunction="%1"/>)"
                          R"(<xmlarguments %2 xmlkind="Natural"/></subtheme></effect>)")
        .arg(operation)
        .arg(arguments);
}

QString filters(const QStringList& effects) {
    return QStringLiteral("<theme>") + effects.join(QString()) + QStringLiteral("</theme>");
}

QString light(const QString& picture) {
    return QStringLiteral(
               R"(<subtheme><xmleffecttype xmleffecttype="Leak"/>)"
               R"(<xmlneffectfunction xmlneffectfunction="35"/>)"
               R"(<xmleffectimage xmleffectimage="%1"/><xmlarguments xmlkind="Natural" xmlnenum="45"/>)"
               R"(</subtheme>)")
        .arg(picture);
}

QString lightsAndFrames(const QString& lights) {
    return QStringLiteral("<theme><light>%1</light><border/></theme>").arg(lights);
}

int thumbnailCount(const QString& work) {
    return int(QDir(work + QStringLiteral("a")).entryList({QStringLiteral("*.jpg")}, QDir::Files).size());
}

} // namespace

class BadCataloguesTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_root;
    QTemporaryDir m_runtime; // the desktop's runtime folder, private as it must be

  private slots:
    void initTestCase() {
        QVERIFY(m_root.isValid() && m_runtime.isValid());
        QFile::setPermissions(m_runtime.path(),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    void programStartsAndTellsOnce_data() {
        QTest::addColumn<QString>("effects");
        QTest::addColumn<QString>("lights");
        QTest::addColumn<int>("thumbnails"); // the filter thumbnails to wait for
        QTest::addColumn<QString>("told"); // what the one report line says; empty: nothing; *: anything, once

        const QString goodLights = lightsAndFrames(light(QStringLiteral("lightimage.bundle/1.jpg")));
        const QString threeFilters = filters({filter(19), filter(115), filter(72)});
        QTest::newRow("truncated filters")
            << threeFilters.left(threeFilters.size() / 2) << goodLights << 0 << "vuvedieffect.xml";
        QTest::newRow("truncated lights")
            << threeFilters << goodLights.left(40) << 3 << "vuvedilightborder.xml";
        QTest::newRow("unknown operation")
            << filters({filter(19), filter(9999), filter(115)}) << goodLights << 3 << "no operation 9999";
        QTest::newRow("huge numbers")
            << filters({filter(18, R"(xmlradius="-1e30" xmlsigma="-1e30")"),
                        filter(19, R"(xmlradius="1e30" xmlsigma="3e38")"),
                        filter(22, R"(xmlradius="99999999999" xmlsigma="-1e30" xmlnenum="2147483647")"),
                        filter(152, R"(xmlradius="1e9" xmlsigma="1e9")"),
                        filter(53, R"(xmlradius="1e9" xmlsigma="1e9")"), filter(53, R"(xmlsigma="1e9")"),
                        filter(206, R"(xmlradius="1e9" xmlsigma="1e9")"), filter(206, R"(xmlsigma="1e9")"),
                        filter(115, R"(xmlimchannel="999999")"), filter(72)})
            << goodLights << 10 << "*";
        QTest::newRow("missing light picture")
            << threeFilters << lightsAndFrames(light(QStringLiteral("lightimage.bundle/nowhere.png"))) << 3
            << "";
        QTest::newRow("empty light list") << threeFilters << lightsAndFrames(QString()) << 3 << "";
        QStringList many;
        for (int n = 0; n < 10000; ++n)
            many.append(filter(115));
        QTest::newRow("10 000 filters") << filters(many) << goodLights << 20 << "";
    }

    void programStartsAndTellsOnce() {
        QFETCH(QString, effects);
        QFETCH(QString, lights);
        QFETCH(int, thumbnails);
        QFETCH(QString, told);

        // The shipped data, with the catalogues replaced.
        const QString data = m_root.filePath(QString::fromLatin1(QTest::currentDataTag()) + "/data/");
        const QString work = m_root.filePath(QString::fromLatin1(QTest::currentDataTag()) + "/work/");
        QVERIFY(QDir().mkpath(data + "deploy") && QDir().mkpath(work));
        for (const char* folder : {"UI", "lightimage.bundle", "border.bundle", "help", "magick"})
            QFile::link(TestSupport::binFolder() + "/" + folder, data + QString::fromLatin1(folder));
        for (const auto& [name, text] :
             {std::pair{"vuvedieffect.xml", effects}, {"vuvedilightborder.xml", lights}}) {
            QFile file(data + "deploy/" + name);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(text.toUtf8());
        }

        QProcess program;
        QByteArray errors;
        connect(&program, &QProcess::readyReadStandardError, this,
                [&] { errors += program.readAllStandardError(); });
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("LUMENKRAFT_DATA_DIR", data);
        environment.insert("LUMENKRAFT_WORK_DIR", work);
        environment.insert("XDG_DATA_HOME", m_root.filePath("xdg"));
        environment.insert("XDG_RUNTIME_DIR", m_runtime.path());
        program.setProcessEnvironment(environment);
        program.start(TestSupport::binFolder() + "/lumenkraft", {TestSupport::dataFile("coffee.png")});
        QVERIFY(program.waitForStarted());

        // Thumbnails of every filter that can be rendered, while the program runs on.
        QElapsedTimer waited;
        waited.start();
        while (thumbnailCount(work) < thumbnails && program.state() == QProcess::Running &&
               waited.elapsed() < 90000)
            QTest::qWait(200);
        QTest::qWait(1500); // the rest of the run, and any report after it
        QVERIFY2(program.state() == QProcess::Running, errors.constData());
        QVERIFY2(thumbnailCount(work) >= thumbnails, qPrintable(QString::number(thumbnailCount(work))));
        program.kill();
        program.waitForFinished();
        errors += program.readAllStandardError();

        const QStringList lines = QString::fromUtf8(errors).split('\n', Qt::SkipEmptyParts);
        if (told.isEmpty())
            QVERIFY2(lines.isEmpty(), errors.constData());
        else if (told == "*")
            QVERIFY2(QSet<QString>(lines.begin(), lines.end()).size() == lines.size(), errors.constData());
        else
            QVERIFY2(lines.size() == 1 && lines.first().contains(told), errors.constData());
    }
};

QTEST_MAIN(BadCataloguesTest)
#include "tst_bad_catalogues.moc"
