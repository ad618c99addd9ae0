#include "AppPaths.h"
#include "CatalogTestFiles.h"
#include "CatalogValues.h"
#include "EffectCatalogue.h"
#include "MagickSession.h"
#include "WorkFiles.h"

#include <wand/MagickWand.h>

#include <QtTest>

#include <clocale>
#include <cmath>
#include <memory>

namespace {

struct Rgb {
    double red, green, blue;
};

// Pixel wands hold 16-bit quanta; four decimals are what the catalogue can mean.
double rounded(double component) {
    return std::round(component * 10000.0) / 10000.0;
}

Rgb colourOf(const SharedPixelWand& wand) {
    if (!wand)
        return {-1.0, -1.0, -1.0};
    return {rounded(PixelGetRed(wand.get())), rounded(PixelGetGreen(wand.get())),
            rounded(PixelGetBlue(wand.get()))};
}

QString catalogue(const QString& effects) {
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<theme>\n%1</theme>\n").arg(effects);
}

} // namespace

class EffectCatalogueTest : public QObject {
    Q_OBJECT
private slots:
    void integerTexts_data();
    void integerTexts();
    void realTexts_data();
    void realTexts();
    void realTextsIgnoreTheUsersLocale();
    void channelPositions_data();
    void channelPositions();
    void laterStepsCarryEarlierArguments();
    void missingColourIsBlackAndColoursCarry();
    void categoryIsTheLastKindGiven();
    void nothingCarriesIntoTheNextFilter();
    void channelOutOfRangeKeepsThePreviousStep();
    void wholeCatalogueNumbersFiltersInOrder();
    void unusableFilesGiveNoFilters_data();
    void unusableFilesGiveNoFilters();

private:
    std::unique_ptr<MagickSession> magick = std::make_unique<MagickSession>();
};

void EffectCatalogueTest::integerTexts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << "12" << 12;
    QTest::newRow("blank, digits, letters") << " 12px" << 12;
    QTest::newRow("letters only") << "px" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("negative") << "-7" << -7;
    QTest::newRow("plus sign") << "+3" << 3;
    QTest::newRow("fraction cut") << "2.9" << 2;
    QTest::newRow("sign without digits") << "-x" << 0;
    QTest::newRow("tab and newline") << "\t\n5" << 5;
    QTest::newRow("too large saturates") << "99999999999" << 2147483647;
    QTest::newRow("too small saturates") << "-99999999999" << int(-2147483647 - 1);
}

void EffectCatalogueTest::integerTexts() {
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(CatalogValues::parseLeadingInt(text), value);
}

void EffectCatalogueTest::realTexts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("fraction") << "1.5" << 1.5;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("blank then trailing text") << "  2.5mm" << 2.5;
    QTest::newRow("exponent") << "2e-1x" << 0.2;
    QTest::newRow("no leading digit") << ".25" << 0.25;
    QTest::newRow("signs") << "-0.75" << -0.75;
    QTest::newRow("plus") << "+4" << 4.0;
    QTest::newRow("comma is not a decimal point") << "1,5" << 1.0;
    QTest::newRow("infinity is no number") << "inf" << 0.0;
    QTest::newRow("nan is no number") << "nan" << 0.0;
    QTest::newRow("overflow is no number") << "1e999" << 0.0;
    QTest::newRow("double sign") << "--1" << 0.0;
}

void EffectCatalogueTest::realTexts() {
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(CatalogValues::parseLeadingReal(text), value);
}

void EffectCatalogueTest::realTextsIgnoreTheUsersLocale() {
    const char* german = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    if (!german)
        german = std::setlocale(LC_NUMERIC, "de_DE");
    if (!german)
        QSKIP("no German locale installed");
    const double value = CatalogValues::parseLeadingReal(QStringLiteral("1.5"));
    std::setlocale(LC_NUMERIC, "C");
    QCOMPARE(value, 1.5);
}

