#include "Datagen.h"

namespace Datagen {

void generateUiPictures(const QString& outDir) {
    Q_UNUSED(outDir);
}

} // namespace Datagen
