// The catalogue readers on any bytes: the filter catalogue read whole and step by step, and the
// lights and frames read from the same file, as the editor and the category lists read them.
#include "CategoryBrowse.h"
#include "EffectCatalogue.h"
#include "FuzzInput.h"
#include "LightFrameCatalogue.h"
#include "MagickSession.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static MagickSession magick;
    const QString path = fuzzInputFile(data, size, QStringLiteral("fuzz-catalogue.xml"));
    Catalogues catalogues;
    ReadEffectCatalogue(catalogues, path);
    ReadLightCatalogue(catalogues, path);
    ReadFrameCatalogue(catalogues, path);
    ReadFilterNames(path);
    for (const QString& category :
         {QStringLiteral("All"), QStringLiteral("Others"), QStringLiteral("Natural")}) {
        SelectFilterCategory(catalogues.filterThumbs, category, catalogues.filterLooks);
        SelectLightCategory(catalogues.lightThumbs, category);
    }
    for (const FrameRecord& frame : catalogues.frameRecords)
        FrameForThumbnail(catalogues.frameRecords, frame.effectimage);
    return 0;
}
