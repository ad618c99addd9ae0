#include "TestSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QTest>

// The window stretches each state of a strip over its control and lays the controls over the
// background, so the pictures must have exactly the right proportions and blend into the surface
// beneath them. The places here are the window's layout.
class TstUiArt : public QObject {
    Q_OBJECT

    struct Control {
        const char* file;
        QRect place; // window pixels
    };

    // Three-state picture buttons and the panel tabs.
    static QList<Control> buttons() {
        return {
            {"close.bmp", {10, 7, 21, 22}},       {"min.bmp", {36, 7, 21, 22}},
            {"print.bmp", {810, 8, 33, 33}},      {"save.bmp", {855, 8, 33, 33}},
            {"help.bmp", {944, 8, 33, 33}},       {"file.bmp", {34, 593, 42, 42}},
            {"cut.bmp", {86, 593, 42, 42}},       {"direction.bmp", {291, 598, 33, 33}},
            {"cacel.bmp", {333, 598, 33, 33}},    {"ok.bmp", {374, 598, 33, 33}},
            {"rotation.bmp", {476, 598, 38, 33}}, {"spjx.bmp", {511, 598, 33, 33}},
            {"czjx.bmp", {544, 598, 38, 33}},     {"compare.bmp", {620, 593, 42, 42}},
            {"random.bmp", {668, 593, 42, 42}},   {"effect1.bmp", {761, 59, 63, 29}},
            {"effect2.bmp", {836, 59, 63, 29}},   {"effect3.bmp", {911, 59, 63, 29}},
            {"undo.bmp", {720, 8, 33, 33}},       {"redo.bmp", {765, 8, 33, 33}},
        };
    }

    struct DropDown {
        const char* body;
        const char* arrow;
        QRect place;
        QPoint arrowAt; // inside the field
    };

    static QList<DropDown> dropDowns() {
        return {
            {"combox1.bmp", "zhankai.bmp", {140, 598, 138, 33}, {115, 12}},
            {"combox2.bmp", "jiao2.bmp", {750, 588, 234, 33}, {200, 12}},
        };
    }

    static constexpr int kScale = 2;
    static constexpr QSize kArrow{9, 8};

    static QString uiFile(const QString& name) {
        return TestSupport::binFolder() + QStringLiteral("/UI/") + name;
    }

    static QImage load(const QString& name) {
        QImage image(uiFile(name));
        return image.convertToFormat(QImage::Format_RGB32);
    }

    // A window background as a screen of ratio 1 shows it, stretched to the window.
    static QImage background(const QString& name) {
        return load(name).scaled(QSize(1000, 650), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }

    // State k of a strip at on-screen size, as the window's stretch shows it.
    static QImage state(const QImage& strip, int k, QSize onScreen) {
        const int s = strip.width() / 3;
        return strip.copy(k * s, 0, s, strip.height())
            .scaled(onScreen, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }

    static int channelGap(QRgb a, QRgb b) {
        return qMax(qMax(qAbs(qRed(a) - qRed(b)), qAbs(qGreen(a) - qGreen(b))), qAbs(qBlue(a) - qBlue(b)));
    }

    static double meanLuma(const QImage& image) {
        double sum = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                sum += qGray(image.pixel(x, y));
        return sum / (image.width() * image.height());
    }

    // Largest colour step between a picture's corners and the background under them.
    static int cornerSeam(const QImage& picture, const QImage& under, QPoint at) {
        const int w = picture.width() - 1, h = picture.height() - 1;
        int worst = 0;
        for (const QPoint c : {QPoint(0, 0), QPoint(w, 0), QPoint(0, h), QPoint(w, h)})
            worst = qMax(worst, channelGap(picture.pixel(c), under.pixel(at + c)));
        return worst;
    }

  private slots:
    void stripsHaveThreeStatesAtTwiceTheControlSize_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("onScreen");
        for (const Control& c : buttons())
            QTest::newRow(c.file) << QString::fromLatin1(c.file) << c.place.size();
        for (const DropDown& d : dropDowns())
            QTest::newRow(d.arrow) << QString::fromLatin1(d.arrow) << kArrow;
    }

    void stripsHaveThreeStatesAtTwiceTheControlSize() {
        QFETCH(QString, file);
        QFETCH(QSize, onScreen);
        const QImage strip = load(file);
        QVERIFY2(!strip.isNull(), qPrintable(uiFile(file)));
        QCOMPARE(strip.width() % 3, 0);
        QCOMPARE(strip.size(), QSize(3 * kScale * onScreen.width(), kScale * onScreen.height()));

        const int s = strip.width() / 3;
        const QImage normal = strip.copy(0, 0, s, strip.height());
        const QImage pressed = strip.copy(s, 0, s, strip.height());
        const QImage inactive = strip.copy(2 * s, 0, s, strip.height());
        // Each look must be told apart, and the inactive one must recede.
        QVERIFY(TestSupport::meanDifference(normal, pressed) > 0.5);
        QVERIFY(TestSupport::meanDifference(normal, inactive) > 0.5);
        QVERIFY(meanLuma(inactive) < meanLuma(normal));
    }

    void bodiesAreSinglePicturesAtTwiceTheFieldSize_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("onScreen");
        for (const DropDown& d : dropDowns())
            QTest::newRow(d.body) << QString::fromLatin1(d.body) << d.place.size();
    }

