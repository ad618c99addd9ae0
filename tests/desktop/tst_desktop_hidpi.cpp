// On a screen of ratio 2 the window keeps its 1000 x 650 layout and draws every control, the
// backgrounds and the thumbnails from pixels of their own, never a 1x picture blown up.
#include "CButtonX.h"
#include "CImgCtrl.h"
#include "CPicList.h"
#include "CcsAllDlg.h"
#include "StripPicture.h"
#include "TestSupport.h"
#include "reComb.h"

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QtTest>

namespace {

constexpr int kRatio = 2;

// What a widget shows, in device pixels.
QImage devicePixels(QWidget* widget) {
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The same picture at half the detail, blown up again: what a 1x drawing would look like.
QImage atHalfDetail(const QImage& image) {
    return image.scaled(image.size() / kRatio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .scaled(image.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage opaque(const QImage& image) {
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

class HiDpiTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        const QString folder = TestSupport::freshWorkFolder();
        qputenv("XDG_DATA_HOME", QFile::encodeName(folder + QStringLiteral("data")));
        QCOMPARE(qApp->devicePixelRatio(), qreal(kRatio));
    }

    // Each row: a part of the window and the 2x artwork it must show pixel for pixel.
    void windowShowsTheArtworkAtFullDetail_data() {
        QTest::addColumn<QString>("part");
        QTest::newRow("help button") << "helpButton";
        QTest::newRow("load button") << "loadButton";
        QTest::newRow("ratio drop-down arrow") << "ratioDropDown";
        QTest::newRow("title band") << "title";
    }

    void windowShowsTheArtworkAtFullDetail() {
        QFETCH(QString, part);
        CcsAllDlg window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.size(), QSize(1000, 650));

        QImage shown;
        QImage artwork;
        if (part == u"title") {
            const QRect band(60, 0, 300, 50); // the name and mark, clear of the buttons
            shown = devicePixels(&window).copy(QRect(band.topLeft() * kRatio, band.size() * kRatio));
            artwork = opaque(QImage(StripPicture::uiPath(QStringLiteral("1.png"))))
                          .copy(QRect(band.topLeft() * kRatio, band.size() * kRatio));
        } else if (part == u"ratioDropDown") {
            // The arrow, drawn at its own size at (115, 12), over the inactive state.
            const QRect arrow(115, 12, 9, 8);
            shown = devicePixels(window.ratioDropDown)
                        .copy(QRect(arrow.topLeft() * kRatio, arrow.size() * kRatio));
            const QImage strip(StripPicture::uiPath(QStringLiteral("zhankai.bmp")));
            artwork = opaque(strip.copy(StripPicture::stateSource(strip.size(), StripPicture::Inactive)));
        } else {
            auto* button = window.findChild<CButtonX*>(part);
            QVERIFY(button);
            shown = devicePixels(button);
            const QImage strip(button->picturePath);
            artwork = opaque(strip.copy(StripPicture::stateSource(strip.size(), button->shownState())));
        }
        QCOMPARE(shown.size(), artwork.size());
        // The artwork itself has detail a 1x drawing would lose, and the window keeps it.
        const double lost = TestSupport::meanDifference(artwork, atHalfDetail(artwork));
        QVERIFY2(lost > 2.0, qPrintable(QString::number(lost)));
        const double shownDifference = TestSupport::meanDifference(shown, artwork);
        QVERIFY2(shownDifference < lost / 4,
                 qPrintable(QStringLiteral("%1 vs %2").arg(shownDifference).arg(lost)));
    }

    void thumbnailsAreMadeAtDevicePixels() {
        CPicList list;
        list.resize(214, 475);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        // A landscape photo: its thumbnail keeps the cell's full width, at twice the pixels.
        QVERIFY(list.AddPicture(TestSupport::dataFile(QStringLiteral("coffee.png"))));
        CImgCtrl* cell = list.cells.first();
        QTRY_VERIFY_WITH_TIMEOUT(!cell->loading(), 30000);
        QCOMPARE(cell->thumbRect, QRect(5, 17, 75, 50));
        QCOMPARE(cell->thumbnail.size(), cell->thumbRect.size() * kRatio);
        QCOMPARE(cell->thumbnail.devicePixelRatio(), qreal(kRatio));

        // And the cell shows it one to one.
        const QImage shown = devicePixels(cell).copy(
            QRect(cell->thumbRect.topLeft() * kRatio, cell->thumbRect.size() * kRatio));
        QVERIFY(TestSupport::meanDifference(shown, opaque(cell->thumbnail)) < 1.0);
    }
};

int main(int argc, char** argv) {
    // Before the application exists: the ratio of every screen it finds.
    qputenv("QT_SCALE_FACTOR", QByteArray::number(kRatio));
    QApplication app(argc, argv);
    HiDpiTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_desktop_hidpi.moc"
