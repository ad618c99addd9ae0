#include "AppPaths.h"
#include "EffectOperations.h"
#include "LightScene.h"
#include "LookOnPicture.h"
#include "MagickSession.h"
#include "RasterIO.h"
#include "ShippedLooks.h"
#include "TestSupport.h"

#include <QFileInfo>
#include <QImageReader>
#include <QSet>
#include <QtTest>

#include <wand/MagickWand.h>

#include <memory>

namespace {

const QStringList kNamedFilterCategories = {
    "Color Tint", "Color Temperature", "Black and White", "Sketch", "Blur", "Glow", "Hue"};

// What the filter list's "Others" category shows: anything not one of the named ones.
QString listedCategory(const QString& kind) {
    return kNamedFilterCategories.contains(kind) ? kind : QStringLiteral("Others");
}

QString lightThumbnail(int number) {
    return AppPaths::programFolder() + QStringLiteral("lightimage.bundle/%1.jpg").arg(number);
}

} // namespace

class LookCataloguesTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void filtersAreShortChainsOfOnePictureOperations();
    void filterCategoriesAreFilled_data();
    void filterCategoriesAreFilled();
    void randomLookReachesEveryFilterCategory();
    void lightIsOneBlendOfAnOverlay_data();
    void lightIsOneBlendOfAnOverlay();
    void lightCategoriesAreFilled_data();
    void lightCategoriesAreFilled();
    void thumbnailShowsItsOwnLight_data();
    void thumbnailShowsItsOwnLight();

  private:
    MagickSession m_magick;
    Catalogues m_catalogues;
};

void LookCataloguesTest::initTestCase() {
    m_catalogues = shippedCatalogues();
    QVERIFY2(m_catalogues.filterLooks.size() >= 60, "the filter catalogue holds at least 60 looks");
    // The window starts with 32 prepared light cells and the random look draws from them.
    QVERIFY2(m_catalogues.lightRecords.size() >= 36, "the light catalogue holds at least 36 lights");
}

void LookCataloguesTest::filtersAreShortChainsOfOnePictureOperations() {
    for (qsizetype i = 0; i < m_catalogues.filterLooks.size(); ++i) {
        const QList<EffectRecord>& steps = m_catalogues.filterLooks[i].steps;
        const QByteArray where = "filter " + QByteArray::number(i + 1);
        QVERIFY2(steps.size() >= 1 && steps.size() <= 6, where);
        for (const EffectRecord& step : steps) {
            // A number without an operation would silently do nothing.
            QVERIFY2(effectOperationName(step.neffectfunction) != nullptr, where);
            // Filters run without a second picture; these would fail on every click.
            QVERIFY2(step.neffectfunction != 35 && step.neffectfunction != 36 && step.neffectfunction != 95,
                     where);
        }
        QVERIFY2(!m_catalogues.filterThumbs[i].kind.isEmpty(), where + " names its category");
    }
}

void LookCataloguesTest::filterCategoriesAreFilled_data() {
    QTest::addColumn<QString>("category");
    QTest::addColumn<int>("minimum");
    for (const QString& name : kNamedFilterCategories)
        QTest::newRow(qPrintable(name)) << name << 5;
    QTest::newRow("Others") << QStringLiteral("Others") << 8;
}

void LookCataloguesTest::filterCategoriesAreFilled() {
    QFETCH(QString, category);
    QFETCH(int, minimum);
    int count = 0;
    for (const ThumbEntry& entry : m_catalogues.filterThumbs)
        count += listedCategory(entry.kind) == category;
    QVERIFY2(count >= minimum, qPrintable(QStringLiteral("%1 has %2 filters").arg(category).arg(count)));
}

void LookCataloguesTest::randomLookReachesEveryFilterCategory() {
    QSet<QString> reached;
    for (qsizetype i = 0; i < 52 && i < m_catalogues.filterThumbs.size(); ++i)
        reached.insert(listedCategory(m_catalogues.filterThumbs[i].kind));
    QCOMPARE(reached.size(), kNamedFilterCategories.size() + 1);
}

