#include "CategoryBrowse.h"
#include "Editor.h"
#include "EditorTestFiles.h"
#include "MagickSession.h"
#include "Panels.h"
#include "RasterIO.h"
#include "TestSupport.h"
#include "WorkFiles.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QtTest>

using namespace EditorTestFiles;
using Outcome = Editor::IntakeOutcome;

namespace {

// Filter i (1-based) of this list has one step and the kind given, so categories can be
// checked without rendering anything.
Catalogues catalogueOfKinds(const QStringList& kinds) {
    Catalogues catalogues;
    for (int i = 0; i < kinds.size(); ++i) {
        FilterLook look;
        EffectRecord step;
        step.kind = kinds[i];
        look.steps << step;
        catalogues.filterLooks << look;
        catalogues.filterThumbs << ThumbEntry{kinds[i], i + 1, WorkFiles::thumbnailPath(i + 1)};
    }
    return catalogues;
}

QStringList thumbnails(const QList<int>& numbers) {
    QStringList paths;
    for (const int n : numbers)
        paths << WorkFiles::thumbnailPath(n);
    return paths;
}

const QStringList kFiveKinds = {"Blur", "Glow", "", "Vintage", "blur"};

} // namespace

class PanelsTest : public QObject {
    Q_OBJECT
  private slots:
    void init();

    void filterCategories_data();
    void filterCategories();
    void filterWithoutStepsHasNoCell();
    void lightCategories();
    void shippedLightsBrowseBeforeAnyPicture();
    void frameCategories_data();
    void frameCategories();
    void positionsOutsideTheTablesChooseNothing();

    void categoryThenClickAppliesShownFilter();
    void clickFollowsRotation();

  private:
    MagickSession m_magick;
    QString m_work;
    QString m_data;
};

void PanelsTest::init() {
    m_data = freshDataFolder();
    m_work = TestSupport::freshWorkFolder();
}

void PanelsTest::filterCategories_data() {
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<int>("currentCell");
    const QString fourth = WorkFiles::thumbnailPath(4);
    QTest::newRow("Blur is case-sensitive") << "Blur" << QString() << QList<int>{1} << -1;
    QTest::newRow("Others: empty, unknown and lower-case kinds")
        << "Others" << QString() << QList<int>{3, 4, 5} << -1;
    QTest::newRow("All") << "All" << QString() << QList<int>{1, 2, 3, 4, 5} << -1;
    QTest::newRow("Others keeps the chosen cell") << "Others" << fourth << QList<int>{3, 4, 5} << 1;
    QTest::newRow("All keeps the chosen cell") << "All" << fourth << QList<int>{1, 2, 3, 4, 5} << 3;
    QTest::newRow("chosen cell not in the category") << "Glow" << fourth << QList<int>{2} << -1;
    QTest::newRow("empty category shows nothing") << "Sketch" << fourth << QList<int>{} << -1;
}

void PanelsTest::filterCategories() {
    QFETCH(QString, category);
    QFETCH(QString, selected);
    QFETCH(QList<int>, numbers);
    QFETCH(int, currentCell);
    const Catalogues catalogues = catalogueOfKinds(kFiveKinds);
    EditState state;
    state.filterListNumbers = {9, 9, 9};
    state.selectedFilterThumb = selected;

    const ListContent content = ShowFilterCategory(state, catalogues, category);
    QCOMPARE(content.paths, thumbnails(numbers));
    QCOMPARE(state.filterListNumbers, numbers);
    QCOMPARE(content.currentCell, currentCell);
    QCOMPARE(content.scrollTo, qMax(0, currentCell));
}

void PanelsTest::filterWithoutStepsHasNoCell() {
    Catalogues catalogues = catalogueOfKinds({"Glow", "Glow", "Glow"});
    catalogues.filterLooks[1].steps.clear();
    EditState state;
    const ListContent content = ShowFilterCategory(state, catalogues, "Glow");
    QCOMPARE(content.paths, thumbnails({1, 3}));
    QCOMPARE(state.filterListNumbers, (QList<int>{1, 3}));
}

