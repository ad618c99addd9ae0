// What the programs make of their command lines: the picture a file manager hands over, and the
// --help and --version questions that must be answered before anything starts.
#include "CommandLine.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

#include <vector>

class CommandLineTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_folder;

    QString file(const QString& name) const { return m_folder.path() + QLatin1Char('/') + name; }

  private slots:
    void initTestCase() {
        QVERIFY(m_folder.isValid());
        const QByteArray jpeg = [] {
            QFile source(TestSupport::dataFile(QStringLiteral("rocket.jpg")));
            return source.open(QIODevice::ReadOnly) ? source.readAll() : QByteArray();
        }();
        QVERIFY(!jpeg.isEmpty());
        for (const char* name : {"photo.jpg", "summer holiday.jpg", "-dash.jpg", "Ünïcode bild.jpg"}) {
            QFile out(file(QString::fromUtf8(name)));
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(jpeg);
        }
        QVERIFY(QDir(m_folder.path()).mkdir(QStringLiteral("folder.jpg")));
    }

    void pictureArgument_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected"); // a file name in the folder, or empty
        const auto url = [this](const char* name) {
            return QString::fromLatin1(QUrl::fromLocalFile(file(QString::fromUtf8(name))).toEncoded());
        };
        QTest::newRow("absolute path") << QStringList{file("photo.jpg")} << "photo.jpg";
        QTest::newRow("relative path") << QStringList{"photo.jpg"} << "photo.jpg";
        QTest::newRow("path with spaces") << QStringList{file("summer holiday.jpg")} << "summer holiday.jpg";
        QTest::newRow("file URL, encoded blank")
            << QStringList{url("summer holiday.jpg")} << "summer holiday.jpg";
        QTest::newRow("file URL, non-ASCII") << QStringList{url("Ünïcode bild.jpg")} << "Ünïcode bild.jpg";
        QTest::newRow("options passed over")
            << QStringList{"--fullscreen", "-x", file("photo.jpg")} << "photo.jpg";
        QTest::newRow("first picture wins") << QStringList{"photo.jpg", "summer holiday.jpg"} << "photo.jpg";
        QTest::newRow("missing file then a picture") << QStringList{"gone.jpg", "photo.jpg"} << "photo.jpg";
        QTest::newRow("after --, a name like an option") << QStringList{"--", "-dash.jpg"} << "-dash.jpg";
        QTest::newRow("missing file") << QStringList{file("gone.jpg")} << "";
        QTest::newRow("missing file URL") << QStringList{url("gone.jpg")} << "";
        QTest::newRow("web address") << QStringList{"https://example.org/photo.jpg"} << "";
        QTest::newRow("folder") << QStringList{file("folder.jpg")} << "";
        QTest::newRow("nothing") << QStringList{} << "";
    }

    void pictureArgument() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        arguments.prepend(QStringLiteral("lumenkraft"));
        const QString found = CommandLine::pictureArgument(arguments, m_folder.path());
        QCOMPARE(found, expected.isEmpty() ? QString() : file(expected));
    }

    void infoRequest_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("expected");
        using CommandLine::InfoRequest;
        QTest::newRow("help") << QStringList{"--help"} << int(InfoRequest::Help);
        QTest::newRow("short help") << QStringList{"-h"} << int(InfoRequest::Help);
        QTest::newRow("version") << QStringList{"--version"} << int(InfoRequest::Version);
        QTest::newRow("version after a file")
            << QStringList{"a.jpg", "--version"} << int(InfoRequest::Version);
        QTest::newRow("first one wins") << QStringList{"--version", "--help"} << int(InfoRequest::Version);
        QTest::newRow("a file called --help") << QStringList{"--", "--help"} << int(InfoRequest::None);
        QTest::newRow("a picture") << QStringList{"a.jpg"} << int(InfoRequest::None);
        QTest::newRow("nothing") << QStringList{} << int(InfoRequest::None);
    }

    void infoRequest() {
        QFETCH(QStringList, arguments);
        QFETCH(int, expected);
        std::vector<QByteArray> storage{QByteArray("lumenkraft")};
        for (const QString& argument : std::as_const(arguments))
            storage.push_back(argument.toUtf8());
        std::vector<const char*> argv;
        for (const QByteArray& argument : storage)
            argv.push_back(argument.constData());
        QCOMPARE(int(CommandLine::infoRequest(int(argv.size()), argv.data())), expected);
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_desktop_commandline.moc"
