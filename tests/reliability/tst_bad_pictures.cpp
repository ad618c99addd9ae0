// Whatever file a user hands over, through the open dialog, a drop or lumenkraft-render, either
// opens upright with its first frame in its own colours, or is refused; nothing crashes.
#include "Editor.h"
#include "EditorTestFiles.h"
#include "MagickBridge.h"
#include "MagickSession.h"
#include "PictureTypes.h"
#include "RasterIO.h"
#include "TestSupport.h"
#include "TiffFiles.h"
#include "WorkFiles.h"

#include <QBuffer>
#include <QDir>
#include <QImageWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <wand/MagickWand.h>

#include <algorithm>
#include <cstdlib>

#include <zlib.h>

using namespace EditorTestFiles;
using Outcome = Editor::IntakeOutcome;

namespace {

const QColor kFirst(230, 120, 40);
const QColor kSecond(20, 40, 200);

QImage flat(QSize size, QColor colour, QImage::Format format = QImage::Format_RGB32) {
    QImage image(size, format);
    image.fill(colour);
    return image;
}

QByteArray qtBytes(const QImage& image, const char* format) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.write(image);
    return buffer.data();
}

// The frames in one file of the effect library's making, in the given format and colour model.
QByteArray magickBytes(const QList<QImage>& frames, const char* format, ColorspaceType colourspace,
                       ImageType type = UndefinedType) {
    MagickWand* all = NewMagickWand();
    for (const QImage& frame : frames) {
        MagickWand* one = raster2magick(frame);
        if (colourspace != sRGBColorspace)
            MagickTransformImageColorspace(one, colourspace);
        if (type != UndefinedType)
            MagickSetImageType(one, type);
        MagickSetLastIterator(all);
        MagickAddImage(all, one);
        DestroyMagickWand(one);
    }
    MagickResetIterator(all);
    MagickSetFormat(all, format);
    size_t length = 0;
    unsigned char* blob = MagickGetImagesBlob(all, &length);
    QByteArray bytes(reinterpret_cast<const char*>(blob), qsizetype(length));
    MagickRelinquishMemory(blob);
    DestroyMagickWand(all);
    return bytes;
}

// A PNG that is all header: its size as claimed, then the end.
QByteArray pngClaiming(quint32 width, quint32 height) {
    const auto chunk = [](const char* type, const QByteArray& data) {
        QByteArray out(4, '\0');
        qToBigEndian(quint32(data.size()), out.data());
        const QByteArray body = QByteArray(type, 4) + data;
        out += body;
        QByteArray crc(4, '\0');
        qToBigEndian(quint32(crc32(0, reinterpret_cast<const Bytef*>(body.constData()), uInt(body.size()))),
                     crc.data());
        return out + crc;
    };
    QByteArray header(13, '\0');
    qToBigEndian(width, header.data());
    qToBigEndian(height, header.data() + 4);
    header[8] = 8; // bits
    header[9] = 2; // RGB
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", header) + chunk("IEND", {});
}

// Mean colour of the middle of a picture.
QColor middle(const QImage& image) {
    const QImage centre =
        image.copy(image.width() / 4, image.height() / 4, image.width() / 2, image.height() / 2)
            .scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return centre.pixelColor(0, 0);
}

bool near(QColor actual, QColor expected) {
    const int worst =
        std::max({std::abs(actual.red() - expected.red()), std::abs(actual.green() - expected.green()),
                  std::abs(actual.blue() - expected.blue())});
    if (worst > 14)
        qWarning() << "colour" << actual << "expected" << expected;
    return worst <= 14;
}

// A working file as the effect library reads it.
QImage readByTheLibrary(const QString& path) {
    MagickWand* wand = NewMagickWand();
    QImage image;
    if (MagickReadImage(wand, magickPath(path).constData()) == MagickTrue) {
        MagickSetFirstIterator(wand);
        image = magick2raster(wand);
    }
    DestroyMagickWand(wand);
    return image;
}

struct Run {
    bool normalExit = false;
    int exitCode = -1;
    QStringList errorLines;
};

Run render(const QStringList& arguments) {
    QProcess process;
    process.start(TestSupport::binFolder() + QStringLiteral("/lumenkraft-render"), arguments);
    Run run;
    if (!process.waitForFinished(120000))
        return run;
    run.normalExit = process.exitStatus() == QProcess::NormalExit;
    run.exitCode = process.exitCode();
    run.errorLines = QString::fromUtf8(process.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
    return run;
}

} // namespace

class BadPicturesTest : public QObject {
    Q_OBJECT
    MagickSession m_magick;
    QTemporaryDir m_pictures;

  private slots:
    void initTestCase() {
        QVERIFY(m_pictures.isValid());
        // The effect library is asked for a TIFF on this thread first, as a catalogue naming
        // one would ask it. Were its TIFF coder to load, it would leave libtiff reporting into
        // its own freed state, and the warning of a TIFF decoded later here would abort.
        const QString tiff = m_pictures.filePath(QStringLiteral("library.tiff"));
        writeFile(tiff, TiffFiles::pages({flat({8, 8}, kFirst)}));
        QVERIFY(readByTheLibrary(tiff).isNull());
    }

    void eachOpensOrIsRefused_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("upright"); // invalid: refused
        const QSize size(120, 90);
        const QImage first = flat(size, kFirst);
        const QImage second = flat(size, kSecond);
        const QByteArray jpeg = jpegBytes(first);
        const QByteArray png = qtBytes(first, "png");
        const QSize refused;

