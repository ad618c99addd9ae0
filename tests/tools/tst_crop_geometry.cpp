// The crop box as the mouse, the ratio field and the orientation button shape it: the tool's
// events played on a picture's bounds, and the pointer each place asks for.
#include "CropTool.h"
#include "EditState.h"
#include "FitRules.h"

#include <QtTest>

namespace {

struct Event {
    enum Kind { Ratio, Turn, Press, Drag, Release } kind;
    QPoint p;
};
using Script = QList<Event>;

Event ratio(int position) {
    return {Event::Ratio, QPoint(position, 0)};
}
Event turn() {
    return {Event::Turn, {}};
}
Event press(int x, int y) {
    return {Event::Press, QPoint(x, y)};
}
Event drag(int x, int y) {
    return {Event::Drag, QPoint(x, y)};
}
Event release() {
    return {Event::Release, {}};
}

// The crop tool's state for a picture of the given size, fitted as intake fits it.
void prepare(EditState& state, const QSize& picture) {
    state.fitRect = FitToView(picture.width(), picture.height());
    state.imageRect = state.fitRect;
    state.cropBoundsRect = state.fitRect;
    state.previewAspect = double(picture.height()) / picture.width();
    state.cropStartRect = Rect{210, 160, 500, 460};
    state.cropRatioIndex = RatioFree;
    state.cropMode = true;
}

} // namespace

Q_DECLARE_METATYPE(Script)
Q_DECLARE_METATYPE(Rect)
Q_DECLARE_METATYPE(CropTool::Press)
Q_DECLARE_METATYPE(CropCursor)

namespace QTest {
template <> char* toString(const Rect& r) {
    return qstrdup(QByteArray::number(r.left) + ", " + QByteArray::number(r.top) + ", " +
                   QByteArray::number(r.right) + ", " + QByteArray::number(r.bottom));
}
} // namespace QTest

class CropGeometryTest : public QObject {
    Q_OBJECT
  private slots:
    void shapes_data();
    void shapes();
    void hoverCursor_data();
    void hoverCursor();
    void boxOutlivesTheTool();
    void boxesLieOnAnyPicture_data();
    void boxesLieOnAnyPicture();
};

void CropGeometryTest::shapes_data() {
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<Script>("script");
    QTest::addColumn<CropTool::Press>("lastPress");
    QTest::addColumn<Rect>("box");
    QTest::addColumn<Rect>("reference");

    const QSize wide(1400, 1000);    // fills the picture area (10, 60, 710, 560)
    const QSize panorama(1000, 500); // (10, 135, 710, 485)
    using P = CropTool::Press;
    QTest::newRow("free top-left handle, then past the opposite corner")
        << wide << Script{press(210, 160), drag(100, 100), drag(600, 500)} << P::Dragging
        << Rect{500, 460, 600, 500} << Rect{100, 100, 500, 460};
    QTest::newRow("and back: the box before the crossing returns")
        << wide << Script{press(210, 160), drag(100, 100), drag(600, 500), drag(150, 120)} << P::Dragging
        << Rect{150, 120, 500, 460} << Rect{150, 120, 500, 460};
    QTest::newRow("1:1 bottom-right drag: too wide, the width follows the height")
        << wide << Script{ratio(Ratio1to1), press(465, 410), drag(600, 450)} << P::Dragging
        << Rect{265, 210, 505, 450} << Rect{265, 210, 505, 450};
    QTest::newRow("1:1 corner past its fixed corner collapses there")
        << wide << Script{ratio(Ratio1to1), press(465, 410), drag(200, 300)} << P::Dragging
        << Rect{265, 210, 266, 211} << Rect{265, 210, 266, 211};
    QTest::newRow("16:9 turned to portrait about its centre")
        << wide << Script{ratio(Ratio16to9), turn()} << P::Ignored << Rect{275, 150, 455, 470}
        << Rect{275, 150, 455, 470};
    QTest::newRow("16:9 portrait corner drags hold width / height 0.5625")
        << wide << Script{ratio(Ratio16to9), turn(), press(455, 470), drag(500, 480)} << P::Dragging
        << Rect{275, 150, 460, 480} << Rect{275, 150, 460, 480};
    QTest::newRow("a ratio choice turns back to landscape")
        << wide << Script{ratio(Ratio16to9), turn(), ratio(Ratio16to9)} << P::Ignored
        << Rect{205, 220, 525, 400} << Rect{205, 220, 525, 400};
    QTest::newRow("a turned box taller than the picture area is fitted to the picture")
        << panorama << Script{press(60, 260), drag(660, 360), release(), turn()} << P::Dragging
        << Rect{331, 135, 389, 485} << Rect{331, 135, 389, 485};
    QTest::newRow("Original turned keeps the picture's height, inverted proportions")
        << panorama << Script{ratio(RatioOriginal), turn()} << P::Ignored << Rect{273, 135, 448, 485}
        << Rect{273, 135, 448, 485};
    QTest::newRow("Original turned: corner drags keep the turned proportions")
        << panorama << Script{ratio(RatioOriginal), turn(), press(448, 484), drag(600, 485)} << P::Dragging
        << Rect{273, 135, 448, 485} << Rect{273, 135, 448, 485};
    QTest::newRow("a move far to the right stops at the bounds, size kept")
        << wide << Script{ratio(Ratio1to1), press(365, 310), drag(2000, 310)} << P::Dragging
        << Rect{510, 210, 710, 410} << Rect{510, 210, 710, 410};
    QTest::newRow("a move goes on from where the last one ended")
        << wide << Script{ratio(Ratio1to1), press(365, 310), drag(2000, 310), drag(1990, 300)} << P::Dragging
        << Rect{500, 200, 700, 400} << Rect{500, 200, 700, 400};
    QTest::newRow("edge handles under a fixed ratio do not resize")
        << wide << Script{ratio(Ratio3to2), press(515, 310), drag(650, 330), press(365, 210), drag(365, 90)}
        << P::Dragging << Rect{215, 210, 515, 410} << Rect{215, 210, 515, 410};
    QTest::newRow("free edge handle moves its side only")
        << wide << Script{press(500, 310), drag(650, 330)} << P::Dragging << Rect{210, 160, 650, 460}
        << Rect{210, 160, 650, 460};
    QTest::newRow("a new box is held to the picture")
        << panorama << Script{press(50, 300), drag(-100, 900)} << P::Dragging << Rect{10, 300, 50, 485}
        << Rect{10, 300, 50, 485};
    QTest::newRow("the title band moves the window, no drag starts")
        << wide << Script{press(5, 10), drag(600, 500)} << P::MoveWindow << Rect{210, 160, 500, 460}
        << Rect{210, 160, 500, 460};
    QTest::newRow("the band's lower edge belongs to the view")
        << wide << Script{press(500, 60), drag(600, 500)} << P::Dragging << Rect{500, 60, 600, 500}
        << Rect{500, 60, 600, 500};
    QTest::newRow("a press beside the picture starts nothing")
        << panorama << Script{press(300, 100), drag(600, 300)} << P::Ignored << Rect{210, 160, 500, 460}
        << Rect{210, 160, 500, 460};
    QTest::newRow("after the release, moves do not drag")
        << wide << Script{press(365, 310), release(), drag(600, 500)} << P::Dragging
        << Rect{210, 160, 500, 460} << Rect{210, 160, 500, 460};
}

