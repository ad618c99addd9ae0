// Picture buttons and drop-down fields: which strip state shows, how presses and picks are
// reported, and that inactive controls stay inert.
#include "CButtonX.h"
#include "HoverTip.h"
#include "MenuResources.h"
#include "TestSupport.h"
#include "reComb.h"

#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

namespace {

const QRgb kNormal = qRgb(200, 30, 30);
const QRgb kPressed = qRgb(30, 200, 30);
const QRgb kInactive = qRgb(30, 30, 200);
const QRgb kSpareColumn = qRgb(250, 250, 0);

// A 100-pixel strip: states of 33 pixels and one spare column that must never show.
QString writeStrip(const QString& folder) {
    QImage strip(100, 20, QImage::Format_RGB32);
    for (int x = 0; x < 100; ++x) {
        const QRgb colour = x < 33 ? kNormal : x < 66 ? kPressed : x < 99 ? kInactive : kSpareColumn;
        for (int y = 0; y < 20; ++y)
            strip.setPixel(x, y, colour);
    }
    const QString path = folder + QStringLiteral("strip.bmp");
    strip.save(path);
    return path;
}

QRgb centreOf(QWidget& widget) {
    const QImage shot = widget.grab().toImage();
    return shot.pixel(shot.width() / 2, shot.height() / 2) | 0xff000000u;
}

bool hasColour(const QImage& image, QRgb colour) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xffffffu) == (colour & 0xffffffu))
                return true;
    return false;
}

// Closes whatever pop-up menu opens next, after choosing the item at position (or none).
void answerNextMenu(int position, bool* opened) {
    QTimer::singleShot(50, [position, opened] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        *opened = true;
        if (position < 0) {
            menu->close();
            return;
        }
        const QRect place = menu->actionGeometry(menu->actions().at(position));
        QTest::mouseClick(menu, Qt::LeftButton, {}, place.center());
    });
}

} // namespace

class WidgetTest : public QObject {
    Q_OBJECT

  private:
    QString m_strip;

  private slots:
    void initTestCase() { m_strip = writeStrip(TestSupport::freshWorkFolder()); }

    void stripStateWidths() {
        QCOMPARE(StripPicture::stateSource(QSize(100, 20), StripPicture::Normal), QRect(0, 0, 33, 20));
        QCOMPARE(StripPicture::stateSource(QSize(100, 20), StripPicture::Pressed), QRect(33, 0, 33, 20));
        QCOMPARE(StripPicture::stateSource(QSize(100, 20), StripPicture::Inactive), QRect(66, 0, 33, 20));
    }

    void buttonLooksFollowPressAndRelease() {
        CButtonX button;
        button.picturePath = m_strip;
        button.resize(40, 40);
        QCOMPARE(centreOf(button), kNormal);
        QVERIFY(!hasColour(button.grab().toImage(), kSpareColumn));

        QTest::mousePress(&button, Qt::LeftButton);
        QVERIFY(button.pressed);
        QCOMPARE(centreOf(button), kPressed);
        QSignalSpy clicks(&button, &QPushButton::clicked);
        QTest::mouseRelease(&button, Qt::LeftButton);
        QVERIFY(!button.pressed);
        QCOMPARE(centreOf(button), kNormal);
        QCOMPARE(clicks.count(), 1);
    }

    void heldButtonStaysPressedUntilCleared() {
        CButtonX button;
        button.picturePath = m_strip;
        button.resize(40, 40);
        button.holdPressed = true;
        QTest::mouseClick(&button, Qt::LeftButton);
        QVERIFY(button.pressed);
        QCOMPARE(centreOf(button), kPressed);
        button.setPressedLook(false);
        QCOMPARE(centreOf(button), kNormal);
    }

    void inactiveButtonIgnoresPresses() {
        CButtonX button;
        button.picturePath = m_strip;
        button.resize(40, 40);
        button.setActive(false);
        QVERIFY(!button.isEnabled());
        QCOMPARE(centreOf(button), kInactive);
        QSignalSpy clicks(&button, &QPushButton::clicked);
        QTest::mousePress(&button, Qt::LeftButton);
        QVERIFY(!button.pressed);
        QCOMPARE(centreOf(button), kInactive);
        QTest::mouseRelease(&button, Qt::LeftButton);
        QCOMPARE(clicks.count(), 0);

        button.setActive(true);
        QVERIFY(button.isEnabled());
        QCOMPARE(centreOf(button), kNormal);
    }

    void buttonWithoutPictureIsRed() {
        CButtonX button;
        button.resize(21, 22);
        QCOMPARE(centreOf(button), qRgb(255, 0, 0));
        button.SetPicture(QStringLiteral("close.bmp"));
        QVERIFY(button.picturePath.endsWith(QStringLiteral("/UI/close.bmp")));
    }

