// Writing an export: the type by extension, the photo's metadata, the sRGB tag, the proposed
// names, and an existing file that survives every failure byte for byte.

#include "EditorTestFiles.h"
#include "ExportJob.h"
#include "ExportNaming.h"
#include "ExportTestFiles.h"
#include "MagickSession.h"
#include "RasterIO.h"
#include "TestSupport.h"

#include <QColorSpace>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QtTest>

#include <exiv2/exiv2.hpp>

#include <sys/resource.h>

using namespace ExportTestFiles;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The file's leading bytes tell its type whatever its name says.
QString typeOfBytes(const QByteArray& bytes) {
    if (bytes.startsWith("\xFF\xD8\xFF"))
        return QStringLiteral("jpeg");
    if (bytes.startsWith("\x89PNG"))
        return QStringLiteral("png");
    if (bytes.startsWith("BM"))
        return QStringLiteral("bmp");
    if (bytes.startsWith("GIF8"))
        return QStringLiteral("gif");
    if (bytes.startsWith("II*") || bytes.startsWith("MM\0*"))
        return QStringLiteral("tiff");
    return QStringLiteral("unknown");
}

// A camera JPEG: pixels stored turned, with orientation 6 (shown a quarter turn clockwise),
// camera fields, GPS, XMP and an embedded thumbnail.
void writeCameraPhoto(const QString& path, const QImage& upright) {
    EditorTestFiles::writeFile(path,
                               EditorTestFiles::jpegBytes(EditorTestFiles::storedForOrientation(upright, 6)));
    auto image = Exiv2::ImageFactory::open(path.toStdString());
    image->readMetadata();
    Exiv2::ExifData& exif = image->exifData();
    exif["Exif.Image.Orientation"] = uint16_t(6);
    exif["Exif.Image.Make"] = "Lumenkraft Optics";
    exif["Exif.Image.Model"] = "Test Camera 7";
    exif["Exif.Photo.DateTimeOriginal"] = "2024:05:17 09:41:00";
    exif["Exif.Photo.ExposureTime"] = Exiv2::URational(1, 250);
    exif["Exif.Photo.FNumber"] = Exiv2::URational(28, 10);
    exif["Exif.Photo.LensModel"] = "Test 35mm F2.8";
    exif["Exif.Photo.PixelXDimension"] = uint32_t(upright.height());
    exif["Exif.Photo.PixelYDimension"] = uint32_t(upright.width());
    exif["Exif.GPSInfo.GPSLatitudeRef"] = "N";
    exif["Exif.GPSInfo.GPSLatitude"] = "48/1 8/1 0/1";
    const QByteArray thumbnail = EditorTestFiles::jpegBytes(upright.scaled(160, 120));
    Exiv2::ExifThumb(exif).setJpegThumbnail(reinterpret_cast<const Exiv2::byte*>(thumbnail.constData()),
                                            long(thumbnail.size()));
    image->xmpData()["Xmp.dc.title"] = "Harbour at dawn";
    image->xmpData()["Xmp.tiff.Orientation"] = uint16_t(6);
    image->writeMetadata();
}

struct Metadata {
    Exiv2::ExifData exif;
    Exiv2::XmpData xmp;
};

Metadata metadataOf(const QString& path) {
    auto image = Exiv2::ImageFactory::open(path.toStdString());
    image->readMetadata();
    return {image->exifData(), image->xmpData()};
}

QString exifText(const Exiv2::ExifData& exif, const char* key) {
    const auto found = exif.findKey(Exiv2::ExifKey(key));
    return found == exif.end() ? QString() : QString::fromStdString(found->toString());
}

QString xmpText(const Exiv2::XmpData& xmp, const char* key) {
    const auto found = xmp.findKey(Exiv2::XmpKey(key));
    return found == xmp.end() ? QString() : QString::fromStdString(found->toString());
}

