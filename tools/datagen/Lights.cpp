#include "Datagen.h"

namespace Datagen {

void generateLights(const QString& outDir) {
    Q_UNUSED(outDir);
}

} // namespace Datagen
