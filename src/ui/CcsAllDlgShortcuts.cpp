// The window's keyboard: one shortcut table, each key running its button's command only while
// that button could be clicked.
#include "CButtonX.h"
#include "CcsAllDlg.h"

#include <QShortcut>

#include <array>

namespace {

struct CommandKeys {
    std::array<QKeyCombination, 2> keys; // the second may be left empty
    CButtonX* CcsAllDlg::*button;
    void (CcsAllDlg::*command)();
    // How the button's tooltip names the keys.
    const char* named;
    // Ok and Cancel answer only while the crop box is up; otherwise their keys stay swallowed.
    bool cropModeOnly = false;
};

const CommandKeys kCommandKeys[] = {
    {{Qt::CTRL | Qt::Key_O}, &CcsAllDlg::loadButton, &CcsAllDlg::onLoadPicture, "Ctrl+O"},
    {{Qt::CTRL | Qt::Key_S}, &CcsAllDlg::exportButton, &CcsAllDlg::onExport, "Ctrl+S"},
    {{Qt::CTRL | Qt::Key_P}, &CcsAllDlg::printButton, &CcsAllDlg::onPrint, "Ctrl+P"},
    {{Qt::CTRL | Qt::Key_Q, Qt::CTRL | Qt::Key_W},
     &CcsAllDlg::closeButton,
     &CcsAllDlg::onCloseButton,
     "Ctrl+Q, Ctrl+W"},
    {{Qt::Key_R}, &CcsAllDlg::rotateButton, &CcsAllDlg::onRotate, "R"},
    {{Qt::Key_H}, &CcsAllDlg::flipHorizontalButton, &CcsAllDlg::onFlipHorizontal, "H"},
    {{Qt::Key_V}, &CcsAllDlg::flipVerticalButton, &CcsAllDlg::onFlipVertical, "V"},
    {{Qt::Key_C}, &CcsAllDlg::compareButton, &CcsAllDlg::onCompare, "C"},
    {{Qt::CTRL | Qt::Key_R}, &CcsAllDlg::randomButton, &CcsAllDlg::onRandomLook, "Ctrl+R"},
    {{Qt::CTRL | Qt::Key_Z}, &CcsAllDlg::undoButton, &CcsAllDlg::onUndo, "Ctrl+Z"},
    {{Qt::CTRL | Qt::SHIFT | Qt::Key_Z, Qt::CTRL | Qt::Key_Y},
     &CcsAllDlg::redoButton,
     &CcsAllDlg::onRedo,
     "Ctrl+Shift+Z, Ctrl+Y"},
    {{Qt::Key_F1}, &CcsAllDlg::helpButton, &CcsAllDlg::onHelp, "F1"},
    {{Qt::Key_Return, Qt::Key_Enter},
     &CcsAllDlg::confirmCropButton,
     &CcsAllDlg::onConfirmCrop,
     "Enter",
     true},
    {{Qt::Key_Escape}, &CcsAllDlg::cancelCropButton, &CcsAllDlg::onCancelCrop, "Esc", true},
};

} // namespace

void CcsAllDlg::createShortcuts() {
    for (const CommandKeys& entry : kCommandKeys) {
        CButtonX* button = this->*entry.button;
        for (const QKeyCombination& key : entry.keys) {
            if (key.key() == Qt::Key(0))
                continue;
            // Only while this window is the active one: never a grab that would take the key
            // from other programs.
            auto* shortcut = new QShortcut(QKeySequence(key), this);
            shortcut->setContext(Qt::WindowShortcut);
            // Holding a key down must not rotate or flip the picture over and over.
            shortcut->setAutoRepeat(false);
            connect(shortcut, &QShortcut::activated, this, [this, &entry] {
                // Exactly the button's gate: a key does nothing the button would not do.
                if (!(this->*entry.button)->active)
                    return;
                if (entry.cropModeOnly && !state().cropMode)
                    return;
                (this->*entry.command)();
            });
        }
        if (!button->tooltipText.isEmpty())
            button->SetTooltip(
                QStringLiteral("%1 (%2)").arg(button->tooltipText, QLatin1String(entry.named)));
    }
}
