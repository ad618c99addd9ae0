// A look chosen on the preview must read the same on the full-size picture: every shipped filter
// run on a photo three times the preview's size, with its lengths scaled, and shrunk back to the
// preview's size, against the same filter on the preview. Also in tone: a photo at its own size,
// with detail and grain down to the pixel, against a preview 2.56 times smaller, as a 2560-pixel
// export stands to a 1000-pixel preview, both softened by two pixels.

#include "LookRendering.h"
#include "LookSizeComparison.h"
#include "MagickSession.h"
#include "ShippedLooks.h"
#include "TestSupport.h"

#include <QMap>
#include <QtTest>

#include <algorithm>

namespace {

constexpr int kPreviewWidth = 500;
constexpr double kScale = 3.0;

// The largest difference a filter may show, as RMSE over 0..1, for looks of smooth tones (compared
// at the preview's size) and for looks of lines, grain or hard steps (compared at a third of it: a
// larger picture draws the same lines and grain finer, and where exactly a one-pixel line or a
// grain falls is no part of the look). An unscaled strong blur or charcoal is well over them
// (see unscaledLooksStandOut).
constexpr double kToneBound = 0.02;
constexpr double kTextureBound = 0.045;

// Operations whose result is lines, grain or hard steps: edges and charcoal, thresholds,
// posterizing, solarizing, oil paint, noise and spread.
bool drawsTexture(const FilterLook& look) {
    static const QList<int> texture = {5, 7, 8, 16, 23, 52, 121, 125, 131, 138, 139, 206, 207, 210, 220, 228};
    for (const EffectRecord& step : look.steps) {
        const bool evaluate = step.neffectfunction == 58 || step.neffectfunction == 59;
        const bool noise = evaluate && (step.nenum == 18 || step.nenum == 19); // Gaussian, impulse
        if (noise || texture.contains(step.neffectfunction))
            return true;
    }
    return false;
}

// The tone of a look at full size, in LookSizeComparison's measure: every filter within
// kFullSizeToneBound, and no more than kNearBoundAllowed of them above kNearBound.
constexpr double kToneScale = 2.56;
constexpr double kFullSizeToneBound = 0.06;
constexpr double kNearBound = 0.03;
constexpr int kNearBoundAllowed = 5;

struct Comparison {
    double rmse = -1;
    double bound = 0;
};

} // namespace

class LookSizesTest : public QObject {
    Q_OBJECT

    MagickSession m_magick;
    Catalogues m_catalogues;
    QString m_previewPath;
    QString m_largePath;
    QSize m_previewSize;
    QList<LookSizeComparison::PicturePair> m_tonePairs;
    // Each filter's worst difference over m_tonePairs, once measured.
    QMap<int, double> m_toneDifference;

    double toneDifference(int index) {
        if (!m_toneDifference.contains(index)) {
            double worst = 0;
            for (const LookSizeComparison::PicturePair& pair : m_tonePairs) {
                const double rmse = LookSizeComparison::filterDifference(m_catalogues.filterLooks[index], index, pair);
                if (rmse < 0)
                    return rmse;
                worst = std::max(worst, rmse);
            }
            m_toneDifference[index] = worst;
        }
        return m_toneDifference[index];
    }

    QImage render(int filterIndex, const QString& path, double lengthScale) {
        EffectRouting routing;
        routing.renderTarget = RenderToView;
        routing.lengthScale = lengthScale;
        if (!renderFilterLook(routing, m_catalogues.filterLooks[filterIndex], filterIndex + 1, path,
                              "tst_look_sizes"))
            return {};
        return routing.effectBitmap;
    }

