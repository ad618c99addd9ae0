// The pixel exchange between wands and rasters, and the resource policy the program ships.

#include "MagickBridge.h"
#include "MagickSession.h"
#include "TestSupport.h"
#include "WandHelpers.h"

#include <QPainter>
#include <QtTest>

#include <memory>

class TestMagickBridge : public QObject {
    Q_OBJECT

    MagickSession m_session;
    QString m_work;

    // A 400 x 300 overlay: an opaque red band 50 pixels wide round a transparent middle.
    QString writeOverlay() const {
        QImage overlay(400, 300, QImage::Format_ARGB32);
        overlay.fill(qRgba(255, 0, 0, 255));
        QPainter painter(&overlay);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(50, 50, 300, 200, Qt::transparent);
        painter.end();
        const QString path = m_work + QStringLiteral("overlay with space.png");
        overlay.save(path);
        return path;
    }

    static QImage wandImage(MagickWand* wand) { return magick2raster(wand, "test"); }

  private slots:
    void initTestCase() { m_work = TestSupport::freshWorkFolder(); }

    void overlayIsStretchedAndKeepsItsTransparency() {
        WandPtr wand(NewMagickWand());
        QVERIFY(bitmap2magick(writeOverlay(), wand.get(), 800, 800));
        const QImage image = wandImage(wand.get());
        QCOMPARE(image.size(), QSize(800, 800));
        QCOMPARE(qAlpha(image.pixel(400, 400)), 0);
        // Stretched, the 50-pixel band becomes 100 wide and 133 high; letter-boxed, the rows
        // near the top would be empty bars and the band would stay 100 high.
        QCOMPARE(image.pixel(400, 60), qRgba(255, 0, 0, 255));
        QCOMPARE(image.pixel(400, 120), qRgba(255, 0, 0, 255));
        QCOMPARE(image.pixel(60, 400), qRgba(255, 0, 0, 255));
        QCOMPARE(qAlpha(image.pixel(120, 400)), 0);
    }

    void missingOverlayIsTransparentAndChangesNothing() {
        WandPtr overlay(NewMagickWand());
        QVERIFY(bitmap2magick(m_work + QStringLiteral("no such file.png"), overlay.get(), 64, 48));
        const QImage blank = wandImage(overlay.get());
        QCOMPARE(blank.size(), QSize(64, 48));
        for (int y = 0; y < blank.height(); ++y)
            for (int x = 0; x < blank.width(); ++x)
                QCOMPARE(qAlpha(blank.pixel(x, y)), 0);

        const QImage picture = TestSupport::makePicture(64, 48);
        WandPtr base(raster2magick(picture));
        QVERIFY(MagickCompositeImage(base.get(), overlay.get(), OverCompositeOp, 0, 0));
        QCOMPARE(TestSupport::maxChannelDifference(wandImage(base.get()), picture), 0);
    }