void LookCataloguesTest::lightIsOneBlendOfAnOverlay_data() {
    QTest::addColumn<int>("index");
    for (qsizetype i = 0; i < m_catalogues.lightRecords.size(); ++i)
        QTest::newRow(qPrintable(QStringLiteral("light %1").arg(i + 1))) << int(i);
}

void LookCataloguesTest::lightIsOneBlendOfAnOverlay() {
    QFETCH(int, index);
    const LightRecord& light = m_catalogues.lightRecords[index];
    QVERIFY(light.neffectfunction == 35 || light.neffectfunction == 36);
    // Blends that keep the picture and add the overlay's light; a plain "over" or a copy would
    // hide the photo, and an operator outside the library's list skips the light.
    static const QSet<int> blends = {ColorDodgeCompositeOp,  HardLightCompositeOp, LinearDodgeCompositeOp,
                                     LinearLightCompositeOp, MultiplyCompositeOp,  OverlayCompositeOp,
                                     PlusCompositeOp,        ScreenCompositeOp,    SoftLightCompositeOp,
                                     LightenCompositeOp,     DarkenCompositeOp,    PegtopLightCompositeOp};
    QVERIFY2(blends.contains(light.nenum), qPrintable(QString::number(light.nenum)));
    const QSize overlay = QImageReader(light.effectimage).size();
    QVERIFY2(overlay.isValid(), qPrintable(light.effectimage));
    QVERIFY2(std::max(overlay.width(), overlay.height()) >= 1600, "large enough for a full-size export");
    QVERIFY2(QFileInfo::exists(lightThumbnail(index + 1)), qPrintable(lightThumbnail(index + 1)));
    QCOMPARE(m_catalogues.lightThumbs[index].thumbPath, lightThumbnail(index + 1));
}

void LookCataloguesTest::lightCategoriesAreFilled_data() {
    QTest::addColumn<QString>("category");
    QTest::newRow("Colorful") << QStringLiteral("Colorful");
    QTest::newRow("Natural") << QStringLiteral("Natural");
    QTest::newRow("Black and White") << QStringLiteral("Black and White");
}

void LookCataloguesTest::lightCategoriesAreFilled() {
    QFETCH(QString, category);
    int count = 0, inFirst32 = 0;
    for (const ThumbEntry& entry : m_catalogues.lightThumbs) {
        count += entry.kind == category;
        inFirst32 += entry.kind == category && entry.number <= 32;
    }
    QVERIFY2(count >= 8, qPrintable(QString::number(count)));
    QVERIFY2(inFirst32 >= 1, "the random look can reach every light category");
}

void LookCataloguesTest::thumbnailShowsItsOwnLight_data() {
    lightIsOneBlendOfAnOverlay_data();
}

// The prepared thumbnail must show what a click does: the catalogue's overlay and blend on the
// thumbnail scene, through the editor's own light routine. A catalogue reordered without its
// thumbnails, or a blend changed on one side only, shows up here.
void LookCataloguesTest::thumbnailShowsItsOwnLight() {
    QFETCH(int, index);
    const QString scenePath = TestSupport::freshWorkFolder() + QStringLiteral("scene.png");
    const QImage thumbnail = RasterIO::load(lightThumbnail(index + 1));
    QVERIFY(!thumbnail.isNull());
    QVERIFY(drawLightScene(thumbnail.width()).save(scenePath));
    auto state = std::make_unique<EditState>();
    state->renderTarget = RenderToView;
    QVERIFY(applyLight(*state, m_catalogues, index, scenePath));
    // Closest to its own thumbnail of all of them (JPEG noise keeps it from being exact).
    const double own = TestSupport::meanDifference(state->effectBitmap, thumbnail);
    QVERIFY2(own >= 0 && own < 5.0, qPrintable(QStringLiteral("differs by %1").arg(own)));
    for (qsizetype other = 0; other < m_catalogues.lightRecords.size(); ++other) {
        if (other == index)
            continue;
        const double difference =
            TestSupport::meanDifference(state->effectBitmap, RasterIO::load(lightThumbnail(int(other) + 1)));
        QVERIFY2(difference > own, qPrintable(QStringLiteral("looks more like light %1").arg(other + 1)));
    }
}

QTEST_MAIN(LookCataloguesTest)
#include "tst_look_catalogues.moc"