void PanelsTest::lightCategories() {
    Catalogues catalogues;
    const QStringList kinds = {"Natural", "Colorful", "Natural", "natural"};
    for (int i = 0; i < kinds.size(); ++i)
        catalogues.lightThumbs << ThumbEntry{kinds[i], i + 1, QStringLiteral("/lights/%1.jpg").arg(i + 1)};
    EditState state;
    state.selectedLightThumb = "/lights/3.jpg";

    const ListContent natural = ShowLightCategory(state, catalogues, "Natural");
    QCOMPARE(natural.paths, (QStringList{"/lights/1.jpg", "/lights/3.jpg"}));
    QCOMPARE(state.lightListNumbers, (QList<int>{1, 3}));
    QCOMPARE(natural.currentCell, 1);
    QCOMPARE(natural.scrollTo, 1);

    const ListContent bw = ShowLightCategory(state, catalogues, "Black and White");
    QVERIFY(bw.paths.isEmpty());
    QVERIFY(state.lightListNumbers.isEmpty());
}

void PanelsTest::shippedLightsBrowseBeforeAnyPicture() {
    qputenv("LUMENKRAFT_DATA_DIR", TestSupport::binFolder().toUtf8());
    QFile catalogue(TestSupport::binFolder() + "/deploy/vuvedilightborder.xml");
    QVERIFY(catalogue.open(QIODevice::ReadOnly));
    const QString xml = QString::fromUtf8(catalogue.readAll());
    const QString lights = xml.left(xml.indexOf("</light>"));

    Editor editor;
    const std::optional<ListContent> natural =
        editor.chooseLightCategory(int(kLightCategoryNames.indexOf("Natural")));
    QVERIFY(natural);
    QCOMPARE(natural->paths.size(), lights.count("xmlkind=\"Natural\""));
    QVERIFY(!natural->paths.isEmpty());
    const QList<int>& numbers = editor.state().lightListNumbers;
    QCOMPARE(numbers.size(), natural->paths.size());
    for (int i = 0; i < numbers.size(); ++i)
        QVERIFY(natural->paths[i].endsWith(QStringLiteral("lightimage.bundle/%1.jpg").arg(numbers[i])));
    QVERIFY(editor.state().categoryChanged);
}

void PanelsTest::frameCategories_data() {
    QTest::addColumn<QString>("category");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("currentCell");
    QTest::newRow("All: artistic thumbnails first")
        << "All" << QStringList{"leaf_thumb.jpg", "border1.png"} << 1;
    QTest::newRow("Regular") << "Regular" << QStringList{"border1.png"} << 0;
    QTest::newRow("Artistic") << "Artistic" << QStringList{"leaf_thumb.jpg"} << -1;
    QTest::newRow("unknown name") << "Gold" << QStringList{} << -1;
}

void PanelsTest::frameCategories() {
    QFETCH(QString, category);
    QFETCH(QStringList, names);
    QFETCH(int, currentCell);
    const QString folder = m_data + "border.bundle/";
    QDir().mkpath(folder + "border_folder.png");
    const QImage picture = TestSupport::makePicture(40, 40, true);
    for (const char* name : {"leaf_thumb.jpg", "leaf.png", "border1.png"})
        QVERIFY(picture.save(folder + name));
    writeFile(folder + "notes_thumb.txt", "not a picture");

    EditState state;
    state.selectedFrameThumb = folder + "border1.png";
    const ListContent content = ShowFrameCategory(state, folder, category);
    QStringList expected;
    for (const QString& name : names)
        expected << folder + name;
    QCOMPARE(content.paths, expected);
    QCOMPARE(content.currentCell, currentCell);

    // The editor scans the frame folder of its resource folder.
    Editor editor;
    editor.state().selectedFrameThumb = state.selectedFrameThumb;
    const qsizetype position = kFrameCategoryNames.indexOf(category);
    if (position >= 0)
        QCOMPARE(editor.chooseFrameCategory(int(position)), content);
}

