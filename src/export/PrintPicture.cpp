#include "PrintPicture.h"

#include "FullSizeRender.h"

PrintPictureSupplier fullSizePrintPicture(EditRecipe recipe, Catalogues catalogues) {
    return [recipe = std::move(recipe), catalogues = std::move(catalogues)](const QSize& largest) {
        RenderControl control;
        control.largest = largest;
        // The page shows what the preview shows.
        control.unframedWithoutFramePicture = true;
        return renderFullSize(recipe, catalogues, control).image;
    };
}