    // The filter's full-size result, shrunk as a viewer shrinks it, against its preview result.
    Comparison differenceFromPreview(int filterIndex, double lengthScale) {
        const bool texture = drawsTexture(m_catalogues.filterLooks[filterIndex]);
        Comparison comparison;
        comparison.bound = texture ? kTextureBound : kToneBound;
        const QImage preview = render(filterIndex, m_previewPath, 1.0);
        const QImage large = render(filterIndex, m_largePath, lengthScale);
        if (preview.isNull() || large.isNull())
            return comparison;
        const QSize size = texture ? preview.size() / 3 : preview.size();
        const QImage shrunk = large.scaled(preview.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        comparison.rmse = TestSupport::rmseDifference(shrink(shrunk, size), shrink(preview, size));
        return comparison;
    }

    static QImage shrink(const QImage& image, const QSize& size) {
        return image.size() == size ? image
                                    : image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }

    void addFilterRow(int index) {
        const FilterLook& look = m_catalogues.filterLooks[index];
        const QString kind = look.steps.isEmpty() ? QString() : look.steps.last().kind;
        QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(index + 1).arg(kind))) << index;
    }

  private slots:
    void initTestCase() {
        m_catalogues = shippedCatalogues();
        QVERIFY(m_catalogues.filterLooks.size() >= 66);
        // The large photo is the test photo enlarged; its preview is made from it as intake makes
        // one, by shrinking. PNG keeps both free of compression artefacts.
        const QImage photo =
            QImage(TestSupport::dataFile(QStringLiteral("coffee.png"))).convertToFormat(QImage::Format_RGB32);
        QVERIFY(!photo.isNull());
        const int previewHeight = photo.height() * kPreviewWidth / photo.width();
        m_previewSize = QSize(kPreviewWidth, previewHeight);
        const QImage large =
            photo.scaled(m_previewSize * kScale, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QImage preview = large.scaled(m_previewSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QString folder = TestSupport::freshWorkFolder();
        m_largePath = folder + QStringLiteral("large.png");
        m_previewPath = folder + QStringLiteral("preview.png");
        QVERIFY(large.save(m_largePath));
        QVERIFY(preview.save(m_previewPath));

        // Photos at their own size and a flat grey picture of the same size.
        for (const QString& name : {QStringLiteral("rocket.jpg"), QStringLiteral("chelsea.png")}) {
            const QImage own = QImage(TestSupport::dataFile(name)).convertToFormat(QImage::Format_RGB32);
            QVERIFY(!own.isNull());
            m_tonePairs.append(LookSizeComparison::writePair(folder, name.section(QLatin1Char('.'), 0, 0), own,
                                                             qRound(own.width() / kToneScale)));
        }
        QImage grey(640, 427, QImage::Format_RGB32);
        grey.fill(qRgb(128, 128, 128));
        m_tonePairs.append(LookSizeComparison::writePair(folder, QStringLiteral("grey"), grey, 250));
        for (const LookSizeComparison::PicturePair& pair : m_tonePairs)
            QVERIFY2(!pair.previewPath.isEmpty() && qAbs(pair.lengthScale - kToneScale) < 0.01,
                     qPrintable(pair.name));
    }

    void everyFilterMatchesItsPreview_data() {
        QTest::addColumn<int>("index");
        for (int i = 0; i < m_catalogues.filterLooks.size(); ++i)
            if (!m_catalogues.filterLooks[i].steps.isEmpty())
                addFilterRow(i);
    }

    void everyFilterMatchesItsPreview() {
        QFETCH(int, index);
        const Comparison c = differenceFromPreview(index, kScale);
        qInfo("filter %d: RMSE %.4f (bound %.3f)", index + 1, c.rmse, c.bound);
        QVERIFY2(c.rmse >= 0, "the filter did not render");
        QVERIFY2(c.rmse <= c.bound, qPrintable(QStringLiteral("RMSE %1 over %2").arg(c.rmse).arg(c.bound)));
    }

    void everyFilterKeepsItsToneAtFullSize_data() { everyFilterMatchesItsPreview_data(); }

    void everyFilterKeepsItsToneAtFullSize() {
        QFETCH(int, index);
        const double rmse = toneDifference(index);
        qInfo("filter %d: softened RMSE %.4f (bound %.3f)", index + 1, rmse, kFullSizeToneBound);
        QVERIFY2(rmse >= 0, "the filter did not render");
        QVERIFY2(rmse <= kFullSizeToneBound,
                 qPrintable(QStringLiteral("RMSE %1 over %2").arg(rmse).arg(kFullSizeToneBound)));
    }

    void fewFiltersNearTheToneBound() {
        QStringList near;
        for (int i = 0; i < m_catalogues.filterLooks.size(); ++i)
            if (!m_catalogues.filterLooks[i].steps.isEmpty() && toneDifference(i) > kNearBound)
                near.append(QStringLiteral("%1 (%2)").arg(i + 1).arg(toneDifference(i), 0, 'f', 4));
        qInfo("above %.2f: %s", kNearBound, qPrintable(near.join(QStringLiteral(", "))));
        QVERIFY2(near.size() <= kNearBoundAllowed, qPrintable(near.join(QStringLiteral(", "))));
    }

    // The same comparison without the scale: the looks whose character lies in their lengths
    // come out several times weaker, and the bound above sees it.
    void unscaledLooksStandOut_data() {
        QTest::addColumn<int>("index");
        for (const int number : {12, 21, 28})
            addFilterRow(number - 1);
    }

    void unscaledLooksStandOut() {
        QFETCH(int, index);
        const Comparison c = differenceFromPreview(index, 1.0);
        qInfo("filter %d unscaled: RMSE %.4f (bound %.3f)", index + 1, c.rmse, c.bound);
        QVERIFY2(c.rmse > c.bound, qPrintable(QStringLiteral("RMSE %1 within %2").arg(c.rmse).arg(c.bound)));
    }
};

QTEST_GUILESS_MAIN(LookSizesTest)
#include "tst_look_sizes.moc"
