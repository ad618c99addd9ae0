// How far each shipped filter's full-size result, shrunk to the preview's size, is from the same
// filter on the preview, in the measure LookSizeComparison describes (both softened by a two-pixel
// blur, RMSE over 0..1). Not a timing: a table for bench/README.md.
//
//   build/bench/bench_look_tones [full-size width, default 2560] [filter numbers...]

#include "LookSizeComparison.h"
#include "MagickSession.h"
#include "ShippedLooks.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kPreviewWidth = 1000;

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    MagickSession magick;
    const QStringList arguments = app.arguments().mid(1);
    const int width = arguments.isEmpty() ? 2560 : arguments.first().toInt();
    QList<int> chosen;
    for (const QString& number : arguments.mid(1))
        chosen.append(number.toInt());

    const Catalogues catalogues = shippedCatalogues();
    QTemporaryDir folder;
    const QString path = folder.path() + QLatin1Char('/');
    QList<LookSizeComparison::PicturePair> pairs;
    for (const char* photo : {"rocket.jpg", "astronaut.png", "chelsea.png"})
        pairs.append(LookSizeComparison::writePair(
            path, QString::fromLatin1(photo).section(QLatin1Char('.'), 0, 0),
            LookSizeComparison::enlargedPhoto(QString::fromLatin1(photo), width), kPreviewWidth));
    // The photos at their own size, the preview as much smaller as the full size is larger than a
    // preview: detail down to the pixel, as a camera's.
    for (const char* photo : {"rocket.jpg", "astronaut.png", "chelsea.png"}) {
        const QImage own = QImage(TestSupport::dataFile(QString::fromLatin1(photo))).convertToFormat(QImage::Format_RGB32);
        pairs.append(LookSizeComparison::writePair(path, QString::fromLatin1(photo).section(QLatin1Char('.'), 0, 0) + "-own",
                                                   own, qRound(own.width() * kPreviewWidth / double(width))));
    }
    QImage grey(width, width * 2 / 3, QImage::Format_RGB32);
    grey.fill(qRgb(128, 128, 128));
    pairs.append(LookSizeComparison::writePair(path, QStringLiteral("grey"), grey, kPreviewWidth));

    std::printf("| # | filter |");
    for (const auto& pair : pairs)
        std::printf(" %s |", qPrintable(pair.name));
    std::printf(" worst |\n|---|---|");
    for (qsizetype i = 0; i <= pairs.size(); ++i)
        std::printf("---|");
    std::printf("\n");
    int over3 = 0, over6 = 0;
    for (int i = 0; i < catalogues.filterLooks.size(); ++i) {
        const FilterLook& look = catalogues.filterLooks[i];
        if (look.steps.isEmpty() || (!chosen.isEmpty() && !chosen.contains(i + 1)))
            continue;
        const QString name = look.steps.first().name;
        std::printf("| %d | %s |", i + 1, qPrintable(name));
        double worst = 0;
        for (const auto& pair : pairs) {
            const double rmse = LookSizeComparison::filterDifference(look, i, pair);
            worst = std::max(worst, rmse);
            std::printf(" %.4f |", rmse);
        }
        std::printf(" %.4f |\n", worst);
        std::fflush(stdout);
        over3 += worst > 0.03;
        over6 += worst > 0.06;
    }
    std::printf("\nabove 0.03: %d, above 0.06: %d\n", over3, over6);
    return 0;
}
