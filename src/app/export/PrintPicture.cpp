#include "PrintPicture.h"

#include "FullSizeRender.h"

PrintPictureSupplier fullSizePrintPicture(EditRecipe recipe, Catalogues catalogues) {
    return [recipe = std::move(recipe), catalogues = std::move(catalogues)](const QSize& largest) {
        RenderControl control;
        control.largest = largest;
        return renderFullSize(recipe, catalogues, control).image;
    };
}
