#include "AppPaths.h"
#include "CatalogTestFiles.h"
#include "LightFrameCatalogue.h"

#include <QtTest>

namespace {

const char* kCatalogue = R"(<?xml version="1.0" encoding="UTF-8"?>
<theme>
  <light>
    <subtheme>
      <xmleffecttype xmleffecttype="Warm leak"/>
      <xmlneffectfunction xmlneffectfunction="61"/>
      <xmleffectimage xmleffectimage="lightimage.bundle\leak.png"/>
      <xmlarguments xmlkind="Colorful" xmlnenum="12"/>
    </subtheme>
    <subtheme>
      <xmlneffectfunction xmlneffectfunction="62"/>
      <xmleffectimage xmleffectimage="lightimage.bundle/sun.png"/>
    </subtheme>
    <subtheme>
      <xmlneffectfunction xmlneffectfunction=" 63x"/>
      <xmleffectimage xmleffectimage="lightimage.bundle\glow.png"/>
      <xmlarguments xmlkind="Natural" xmlnenum="7"/>
    </subtheme>
    <subtheme/>
  </light>
  <light>
    <subtheme>
      <xmlneffectfunction xmlneffectfunction="99"/>
    </subtheme>
  </light>
  <border>
    <subtheme>
      <xmlframerule xmlframerule="1"/>
      <xmlarguments xmlkind="Regular"/>
      <xmleffectimage xmleffectimage="border.bundle\border2.png"/>
      <xmlframes xmlrightbottomsize="040040" xmlbottomsize="012012" xmlleftbottomsize="040040"
                 xmlrightsize="012012" xmlleftsize="012012" xmlrighttopsize="040040"
                 xmltopsize="012012" xmllefttopsize="040 40"/>
    </subtheme>
    <subtheme>
      <xmlframerule xmlframerule="0"/>
      <xmleffectimage xmleffectimage="border.bundle\leaf.png"/>
    </subtheme>
  </border>
  <border>
    <subtheme><xmlframerule xmlframerule="1"/></subtheme>
  </border>
</theme>
)";

} // namespace

class LightFrameCatalogueTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void lightsComeFromTheFirstListOnly();
    void lightEntriesStartFromEmptyTexts();
    void framesResolveCataloguePaths();
    void readingAgainRebuildsTheCollections();
    void unusableFilesEmptyTheCollections_data();
    void unusableFilesEmptyTheCollections();

  private:
    QString path;
};

void LightFrameCatalogueTest::initTestCase() {
    path = writeCatalogueFile("lightborder.xml", QString::fromUtf8(kCatalogue));
    QVERIFY(!path.isEmpty());
}

void LightFrameCatalogueTest::lightsComeFromTheFirstListOnly() {
    Catalogues catalogues;
    ReadLightCatalogue(catalogues, path);
    QCOMPARE(catalogues.lightRecords.size(), 4);
    QCOMPARE(catalogues.lightThumbs.size(), 4);
    for (const LightRecord& light : catalogues.lightRecords)
        QVERIFY(light.neffectfunction != 99);

    const QString base = AppPaths::programFolder();
    const LightRecord& third = catalogues.lightRecords[2];
    QCOMPARE(third.neffectfunction, 63);
    QCOMPARE(third.nenum, 7);
    QCOMPARE(third.kind, QStringLiteral("Natural"));
    QCOMPARE(third.effectimage, base + QStringLiteral("lightimage.bundle/glow.png"));
    const ThumbEntry& thumb = catalogues.lightThumbs[2];
    QCOMPARE(thumb.number, 3);
    QCOMPARE(thumb.kind, QStringLiteral("Natural"));
    QCOMPARE(thumb.thumbPath, base + QStringLiteral("lightimage.bundle/3.jpg"));

    QCOMPARE(catalogues.lightRecords[0].effectimage, base + QStringLiteral("lightimage.bundle/leak.png"));
    QCOMPARE(catalogues.lightRecords[1].effectimage, base + QStringLiteral("lightimage.bundle/sun.png"));
}

void LightFrameCatalogueTest::lightEntriesStartFromEmptyTexts() {
    Catalogues catalogues;
    ReadLightCatalogue(catalogues, path);
    // The second light has no arguments: nothing carries over from the first.
    const LightRecord& second = catalogues.lightRecords[1];
    QCOMPARE(second.neffectfunction, 62);
    QCOMPARE(second.nenum, 0);
    QCOMPARE(second.kind, QString());
    QCOMPARE(catalogues.lightThumbs[1].kind, QString());

    // An entry with nothing at all still counts, with the bare resource folder as its overlay.
    const LightRecord& fourth = catalogues.lightRecords[3];
    QCOMPARE(fourth.neffectfunction, 0);
    QCOMPARE(fourth.effectimage, AppPaths::programFolder());
    QCOMPARE(catalogues.lightThumbs[3].number, 4);
}

void LightFrameCatalogueTest::framesResolveCataloguePaths() {
    Catalogues catalogues;
    ReadFrameCatalogue(catalogues, path);
    QCOMPARE(catalogues.frameRecords.size(), 2);
    const QString base = AppPaths::programFolder();

    const FrameRecord& regular = catalogues.frameRecords[0];
    QCOMPARE(regular.effectimage, base + QStringLiteral("border.bundle/border2.png"));
    QCOMPARE(regular.framerule, int(FrameRuleNineSlice));
    const std::array<int, 8> sizes = {40, 12, 40, 12, 12, 40, 12, 40};
    QCOMPARE(regular.sizes, sizes);

    const FrameRecord& artistic = catalogues.frameRecords[1];
    QCOMPARE(artistic.effectimage, base + QStringLiteral("border.bundle/leaf.png"));
    QCOMPARE(artistic.framerule, int(FrameRuleOverlay));
    QCOMPARE(artistic.sizes, (std::array<int, 8>{}));
}

void LightFrameCatalogueTest::readingAgainRebuildsTheCollections() {
    Catalogues catalogues;
    for (int intake = 0; intake < 2; ++intake) {
        ReadLightCatalogue(catalogues, path);
        ReadFrameCatalogue(catalogues, path);
    }
    QCOMPARE(catalogues.lightRecords.size(), 4);
    QCOMPARE(catalogues.lightThumbs.size(), 4);
    QCOMPARE(catalogues.frameRecords.size(), 2);
    QCOMPARE(catalogues.lightThumbs.last().number, 4);
}

void LightFrameCatalogueTest::unusableFilesEmptyTheCollections_data() {
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("content");
    QTest::newRow("missing") << "nothing-here.xml" << QString();
    QTest::newRow("malformed") << "broken-lights.xml" << QString("<theme><light><subtheme></light>");
    QTest::newRow("no lists") << "bare-theme.xml" << QString("<theme/>");
}

void LightFrameCatalogueTest::unusableFilesEmptyTheCollections() {
    QFETCH(QString, fileName);
    QFETCH(QString, content);
    const QString file =
        content.isEmpty() ? AppPaths::workFolder() + fileName : writeCatalogueFile(fileName, content);
    Catalogues catalogues;
    ReadLightCatalogue(catalogues, path);
    ReadFrameCatalogue(catalogues, path);
    ReadLightCatalogue(catalogues, file);
    ReadFrameCatalogue(catalogues, file);
    QVERIFY(catalogues.lightRecords.isEmpty());
    QVERIFY(catalogues.lightThumbs.isEmpty());
    QVERIFY(catalogues.frameRecords.isEmpty());
}

QTEST_GUILESS_MAIN(LightFrameCatalogueTest)
#include "tst_lightframecatalogue.moc"
