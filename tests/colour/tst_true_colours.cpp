// A photo with an embedded colour profile other than sRGB (Display P3 from a phone, Adobe RGB
// from a camera, a linear wide-gamut PNG) is shown, thumbnailed, given a look and rendered
// exactly like its sRGB original, within what the file formats' rounding allows.

#include "Editor.h"
#include "EditorTestFiles.h"
#include "LookRendering.h"
#include "MagickBridge.h"
#include "MagickSession.h"
#include "RasterIO.h"
#include "TestSupport.h"
#include "WorkFiles.h"

#include <QColorSpace>
#include <QImageWriter>
#include <QProcess>
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

// A 16-bit PNG in linear light that says so with a gamma of 1 and no profile, as some tools
// write them. Qt writes a profile, so the image library writes this one.
bool saveWithGammaOnly(const QImage& linear, const QString& path) {
    const QImage rgba = linear.convertToFormat(QImage::Format_RGBA64);
    MagickWand* wand = NewMagickWand();
    bool saved = MagickConstituteImage(wand, size_t(rgba.width()), size_t(rgba.height()), "RGBA", ShortPixel,
                                       rgba.constBits()) == MagickTrue &&
                 MagickSetImageDepth(wand, 16) == MagickTrue &&
                 MagickSetImageGamma(wand, 1.0) == MagickTrue &&
                 MagickSetImageAlphaChannel(wand, DeactivateAlphaChannel) == MagickTrue &&
                 MagickSetOption(wand, "png:exclude-chunk", "sRGB,cHRM,iCCP,bKGD") == MagickTrue &&
                 MagickWriteImage(wand, path.toUtf8().constData()) == MagickTrue;
    DestroyMagickWand(wand);
    return saved;
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

class TrueColoursTest : public QObject {
    Q_OBJECT

    MagickSession m_magick;
    QString m_folder;
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
        const QImage small =
            QImage(TestSupport::dataFile(QStringLiteral("coffee.png"))).convertToFormat(QImage::Format_RGB32);
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
        QVERIFY(saveWithGammaOnly(inColourSpace(small, QColorSpace::SRgbLinear, QImage::Format_RGBX64),
                                  m_folder + QStringLiteral("gamma1.png")));
        m_variants << Variant{QStringLiteral("linear 16-bit PNG with a gamma of 1"),
                              m_folder + QStringLiteral("gamma1.png"), m_folder + QStringLiteral("srgb.png")};
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
};

QTEST_MAIN(TrueColoursTest)
#include "tst_true_colours.moc"
