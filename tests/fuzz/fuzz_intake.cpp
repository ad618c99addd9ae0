// Picture intake on any bytes, up to the preview: the decode, the working files written from it,
// and the preview read back by the effect library as the thumbnail worker reads it.
#include "FuzzInput.h"
#include "Intake.h"
#include "LookRendering.h"
#include "MagickSession.h"
#include "RasterIO.h"

#include <wand/MagickWand.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static MagickSession magick;
    RasterIO::allowLargePictures();
    const QString path = fuzzInputFile(data, size, QStringLiteral("fuzz-input.jpg"));
    const std::optional<DecodedPreview> decoded = PreviewDecoder::decode(path);
    if (!decoded)
        return 0;
    QString problem;
    const std::optional<Intake::WorkingFiles> files = Intake::writeWorkingFiles(path, *decoded, 1, &problem);
    if (!files)
        return 0;
    MagickWand* wand = NewMagickWand();
    readPicture(wand, files->previewPath, "fuzz_intake", __LINE__);
    DestroyMagickWand(wand);
    return 0;
}