void PanelsTest::positionsOutsideTheTablesChooseNothing() {
    Editor editor;
    QVERIFY(!editor.chooseFilterCategory(-1));
    QVERIFY(!editor.chooseFilterCategory(int(kFilterCategoryNames.size())));
    QVERIFY(!editor.chooseLightCategory(int(kLightCategoryNames.size())));
    QVERIFY(!editor.chooseFrameCategory(3));
    QVERIFY(!editor.state().categoryChanged);
}

void PanelsTest::categoryThenClickAppliesShownFilter() {
    QList<std::optional<QString>> kinds;
    for (const QString& kind : kFiveKinds)
        kinds << kind;
    writeFilterCatalogue(m_data, kinds);
    const QString first = writePicture(m_work + "first.jpg", 640, 480);
    const QString second = writePicture(m_work + "second.jpg", 480, 640);

    Editor editor;
    HandOvers handOvers(editor);
    QCOMPARE(editor.takeIn(first, IntakeSource::OpenDialog), Outcome::NewPicture);
    // The worker still fills the filter list: no category may replace it meanwhile.
    QVERIFY(!editor.chooseFilterCategory(int(kFilterCategoryNames.indexOf("Others"))));
    QVERIFY(waitForThumbnails(editor));
    QCOMPARE(handOvers.numbers, (QList<int>{1, 2, 3, 4, 5}));

    const std::optional<ListContent> others =
        editor.chooseFilterCategory(int(kFilterCategoryNames.indexOf("Others")));
    QVERIFY(others);
    QCOMPARE(others->paths, thumbnails({3, 4, 5}));
    QSignalSpy repaints(&editor, &Editor::viewChanged);
    QVERIFY(editor.thumbClicked(ThumbClick{FilterPanel, 1, others->paths[1]}));
    QCOMPARE(editor.state().filterIndex, 3);
    QCOMPARE(editor.state().filterActive, int(LookOn));
    QCOMPARE(editor.state().selectedFilterThumb, WorkFiles::thumbnailPath(4));
    QVERIFY(QFile::exists(WorkFiles::filterResultPath(4)));
    QCOMPARE(editor.state().effectBitmap.size(), QSize(640, 480));
    QCOMPARE(repaints.count(), 1);

    // Back to "All": the clicked filter is still the chosen cell.
    const std::optional<ListContent> all = editor.chooseFilterCategory(0);
    QVERIFY(all);
    QCOMPARE(all->currentCell, 3);

    // A new picture refills the list with every filter; position p is filter p + 1 again.
    QVERIFY(editor.chooseFilterCategory(int(kFilterCategoryNames.indexOf("Blur"))));
    handOvers.numbers.clear();
    QCOMPARE(editor.takeIn(second, IntakeSource::Drop), Outcome::NewPicture);
    QVERIFY(waitForThumbnails(editor));
    QCOMPARE(editor.state().filterListNumbers, (QList<int>{1, 2, 3, 4, 5}));
    QVERIFY(editor.thumbClicked(ThumbClick{FilterPanel, 2, WorkFiles::thumbnailPath(3)}));
    QCOMPARE(editor.state().filterIndex, 2);
    QCOMPARE(editor.state().effectBitmap.size(), QSize(480, 640));
}

void PanelsTest::clickFollowsRotation() {
    writeFilterCatalogue(m_data, {QStringLiteral("Blur")});
    const QString path = writePicture(m_work + "photo.jpg", 640, 480);
    Editor editor;
    const ThumbClick click{FilterPanel, 0, WorkFiles::thumbnailPath(1)};
    QVERIFY(!editor.thumbClicked(click)); // no picture yet
    QCOMPARE(editor.takeIn(path, IntakeSource::OpenDialog), Outcome::NewPicture);
    QVERIFY(waitForThumbnails(editor));

    editor.state().rotationAngle = 270;
    editor.showPanel(FilterPanel);
    QVERIFY(editor.thumbClicked(click));
    QCOMPARE(editor.state().effectBasePath, WorkFiles::rotatedCopyPath(270));
    QCOMPARE(QImageReader(WorkFiles::filterResultPath(1)).size(), QSize(480, 640));
}

QTEST_MAIN(PanelsTest)
#include "tst_editor_panels.moc"
