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

void makeRotatedCopies(EditState& state, const QImage& preview) {
    for (const int angle : {360, 270, 180, 90}) {
        state.rotationAngle = angle;
        RasterIO::saveWorkingJpeg(turnPicture(preview, angle), WorkFiles::rotatedCopyPath(angle));
    }
    state.rotationAngle = 360;
}

void makeRotatedCopies(EditState& state) {
    makeRotatedCopies(state, RasterIO::load(state.currentImagePath));
}
