// A photo with an embedded colour profile other than sRGB (Display P3 from a phone, Adobe RGB
// from a camera, a linear wide-gamut PNG) is shown, thumbnailed, given a look and rendered
// exactly like its sRGB original, within what the file formats' rounding allows.

#include "Editor.h"
#include "EditorTestFiles.h"
#include "LookRendering.h"
#include "MagickBridge.h"
#include "MagickSession.h"
#include "PreviewDecoder.h"
#include "RasterIO.h"
#include "TestSupport.h"
#include "WorkFiles.h"

#include <QColorSpace>
#include <QImageWriter>
#include <QProcess>
#include <QtEndian>
#include <QtTest>

#include <algorithm>

#include <wand/MagickWand.h>

namespace {

// Linear light with the primaries of Rec. 2020 (ITU-R BT.2020), white D65.
QColorSpace linearRec2020() {
    return QColorSpace(QPointF(0.3127, 0.3290), QPointF(0.708, 0.292), QPointF(0.170, 0.797),
                       QPointF(0.131, 0.046), QColorSpace::TransferFunction::Linear);
}

// The original's pixels expressed in space, at the given depth, tagged with it.
QImage inColourSpace(const QImage& original, const QColorSpace& space, QImage::Format format) {
    QImage picture = original.convertToFormat(format);
    picture.setColorSpace(QColorSpace::SRgb);
    picture.convertToColorSpace(space);
    return picture;
}

// How a PNG written by the image library describes its numbers: a gamma chunk, and a chromaticity
// chunk with white, red, green and blue in that order unless there are none.
struct PngDescription {
    double gamma;
    QList<QPointF> chromaticities;
};

const QList<QPointF> kSRgbChromaticities = {{0.3127, 0.3290}, {0.64, 0.33}, {0.30, 0.60}, {0.15, 0.06}};
const QList<QPointF> kDisplayP3Chromaticities = {
    {0.3127, 0.3290}, {0.680, 0.320}, {0.265, 0.690}, {0.150, 0.060}};

// The picture's numbers as they are, in a PNG that describes them only by gAMA and maybe cHRM,
// as the image library (and its convert) writes every picture without a profile. Qt writes a
// profile instead. A picture deeper than 8 bits is written with 16.
bool saveDescribed(const QImage& picture, const QString& path, const PngDescription& description) {
    const bool deep = picture.depth() > 32;
    const QImage rgba = picture.convertToFormat(deep ? QImage::Format_RGBA64 : QImage::Format_RGBA8888);
    MagickWand* wand = NewMagickWand();
    bool saved = MagickConstituteImage(wand, size_t(rgba.width()), size_t(rgba.height()), "RGBA",
                                       deep ? ShortPixel : CharPixel, rgba.constBits()) == MagickTrue &&
                 MagickSetImageDepth(wand, deep ? 16 : 8) == MagickTrue &&
                 MagickSetImageGamma(wand, description.gamma) == MagickTrue &&
                 MagickSetImageAlphaChannel(wand, DeactivateAlphaChannel) == MagickTrue;
    const QList<QPointF>& c = description.chromaticities;
    if (c.isEmpty())
        saved = saved && MagickSetOption(wand, "png:exclude-chunk", "cHRM,iCCP,bKGD") == MagickTrue;
    else
        saved = saved && MagickSetImageWhitePoint(wand, c[0].x(), c[0].y()) == MagickTrue &&
                MagickSetImageRedPrimary(wand, c[1].x(), c[1].y()) == MagickTrue &&
                MagickSetImageGreenPrimary(wand, c[2].x(), c[2].y()) == MagickTrue &&
                MagickSetImageBluePrimary(wand, c[3].x(), c[3].y()) == MagickTrue &&
                MagickSetOption(wand, "png:exclude-chunk", "iCCP,bKGD") == MagickTrue;
    saved = saved && MagickWriteImage(wand, path.toUtf8().constData()) == MagickTrue;
    DestroyMagickWand(wand);
    return saved;
}

// The chunk types of a PNG file in their order.
QList<QByteArray> pngChunks(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    QList<QByteArray> chunks;
    for (qsizetype at = 8; at + 8 <= bytes.size();) {
        const quint32 length = qFromBigEndian<quint32>(bytes.constData() + at);
        chunks << bytes.mid(at + 4, 4);
        at += 12 + qsizetype(length);
    }
    return chunks;
}

bool save(const QImage& picture, const QString& path) {
    QImageWriter writer(path);
    writer.setQuality(95);
    return writer.write(picture);
}

// What the editor makes of one photo.
struct Rendition {
    QImage preview;    // the view's raster
    QImage engineRead; // the preview file as the effect library reads it
    QList<QImage> thumbnails;
    QImage look; // the first filter clicked
};

struct Variant {
    QString name;
    QString path;
    QString reference; // the sRGB original in a file of the same kind and size
};

} // namespace

Q_DECLARE_METATYPE(Variant)
Q_DECLARE_METATYPE(PngDescription)

class TrueColoursTest : public QObject {
    Q_OBJECT