void EffectCatalogueTest::channelPositions_data() {
    QTest::addColumn<QString>("index");
    QTest::addColumn<uint>("mask");
    QTest::newRow("undefined") << "0" << 0x0u;
    QTest::newRow("cyan") << "3" << 0x1u;
    QTest::newRow("green") << "4" << 0x2u;
    QTest::newRow("blue") << "6" << 0x4u;
    QTest::newRow("matte") << "10" << 0x8u;
    QTest::newRow("index") << "12" << 0x20u;
    QTest::newRow("composite") << "13" << 0x2Fu;
    QTest::newRow("all") << "14" << 0x7FFFFFFu;
    QTest::newRow("true alpha") << "15" << 0x40u;
    QTest::newRow("gray channels") << "17" << 0x80u;
    QTest::newRow("sync") << "18" << 0x100u;
    QTest::newRow("default") << "19" << 0x7FFFFF7u;
    // The first step ever read has no earlier channel to keep.
    QTest::newRow("out of range first") << "20" << 0x0u;
    QTest::newRow("negative first") << "-1" << 0x0u;
}

void EffectCatalogueTest::channelPositions() {
    QFETCH(QString, index);
    QFETCH(uint, mask);
    const QString path = writeCatalogueFile(
        "channel.xml",
        catalogue(QStringLiteral("<effect><subtheme><xmlarguments xmlimchannel=\"%1\"/></subtheme>"
                                 "</effect>\n")
                      .arg(index)));
    EffectCatalogueReader reader(path);
    QCOMPARE(reader.filterCount(), 1);
    QCOMPARE(reader.beginFilter(1), 1);
    QCOMPARE(reader.readStep(1).imchannel, mask);
}

