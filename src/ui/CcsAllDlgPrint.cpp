// The print command of the main window.
#include "CcsAllDlg.h"

#include "PntDialg.h"

void CcsAllDlg::onPrint() {
    // The button is only active with a picture; a thumbnail run or an export still owns the
    // engine that a print of the full-size picture needs.
    if (!state().imageLoaded || m_editor.busy())
        return;
    if (!printDialog)
        printDialog = new PntDialg(this);
    printDialog->DoModal();
}