    MagickSession m_magick;
    QString m_folder;
    QImage m_small; // an sRGB photo, 8 bits per channel
    QList<Variant> m_variants;

    static QImage engineRead(const QString& path) {
        WandPtr wand = newWand();
        if (!readPicture(wand.get(), path, "tst_true_colours", __LINE__))
            return {};
        return magick2raster(wand.get());
    }

    static Rendition takeIn(const QString& path) {
        Rendition r;
        Editor editor;
        if (editor.takeIn(path, IntakeSource::OpenDialog) != Editor::IntakeOutcome::NewPicture ||
            !EditorTestFiles::waitForThumbnails(editor))
            return r;
        r.preview = editor.state().viewBitmap;
        r.engineRead = engineRead(editor.state().currentImagePath);
        for (int n = 1; n <= editor.catalogues().filterLooks.size(); ++n)
            r.thumbnails << QImage(WorkFiles::thumbnailPath(n));
        editor.thumbClicked(
            ThumbClick{FilterPanel, 0, r.thumbnails.isEmpty() ? QString() : WorkFiles::thumbnailPath(1)});
        r.look = editor.state().effectBitmap;
        return r;
    }

    static QImage render(const QString& input, const QString& output) {
        QProcess process;
        process.start(TestSupport::binFolder() + QStringLiteral("/lumenkraft-render"),
                      {QStringLiteral("--filter"), QStringLiteral("1"), input, output});
        if (!process.waitForFinished(120000) || process.exitCode() != 0)
            return {};
        return QImage(output);
    }

    static double rmse(const QImage& a, const QImage& b) {
        return (a.isNull() || b.isNull()) ? 1.0 : TestSupport::rmseDifference(a, b);
    }

  private slots:
    void initTestCase() {
        RasterIO::allowLargePictures();
        m_folder = TestSupport::freshWorkFolder() + QStringLiteral("photos/");
        QVERIFY(QDir().mkpath(m_folder));
        m_small =
            QImage(TestSupport::dataFile(QStringLiteral("coffee.png"))).convertToFormat(QImage::Format_RGB32);
        const QImage& small = m_small;
        QVERIFY(!small.isNull());
        // Larger than the view takes directly, so intake makes a preview of it.
        const QImage large = small.scaled(1500, 1000, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);

        const auto add = [&](const QString& name, const QString& file, const QString& reference,
                             const QImage& picture) {
            QVERIFY(save(picture, m_folder + file));
            m_variants << Variant{name, m_folder + file, m_folder + reference};
        };
        QVERIFY(save(small, m_folder + QStringLiteral("srgb.jpg")));
        QVERIFY(save(small, m_folder + QStringLiteral("srgb.png")));
        QVERIFY(save(large, m_folder + QStringLiteral("srgb-large.jpg")));
        add(QStringLiteral("Display P3 JPEG"), QStringLiteral("p3.jpg"), QStringLiteral("srgb.jpg"),
            inColourSpace(small, QColorSpace::DisplayP3, QImage::Format_RGB32));
        add(QStringLiteral("Display P3 JPEG, large"), QStringLiteral("p3-large.jpg"),
            QStringLiteral("srgb-large.jpg"),
            inColourSpace(large, QColorSpace::DisplayP3, QImage::Format_RGB32));
        add(QStringLiteral("linear Rec. 2020 16-bit PNG"), QStringLiteral("linear2020.png"),
            QStringLiteral("srgb.png"), inColourSpace(small, linearRec2020(), QImage::Format_RGBX64));
        QVERIFY(saveDescribed(inColourSpace(small, QColorSpace::SRgbLinear, QImage::Format_RGBX64),
                              m_folder + QStringLiteral("gamma1.png"), {1.0, {}}));
        m_variants << Variant{QStringLiteral("linear 16-bit PNG with a gamma of 1"),
                              m_folder + QStringLiteral("gamma1.png"), m_folder + QStringLiteral("srgb.png")};
        QVERIFY(saveDescribed(small, m_folder + QStringLiteral("described-srgb.png"),
                              {1 / 2.2, kSRgbChromaticities}));
        m_variants << Variant{QStringLiteral("sRGB PNG described by gAMA and cHRM, as ImageMagick writes it"),
                              m_folder + QStringLiteral("described-srgb.png"),
                              m_folder + QStringLiteral("srgb.png")};
        add(QStringLiteral("Adobe RGB 16-bit TIFF"), QStringLiteral("adobe.tif"), QStringLiteral("srgb.png"),
            inColourSpace(small, QColorSpace::AdobeRgb, QImage::Format_RGBX64));
    }

    void sameAsTheSRgbOriginal_data() {
        QTest::addColumn<Variant>("variant");
        for (const Variant& v : m_variants)
            QTest::newRow(qPrintable(v.name)) << v;
    }

