#pragma once

#include "CatalogTypes.h"
#include "EditRecipe.h"
#include "PrintJob.h"

// The printed picture made by the full-size render path from recipe, as large as the page asks
// for and never larger than the full-size picture, so a print is as sharp as the photo allows.
// The recipe and the catalogues are copied: the supplier runs on the print job's thread.
PrintPictureSupplier fullSizePrintPicture(EditRecipe recipe, Catalogues catalogues);
