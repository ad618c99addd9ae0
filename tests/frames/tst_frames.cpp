#include "AppPaths.h"
#include "LightFrameCatalogue.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QSet>
#include <QTransform>
#include <QtTest>

#include <algorithm>

namespace {

// The grid the editor cuts a regular template on.
constexpr int kCorner = 240;
constexpr int kEdge = 420;
constexpr int kTemplate = 2 * kCorner + kEdge;

// Shipped minimums: the frame list's random pick draws from 57 cells.
constexpr int kMinimumPerRule = 32;
constexpr int kMinimumCells = 57;

int channelDifference(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
}

// Largest difference between two columns of `image`, over rows [0, rows).
int columnDifference(const QImage& image, int columnA, int columnB, int rows) {
    int worst = 0;
    for (int y = 0; y < rows; ++y)
        worst = std::max(worst, channelDifference(image.pixel(columnA, y), image.pixel(columnB, y)));
    return worst;
}

double meanAlpha(const QImage& image, const QRect& area) {
    double sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            sum += qAlpha(image.pixel(x, y));
    return sum / (255.0 * area.width() * area.height());
}

int maxAlpha(const QImage& image, const QRect& area) {
    int worst = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            worst = std::max(worst, qAlpha(image.pixel(x, y)));
    return worst;
}

QString stemOf(const QString& path) {
    return QFileInfo(path).completeBaseName();
}

} // namespace

class FramesTest : public QObject {
    Q_OBJECT

    Catalogues catalogues;
    QString folder;

    QList<FrameRecord> framesWithRule(int rule) const {
        QList<FrameRecord> frames;
        for (const FrameRecord& frame : catalogues.frameRecords)
            if (frame.framerule == rule)
                frames << frame;
        return frames;
    }

  private slots:
    void initTestCase() {
        ReadFrameCatalogue(catalogues);
        folder = AppPaths::programFolder() + QStringLiteral("border.bundle/");
        QVERIFY2(QDir(folder).exists(), qPrintable(folder));
    }

    void catalogueOffersEnoughFramesOfEveryKind() {
        const int regular = int(framesWithRule(FrameRuleNineSlice).size()),
                  artistic = int(framesWithRule(FrameRuleOverlay).size());
        QCOMPARE(regular + artistic, int(catalogues.frameRecords.size())); // no other rule
        QVERIFY2(regular >= kMinimumPerRule, qPrintable(QString::number(regular)));
        QVERIFY2(artistic >= kMinimumPerRule, qPrintable(QString::number(artistic)));
        QVERIFY(regular + artistic >= kMinimumCells);

        QSet<QString> seen;
        for (const FrameRecord& frame : catalogues.frameRecords) {
            QVERIFY2(!seen.contains(frame.effectimage), qPrintable(frame.effectimage));
            seen << frame.effectimage;
        }
    }

    // The frame list finds regular frames by "border*.png" and artistic ones by their
    // "*_thumb.*" pictures; a click finds the entry by the exact path.
    void entriesFollowTheFolderNaming() {
        for (const FrameRecord& frame : catalogues.frameRecords) {
            QVERIFY2(frame.effectimage.startsWith(folder), qPrintable(frame.effectimage));
            const QString name = frame.effectimage.mid(folder.size());
            QVERIFY2(!name.contains(QLatin1Char('/')), qPrintable(name));
            QVERIFY2(name.endsWith(QStringLiteral(".png")), qPrintable(name));
            QVERIFY2(!name.contains(QStringLiteral("_thumb")), qPrintable(name));
            QCOMPARE(name.startsWith(QStringLiteral("border")), frame.framerule == FrameRuleNineSlice);
            QVERIFY2(QFileInfo(frame.effectimage).isFile(), qPrintable(frame.effectimage));
        }
    }

    void folderHoldsExactlyTheCatalogueFrames() {
        QSet<QString> expected;
        for (const FrameRecord& frame : catalogues.frameRecords) {
            const QString name = frame.effectimage.mid(folder.size());
            expected << name;
            if (frame.framerule == FrameRuleOverlay)
                expected << stemOf(name) + QStringLiteral("_thumb.jpg");
        }
        const QStringList entries =
            QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        const QSet<QString> present(entries.begin(), entries.end());
        QCOMPARE(present - expected, QSet<QString>());
        QCOMPARE(expected - present, QSet<QString>());

        // What each list pattern picks up is exactly one kind.
        QCOMPARE(QDir(folder).entryList({QStringLiteral("border*.png")}).size(),
                 framesWithRule(FrameRuleNineSlice).size());
        QCOMPARE(QDir(folder).entryList({QStringLiteral("*_thumb.*")}).size(),
                 framesWithRule(FrameRuleOverlay).size());
    }