    void sameAsTheSRgbOriginal() {
        QFETCH(Variant, variant);
        // Rounding to 8 bits, and for the JPEGs two slightly different compressions; working files
        // (the preview file, the thumbnails) add a JPEG compression of their own.
        constexpr double kTolerance = 0.01;
        constexpr double kWorkingFileTolerance = 0.025;

        const Rendition expected = takeIn(variant.reference);
        const Rendition actual = takeIn(variant.path);
        QVERIFY(!expected.preview.isNull() && !expected.look.isNull());
        QCOMPARE(actual.thumbnails.size(), expected.thumbnails.size());
        // Thumbnails are small and twice through JPEG; a look of lines or hard steps turns that
        // noise into flipped pixels. The typical one tells whether the set has the right colours.
        QList<double> thumbnailDifferences;
        for (qsizetype i = 0; i < expected.thumbnails.size(); ++i)
            thumbnailDifferences << rmse(actual.thumbnails[i], expected.thumbnails[i]);
        std::sort(thumbnailDifferences.begin(), thumbnailDifferences.end());
        const double medianThumbnail =
            thumbnailDifferences.isEmpty() ? 1.0 : thumbnailDifferences[thumbnailDifferences.size() / 2];
        const QImage rendered = render(variant.path, m_folder + QStringLiteral("rendered.png"));
        const QImage renderedReference =
            render(variant.reference, m_folder + QStringLiteral("reference.png"));

        const struct {
            const char* what;
            double difference;
            double tolerance;
        } differences[] = {
            {"decoded", rmse(RasterIO::load(variant.path), RasterIO::load(variant.reference)), kTolerance},
            {"preview", rmse(actual.preview, expected.preview), kTolerance},
            {"preview file", rmse(actual.engineRead, expected.engineRead), kWorkingFileTolerance},
            {"median thumbnail", medianThumbnail, kWorkingFileTolerance},
            {"look", rmse(actual.look, expected.look), kTolerance},
            {"lumenkraft-render", rmse(rendered, renderedReference), kTolerance},
        };
        for (const auto& d : differences) {
            qInfo("%s: RMSE %.4f", d.what, d.difference);
            QVERIFY2(d.difference <= d.tolerance, d.what);
        }
    }

    // A file's description of its colours is honoured only when it describes something other
    // than sRGB, and the decoders, the preview and the effect library's reader agree on it.
    void convertedOnlyForAForeignDescription_data() {
        QTest::addColumn<PngDescription>("description"); // written by the image library
        QTest::addColumn<QColorSpace>("profile");        // or by Qt, with this profile
        QTest::addColumn<bool>("converted");
        const QColorSpace none;
        QTest::newRow("gamma 1/2.2, sRGB primaries")
            << PngDescription{1 / 2.2, kSRgbChromaticities} << none << false;
        QTest::newRow("gamma 1/2.2 alone") << PngDescription{1 / 2.2, {}} << none << false;
        QTest::newRow("gamma 1, sRGB primaries") << PngDescription{1.0, kSRgbChromaticities} << none << true;
        QTest::newRow("gamma 1/1.8 alone") << PngDescription{1 / 1.8, {}} << none << true;
        QTest::newRow("gamma 1/2.2, Display P3 primaries")
            << PngDescription{1 / 2.2, kDisplayP3Chromaticities} << none << true;
        QList<QPointF> d50White = kSRgbChromaticities;
        d50White[0] = QPointF(0.3457, 0.3585);
        QTest::newRow("gamma 1/2.2, sRGB primaries, D50 white")
            << PngDescription{1 / 2.2, d50White} << none << true;
        QTest::newRow("Display P3 profile")
            << PngDescription{} << QColorSpace(QColorSpace::DisplayP3) << true;
    }

    void convertedOnlyForAForeignDescription() {
        QFETCH(PngDescription, description);
        QFETCH(QColorSpace, profile);
        QFETCH(bool, converted);
        const QString path = m_folder + QStringLiteral("described.png");
        const QList<QByteArray> stated = [&] {
            if (profile.isValid()) {
                QImage tagged = m_small;
                tagged.setColorSpace(profile);
                return save(tagged, path) ? QList<QByteArray>{"iCCP"} : QList<QByteArray>();
            }
            if (!saveDescribed(m_small, path, description))
                return QList<QByteArray>();
            return description.chromaticities.isEmpty() ? QList<QByteArray>{"gAMA"}
                                                        : QList<QByteArray>{"gAMA", "cHRM"};
        }();
        QVERIFY(!stated.isEmpty());
        QList<QByteArray> colourChunks = pngChunks(path);
        colourChunks.removeIf([](const QByteArray& chunk) {
            return chunk != "gAMA" && chunk != "cHRM" && chunk != "iCCP" && chunk != "sRGB";
        });
        QCOMPARE(colourChunks, stated);

        const QImage decoded = RasterIO::load(path);
        QVERIFY(!decoded.isNull());
        QCOMPARE(TestSupport::maxChannelDifference(decoded, m_small) != 0, converted);
        const std::optional<DecodedPreview> preview = PreviewDecoder::decode(path);
        QVERIFY(preview);
        QCOMPARE(preview->recoloured, converted);
        WandPtr wand = newWand();
        QVERIFY(MagickReadImage(wand.get(), path.toUtf8().constData()) == MagickTrue);
        QCOMPARE(holdsForeignColours(wand.get()), converted);
    }
};

QTEST_MAIN(TrueColoursTest)
#include "tst_true_colours.moc"