        QTest::newRow("zero bytes") << "empty.jpg" << QByteArray() << refused;
        QTest::newRow("JPEG cut in its header") << "cut.jpg" << jpeg.left(120) << refused;
        QTest::newRow("PNG cut in its pixels") << "cut.png" << png.left(png.size() / 2) << refused;
        QTest::newRow("text named .jpg") << "notes.jpg" << QByteArray("a shopping list\n") << refused;
        QTest::newRow("PNG claiming 100000 x 100000") << "huge.png" << pngClaiming(100000, 100000) << refused;
        QTest::newRow("JPEG bomb") << "bomb.jpg" << withFrameSize(jpeg, 60000, 60000) << refused;
        QTest::newRow("phone photo stored turned")
            << "phone.jpg" << withOrientation(jpegBytes(first), 6) << size.transposed();
        QTest::newRow("CMYK JPEG") << "print.jpg" << magickBytes({first}, "JPEG", CMYKColorspace) << size;
        QTest::newRow("greyscale JPEG")
            << "grey.jpg" << qtBytes(flat(size, QColor(90, 90, 90), QImage::Format_Grayscale8), "jpeg")
            << size;
        QTest::newRow("16-bit PNG") << "deep.png" << qtBytes(flat(size, kFirst, QImage::Format_RGBX64), "png")
                                    << size;
        QTest::newRow("palette PNG") << "palette.png"
                                     << qtBytes(first.convertToFormat(QImage::Format_Indexed8), "png")
                                     << size;
        QTest::newRow("palette GIF") << "still.gif" << magickBytes({first}, "GIF", sRGBColorspace) << size;
        QTest::newRow("animated GIF")
            << "anim.gif" << magickBytes({first, second}, "GIF", sRGBColorspace) << size;
        QTest::newRow("multi-page TIFF") << "scan.tiff" << TiffFiles::pages({first, second}) << size;
        QTest::newRow("TIFF libtiff warns on")
            << "camera.tiff" << TiffFiles::pages({first, second}, TiffFiles::Flaw::PrivateTag) << size;
        QTest::newRow("TIFF libtiff fails on")
            << "torn.tiff" << TiffFiles::pages({first}, TiffFiles::Flaw::CutStrip) << refused;
        QTest::newRow("single-size icon") << "small.ico" << qtBytes(first, "ico") << size;
        if (QImageWriter::supportedImageFormats().contains("webp"))
            QTest::newRow("WebP") << "web.webp" << qtBytes(first, "webp") << size;
        QTest::newRow("a folder") << "folder.jpg" << QByteArray("<folder>") << refused;
        QTest::newRow("gone before it is read") << "gone.jpg" << QByteArray("<gone>") << refused;
        QTest::newRow("spaces, quotes, accents")
            << QStringLiteral("it's \"my\" café photo.jpg") << jpeg << size;
    }

    void eachOpensOrIsRefused() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, upright);
        writeFilterCatalogue(freshDataFolder(), {QStringLiteral("Blur")});
        const QString work = TestSupport::freshWorkFolder();
        const QString path = m_pictures.filePath(name);
        if (bytes == "<folder>")
            QVERIFY(QDir().mkpath(path));
        else if (bytes != "<gone>")
            writeFile(path, bytes);
        const bool opens = upright.isValid();
        // Colour is what the file holds in its first frame; greys stay grey.
        const QColor expected = name == "grey.jpg" ? QColor(90, 90, 90) : kFirst;

        for (const IntakeSource source : {IntakeSource::OpenDialog, IntakeSource::Drop}) {
            Editor editor;
            const Outcome outcome = editor.takeIn(path, source);
            // A drop takes only the types the program opens by name.
            if (!opens || (source == IntakeSource::Drop && !PictureTypes::isPictureName(path))) {
                QCOMPARE(outcome, Outcome::NotAPicture);
                QVERIFY(!editor.state().imageLoaded);
                continue;
            }
            QCOMPARE(outcome, Outcome::NewPicture);
            QSignalSpy finished(&editor, &Editor::workerFinished);
            QVERIFY(waitForThumbnails(editor));
            const EditState& state = editor.state();
            QCOMPARE(state.viewBitmap.size(), upright);
            QVERIFY(near(middle(state.viewBitmap), expected));
            // The looks start from what the effect library reads: the same picture, same colours.
            const QImage base = readByTheLibrary(state.effectBasePath);
            QCOMPARE(base.size(), upright);
            QVERIFY(near(middle(base), expected));
            QVERIFY(!RasterIO::load(WorkFiles::thumbnailPath(1)).isNull());
        }

        // The renderer: a negated picture, or one line saying why not, and never a crash.
        const QString output = work + QStringLiteral("negated.png");
        const Run run = render({"--step", "115", path, output});
        QVERIFY(run.normalExit);
        if (opens) {
            QVERIFY2(run.exitCode == 0, qPrintable(run.errorLines.join('\n')));
            const QImage negated = RasterIO::load(output);
            QCOMPARE(negated.size(), upright);
            QVERIFY(near(middle(negated),
                         QColor(255 - expected.red(), 255 - expected.green(), 255 - expected.blue())));
        } else {
            QVERIFY(run.exitCode != 0);
            // The decoders may say what they met first; the renderer's own last word names the file.
            QVERIFY(!run.errorLines.isEmpty());
            QVERIFY2(run.errorLines.last().startsWith("lumenkraft-render: cannot read " + path),
                     qPrintable(run.errorLines.join('\n')));
            QVERIFY(!QFile::exists(output));
        }
    }
};

QTEST_MAIN(BadPicturesTest)
#include "tst_bad_pictures.moc"