    void hoverTipOnlyWhenGiven() {
        CButtonX plain;
        QVERIFY(!plain.tooltip());
        CButtonX tipped;
        tipped.SetTooltip(QStringLiteral("Export"));
        QVERIFY(tipped.tooltip());
        QCOMPARE(tipped.tooltipText, QStringLiteral("Export"));
        QCOMPARE(tipped.tooltip()->palette().color(QPalette::WindowText), QColor(0, 255, 255));
    }

    void dropDownPicksReportPositions() {
        reComb ratio;
        ratio.dropDownKind = reComb::CropRatio;
        ratio.popupIndex = 0;
        ratio.commandIds = MenuResources::commandIds(MenuResources::dropDownPopups().at(0));
        ratio.SelectDefault();
        QCOMPARE(ratio.caption, QStringLiteral("Free"));

        QSignalSpy chosen(&ratio, &reComb::cropRatioChosen);
        QSignalSpy wrongKind(&ratio, &reComb::filterCategoryChosen);
        ratio.pick(5);
        QCOMPARE(ratio.caption, QStringLiteral("Original "));
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.at(0).at(0).toInt(), 5);
        // The item already shown, picked again, is reported again.
        ratio.pick(5);
        QCOMPARE(chosen.count(), 2);
        ratio.pick(6);
        ratio.pick(-1);
        QCOMPARE(chosen.count(), 2);
        QCOMPARE(wrongKind.count(), 0);

        // The default item stays the first one, whatever was picked.
        std::unique_ptr<QMenu> menu = ratio.buildMenu();
        QCOMPARE(menu->actions().size(), 6);
        QVERIFY(menu->actions().at(0)->font().bold());
        QVERIFY(!menu->actions().at(5)->font().bold());
        QCOMPARE(menu->palette().color(QPalette::Window), QColor(200, 200, 200));
    }

    void dropDownMenuThroughTheMouse_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("position");
        QTest::addColumn<bool>("active");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("reported");
        QTest::newRow("ratio Original") << 0 << 5 << true << "Original " << 5;
        QTest::newRow("filter Glow") << 1 << 6 << true << "Glow" << 6;
        QTest::newRow("light Natural") << 2 << 2 << true << "Natural" << 2;
        QTest::newRow("frame Artistic") << 3 << 2 << true << "Artistic" << 2;
        QTest::newRow("dismissed") << 1 << -1 << true << "All" << -1;
        QTest::newRow("disabled ratio") << 0 << 3 << false << "Free" << -1;
    }

    void dropDownMenuThroughTheMouse() {
        QFETCH(int, kind);
        QFETCH(int, position);
        QFETCH(bool, active);
        QFETCH(QString, caption);
        QFETCH(int, reported);

        QWidget window;
        window.resize(300, 200);
        auto* field = new reComb(&window);
        field->setGeometry(10, 10, 234, 33);
        field->dropDownKind = kind;
        field->popupIndex = kind;
        field->commandIds = MenuResources::commandIds(MenuResources::dropDownPopups().at(kind));
        field->SelectDefault();
        field->setActive(active);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QList<int> picks;
        const auto record = [&picks](int p) { picks.append(p); };
        connect(field, &reComb::cropRatioChosen, this, record);
        connect(field, &reComb::filterCategoryChosen, this, record);
        connect(field, &reComb::lightCategoryChosen, this, record);
        connect(field, &reComb::frameCategoryChosen, this, record);

        bool opened = false;
        answerNextMenu(position, &opened);
        QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(50, 15));
        QTest::qWait(150);
        QCOMPARE(opened, active);
        QCOMPARE(field->caption, caption);
        QCOMPARE(picks, reported < 0 ? QList<int>() : QList<int>{reported});
        QVERIFY(!field->pressed);
    }

    void disabledCaptionIsGrey() {
        reComb field;
        field.resize(138, 33);
        field.arrowPicturePath = QStringLiteral("/nonexistent/arrow.bmp");
        field.SetCaption(QStringLiteral("Free"));
        QVERIFY(hasColour(field.grab().toImage(), qRgb(255, 255, 255)));
        field.setActive(false);
        const QImage grey = field.grab().toImage();
        QVERIFY(hasColour(grey, qRgb(150, 150, 150)));
        QVERIFY(!hasColour(grey, qRgb(255, 255, 255)));
        // Without an arrow picture the whole field shows the missing set-up in red.
        field.arrowPicturePath.clear();
        QCOMPARE(field.grab().toImage().pixel(2, 2) | 0xff000000u, qRgb(255, 0, 0));
    }
};

QTEST_MAIN(WidgetTest)
#include "tst_ui_widgets.moc"
