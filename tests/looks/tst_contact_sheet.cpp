#include "ContactSheet.h"
#include "EffectCatalogue.h"
#include "LightFrameCatalogue.h"
#include "MagickSession.h"
#include "TestSupport.h"

#include <QtTest>

class ContactSheetTest : public QObject {
    Q_OBJECT
  private slots:
    void everyShippedLookHasAName();
    void unreadablePhotoIsRefused();
    void failingLookKeepsItsCell();

  private:
    MagickSession m_magick;
};

void ContactSheetTest::everyShippedLookHasAName() {
    Catalogues catalogues;
    ReadEffectCatalogue(catalogues);
    ReadLightCatalogue(catalogues);
    ReadFrameCatalogue(catalogues);
    const LookNames names = readLookNames(EffectCatalogueReader::defaultPath(), lightFrameCataloguePath());
    QCOMPARE(names.filters.size(), catalogues.filterLooks.size());
    QCOMPARE(names.lights.size(), catalogues.lightRecords.size());
    QCOMPARE(names.frames.size(), catalogues.frameRecords.size());
    for (const QStringList& list : {names.filters, names.lights, names.frames})
        for (const QString& name : list)
            QVERIFY2(!name.isEmpty() && !name.contains(QLatin1Char(':')), qPrintable(name));
    QCOMPARE(names.filters.first(), QStringLiteral("Warm Sunset"));
}

void ContactSheetTest::unreadablePhotoIsRefused() {
    const QString path = TestSupport::freshWorkFolder() + QStringLiteral("not-a-picture.png");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("plain text");
    file.close();
    QString error;
    QVERIFY(renderContactSheet(Catalogues(), LookNames(), path, &error).isNull());
    QVERIFY(error.contains(QStringLiteral("not a picture")));
}

// One look that cannot be applied (a blend without its second picture) must not take the sheet
// down: it gets its cell, marked, and the looks after it are still drawn.
void ContactSheetTest::failingLookKeepsItsCell() {
    const QString folder = TestSupport::freshWorkFolder();
    const QString photo = folder + QStringLiteral("photo.png");
    QVERIFY(TestSupport::makePicture(320, 240).save(photo));
    EffectRecord blend;
    blend.neffectfunction = 35;
    blend.nenum = 45;
    EffectRecord negate;
    negate.neffectfunction = 115;
    Catalogues catalogues;
    catalogues.filterLooks = {FilterLook{{blend}}, FilterLook{{negate}}};
    catalogues.filterThumbs = {ThumbEntry{QStringLiteral("Blur"), 1, {}},
                               ThumbEntry{QStringLiteral("Hue"), 2, {}}};
    QString error;
    const QImage sheet = renderContactSheet(catalogues, {{"Broken", "Negative"}, {}, {}}, photo, &error);
    QVERIFY2(!sheet.isNull(), qPrintable(error));
    // The first cell's box is the plain "cannot be applied" panel, the second holds a picture.
    const QColor failedPanel(220, 216, 210);
    const QPoint firstBox(16 + 10, 16 + 40 + 34 + 10);
    const QPoint secondBox(firstBox.x() + 168, firstBox.y());
    QCOMPARE(sheet.pixelColor(firstBox), failedPanel);
    QVERIFY(sheet.pixelColor(secondBox) != failedPanel);
}

QTEST_MAIN(ContactSheetTest)
#include "tst_contact_sheet.moc"