void CropGeometryTest::shapes() {
    QFETCH(QSize, picture);
    QFETCH(Script, script);
    QFETCH(CropTool::Press, lastPress);
    QFETCH(Rect, box);
    QFETCH(Rect, reference);

    EditState state;
    prepare(state, picture);
    CropTool tool;
    tool.open(state);
    CropTool::Press pressed = CropTool::Press::Ignored;
    for (const Event& event : script) {
        switch (event.kind) {
        case Event::Ratio:
            tool.chooseRatio(state, event.p.x());
            break;
        case Event::Turn:
            tool.toggleOrientation(state);
            break;
        case Event::Press:
            pressed = tool.press(state, event.p);
            break;
        case Event::Drag:
            tool.move(state, event.p, true);
            break;
        case Event::Release:
            tool.release();
            break;
        }
    }
    QCOMPARE(pressed, lastPress);
    QCOMPARE(state.cropRect, box);
    QCOMPARE(tool.cropDragRect, reference);
    QCOMPARE(tool.cropHandleRects, UpdateCropHandles(box));
}

void CropGeometryTest::boxesLieOnAnyPicture_data() {
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<int>("ratio");
    QTest::addColumn<bool>("turned");
    const QSize shapes[] = {QSize(950, 3172), QSize(1000, 500),  QSize(3000, 200),
                            QSize(200, 3000), QSize(1400, 1000), QSize(160, 120)};
    for (const QSize& picture : shapes)
        for (int ratio = RatioFree; ratio < kCropRatioCount; ++ratio)
            for (const bool turned : {false, true})
                QTest::addRow("%dx%d ratio %d%s", picture.width(), picture.height(), ratio,
                              turned ? " turned" : "")
                    << picture << ratio << turned;
}

