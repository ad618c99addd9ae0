#include "Datagen.h"

namespace Datagen {

void generateFrames(const QString& outDir) {
    Q_UNUSED(outDir);
}

} // namespace Datagen
