#include "Datagen.h"
#include "FrameDesigns.h"
#include "FrameOverlay.h"

#include <QDir>
#include <QPainter>

#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

namespace Datagen {

namespace {

constexpr int kThumbnailSize = 170;
// A light zlib level: the build redraws every frame, and the grain in the artwork makes the
// strongest levels slow for a few per cent of file size.
constexpr int kPngQuality = 75;

bool save(const QImage& image, const QString& path, const char* format, int quality = -1) {
    if (image.save(path, format, quality))
        return true;
    std::fprintf(stderr, "lk_datagen: cannot write %s\n", qPrintable(path));
    return false;
}

// The artistic frame as the frame list shows it: laid over a quiet scene, stretched like the
// editor stretches it over a picture.
QImage artisticThumbnail(const QImage& overlay) {
    QImage thumb = FrameKit::thumbnailScene(kThumbnailSize);
    QPainter p(&thumb);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(thumb.rect(), overlay.scaled(kThumbnailSize, kThumbnailSize, Qt::IgnoreAspectRatio,
                                             Qt::SmoothTransformation));
    p.end();
    return thumb.convertToFormat(QImage::Format_RGB32);
}

} // namespace

void generateFrames(const QString& outDir) {
    using namespace FrameDesigns;
    // The folder is the frame list: anything left from an earlier design would show as a cell
    // without a catalogue entry.
    QDir folder(outDir + QStringLiteral("/border.bundle"));
    folder.removeRecursively();
    QDir().mkpath(folder.path());

    std::vector<std::function<void()>> jobs;
    const QList<RegularFrame> regular = mouldingFrames() + patternFrames() + woodFrames() + metalFrames() +
                                        textileFrames() + ornamentFrames();
    for (int i = 0; i < regular.size(); ++i) {
        const QString path =
            folder.filePath(QStringLiteral("border%1.png").arg(i + 1, 2, 10, QLatin1Char('0')));
        jobs.push_back([draw = regular[i].draw, path] { save(draw(), path, "PNG", kPngQuality); });
    }
    for (const ArtisticFrame& frame : shapeOverlays() + scatterOverlays() + edgeOverlays()) {
        const QString stem = folder.filePath(frame.name);
        jobs.push_back([draw = frame.draw, stem] {
            const QImage overlay = draw();
            save(overlay, stem + QStringLiteral(".png"), "PNG", kPngQuality);
            save(artisticThumbnail(overlay), stem + QStringLiteral("_thumb.jpg"), "JPG", 92);
        });
    }

    // Each picture is independent; two workers halve the build's wait on a two-core machine.
    std::atomic<size_t> next{0};
    auto worker = [&] {
        for (size_t i = next++; i < jobs.size(); i = next++)
            jobs[i]();
    };
    const unsigned count = std::max(1u, std::min(4u, std::thread::hardware_concurrency()));
    std::vector<std::thread> threads;
    for (unsigned t = 1; t < count; ++t)
        threads.emplace_back(worker);
    worker();
    for (std::thread& t : threads)
        t.join();
}

} // namespace Datagen