// lumenkraft-render in a child process whose files may not grow beyond maxBytes, as on a
// disk that is full.
TestSupport::ProgramRun renderWithFileLimit(const QStringList& arguments, rlim_t maxBytes) {
    return TestSupport::runProgram(QStringLiteral("lumenkraft-render"), arguments, [maxBytes] {
        const rlimit limit{maxBytes, maxBytes};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
}

} // namespace

class ExportFileTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void init();
    void typeFollowsTheExtension_data();
    void typeFollowsTheExtension();
    void alphaChannelOnlyWhenSeeThrough_data();
    void alphaChannelOnlyWhenSeeThrough();
    void metadataTravelsWithThePhoto_data();
    void metadataTravelsWithThePhoto();
    void existingFileSurvivesEveryFailure_data();
    void existingFileSurvivesEveryFailure();
    void fullDiskLeavesTheFileAlone();
    void defaultNames_data();
    void defaultNames();

  private:
    MagickSession m_magick;
    QString m_work;
    QString m_out;
    QString m_photo;
    QImage m_decoded;
    Catalogues m_catalogues;
};

void ExportFileTest::initTestCase() {
    m_work = TestSupport::freshWorkFolder();
    m_photo = writeLargePhoto(m_work + "coffee large.png", 2);
    m_decoded = RasterIO::load(m_photo);
    QVERIFY(!m_decoded.isNull());
    m_catalogues = shippedCatalogues();
}

void ExportFileTest::init() {
    m_out = m_work + "out/";
    QDir(m_out).removeRecursively();
    QVERIFY(QDir().mkpath(m_out));
}

void ExportFileTest::typeFollowsTheExtension_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("lossless");
    QTest::newRow("jpg") << "out.jpg"
                         << "jpeg" << false;
    QTest::newRow("upper-case PNG") << "out.PNG"
                                    << "png" << true;
    QTest::newRow("jpeg") << "out.jpeg"
                          << "jpeg" << false;
    QTest::newRow("jpe") << "out.Jpe"
                         << "jpeg" << false;
    QTest::newRow("bmp") << "out.bmp"
                         << "bmp" << true;
    QTest::newRow("gif") << "out.gif"
                         << "gif" << false;
    QTest::newRow("tif") << "out.TIF"
                         << "tiff" << true;
    QTest::newRow("tiff") << "out.tiff"
                          << "tiff" << true;
}

// No look at rotation 360: the full-size picture itself, re-encoded in the chosen type.
void ExportFileTest::typeFollowsTheExtension() {
    QFETCH(QString, name);
    QFETCH(QString, type);
    QFETCH(bool, lossless);
    ExportRequest request;
    request.recipe.sourcePath = m_photo;
    request.target = m_out + name;
    const ExportOutcome outcome = runExport(request);
    QVERIFY2(outcome.succeeded(), qPrintable(outcome.error));
    QCOMPARE(typeOfBytes(readAll(request.target)), type);
    const QImage written = RasterIO::load(request.target);
    QCOMPARE(written.size(), m_decoded.size());
    if (lossless)
        QCOMPARE(TestSupport::maxChannelDifference(written, m_decoded), 0);
    else
        QVERIFY(TestSupport::meanDifference(written, m_decoded) < 4.0);
    // Where the type has room for a colour profile, the file says it is sRGB.
    if (type == u"jpeg" || type == u"png" || type == u"tiff")
        QCOMPARE(QImageReader(request.target).read().colorSpace(), QColorSpace(QColorSpace::SRgb));
    QCOMPARE(QDir(m_out).entryList(QDir::Files), QStringList{name});
}

void ExportFileTest::alphaChannelOnlyWhenSeeThrough_data() {
    QTest::addColumn<QString>("extension");
    QTest::addColumn<bool>("seeThrough");
    for (const char* extension : {"png", "tif", "bmp"}) {
        QTest::addRow("opaque %s", extension) << extension << false;
        QTest::addRow("see-through %s", extension) << extension << true;
    }
}

