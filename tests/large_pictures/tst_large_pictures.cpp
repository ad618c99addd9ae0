// A 16-bit picture takes twice the memory of an 8-bit one while it is decoded; one of more than
// 64 megapixels (but within the 100-megapixel limit) must still open, for the preview and at
// full size.

#include "PreviewDecoder.h"
#include "RasterIO.h"
#include "TestSupport.h"

#include <QElapsedTimer>
#include <QImageWriter>
#include <QtTest>

namespace {

// Red across, green down, blue constant: smooth, so the file stays small, and every point of it
// tells where it came from.
QRgba64 gradientAt(int x, int y, const QSize& size) {
    return QRgba64::fromRgba64(quint16(x * 65535LL / (size.width() - 1)),
                               quint16(y * 65535LL / (size.height() - 1)), quint16(20000), 65535);
}

QRgb expectedAt(double fx, double fy) {
    return qRgb(int(fx * 255 + 0.5), int(fy * 255 + 0.5), 20000 * 255 / 65535);
}

} // namespace

class LargePicturesTest : public QObject {
    Q_OBJECT

    QString m_path;
    const QSize m_size{8200, 8200}; // 67.24 MP: 538 MB at 16 bits per sample, 269 MB at 8

    // The picture's colour near a fraction of its width and height, within a few levels.
    static void checkColours(const QImage& picture) {
        for (const QPointF f : {QPointF(0.1, 0.1), QPointF(0.5, 0.5), QPointF(0.9, 0.25)}) {
            const QRgb actual =
                picture.pixel(int(f.x() * (picture.width() - 1)), int(f.y() * (picture.height() - 1)));
            const QRgb expected = expectedAt(f.x(), f.y());
            QVERIFY2(qAbs(qRed(actual) - qRed(expected)) <= 2 &&
                         qAbs(qGreen(actual) - qGreen(expected)) <= 2 &&
                         qAbs(qBlue(actual) - qBlue(expected)) <= 2,
                     qPrintable(QStringLiteral("at %1, %2: %3 instead of %4")
                                    .arg(f.x())
                                    .arg(f.y())
                                    .arg(actual, 8, 16)
                                    .arg(expected, 8, 16)));
        }
    }

  private slots:
    void initTestCase() {
        QElapsedTimer timer;
        timer.start();
        QImage picture(m_size, QImage::Format_RGBX64);
        QVERIFY(!picture.isNull());
        for (int y = 0; y < m_size.height(); ++y) {
            auto* line = reinterpret_cast<QRgba64*>(picture.scanLine(y));
            for (int x = 0; x < m_size.width(); ++x)
                line[x] = gradientAt(x, y, m_size);
        }
        m_path = TestSupport::freshWorkFolder() + QStringLiteral("sixteen-bit.png");
        QImageWriter writer(m_path);
        writer.setQuality(85); // the fastest deflate that still packs a gradient into a few MB
        QVERIFY(writer.write(picture));
        qInfo("wrote %s (%lld bytes) in %lld ms", qPrintable(m_path), QFileInfo(m_path).size(),
              timer.elapsed());
    }

    void previewOfSixteenBitPicture() {
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(RasterIO::pictureSize(m_path), m_size);
        const std::optional<DecodedPreview> decoded = PreviewDecoder::decode(m_path);
        qInfo("preview in %lld ms", timer.elapsed());
        QVERIFY(decoded);
        QCOMPARE(decoded->sourceSize, m_size);
        QCOMPARE(decoded->preview.size(), QSize(1000, 1000));
        checkColours(decoded->preview);
    }

    void fullSizeSixteenBitPicture() {
        QElapsedTimer timer;
        timer.start();
        const QImage picture = RasterIO::load(m_path);
        qInfo("full size in %lld ms", timer.elapsed());
        QCOMPARE(picture.size(), m_size);
        checkColours(picture);
    }
};

QTEST_GUILESS_MAIN(LargePicturesTest)
#include "tst_large_pictures.moc"