    void regularTemplateTilesWithoutSeams_data() {
        QTest::addColumn<QString>("path");
        for (const FrameRecord& frame : framesWithRule(FrameRuleNineSlice))
            QTest::newRow(qPrintable(stemOf(frame.effectimage))) << frame.effectimage;
    }

    // The editor cuts the template's top-left 900 square into corners and edge tiles and repeats
    // each edge tile between two corners. A tile joins its own copy without a seam exactly when
    // it continues into the corner after it as it does into itself, and the corner before it
    // ends as the tile does.
    void regularTemplateTilesWithoutSeams() {
        QFETCH(QString, path);
        QImage frame(path);
        QVERIFY2(!frame.isNull(), qPrintable(path));
        QVERIFY(frame.width() >= kTemplate && frame.height() >= kTemplate);
        QVERIFY(frame.hasAlphaChannel());
        frame = frame.copy(0, 0, kTemplate, kTemplate).convertToFormat(QImage::Format_ARGB32);

        QCOMPARE(maxAlpha(frame, QRect(kCorner, kCorner, kEdge, kEdge)), 0); // the picture shows through
        QVERIFY2(meanAlpha(frame, QRect(0, 0, kTemplate, kCorner / 2)) > 0.5, "no frame band along the top");

        // Each side in turn is brought to the top, where its strip runs left to right.
        for (int turn = 0; turn < 4; ++turn) {
            const QImage side = frame.transformed(QTransform().rotate(-90 * turn));
            // Rows above the mitres only; the last two rows are the mitres' anti-aliased tips.
            const int rows = kCorner - 2;
            const int intoCorner = columnDifference(side, kCorner + kEdge, kCorner, rows);
            const int fromCorner = columnDifference(side, kCorner - 1, kCorner + kEdge - 1, rows);
            QVERIFY2(intoCorner <= 3,
                     qPrintable(QStringLiteral("side %1: the corner after the edge tile differs by %2")
                                    .arg(turn)
                                    .arg(intoCorner)));
            QVERIFY2(fromCorner <= 3,
                     qPrintable(QStringLiteral("side %1: the corner before the edge tile differs by %2")
                                    .arg(turn)
                                    .arg(fromCorner)));
        }
    }

    void artisticOverlayFramesTheMiddle_data() {
        QTest::addColumn<QString>("path");
        for (const FrameRecord& frame : framesWithRule(FrameRuleOverlay))
            QTest::newRow(qPrintable(stemOf(frame.effectimage))) << frame.effectimage;
    }

    // An overlay is stretched over the whole picture: it must leave the middle clear and
    // actually cover the edges, and its thumbnail is what the frame list shows.
    void artisticOverlayFramesTheMiddle() {
        QFETCH(QString, path);
        const QImage overlay = QImage(path).convertToFormat(QImage::Format_ARGB32);
        QVERIFY2(!overlay.isNull(), qPrintable(path));
        const int w = overlay.width(), h = overlay.height();
        QVERIFY(w >= 800 && h >= 600);

        const QRect middle(w * 3 / 10, h * 3 / 10, w * 4 / 10, h * 4 / 10);
        const int middleAlpha = maxAlpha(overlay, middle);
        QVERIFY2(middleAlpha <= 8, qPrintable(QStringLiteral("middle alpha %1").arg(middleAlpha)));

        const int ring = std::min(w, h) * 3 / 100;
        const double edgeCover =
            (meanAlpha(overlay, QRect(0, 0, w, ring)) + meanAlpha(overlay, QRect(0, h - ring, w, ring)) +
             meanAlpha(overlay, QRect(0, 0, ring, h)) + meanAlpha(overlay, QRect(w - ring, 0, ring, h))) /
            4;
        QVERIFY2(edgeCover >= 0.5, qPrintable(QStringLiteral("edge cover %1").arg(edgeCover)));

        const QString thumbPath =
            QFileInfo(path).path() + QLatin1Char('/') + stemOf(path) + QStringLiteral("_thumb.jpg");
        const QImage thumb(thumbPath);
        QVERIFY2(!thumb.isNull(), qPrintable(thumbPath));
        QVERIFY(thumb.width() >= 85 && thumb.width() == thumb.height());
    }
};

QTEST_GUILESS_MAIN(FramesTest)
#include "tst_frames.moc"
