// The print command of the main window.
#include "CcsAllDlg.h"

#include "PntDialg.h"
#include "PrintPicture.h"
#include "Recipe.h"

void CcsAllDlg::onPrint() {
    // The button is only active with a picture; while a thumbnail run or an export goes on, the
    // picture state the print is taken from may still change.
    if (!state().imageLoaded || m_editor.busy())
        return;
    if (!printDialog)
        printDialog = new PntDialg(this);
    // The page gets the picture made again from the full-size photo at the printer's resolution,
    // not the screen raster the preview shows.
    printDialog->pictureSupplier = fullSizePrintPicture(recipeOf(state()), m_editor.catalogues());
    printDialog->DoModal();
}
