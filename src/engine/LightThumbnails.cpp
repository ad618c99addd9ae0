#include "LightThumbnails.h"

#include "LookRendering.h"
#include "RasterIO.h"
#include "WorkFiles.h"

#include <QFile>
#include <QFileInfo>

bool renderLightThumbnails(const LightRecords& lights, const std::atomic<bool>& stopRequested) {
    const QString source = WorkFiles::path(WorkFiles::kReducedSource);
    if (!QFileInfo(source).isFile())
        return false;
    WorkFiles::ensureWorkFolder(QString::fromLatin1(WorkFiles::kThumbFolder));
    bool allDrawn = true;
    for (int k = 0; k < lights.size(); ++k) {
        if (stopRequested)
            return false;
        const QString target = WorkFiles::lightThumbnailPath(k + 1);
        QFile::remove(target);
        // A light without its picture is told when it is chosen, not while its cell is drawn;
        // the cell keeps the shipped picture.
        if (!QFileInfo(lights[k].effectimage).isFile())
            continue;
        EffectRouting routing;
        routing.renderTarget = RenderToView;
        const bool drawn = renderLight(routing, lights[k], k + 1, source, "renderLightThumbnails") &&
                           RasterIO::saveWorkingJpeg(routing.effectBitmap, target);
        allDrawn = allDrawn && drawn;
    }
    return allDrawn;
}