// An opaque photo is written without an alpha channel, which would make the file a third larger
// for nothing and lead some programs to treat the photo as transparent. Transparency is kept where
// the type has room for it.
void ExportFileTest::alphaChannelOnlyWhenSeeThrough() {
    QFETCH(QString, extension);
    QFETCH(bool, seeThrough);
    QString source = m_photo;
    if (seeThrough) {
        source = m_out + "see-through.png";
        QVERIFY(TestSupport::makePicture(320, 240, true).save(source));
    }
    ExportRequest request;
    request.recipe.sourcePath = source;
    request.target = m_out + "exported." + extension;
    const ExportOutcome outcome = runExport(request);
    QVERIFY2(outcome.succeeded(), qPrintable(outcome.error));

    const bool keepsTransparency = seeThrough && extension != u"bmp";
    const QImage written(request.target);
    QCOMPARE(written.hasAlphaChannel(), keepsTransparency);
    if (extension == u"png") {
        // The colour type in the header: 2 is RGB, 6 RGB with alpha.
        const QByteArray bytes = readAll(request.target);
        QVERIFY(bytes.size() > 25);
        QCOMPARE(int(bytes[25]), keepsTransparency ? 6 : 2);
    }
    const QImage decoded = RasterIO::load(source);
    if (extension != u"bmp" || !seeThrough)
        QCOMPARE(TestSupport::maxChannelDifference(RasterIO::load(request.target), decoded), 0);
}

void ExportFileTest::metadataTravelsWithThePhoto_data() {
    QTest::addColumn<QString>("extension");
    QTest::newRow("jpeg") << "jpg";
    QTest::newRow("png") << "png";
    QTest::newRow("tiff") << "tif";
}

void ExportFileTest::metadataTravelsWithThePhoto() {
    QFETCH(QString, extension);
    const QImage upright = EditorTestFiles::photo(640, 480);
    const QString camera = m_out + "camera.jpg";
    writeCameraPhoto(camera, upright);
    ExportRequest request;
    request.recipe.sourcePath = camera;
    request.recipe.filterIndex = 2;
    request.catalogues = m_catalogues;
    request.target = m_out + "kept." + extension;
    const ExportOutcome outcome = runExport(request);
    QVERIFY2(outcome.succeeded(), qPrintable(outcome.error));
    QVERIFY2(outcome.warning.isEmpty(), qPrintable(outcome.warning));

    // Upright pixels, so the tag says 1; the camera's description is all there.
    QCOMPARE(QImageReader(request.target).size(), QSize(640, 480));
    const Metadata kept = metadataOf(request.target);
    QCOMPARE(exifText(kept.exif, "Exif.Image.Orientation"), QStringLiteral("1"));
    QCOMPARE(exifText(kept.exif, "Exif.Image.Make"), QStringLiteral("Lumenkraft Optics"));
    QCOMPARE(exifText(kept.exif, "Exif.Image.Model"), QStringLiteral("Test Camera 7"));
    QCOMPARE(exifText(kept.exif, "Exif.Photo.DateTimeOriginal"), QStringLiteral("2024:05:17 09:41:00"));
    QCOMPARE(exifText(kept.exif, "Exif.Photo.ExposureTime"), QStringLiteral("1/250"));
    QCOMPARE(exifText(kept.exif, "Exif.Photo.LensModel"), QStringLiteral("Test 35mm F2.8"));
    QCOMPARE(exifText(kept.exif, "Exif.GPSInfo.GPSLatitude"), QStringLiteral("48/1 8/1 0/1"));
    QCOMPARE(exifText(kept.exif, "Exif.Photo.PixelXDimension"), QStringLiteral("640"));
    QCOMPARE(exifText(kept.exif, "Exif.Photo.PixelYDimension"), QStringLiteral("480"));
    QCOMPARE(xmpText(kept.xmp, "Xmp.dc.title"), QStringLiteral("lang=\"x-default\" Harbour at dawn"));
    QCOMPARE(xmpText(kept.xmp, "Xmp.tiff.Orientation"), QStringLiteral("1"));
    // The original's thumbnail shows the unedited photo; it is not carried.
    QCOMPARE(Exiv2::ExifThumbC(kept.exif).copy().size_, 0L);
    QCOMPARE(QImageReader(request.target).read().colorSpace(), QColorSpace(QColorSpace::SRgb));
}

