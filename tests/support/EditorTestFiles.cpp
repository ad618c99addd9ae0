#include "EditorTestFiles.h"

#include "TestSupport.h"

#include <QBuffer>
#include <QColorSpace>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QTransform>
#include <QtTest>

namespace EditorTestFiles {

QByteArray jpegBytes(const QImage& image, bool progressive) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(92);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image.convertToFormat(QImage::Format_RGB32));
    return buffer.data();
}

QByteArray withOrientation(const QByteArray& jpeg, int orientation) {
    // Big-endian TIFF header, one IFD entry: tag 0x0112, type SHORT, count 1, the value.
    QByteArray tiff("MM\0\x2A\0\0\0\x08", 8);
    const char entry[] = {0, 1, 0x01, 0x12, 0, 3, 0, 0, 0, 1, 0, char(orientation), 0, 0, 0, 0, 0, 0};
    tiff.append(entry, sizeof entry);
    const int length = 2 + 6 + int(tiff.size());
    QByteArray app1("\xFF\xE1", 2);
    app1.append(char(length >> 8)).append(char(length & 0xFF)).append("Exif\0\0", 6).append(tiff);
    return jpeg.left(2) + app1 + jpeg.mid(2);
}

QByteArray withFrameSize(const QByteArray& jpeg, int width, int height) {
    QByteArray patched = jpeg;
    for (qsizetype i = 2; i + 9 < patched.size(); ++i) {
        const auto marker = uchar(patched[i + 1]);
        if (uchar(patched[i]) == 0xFF && (marker == 0xC0 || marker == 0xC2)) {
            patched[i + 5] = char(height >> 8);
            patched[i + 6] = char(height & 0xFF);
            patched[i + 7] = char(width >> 8);
            patched[i + 8] = char(width & 0xFF);
            return patched;
        }
    }
    return {};
}

QImage storedForOrientation(const QImage& upright, int orientation) {
    const QTransform quarter = QTransform().rotate(90);
    const QTransform threeQuarters = QTransform().rotate(270);
    switch (orientation) {
    case 2:
        return upright.mirrored(true, false);
    case 3:
        return upright.mirrored(true, true);
    case 4:
        return upright.mirrored(false, true);
    case 5: // transpose
        return upright.transformed(quarter).mirrored(true, false);
    case 6: // shown turned a quarter clockwise
        return upright.transformed(threeQuarters);
    case 7: // transverse
        return upright.transformed(threeQuarters).mirrored(true, false);
    case 8:
        return upright.transformed(quarter);
    default:
        return upright;
    }
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QImage photo(int width, int height) {
    // The photo carries an Adobe RGB profile; the editor shows it converted to sRGB.
    static const QImage rocket =
        QImage(TestSupport::dataFile(QStringLiteral("rocket.jpg"))).convertedToColorSpace(QColorSpace::SRgb);
    return rocket.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32);
}

QString writePicture(const QString& path, int width, int height) {
    writeFile(path, jpegBytes(photo(width, height)));
    return path;
}

void writeFilterCatalogue(const QString& dataFolder, const QList<std::optional<QString>>& kinds) {
    QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<theme>\n");
    for (const std::optional<QString>& kind : kinds) {
        if (!kind) {
            xml += QStringLiteral("  <effect/>\n");
            continue;
        }
        xml +=
            QStringLiteral(
                "  <effect><subtheme>\n"
                "    <xmleffecttype xmleffecttype=\"Desaturate\"/>\n"
                "    <xmlneffectfunction xmlneffectfunction=\"110\"/>\n"
                "    <xmlarguments xmlimchannel=\"14\" xmlradius=\"100\" xmlsigma=\"0\" "
                "xmlbrightness=\"100\" "
                "xmlcontrast=\"0\" xmlnenum=\"0\" xmlimboolval1=\"0\" xmlimboolval2=\"0\" xmlkind=\"%1\"/>\n"
                "  </subtheme></effect>\n")
                .arg(*kind);
    }
    xml += QStringLiteral("</theme>\n");
    QDir().mkpath(dataFolder + "deploy");
    writeFile(dataFolder + "deploy/vuvedieffect.xml", xml.toUtf8());
}

QString freshDataFolder() {
    QString work = TestSupport::freshWorkFolder();
    work.chop(1);
    const QString folder = work + QStringLiteral("-data/");
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    qputenv("LUMENKRAFT_DATA_DIR", folder.toUtf8());
    return folder;
}

void makeLooksDataFolder(const QStringList& filterKinds) {
    const QString data = freshDataFolder();
    QList<std::optional<QString>> kinds;
    for (const QString& kind : filterKinds)
        kinds << kind;
    writeFilterCatalogue(data, kinds);
    const QString shipped = TestSupport::binFolder() + QLatin1Char('/');
    QVERIFY(QFile::copy(shipped + "deploy/vuvedilightborder.xml", data + "deploy/vuvedilightborder.xml"));
    for (const char* folder : {"lightimage.bundle", "border.bundle", "magick"})
        QVERIFY(QFile::link(shipped + folder, data + folder));
}

HandOvers::HandOvers(Editor& editor) {
    connect(
        &editor, &Editor::thumbnailReady, this,
        [this, &editor](const QString& path, int number) {
            paths << path;
            numbers << number;
            mapSizes << editor.state().filterListNumbers.size();
        },
        Qt::BlockingQueuedConnection);
}

bool waitForThumbnails(Editor& editor, int timeoutMs) {
    // Events keep flowing meanwhile, so every hand-over reaches its receiver.
    const bool ended = QTest::qWaitFor([&] { return !editor.state().workerBusy; }, timeoutMs);
    if (ended)
        editor.waitForWorker();
    QCoreApplication::processEvents();
    return ended;
}

} // namespace EditorTestFiles
