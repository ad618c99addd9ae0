#include "LookOnPicture.h"
#include "LookPhotos.h"
#include "MagickSession.h"
#include "ShippedLooks.h"
#include "TestSupport.h"

#include <QtTest>

#include <memory>

// Runs every shipped filter and light on three different photos and checks that each one is
// a look a person would keep: it applies, it leaves a picture (not a flat field), it visibly
// changes the photo, and no two filters give the same result.
class LookLintTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void filters_data();
    void filters();
    void lights_data();
    void lights();

  private:
    void addPhotoRows();

    MagickSession m_magick;
    Catalogues m_catalogues;
    QList<LookPhoto> m_photos;
};

namespace {

// Below these a result reads as blank, or as the untouched photo: 2 % and 1 % of full range.
constexpr double kMinimumDeviation = 0.02;
constexpr double kMinimumDifference = 0.01 * 255;

QString listed(const QStringList& problems) {
    return problems.isEmpty() ? QString() : QStringLiteral("\n  ") + problems.join(QStringLiteral("\n  "));
}

} // namespace

void LookLintTest::initTestCase() {
    m_catalogues = shippedCatalogues();
    QVERIFY(!m_catalogues.filterLooks.isEmpty());
    QVERIFY(!m_catalogues.lightRecords.isEmpty());
    m_photos = prepareLookPhotos(TestSupport::freshWorkFolder());
    for (const LookPhoto& photo : m_photos)
        QVERIFY2(!photo.picture.isNull(), qPrintable(photo.name));
}

void LookLintTest::addPhotoRows() {
    QTest::addColumn<int>("photo");
    for (qsizetype i = 0; i < m_photos.size(); ++i)
        QTest::newRow(qPrintable(m_photos[i].name)) << int(i);
}

void LookLintTest::filters_data() {
    addPhotoRows();
}

void LookLintTest::filters() {
    QFETCH(int, photo);
    const LookPhoto& source = m_photos[photo];
    const QImage original = comparisonCopy(source.picture);
    auto state = std::make_unique<EditState>();
    QStringList problems;
    QList<QImage> results;
    for (qsizetype k = 0; k < m_catalogues.filterLooks.size(); ++k) {
        const QString name =
            QStringLiteral("filter %1 (%2)").arg(k + 1).arg(m_catalogues.filterThumbs[k].kind);
        state->renderTarget = RenderToView;
        state->effectBitmap = QImage();
        if (!applyFilterToFile(*state, m_catalogues, int(k), source.path) || state->effectBitmap.isNull()) {
            problems << name + QStringLiteral(" failed");
            results << QImage();
            continue;
        }
        const QImage result = comparisonCopy(state->effectBitmap);
        results << result;
        if (state->effectBitmap.size() != source.picture.size())
            problems << name + QStringLiteral(" changed the picture's size");
        if (!fullyOpaque(state->effectBitmap))
            problems << name + QStringLiteral(" leaves the picture partly transparent");
        const double deviation = luminanceDeviation(state->effectBitmap);
        if (deviation <= kMinimumDeviation)
            problems << name + QStringLiteral(" is flat (deviation %1)").arg(deviation);
        if (result.size() == original.size() &&
            TestSupport::meanDifference(result, original) <= kMinimumDifference)
            problems << name + QStringLiteral(" leaves the photo as it was");
    }
    for (qsizetype a = 0; a < results.size(); ++a) {
        for (qsizetype b = a + 1; b < results.size(); ++b) {
            if (results[a].isNull() || results[b].isNull())
                continue;
            const double difference = TestSupport::meanDifference(results[a], results[b]);
            if (difference >= 0 && difference <= kMinimumDifference)
                problems << QStringLiteral("filters %1 and %2 look alike (%3)")
                                .arg(a + 1)
                                .arg(b + 1)
                                .arg(difference);
        }
    }
    QVERIFY2(problems.isEmpty(), qPrintable(source.name + listed(problems)));
}

void LookLintTest::lights_data() {
    addPhotoRows();
}

void LookLintTest::lights() {
    QFETCH(int, photo);
    const LookPhoto& source = m_photos[photo];
    auto state = std::make_unique<EditState>();
    QStringList problems;
    for (qsizetype k = 0; k < m_catalogues.lightRecords.size(); ++k) {
        const QString name = QStringLiteral("light %1 (%2)").arg(k + 1).arg(m_catalogues.lightThumbs[k].kind);
        state->renderTarget = RenderToView;
        state->effectBitmap = QImage();
        if (!applyLight(*state, m_catalogues, int(k), source.path) || state->effectBitmap.isNull()) {
            problems << name + QStringLiteral(" failed");
            continue;
        }
        if (state->effectBitmap.size() != source.picture.size())
            problems << name + QStringLiteral(" changed the picture's size");
        if (!fullyOpaque(state->effectBitmap))
            problems << name + QStringLiteral(" leaves the picture partly transparent");
        const double deviation = luminanceDeviation(state->effectBitmap);
        if (deviation <= kMinimumDeviation)
            problems << name + QStringLiteral(" is flat (deviation %1)").arg(deviation);
        // At full size: grain, dust and texture live in single pixels.
        const double change = TestSupport::meanDifference(state->effectBitmap, source.picture);
        if (change <= kMinimumDifference)
            problems << name + QStringLiteral(" leaves the photo as it was (%1)").arg(change);
    }
    QVERIFY2(problems.isEmpty(), qPrintable(source.name + listed(problems)));
}

QTEST_MAIN(LookLintTest)
#include "tst_look_lint.moc"
