// Pictures that hold several frames: an animation, a multi-page scan, an icon of several sizes.
// The editor's thumbnails and the renderer both work on the first frame, as the view does, and a
// reduced source left over from an earlier run is never read.
#include "Editor.h"
#include "EditorTestFiles.h"
#include "MagickBridge.h"
#include "MagickSession.h"
#include "RasterIO.h"
#include "TestSupport.h"
#include "TiffFiles.h"
#include "WorkFiles.h"

#include <QDir>
#include <QImageReader>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <wand/MagickWand.h>

using namespace EditorTestFiles;

namespace {

QImage flat(int width, int height, QColor colour) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

// Large flat blocks of a dozen colours, few enough for a GIF palette, so no dithering blurs the test.
QImage blocks(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int column = x * 4 / width;
            const int row = y * 3 / height;
            image.setPixel(x, y, qRgb(60 * column + 20, 80 * row + 15, (column + row) % 2 ? 220 : 60));
        }
    return image;
}

// One file holding the frames in order, of the type its name says.
bool writeFrames(const QString& path, const QList<QImage>& frames) {
    // The editor keeps TIFF away from the effect library; pages are written here by hand.
    if (path.endsWith(QLatin1String(".tif"))) {
        QFile file(path);
        const QByteArray bytes = TiffFiles::pages(frames);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }
    MagickWand* all = NewMagickWand();
    for (const QImage& frame : frames) {
        MagickWand* one = raster2magick(frame);
        MagickSetLastIterator(all);
        MagickAddImage(all, one);
        DestroyMagickWand(one);
    }
    MagickResetIterator(all);
    const bool written = MagickWriteImages(all, magickPath(path).constData(), MagickTrue) == MagickTrue;
    DestroyMagickWand(all);
    return written;
}

// The first frame as the window's decoders show it.
QImage firstFrame(const QString& path) {
    QImageReader reader(path);
    return reader.read().convertToFormat(QImage::Format_ARGB32);
}

QImage renderedBy(const QStringList& options, const QString& input, const QString& output) {
    QProcess process;
    process.start(TestSupport::binFolder() + QStringLiteral("/lumenkraft-render"),
                  options + QStringList{input, output});
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        qWarning() << process.readAllStandardError();
        return {};
    }
    return QImage(output);
}

} // namespace

class MultiFrameTest : public QObject {
    Q_OBJECT
    MagickSession m_magick;
    QTemporaryDir m_pictures;

    // Every picture has a first frame of coloured blocks and a flat blue one behind it; the icon's second
    // size is smaller, as in real icons.
    void addPictureRows() {
        QTest::addColumn<QString>("picture");
        const QImage second = flat(320, 240, QColor(20, 40, 200));
        const struct {
            const char* row;
            const char* name;
            QList<QImage> frames;
        } pictures[] = {
            {"animated GIF", "anim.gif", {blocks(320, 240), second}},
            {"multi-page TIFF", "scan.tif", {blocks(320, 240), second}},
            {"multi-size icon", "icon.ico", {blocks(160, 120), second.scaled(48, 36)}},
        };
        for (const auto& picture : pictures) {
            const QString path = m_pictures.filePath(QString::fromLatin1(picture.name));
            if (!QFileInfo::exists(path))
                QVERIFY(writeFrames(path, picture.frames));
            QCOMPARE(QImageReader(path).imageCount(), 2);
            QTest::newRow(picture.row) << path;
        }
    }

  private slots:
    void initTestCase() { QVERIFY(m_pictures.isValid()); }

    void thumbnailsComeFromTheFirstFrame_data() { addPictureRows(); }

    void thumbnailsComeFromTheFirstFrame() {
        QFETCH(QString, picture);
        writeFilterCatalogue(freshDataFolder(), {QStringLiteral("Blur"), QStringLiteral("Glow")});
        const QString work = TestSupport::freshWorkFolder();
        // What an earlier run left behind must not stand in for this picture.
        const QString reduced = WorkFiles::path(WorkFiles::kReducedSource);
        QVERIFY(RasterIO::saveWorkingJpeg(flat(64, 48, QColor(30, 200, 40)), reduced));

        Editor editor;
        QSignalSpy finished(&editor, &Editor::workerFinished);
        QCOMPARE(editor.takeIn(picture, IntakeSource::OpenDialog), Editor::IntakeOutcome::NewPicture);
        QVERIFY(waitForThumbnails(editor));
        QCOMPARE(finished.size(), 1);
        QVERIFY(finished.first().first().toBool());

        const QImage first = firstFrame(picture);
        QCOMPARE(QSize(editor.state().previewWidth, editor.state().previewHeight), first.size());
        QCOMPARE(QDir(work).entryList({QStringLiteral("wl-*")}), QStringList());
        const QImage source = RasterIO::load(reduced);
        QCOMPARE(source.size(), first.size() / 5);
        const QImage expected = first.scaled(source.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QVERIFY2(TestSupport::meanDifference(source, expected) < 10.0,
                 qPrintable(QString::number(TestSupport::meanDifference(source, expected))));
        for (int n : {1, 2})
            QCOMPARE(RasterIO::load(WorkFiles::thumbnailPath(n)).size(), source.size());
    }

    void rendererWorksOnTheFirstFrame_data() { addPictureRows(); }

    void rendererWorksOnTheFirstFrame() {
        QFETCH(QString, picture);
        writeFilterCatalogue(freshDataFolder(), {QStringLiteral("Blur")});
        const QString work = TestSupport::freshWorkFolder();
        const QString firstOnly = work + QStringLiteral("first.png");
        QVERIFY(firstFrame(picture).save(firstOnly));

        for (const QStringList& options : {QStringList{"--step", "4"}, QStringList{"--filter", "1"}}) {
            const QImage fromAll = renderedBy(options, picture, work + QStringLiteral("all.png"));
            const QImage fromFirst = renderedBy(options, firstOnly, work + QStringLiteral("first-out.png"));
            QVERIFY(!fromFirst.isNull());
            QCOMPARE(fromAll.size(), fromFirst.size());
            QVERIFY2(TestSupport::maxChannelDifference(fromAll, fromFirst) <= 1,
                     qPrintable(options.join(' ')));
        }
    }
};

QTEST_MAIN(MultiFrameTest)
#include "tst_multiframe.moc"