void CropGeometryTest::boxesLieOnAnyPicture() {
    // Whatever the picture's shape, a ratio's box lies on the picture with its handles in reach,
    // and a fixed ratio keeps its proportions to within a pixel of rounding.
    QFETCH(QSize, picture);
    QFETCH(int, ratio);
    QFETCH(bool, turned);
    EditState state;
    prepare(state, picture);
    CropTool tool;
    tool.open(state);
    tool.chooseRatio(state, ratio);
    if (turned)
        tool.toggleOrientation(state);
    const Rect box = state.cropRect;
    const Rect bounds = state.cropBoundsRect;
    QVERIFY2(!box.isEmpty(), QTest::toString(box));
    QVERIFY2(box.left >= bounds.left && box.top >= bounds.top && box.right <= bounds.right &&
                 box.bottom <= bounds.bottom,
             QTest::toString(box));
    const double widthPerHeight = tool.widthPerHeight(state);
    if (widthPerHeight > 0.0)
        QVERIFY2(qAbs(box.width() - box.height() * widthPerHeight) <= 1.0 + widthPerHeight,
                 QTest::toString(box));
    QCOMPARE(tool.press(state, QPoint(box.right, box.bottom)), CropTool::Press::Dragging);
    QCOMPARE(tool.dragMode, CropDrag::Handle);
}

void CropGeometryTest::hoverCursor_data() {
    QTest::addColumn<int>("ratio");
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<int>("hit");
    QTest::addColumn<CropCursor>("cursor");
    // The free box (210, 160, 500, 460) and the 3:2 preset (215, 210, 515, 410).
    QTest::newRow("outside") << int(RatioFree) << QPoint(600, 500) << -1 << CropCursor::Arrow;
    QTest::newRow("inside") << int(RatioFree) << QPoint(300, 300) << 0 << CropCursor::PointingHand;
    QTest::newRow("right edge is outside the box")
        << int(RatioFree) << QPoint(500, 200) << -1 << CropCursor::Arrow;
    QTest::newRow("top-left") << int(RatioFree) << QPoint(205, 155) << 1
                              << CropCursor::SizeNorthWestSouthEast;
    QTest::newRow("top-left square excludes its far edges")
        << int(RatioFree) << QPoint(215, 165) << 0 << CropCursor::PointingHand;
    QTest::newRow("top-right") << int(RatioFree) << QPoint(500, 160) << 2
                               << CropCursor::SizeNorthEastSouthWest;
    QTest::newRow("bottom-right") << int(RatioFree) << QPoint(504, 464) << 3
                                  << CropCursor::SizeNorthWestSouthEast;
    QTest::newRow("bottom-left") << int(RatioFree) << QPoint(210, 460) << 4
                                 << CropCursor::SizeNorthEastSouthWest;
    QTest::newRow("top-middle") << int(RatioFree) << QPoint(355, 160) << 5 << CropCursor::SizeNorthSouth;
    QTest::newRow("bottom-middle") << int(RatioFree) << QPoint(355, 460) << 6 << CropCursor::SizeNorthSouth;
    QTest::newRow("right-middle") << int(RatioFree) << QPoint(500, 310) << 7 << CropCursor::SizeWestEast;
    QTest::newRow("left-middle") << int(RatioFree) << QPoint(210, 310) << 8 << CropCursor::SizeWestEast;
    QTest::newRow("fixed ratio: corners still size")
        << int(Ratio3to2) << QPoint(515, 410) << 3 << CropCursor::SizeNorthWestSouthEast;
    QTest::newRow("fixed ratio: edge handles keep the pointer")
        << int(Ratio3to2) << QPoint(515, 310) << 7 << CropCursor::Keep;
    QTest::newRow("fixed ratio: top edge too") << int(Ratio3to2) << QPoint(365, 210) << 5 << CropCursor::Keep;
}

void CropGeometryTest::hoverCursor() {
    QFETCH(int, ratio);
    QFETCH(QPoint, pointer);
    QFETCH(int, hit);
    QFETCH(CropCursor, cursor);
    EditState state;
    prepare(state, QSize(1400, 1000));
    CropTool tool;
    tool.open(state);
    if (ratio != RatioFree)
        tool.chooseRatio(state, ratio);
    QCOMPARE(tool.move(state, pointer, false), cursor);
    QCOMPARE(tool.grabbedHandle, hit);

    // Outside crop mode the pointer is left alone.
    state.cropMode = false;
    QCOMPARE(tool.move(state, pointer, false), CropCursor::Keep);
}

void CropGeometryTest::boxOutlivesTheTool() {
    // Whatever the mouse last did is where the tool opens next time.
    EditState state;
    prepare(state, QSize(1400, 1000));
    CropTool tool;
    tool.open(state);
    tool.press(state, QPoint(365, 310));
    tool.move(state, QPoint(300, 250), true);
    tool.release();
    const Rect moved{145, 100, 435, 400};
    QCOMPARE(state.cropRect, moved);
    state.cropMode = false;
    state.cropRect = Rect{};
    CropTool reopened;
    state.cropMode = true;
    reopened.open(state);
    QCOMPARE(state.cropRect, moved);
    QCOMPARE(reopened.cropDragRect, moved);
}

QTEST_APPLESS_MAIN(CropGeometryTest)
#include "tst_crop_geometry.moc"