    void rasterAndWandRoundTripExactly_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("alpha");
        QTest::newRow("640x480 opaque") << QSize(640, 480) << false;
        QTest::newRow("odd size with alpha") << QSize(33, 7) << true;
        QTest::newRow("one pixel") << QSize(1, 1) << true;
    }

    void rasterAndWandRoundTripExactly() {
        QFETCH(QSize, size);
        QFETCH(bool, alpha);
        const QImage picture = TestSupport::makePicture(size.width(), size.height(), alpha);
        WandPtr wand(raster2magick(picture));
        const QImage back = wandImage(wand.get());
        QCOMPARE(back.size(), size);
        QCOMPARE(back.format(), QImage::Format_ARGB32);
        QCOMPARE(back.bytesPerLine(), qsizetype(size.width()) * 4);
        QCOMPARE(TestSupport::maxChannelDifference(back, picture), 0);
    }

    // A raster made from the wand must survive the wand changing and the next conversion.
    void rasterOwnsItsPixels() {
        const QImage picture = TestSupport::makePicture(64, 48);
        WandPtr wand(raster2magick(picture));
        const QImage first = wandImage(wand.get());
        MagickNegateImage(wand.get(), MagickFalse);
        const QImage second = wandImage(wand.get());
        DestroyMagickWand(wand.release());
        QCOMPARE(TestSupport::maxChannelDifference(first, picture), 0);
        QCOMPARE(qRed(second.pixel(0, 0)), 255 - qRed(picture.pixel(0, 0)));
    }

    // The library's alpha sample of an image without alpha is not always opaque after an
    // operation; the raster must be.
    void imageWithoutAlphaGivesAnOpaqueRaster() {
        WandPtr wand(NewMagickWand());
        QVERIFY(MagickReadImage(wand.get(), magickPath(TestSupport::dataFile("coffee.png")).constData()));
        QCOMPARE(MagickGetImageAlphaChannel(wand.get()), MagickFalse);
        QVERIFY(MagickScaleImage(wand.get(), 40, 30));
        const QImage raster = wandImage(wand.get());
        QCOMPARE(raster.size(), QSize(40, 30));
        for (int y = 0; y < raster.height(); ++y)
            for (int x = 0; x < raster.width(); ++x)
                QCOMPARE(qAlpha(raster.pixel(x, y)), 255);
    }

    void emptyWandReportsAndGivesNoRaster() {
        WandPtr wand(NewMagickWand());
        QImage raster;
        const QString text =
            captureStandardError([&] { raster = wandImage(wand.get()); });
        QVERIFY(raster.isNull());
        QCOMPARE(text.count(QLatin1Char('\n')), 1);
        QVERIFY2(text.startsWith(QStringLiteral("veZirDlg test ")), qPrintable(text));
    }

    void shippedPolicyRaisesTheLimits() {
        QVERIFY2(QFileInfo::exists(TestSupport::binFolder() + "/magick/policy.xml"), "policy not deployed");
        QVERIFY(MagickGetResourceLimit(MemoryResource) >= MagickSizeType(8) << 30);
        QVERIFY(MagickGetResourceLimit(MapResource) >= MagickSizeType(16) << 30);
        QVERIFY(MagickGetResourceLimit(AreaResource) >= MagickSizeType(2000000000));
        QVERIFY(MagickGetResourceLimit(WidthResource) >= 64000);
        QVERIFY(MagickGetResourceLimit(HeightResource) >= 64000);
    }

    // Two thumbnail runs may overlap; whichever ends last, the limit before the first comes back.
    void threadLimitComesBackAfterTheLastHolder_data() {
        QTest::addColumn<bool>("firstEndsFirst");
        QTest::newRow("first ends first") << true;
        QTest::newRow("second ends first") << false;
    }

    void threadLimitComesBackAfterTheLastHolder() {
        QFETCH(bool, firstEndsFirst);
        const MagickSizeType before = MagickGetResourceLimit(ThreadResource);
        if (before <= 1)
            QSKIP("the library runs one thread per operation on this machine anyway");
        auto first = std::make_unique<MagickOneThreadPerOperation>();
        auto second = std::make_unique<MagickOneThreadPerOperation>();
        QCOMPARE(MagickGetResourceLimit(ThreadResource), MagickSizeType(1));
        (firstEndsFirst ? first : second).reset();
        QCOMPARE(MagickGetResourceLimit(ThreadResource), MagickSizeType(1));
        (firstEndsFirst ? second : first).reset();
        QCOMPARE(MagickGetResourceLimit(ThreadResource), before);
    }

    // Only limits are raised: the system's refusal of PostScript still holds.
    void systemCoderRestrictionsStillApply() {
        const QString path = m_work + QStringLiteral("page.ps");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("%!PS\nshowpage\n");
        file.close();
        WandPtr wand(NewMagickWand());
        QCOMPARE(MagickReadImage(wand.get(), magickPath(path).constData()), MagickFalse);
        ExceptionType severity;
        char* description = MagickGetException(wand.get(), &severity);
        const QString text = QString::fromUtf8(description);
        MagickRelinquishMemory(description);
        QVERIFY2(text.contains(QStringLiteral("security policy")), qPrintable(text));
    }
};

QTEST_GUILESS_MAIN(TestMagickBridge)
#include "tst_magickbridge.moc"
