#include "Datagen.h"
#include "LightDesigns.h"
#include "LightScene.h"

#include "MagickSession.h"

#include <QDir>
#include <QThreadPool>

#include <cstdio>

namespace LightDesigns {

QList<LightDesign> inCatalogueOrder() {
    const QList<QList<LightDesign>> groups = {colorful(), natural(), monochrome()};
    QList<LightDesign> all;
    for (qsizetype i = 0;; ++i) {
        bool any = false;
        for (const QList<LightDesign>& group : groups) {
            if (i < group.size()) {
                all.append(group[i]);
                any = true;
            }
        }
        if (!any)
            return all;
    }
}

} // namespace LightDesigns

namespace Datagen {

namespace {

// Light thumbnails are shown in the light list at about this size.
constexpr int kThumbnailSize = 150;

void saveOrComplain(const QImage& image, const QString& path, const char* format, int quality) {
    if (image.isNull() || !image.save(path, format, quality))
        std::fprintf(stderr, "lk_datagen: cannot write %s\n", qPrintable(path));
}

} // namespace

void generateLights(const QString& outDir) {
    // The folder belongs to the lights alone; a stale overlay or thumbnail from an earlier
    // design would otherwise linger beside the new ones.
    QDir folder(outDir + QStringLiteral("/lightimage.bundle"));
    folder.removeRecursively();
    QDir().mkpath(folder.path());

    MagickSession magick;
    const QImage scene = drawLightScene(kThumbnailSize);
    const QList<LightDesign> lights = LightDesigns::inCatalogueOrder();
    QThreadPool pool;
    pool.setMaxThreadCount(2);
    // Each worker gets the folder as a plain text: a QDir caches paths lazily and is not safe
    // to share between threads.
    const QString folderPath = folder.path() + QLatin1Char('/');
    for (qsizetype i = 0; i < lights.size(); ++i) {
        pool.start([folderPath, &scene, light = lights[i], number = i + 1] {
            const QString overlayPath = folderPath + light.file + QStringLiteral(".png");
            saveOrComplain(light.draw(), overlayPath, "PNG", -1);
            // The thumbnail is the light itself applied to the scene, so the list shows what a
            // click will do.
            saveOrComplain(composeLight(scene, overlayPath, light.composeOp),
                           folderPath + QStringLiteral("%1.jpg").arg(number), "JPG", 90);
        });
    }
    pool.waitForDone();
}

} // namespace Datagen