    // The field stretches the whole body picture (it has no states) and writes its caption in white
    // from (15, 8): the caption's place must be dark enough to read it.
    void bodiesAreSinglePicturesAtTwiceTheFieldSize() {
        QFETCH(QString, file);
        QFETCH(QSize, onScreen);
        const QImage body = load(file);
        QVERIFY2(!body.isNull(), qPrintable(uiFile(file)));
        QCOMPARE(body.size(), onScreen * kScale);
        const QRect caption(QPoint(15, 8) * kScale, QSize(80, 17) * kScale);
        QVERIFY(meanLuma(body.copy(caption)) < 80);
    }

    void backgroundsShareTheirChromeAndDifferInThePictureArea() {
        const QImage start = load(QStringLiteral("1.png"));
        const QImage working = load(QStringLiteral("1.bmp"));
        // Stored at twice the window's size, like the control strips, for high-density screens.
        QCOMPARE(start.size(), QSize(1000, 650) * kScale);
        QCOMPARE(working.size(), QSize(1000, 650) * kScale);

        // Loading the first picture swaps the backgrounds: nothing outside the picture area may jump.
        const QRect pictureArea(QPoint(10, 60) * kScale, QSize(700, 500) * kScale);
        QImage startChrome = start, workingChrome = working;
        for (QImage* image : {&startChrome, &workingChrome}) {
            QPainter painter(image);
            painter.fillRect(pictureArea, Qt::black);
        }
        QCOMPARE(TestSupport::maxChannelDifference(startChrome, workingChrome), 0);
        QVERIFY(TestSupport::meanDifference(start.copy(pictureArea), working.copy(pictureArea)) > 1.0);
    }

