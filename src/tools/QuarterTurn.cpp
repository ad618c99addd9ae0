#include "QuarterTurn.h"

#include "EditState.h"
#include "RasterIO.h"
#include "WorkFiles.h"

#include <QTransform>

QImage turnPicture(const QImage& source, int angle) {
    const int quarter = ((angle / 90) % 4 + 4) % 4;
    if (source.isNull() || quarter == 0)
        return source;
    // Qt turns by whole quarters with an exact pixel shuffle; no resampling is involved.
    return source.transformed(QTransform().rotate(90.0 * quarter), Qt::FastTransformation);
}

bool makeRotatedCopies(EditState& state, const QImage& preview) {
    state.rotationAngle = 360;
    return writeRotatedCopies(preview, WorkFiles::rotatedCopyPath);
}

bool writeRotatedCopies(const QImage& preview, const std::function<QString(int angle)>& pathFor) {
    for (const int angle : {360, 270, 180, 90}) {
        if (!RasterIO::saveWorkingJpeg(turnPicture(preview, angle), pathFor(angle)))
            return false;
    }
    return true;
}

bool makeRotatedCopies(EditState& state) {
    return makeRotatedCopies(state, RasterIO::load(state.currentImagePath));
}