void ExportFileTest::existingFileSurvivesEveryFailure_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("source");
    QTest::addColumn<int>("frameMode");
    QTest::addColumn<QString>("reason");
    const QString photo = QStringLiteral("<photo>");
    QTest::newRow("unknown type") << "keep.xyz" << photo << -1 << "end the name with .jpg";
    QTest::newRow("no extension") << "keep" << photo << -1 << "end the name with .jpg";
    QTest::newRow("unreadable picture") << "keep.jpg" << m_work + "missing.jpg" << -1 << "cannot be read";
    QTest::newRow("look that cannot be made") << "keep.png" << photo << 0 << "frame picture";
    QTest::newRow("folder that does not exist")
        << "missing folder/keep.jpg" << photo << -1 << "does not exist";
}

void ExportFileTest::existingFileSurvivesEveryFailure() {
    QFETCH(QString, name);
    QFETCH(QString, source);
    QFETCH(int, frameMode);
    QFETCH(QString, reason);
    const QString target = m_out + name;
    const QByteArray original("the only copy of an earlier export");
    if (QFileInfo(target).absoluteDir().exists())
        EditorTestFiles::writeFile(target, original);
    ExportRequest request;
    request.recipe.sourcePath = source == u"<photo>" ? m_photo : source;
    request.recipe.frameMode = frameMode;
    request.recipe.framePicture = m_work + "no such frame.png";
    request.target = target;
    const ExportOutcome outcome = runExport(request);
    QVERIFY(!outcome.succeeded());
    QVERIFY2(outcome.error.contains(reason), qPrintable(outcome.error));
    if (QFileInfo(target).absoluteDir().exists()) {
        QCOMPARE(readAll(target), original);
        // No temporary file is left beside it either.
        QCOMPARE(QDir(m_out).entryList(QDir::Files), QStringList{name});
    } else {
        QVERIFY(!QFileInfo::exists(target));
    }
}

// A disk that fills up while the file is written: the renderer's export runs in a child
// process that may not write more than 64 KiB into any file.
void ExportFileTest::fullDiskLeavesTheFileAlone() {
    const QString target = m_out + "keep.png";
    const QByteArray original(1000, 'k');
    EditorTestFiles::writeFile(target, original);
    const TestSupport::ProgramRun run = renderWithFileLimit({"--filter", "3", m_photo, target}, 64 * 1024);
    QCOMPARE(run.exitCode, 1);
    const QString errors = run.errorLines.join('\n');
    QVERIFY2(errors.contains("keep.png could not be written"), qPrintable(errors));
    QCOMPARE(readAll(target), original);
    QCOMPARE(QDir(m_out).entryList(QDir::Files), QStringList{"keep.png"});
}

void ExportFileTest::defaultNames_data() {
    QTest::addColumn<QString>("fullSizePath");
    QTest::addColumn<QString>("name");
    QTest::newRow("dotted name") << "/home/ada/Pictures/beach.day.jpg"
                                 << "beach_lumenkraft.jpg";
    QTest::newRow("no dot") << "/home/ada/Pictures/beach"
                            << "_lumenkraft.jpg";
    QTest::newRow("dot only in a folder") << "/home/ada/my.photos/beach"
                                          << "_lumenkraft.jpg";
    QTest::newRow("after a crop") << "/home/ada/.cache/lumenkraft/work/a/source_cut.jpg"
                                  << "source_cut_lumenkraft.jpg";
    QTest::newRow("after a second crop") << "/home/ada/.cache/lumenkraft/work/a/source_cut1.jpg"
                                         << "source_cut1_lumenkraft.jpg";
    QTest::newRow("no folder") << "beach.jpg"
                               << "_lumenkraft.jpg";
}

void ExportFileTest::defaultNames() {
    QFETCH(QString, fullSizePath);
    QFETCH(QString, name);
    QCOMPARE(ExportNaming::defaultName(fullSizePath), name);
}

QTEST_GUILESS_MAIN(ExportFileTest)
#include "tst_export_file.moc"