    void controlsSitSeamlesslyOnTheBackgrounds_data() {
        QTest::addColumn<QString>("background");
        for (const char* name : {"1.png", "1.bmp"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void controlsSitSeamlesslyOnTheBackgrounds() {
        QFETCH(QString, background);
        const QImage under = TstUiArt::background(background);
        QVERIFY(!under.isNull());
        constexpr int kTolerance = 3;
        for (const Control& c : buttons()) {
            const QImage strip = load(QString::fromLatin1(c.file));
            for (int k = 0; k < 3; ++k)
                QVERIFY2(cornerSeam(state(strip, k, c.place.size()), under, c.place.topLeft()) <= kTolerance,
                         qPrintable(QStringLiteral("%1 state %2").arg(QLatin1String(c.file)).arg(k)));
        }
        for (const DropDown& d : dropDowns()) {
            const QImage body = load(QString::fromLatin1(d.body))
                                    .scaled(d.place.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            QVERIFY2(cornerSeam(body, under, d.place.topLeft()) <= kTolerance, d.body);
            // The arrow lands on the field with its own size, read as on-screen or as stored pixels.
            const QImage strip = load(QString::fromLatin1(d.arrow));
            for (int k = 0; k < 3; ++k) {
                QVERIFY2(cornerSeam(state(strip, k, kArrow), body, d.arrowAt) <= kTolerance, d.arrow);
                const int s = strip.width() / 3;
                const QImage stored = strip.copy(k * s, 0, s, strip.height());
                QVERIFY2(QRect(QPoint(0, 0), d.place.size()).contains(QRect(d.arrowAt, stored.size())),
                         d.arrow);
                QVERIFY2(cornerSeam(stored, body, d.arrowAt) <= kTolerance, d.arrow);
            }
        }
    }

    void applicationIconIsSquareWithClearCorners() {
        const QImage icon(uiFile(QStringLiteral("lumenkraft.png")));
        QCOMPARE(icon.size(), QSize(256, 256));
        QVERIFY(icon.hasAlphaChannel());
        QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(icon.pixel(128, 128)), 255);
    }

    // The artwork is rebuilt on every machine; it must come out byte for byte the same.
    void generationIsReproducible() {
        const QString out = TestSupport::freshWorkFolder() + QStringLiteral("again");
        QProcess generator;
        generator.start(QStringLiteral(LK_DATAGEN_EXE), {out, QStringLiteral("ui")});
        QVERIFY(generator.waitForFinished(60000));
        QCOMPARE(generator.exitCode(), 0);
        // Walk the fresh run's files: an older build may have left pictures no longer drawn.
        const QStringList names = QDir(out + QStringLiteral("/UI")).entryList(QDir::Files, QDir::Name);
        QVERIFY(names.contains(QStringLiteral("1.bmp")));
        for (const QString& name : names) {
            QFile a(uiFile(name)), b(out + QStringLiteral("/UI/") + name);
            QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
            QVERIFY2(a.readAll() == b.readAll(), qPrintable(name));
        }
    }

    // Not a check: composes the window as the user first sees it and once working, for a look by eye.
    void writesPreviews() {
        const QString folder = TestSupport::freshWorkFolder();
        QVERIFY(compose(QStringLiteral("1.png"), true).save(folder + QStringLiteral("ui-preview-start.png")));
        QVERIFY(
            compose(QStringLiteral("1.bmp"), false).save(folder + QStringLiteral("ui-preview-working.png")));
        qInfo("previews in %s", qPrintable(folder));
    }

  private:
    static QImage compose(const QString& backgroundName, bool atStart) {
        QImage window = background(backgroundName);
        QPainter painter(&window);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        const QStringList enabledAtStart = {"close.bmp", "min.bmp", "help.bmp", "file.bmp"};
        for (const Control& c : buttons()) {
            int k = 0;
            if (atStart && !enabledAtStart.contains(QLatin1String(c.file)))
                k = 2;
            else if (!atStart &&
                     (QLatin1String(c.file) == u"effect1.bmp" || QLatin1String(c.file) == u"compare.bmp"))
                k = 1;
            painter.drawImage(c.place, state(load(QString::fromLatin1(c.file)), k, c.place.size()));
        }
        const char* captions[] = {"Free", "Color Temperature"};
        const QList<DropDown> fields = dropDowns();
        for (int i = 0; i < fields.size(); ++i) {
            const DropDown& d = fields[i];
            const bool enabled = i == 1 || !atStart;
            if (i == 1 && atStart)
                continue; // the category drop-downs are hidden until a picture is in
            painter.drawImage(d.place, load(QString::fromLatin1(d.body)));
            painter.drawImage(d.place.topLeft() + d.arrowAt,
                              state(load(QString::fromLatin1(d.arrow)), enabled ? 0 : 2, kArrow));
            QFont font(QStringLiteral("Times New Roman"));
            font.setBold(true);
            font.setPixelSize(15);
            painter.setFont(font);
            painter.setPen(enabled ? QColor(255, 255, 255) : QColor(150, 150, 150));
            painter.drawText(QRect(d.place.topLeft() + QPoint(15, 8), QSize(200, 28)),
                             QString::fromLatin1(captions[i]));
        }
        painter.fillRect(QRect(QPoint(764, 100), QPoint(977, 574)), QColor(120, 120, 120));
        return window;
    }
};

QTEST_MAIN(TstUiArt)
#include "tst_uiart.moc"