void EffectCatalogueTest::laterStepsCarryEarlierArguments() {
    const QString path = writeCatalogueFile("carry.xml", catalogue(R"(<effect>
  <subtheme>
    <xmlneffectfunction xmlneffectfunction="18"/>
    <xmlarguments xmlimchannel="14" xmlradius="0" xmlsigma="2.5" xmlbrightness="10.5" xmlcontrast="-3"
                  xmlnenum="4" xmlimboolval1="1" xmlimboolval2="2" xmlkind="Blur"/>
  </subtheme>
  <subtheme>
    <xmlneffectfunction xmlneffectfunction="19"/>
    <xmlarguments xmlimchannel="6"/>
  </subtheme>
  <subtheme>
    <xmlneffectfunction xmlneffectfunction="33"/>
  </subtheme>
</effect>
)"));
    EffectCatalogueReader reader(path);
    QVERIFY(reader.isLoaded());
    QCOMPARE(reader.beginFilter(1), 3);

    const EffectRecord first = reader.readStep(1);
    QCOMPARE(first.neffectfunction, 18);
    QCOMPARE(first.imchannel, 0x7FFFFFFu);
    QCOMPARE(first.radius, 0.0f);
    QCOMPARE(first.sigma, 2.5f);
    QCOMPARE(first.kind, QStringLiteral("Blur"));
    QVERIFY(first.effectimage.isEmpty());

    const EffectRecord second = reader.readStep(2);
    QCOMPARE(second.neffectfunction, 19);
    QCOMPARE(second.imchannel, 0x4u);
    QCOMPARE(second.radius, 0.0f);
    QCOMPARE(second.sigma, 2.5f);
    QCOMPARE(second.brightness, 10.5f);
    QCOMPARE(second.contrast, -3.0f);
    QCOMPARE(second.nenum, 4);
    QCOMPARE(second.imboolval1, 1);
    QCOMPARE(second.imboolval2, 2);
    QCOMPARE(second.kind, QStringLiteral("Blur"));

    // A step without any arguments element keeps everything, the last channel included.
    const EffectRecord third = reader.readStep(3);
    QCOMPARE(third.neffectfunction, 33);
    QCOMPARE(third.imchannel, 0x4u);
    QCOMPARE(third.sigma, 2.5f);
    QCOMPARE(reader.currentKind(), QStringLiteral("Blur"));
}

void EffectCatalogueTest::missingColourIsBlackAndColoursCarry() {
    const QString path = writeCatalogueFile("colours.xml", catalogue(R"(<effect>
  <subtheme><xmlcolor2 r="0.25" g="0.5" b="1" a="0.5"/></subtheme>
  <subtheme><xmlcolor1 r="1" b="0.5"/></subtheme>
  <subtheme><xmlcolor1 g="0.75" r=""/></subtheme>
</effect>
)"));
    EffectCatalogueReader reader(path);
    QCOMPARE(reader.beginFilter(1), 3);

    const EffectRecord first = reader.readStep(1);
    QVERIFY(first.color1 && first.color2);
    const Rgb black = colourOf(first.color1);
    QCOMPARE(black.red, 0.0);
    QCOMPARE(black.green, 0.0);
    QCOMPARE(black.blue, 0.0);
    const Rgb second = colourOf(first.color2);
    QCOMPARE(second.red, 0.25);
    QCOMPARE(second.green, 0.5);
    QCOMPARE(second.blue, 1.0);
    // The alpha text is not applied: the wand stays opaque.
    QCOMPARE(PixelGetAlpha(first.color2.get()), 1.0);

    const EffectRecord step2 = reader.readStep(2);
    QVERIFY(step2.color1 != first.color1); // every step owns fresh wands
    QCOMPARE(colourOf(step2.color1).red, 1.0);
    QCOMPARE(colourOf(step2.color1).blue, 0.5);
    QCOMPARE(colourOf(step2.color2).blue, 1.0);

    // An empty attribute replaces the text in force; a missing one keeps it.
    const EffectRecord step3 = reader.readStep(3);
    QCOMPARE(colourOf(step3.color1).red, 0.0);
    QCOMPARE(colourOf(step3.color1).green, 0.75);
    QCOMPARE(colourOf(step3.color1).blue, 0.5);

    // Copies share their wands and keep them alive.
    EffectRecord copy = step3;
    const PixelWand* shared = step3.color1.get();
    QCOMPARE(copy.color1.get(), shared);
    QCOMPARE(copy.color1.use_count(), 2);
}

void EffectCatalogueTest::categoryIsTheLastKindGiven() {
    const QString path = writeCatalogueFile("kinds.xml", catalogue(R"(
<effect>
  <subtheme><xmlarguments xmlkind="Glow"/></subtheme>
  <subtheme><xmlneffectfunction xmlneffectfunction="2"/></subtheme>
</effect>
<effect>
  <subtheme><xmlarguments xmlkind="Sketch"/></subtheme>
  <subtheme><xmlarguments xmlkind="Hue"/></subtheme>
</effect>
<effect>
  <subtheme><xmlarguments xmlkind="Hue"/></subtheme>
  <subtheme><xmlarguments xmlkind=""/></subtheme>
</effect>
)"));
    Catalogues catalogues;
    ReadEffectCatalogue(catalogues, path);
    QCOMPARE(catalogues.filterThumbs.size(), 3);
    QCOMPARE(catalogues.filterThumbs[0].kind, QStringLiteral("Glow"));
    QCOMPARE(catalogues.filterThumbs[1].kind, QStringLiteral("Hue"));
    QCOMPARE(catalogues.filterThumbs[2].kind, QString());
}

void EffectCatalogueTest::nothingCarriesIntoTheNextFilter() {
    const QString path = writeCatalogueFile("fresh.xml", catalogue(R"(
<effect>
  <subtheme>
    <xmlneffectfunction xmlneffectfunction="18"/>
    <xmlarguments xmlimchannel="6" xmlradius="3" xmlsigma="1.5" xmlnenum="7" xmlkind="Blur"/>
    <xmlcolor1 r="1" g="1" b="1"/>
  </subtheme>
</effect>
<effect>
  <subtheme><xmlneffectfunction xmlneffectfunction="5"/></subtheme>
</effect>
)"));
    EffectCatalogueReader reader(path);
    QCOMPARE(reader.filterCount(), 2);
    QCOMPARE(reader.beginFilter(1), 1);
    reader.readStep(1);
    QCOMPARE(reader.beginFilter(2), 1);
    QCOMPARE(reader.currentKind(), QString());
    const EffectRecord step = reader.readStep(1);
    QCOMPARE(step.neffectfunction, 5);
    QCOMPARE(step.imchannel, 0x0u); // missing channel text is position 0, not the last mask
    QCOMPARE(step.radius, 0.0f);
    QCOMPARE(step.sigma, 0.0f);
    QCOMPARE(step.nenum, 0);
    QCOMPARE(step.kind, QString());
    QCOMPARE(colourOf(step.color1).red, 0.0);
}

void EffectCatalogueTest::channelOutOfRangeKeepsThePreviousStep() {
    const QString path = writeCatalogueFile("outofrange.xml", catalogue(R"(
<effect>
  <subtheme><xmlarguments xmlimchannel="6"/></subtheme>
</effect>
<effect>
  <subtheme><xmlarguments xmlimchannel="25"/></subtheme>
  <subtheme><xmlarguments xmlimchannel="4"/></subtheme>
  <subtheme><xmlarguments xmlimchannel="-2"/></subtheme>
</effect>
)"));
    EffectCatalogueReader reader(path);
    reader.beginFilter(1);
    QCOMPARE(reader.readStep(1).imchannel, 0x4u);
    reader.beginFilter(2);
    QCOMPARE(reader.readStep(1).imchannel, 0x4u); // from the previous filter's last step
    QCOMPARE(reader.readStep(2).imchannel, 0x2u);
    QCOMPARE(reader.readStep(3).imchannel, 0x2u);
}

void EffectCatalogueTest::wholeCatalogueNumbersFiltersInOrder() {
    const QString path = writeCatalogueFile("three.xml", catalogue(R"(
<effect><subtheme><xmlneffectfunction xmlneffectfunction="1"/></subtheme></effect>
<comment-like-element/>
<effect>
  <subtheme><xmlneffectfunction xmlneffectfunction="2"/></subtheme>
  <subtheme><xmlneffectfunction xmlneffectfunction="3"/></subtheme>
</effect>
<effect><subtheme><xmlneffectfunction xmlneffectfunction="4"/></subtheme></effect>
)"));
    Catalogues catalogues;
    ReadEffectCatalogue(catalogues, path);
    QCOMPARE(catalogues.filterLooks.size(), 3);
    QCOMPARE(catalogues.filterThumbs.size(), 3);
    QCOMPARE(catalogues.filterLooks[1].steps.size(), 2);
    QCOMPARE(catalogues.filterLooks[1].steps[1].neffectfunction, 3);
    QCOMPARE(catalogues.filterLooks[2].steps[0].neffectfunction, 4);
    for (int n = 1; n <= 3; ++n) {
        QCOMPARE(catalogues.filterThumbs[n - 1].number, n);
        QCOMPARE(catalogues.filterThumbs[n - 1].thumbPath, WorkFiles::thumbnailPath(n));
        QVERIFY(catalogues.filterThumbs[n - 1].thumbPath.endsWith(QStringLiteral("/a/%1.jpg").arg(n)));
    }
    // Reading again replaces the collections rather than appending a second copy.
    ReadEffectCatalogue(catalogues, path);
    QCOMPARE(catalogues.filterLooks.size(), 3);
    QCOMPARE(catalogues.filterThumbs.size(), 3);
}

void EffectCatalogueTest::unusableFilesGiveNoFilters_data() {
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("content");
    QTest::newRow("empty theme") << "empty.xml" << catalogue(QString());
    QTest::newRow("missing file") << QString("absent.xml") << QString();
    QTest::newRow("malformed") << "broken.xml" << QString("<theme><effect><subtheme></effect></theme>");
    QTest::newRow("root not named theme")
        << "other.xml" << QString("<catalogue><effect><subtheme/></effect></catalogue>");
}

void EffectCatalogueTest::unusableFilesGiveNoFilters() {
    QFETCH(QString, fileName);
    QFETCH(QString, content);
    const QString path =
        content.isEmpty() ? AppPaths::workFolder() + fileName : writeCatalogueFile(fileName, content);
    Catalogues catalogues;
    catalogues.filterThumbs.append(ThumbEntry{"stale", 1, "stale.jpg"});
    ReadEffectCatalogue(catalogues, path);
    QVERIFY(catalogues.filterLooks.isEmpty());
    QVERIFY(catalogues.filterThumbs.isEmpty());

    EffectCatalogueReader reader(path);
    QCOMPARE(reader.filterCount(), 0);
    QCOMPARE(reader.beginFilter(1), 0);
}

QTEST_GUILESS_MAIN(EffectCatalogueTest)
#include "tst_effectcatalogue.moc"
