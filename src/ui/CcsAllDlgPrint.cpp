// The print command of the main window.
#include "CcsAllDlg.h"

#include "PntDialg.h"
#include "PrintPicture.h"
#include "Recipe.h"

void CcsAllDlg::onPrint() {
    // The button is only active with a picture; while a thumbnail run goes on, the picture state
    // the print is taken from may still change. An export holds every command that would change
    // it, and the print job works on its own copy of the edit, so printing goes on meanwhile.
    if (!state().imageLoaded || state().workerBusy)
        return;
    if (!printDialog)
        printDialog = new PntDialg(this);
    // The page gets the picture made again from the full-size photo at the printer's resolution,
    // not the screen raster the preview shows.
    printDialog->pictureSupplier = fullSizePrintPicture(recipeOf(state()), m_editor.catalogues());
    printDialog->DoModal();
}
