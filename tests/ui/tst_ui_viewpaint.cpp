// The view as painted from the editing state, checked pixel by pixel: backgrounds, the picture
// and its look, the mirror flags, both kinds of frame, the comparison, the picture file of the
// crop tool and the crop overlay.
#include "EditState.h"
#include "FitRules.h"
#include "PrintShared.h"
#include "TestSupport.h"
#include "ViewPainter.h"

#include <QDir>
#include <QPainter>
#include <QtTest>

Q_DECLARE_METATYPE(Rect)

namespace {

const QColor kStartGround(10, 90, 10);
const QColor kWorkGround(40, 40, 40);
const QColor kRed(220, 0, 0);
const QColor kGreen(0, 200, 0);
const QColor kBlue(0, 0, 220);
const QColor kYellow(230, 230, 0);
const QColor kLook(0, 200, 200);
const QColor kOrange(255, 140, 0);
const QColor kPurple(130, 0, 160);
const QColor kMagenta(255, 0, 255);

// Four quadrants, so every mirroring shows in which colour lands top-left.
QImage quadrants(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, width / 2, height / 2, kRed);
    painter.fillRect(width / 2, 0, width - width / 2, height / 2, kGreen);
    painter.fillRect(0, height / 2, width / 2, height - height / 2, kBlue);
    painter.fillRect(width / 2, height / 2, width - width / 2, height - height / 2, kYellow);
    return image;
}

QImage solid(int width, int height, const QColor& colour) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

int distance(const QColor& a, const QColor& b) {
    return std::max(
        {std::abs(a.red() - b.red()), std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())});
}

bool near(const QImage& image, QPoint at, const QColor& colour, int tolerance = 3) {
    const QColor seen = image.pixelColor(at);
    if (distance(seen, colour) <= tolerance)
        return true;
    qWarning() << "at" << at << "saw" << seen << "wanted" << colour;
    return false;
}

int whitePixels(const QImage& image, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += distance(image.pixelColor(x, y), Qt::white) < 30;
    return count;
}

QColor over(const QColor& ground, const QColor& paint, int alpha) {
    const auto mix = [&](int g, int p) { return (g * (255 - alpha) + p * alpha) / 255; };
    return QColor(mix(ground.red(), paint.red()), mix(ground.green(), paint.green()),
                  mix(ground.blue(), paint.blue()));
}

// A picture of 200 x 100 fitted into the view: (10, 135, 710, 485).
void loadPicture(EditState& state) {
    state.startBackground = false;
    state.viewBitmap = quadrants(200, 100);
    state.fitRect = FitToView(200, 100);
    state.compareLeftRect = FitToCompareLeft(200, 100);
    state.compareRightRect = FitToCompareRight(200, 100);
}

} // namespace

class ViewPaintTest : public QObject {
    Q_OBJECT

  private:
    QString m_folder;
    ViewPainter m_painter;

    QImage render(EditState& state, const Rect& cropBox = {}) {
        QImage surface(ViewPainter::kWidth, ViewPainter::kHeight, QImage::Format_ARGB32);
        surface.fill(Qt::transparent);
        QPainter painter(&surface);
        m_painter.paint(painter, state, cropBox);
        return surface;
    }

  private slots:
    void initTestCase() {
        // A data folder of our own, with backgrounds whose colours the checks know.
        m_folder = TestSupport::freshWorkFolder();
        QDir().mkpath(m_folder + QStringLiteral("UI"));
        QVERIFY(solid(100, 65, kStartGround).save(m_folder + QStringLiteral("UI/1.png")));
        QVERIFY(solid(100, 65, kWorkGround).save(m_folder + QStringLiteral("UI/1.bmp")));
        qputenv("LUMENKRAFT_DATA_DIR", QFile::encodeName(m_folder));
    }

    void backgroundsBeforeAndAfterThePicture() {
        EditState state;
        QImage shot = render(state);
        QVERIFY(near(shot, {5, 5}, kStartGround));
        QVERIFY(near(shot, {300, 300}, kStartGround));
        loadPicture(state);
        shot = render(state);
        QVERIFY(near(shot, {5, 5}, kWorkGround));
        QVERIFY(near(shot, {300, 100}, kWorkGround)); // above the fitted picture
    }

