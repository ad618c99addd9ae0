#include "CategoryBrowse.h"

#include <QtTest>

namespace {

// Five filters whose kinds are Blur, Glow, the empty text, Vintage and blur.
FilterThumbs fiveFilters() {
    const QStringList kinds = {"Blur", "Glow", "", "Vintage", "blur"};
    FilterThumbs thumbs;
    for (int n = 1; n <= kinds.size(); ++n)
        thumbs.append(ThumbEntry{kinds[n - 1], n, QStringLiteral("/work/a/%1.jpg").arg(n)});
    return thumbs;
}

QStringList thumbPaths(const QList<int>& numbers) {
    QStringList paths;
    for (const int n : numbers)
        paths.append(QStringLiteral("/work/a/%1.jpg").arg(n));
    return paths;
}

} // namespace

class CategoryBrowseTest : public QObject {
    Q_OBJECT
private slots:
    void filterCategories_data();
    void filterCategories();
    void filtersWithoutStepsHaveNoCell();
    void lightCategories_data();
    void lightCategories();
    void frameCategoryPatterns_data();
    void frameCategoryPatterns();
    void positionsMapToCatalogueIndexes_data();
    void positionsMapToCatalogueIndexes();
};

void CategoryBrowseTest::filterCategories_data() {
    QTest::addColumn<QString>("category");
    QTest::addColumn<QList<int>>("numbers");
    QTest::newRow("named category, exact case") << "Blur" << QList<int>{1};
    QTest::newRow("others: empty, unknown, wrong case") << "Others" << QList<int>{3, 4, 5};
    QTest::newRow("all") << "All" << QList<int>{1, 2, 3, 4, 5};
    QTest::newRow("named category without entries") << "Hue" << QList<int>{};
    QTest::newRow("a kind outside the table is matched exactly") << "Vintage" << QList<int>{4};
}

void CategoryBrowseTest::filterCategories() {
    QFETCH(QString, category);
    QFETCH(QList<int>, numbers);
    const CategoryContent content = SelectFilterCategory(fiveFilters(), category);
    QCOMPARE(content.numbers, numbers);
    QCOMPARE(content.paths, thumbPaths(numbers));
}

void CategoryBrowseTest::filtersWithoutStepsHaveNoCell() {
    FilterLooks looks(5);
    for (int k : {0, 2, 4})
        looks[k].steps.append(EffectRecord{});
    QCOMPARE(SelectFilterCategory(fiveFilters(), "All", looks).numbers, (QList<int>{1, 3, 5}));
    QCOMPARE(SelectFilterCategory(fiveFilters(), "Others", looks).numbers, (QList<int>{3, 5}));
    QCOMPARE(SelectFilterCategory(fiveFilters(), "Glow", looks).numbers, QList<int>{});
}

void CategoryBrowseTest::lightCategories_data() {
    QTest::addColumn<QString>("category");
    QTest::addColumn<QList<int>>("numbers");
    QTest::newRow("all") << "All" << QList<int>{1, 2, 3, 4};
    QTest::newRow("natural") << "Natural" << QList<int>{2, 4};
    QTest::newRow("no others for lights") << "Others" << QList<int>{};
    QTest::newRow("black and white") << "Black and White" << QList<int>{};
}

void CategoryBrowseTest::lightCategories() {
    QFETCH(QString, category);
    QFETCH(QList<int>, numbers);
    const QStringList kinds = {"Colorful", "Natural", "", "Natural"};
    LightThumbs thumbs;
    for (int n = 1; n <= kinds.size(); ++n)
        thumbs.append(ThumbEntry{kinds[n - 1], n, QStringLiteral("/data/lightimage.bundle/%1.jpg").arg(n)});
    const CategoryContent content = SelectLightCategory(thumbs, category);
    QCOMPARE(content.numbers, numbers);
    QCOMPARE(content.paths.size(), numbers.size());
    for (int k = 0; k < numbers.size(); ++k)
        QCOMPARE(content.paths[k], QStringLiteral("/data/lightimage.bundle/%1.jpg").arg(numbers[k]));
}

void CategoryBrowseTest::frameCategoryPatterns_data() {
    QTest::addColumn<QString>("category");
    QTest::addColumn<QStringList>("patterns");
    QTest::newRow("all: artistic first") << "All" << QStringList{"*_thumb.*", "border*.png"};
    QTest::newRow("regular") << "Regular" << QStringList{"border*.png"};
    QTest::newRow("artistic") << "Artistic" << QStringList{"*_thumb.*"};
    QTest::newRow("unknown") << "Others" << QStringList{};
}

void CategoryBrowseTest::frameCategoryPatterns() {
    QFETCH(QString, category);
    QFETCH(QStringList, patterns);
    QCOMPARE(FrameCategoryPatterns(category), patterns);
    // The patterns pick the files the frame list shows, in the order of the patterns.
    const QStringList files = {"leaf_thumb.jpg", "leaf.png", "border1.png"};
    QStringList shown;
    for (const QString& pattern : patterns) {
        const QRegularExpression wildcard(QRegularExpression::wildcardToRegularExpression(pattern));
        for (const QString& file : files) {
            if (wildcard.match(file).hasMatch())
                shown.append(file);
        }
    }
    QVERIFY(!shown.contains("leaf.png"));
    if (category == "All")
        QCOMPARE(shown, (QStringList{"leaf_thumb.jpg", "border1.png"}));
}

void CategoryBrowseTest::positionsMapToCatalogueIndexes_data() {
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("index");
    const QList<int> shown = {4, 9, 12};
    QTest::newRow("first shown") << shown << 0 << 3;
    QTest::newRow("second shown") << shown << 1 << 8;
    QTest::newRow("last shown") << shown << 2 << 11;
    QTest::newRow("beyond the list") << shown << 3 << -1;
    QTest::newRow("negative") << shown << -1 << -1;
    QTest::newRow("others of the five: position 1 is filter 4") << QList<int>{3, 4, 5} << 1 << 3;
    QTest::newRow("no mapping: position itself") << QList<int>{} << 7 << 7;
    QTest::newRow("no mapping, negative") << QList<int>{} << -2 << -1;
    QTest::newRow("a number below 1 maps nowhere") << QList<int>{0} << 0 << -1;
}

void CategoryBrowseTest::positionsMapToCatalogueIndexes() {
    QFETCH(QList<int>, numbers);
    QFETCH(int, position);
    QFETCH(int, index);
    QCOMPARE(CatalogueIndexForPosition(position, numbers), index);
}

QTEST_GUILESS_MAIN(CategoryBrowseTest)
#include "tst_categorybrowse.moc"