    void pictureFollowsTheMirrorFlags_data() {
        QTest::addColumn<bool>("horizontal");
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<QColor>("topLeft");
        QTest::addColumn<QColor>("bottomRight");
        QTest::newRow("plain") << false << false << kRed << kYellow;
        QTest::newRow("left to right") << true << false << kGreen << kBlue;
        QTest::newRow("top to bottom") << false << true << kBlue << kGreen;
        QTest::newRow("both, a half turn") << true << true << kYellow << kRed;
    }

    void pictureFollowsTheMirrorFlags() {
        QFETCH(bool, horizontal);
        QFETCH(bool, vertical);
        QFETCH(QColor, topLeft);
        QFETCH(QColor, bottomRight);
        EditState state;
        loadPicture(state);
        state.flipHorizontal = horizontal;
        state.flipVertical = vertical;
        const QImage shot = render(state);
        QVERIFY(near(shot, {20, 145}, topLeft));
        QVERIFY(near(shot, {700, 475}, bottomRight));
        QVERIFY(near(shot, {300, 130}, kWorkGround));
    }

    void lookReplacesThePicture_data() {
        QTest::addColumn<int>("filter");
        QTest::addColumn<int>("light");
        QTest::addColumn<bool>("showsLook");
        QTest::newRow("no look") << -1 << -1 << false;
        QTest::newRow("filter") << 1 << -1 << true;
        QTest::newRow("light") << -1 << 1 << true;
        QTest::newRow("filter switched off") << 0 << 0 << false;
    }

    void lookReplacesThePicture() {
        QFETCH(int, filter);
        QFETCH(int, light);
        QFETCH(bool, showsLook);
        EditState state;
        loadPicture(state);
        state.effectBitmap = solid(200, 100, kLook);
        state.filterActive = filter;
        state.lightActive = light;
        QVERIFY(near(render(state), {20, 145}, showsLook ? kLook : kRed));
    }

    void lookWithoutItsRasterLeavesTheBackground() {
        EditState state;
        loadPicture(state);
        state.filterActive = LookOn; // the look is still being computed
        QVERIFY(near(render(state), {20, 145}, kWorkGround));
    }

    void overlayFrameStaysUnmirrored() {
        QImage frame(200, 100, QImage::Format_ARGB32);
        frame.fill(Qt::transparent);
        QPainter painter(&frame);
        painter.fillRect(0, 0, 20, 100, kOrange);
        painter.fillRect(180, 0, 20, 100, kPurple);
        painter.end();
        const QString path = m_folder + QStringLiteral("frame.png");
        QVERIFY(frame.save(path));

        EditState state;
        loadPicture(state);
        state.frameMode = FrameOverlay;
        state.frameOverlayPath = path;
        state.flipHorizontal = true;
        const QImage shot = render(state);
        QVERIFY(near(shot, {15, 300}, kOrange));
        QVERIFY(near(shot, {705, 300}, kPurple));
        QVERIFY(near(shot, {100, 145}, kGreen)); // the picture itself is mirrored
    }

    void nineSliceFrameAroundThePicture() {
        EditState state;
        loadPicture(state);
        state.viewBitmap = solid(100, 100, kRed);
        state.fitRect = FitToView(100, 100); // (110, 60, 610, 560), five times the picture
        state.sourceWidth = 100;
        state.frameMode = FrameNineSlice;
        state.frameSliceSizes = {10, 10, 10, 0, 0, 0, 0, 0};
        for (QImage& piece : state.framePieces)
            piece = solid(10, 10, kMagenta);
        PrintShared::instance().reset();
        const QImage shot = render(state);
        QVERIFY(near(shot, {115, 65}, kMagenta));     // corner
        QVERIFY(near(shot, {360, 70}, kMagenta));     // top edge
        QVERIFY(near(shot, {605, 300}, kMagenta));    // right edge
        QVERIFY(near(shot, {360, 300}, kRed));        // the picture inside
        QVERIFY(near(shot, {105, 300}, kWorkGround)); // nothing outside fitRect
    }

    void comparisonStaysUntilTurnedOff() {
        EditState state;
        loadPicture(state);
        state.effectBitmap = solid(200, 100, kLook);
        state.filterActive = LookOn;
        state.compareActive = true;
        const Rect left = state.compareLeftRect;
        const Rect right = state.compareRightRect;
        // Any number of repaints (a tooltip, a window passing over) keeps both halves.
        for (int paint = 0; paint < 2; ++paint) {
            const QImage shot = render(state);
            QVERIFY(state.compareActive);
            QVERIFY(near(shot, {left.left + 5, left.top + 5}, kRed));
            QVERIFY(near(shot, {right.left + 5, right.top + 5}, kLook));
            QVERIFY(near(shot, {360, 300}, kWorkGround)); // the gap between the halves
        }

        state.compareActive = false;
        const QImage shot = render(state);
        QVERIFY(near(shot, {20, 145}, kLook));
        QVERIFY(near(shot, {360, 300}, kLook));
    }

    void pictureFileShownAsItIs() {
        const QString path = m_folder + QStringLiteral("square.png");
        QVERIFY(solid(100, 100, kPurple).save(path));
        EditState state;
        loadPicture(state);
        state.flipHorizontal = true;
        state.frameMode = FrameOverlay;
        state.frameOverlayPath = m_folder + QStringLiteral("frame.png");
        state.showPictureFile = true;
        state.currentImagePath = path;
        QImage shot = render(state);
        // Placed by its own size, not by fitRect, and without mirror or frame.
        QVERIFY(near(shot, {112, 62}, kPurple));
        QVERIFY(near(shot, {607, 557}, kPurple));
        QVERIFY(near(shot, {60, 300}, kWorkGround));

        // The file is rewritten under the same name: the view follows.
        QTest::qWait(20);
        QVERIFY(solid(200, 100, kBlue).save(path));
        shot = render(state);
        QVERIFY(near(shot, {20, 145}, kBlue));
    }

    void cropOverlay() {
        EditState state;
        state.startBackground = false;
        state.cropMode = true;
        state.cropBoundsRect = {10, 135, 710, 485};
        const QImage shot = render(state, Rect{200, 200, 400, 400});
        const QColor veiled = over(kWorkGround, QColor(150, 150, 150), 50);
        QVERIFY(near(shot, {250, 250}, veiled));                                   // inside the box
        QVERIFY(near(shot, {100, 300}, over(veiled, QColor(150, 150, 150), 200))); // shaded
        QVERIFY(near(shot, {5, 600}, kWorkGround));                                // outside the bounds
        QVERIFY(near(shot, {196, 200}, Qt::white));                                // corner handle
        QVERIFY(near(shot, {404, 300}, Qt::white));                                // side handle
        QVERIFY(near(shot, {300, 200}, Qt::white));                                // outline
        QVERIFY(near(shot, {300, 350}, Qt::white));                                // centre line
        QVERIFY(near(shot, {250, 300}, Qt::white));                                // centre line
        QVERIFY(whitePixels(shot, QRect(210, 186, 70, 12)) > 10);                  // "200 * 200"
    }

    void cropCaptionLeftOutForTinyBoxes_data() {
        QTest::addColumn<Rect>("box");
        QTest::addColumn<bool>("caption");
        QTest::newRow("one pixel") << Rect{300, 300, 301, 301} << false;
        QTest::newRow("empty") << Rect{300, 300, 300, 300} << false;
        QTest::newRow("one by two") << Rect{300, 300, 301, 302} << true;
        QTest::newRow("zero by five") << Rect{300, 300, 300, 305} << true;
    }

    void cropCaptionLeftOutForTinyBoxes() {
        QFETCH(Rect, box);
        QFETCH(bool, caption);
        EditState state;
        state.startBackground = false;
        state.cropMode = true;
        state.cropBoundsRect = {10, 135, 710, 485};
        const QImage shot = render(state, box);
        QCOMPARE(whitePixels(shot, QRect(310, 286, 70, 12)) > 10, caption);
    }
};

QTEST_MAIN(ViewPaintTest)
#include "tst_ui_viewpaint.moc"
