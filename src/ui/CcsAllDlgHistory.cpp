// The window's side of undo and redo and of the strength of the look: the keys and buttons
// hand their command to the editor, and the window then shows the edit it restored (the lists'
// current cells, the strength, which controls can be used).
#include "CcsAllDlg.h"

#include "CButtonX.h"
#include "CImgCtrl.h"
#include "CPicList.h"
#include "LookBlend.h"
#include "StrengthBar.h"
#include "WaitCursor.h"
#include "reComb.h"

#include <QShortcut>
#include <QSlider>

namespace {

constexpr QRect kStrengthPlace{160, 562, 400, 16};

// The position of the cell showing picturePath among the cells a list shows; -1 for none.
int cellShowing(const CPicList* list, const QString& picturePath) {
    for (int i = 0; i < list->visibleCount(); ++i)
        if (list->cells.at(i)->picturePath == picturePath)
            return i;
    return -1;
}

} // namespace

void CcsAllDlg::createHistoryControls() {
    strengthBar = new StrengthBar(this);
    strengthBar->setGeometry(kStrengthPlace);
    strengthBar->setToolTip(QStringLiteral("How strongly the filter and light show ([ and ])"));
    strengthBar->hide();
    connect(strengthBar, &StrengthBar::moved, this, &CcsAllDlg::onStrengthMoved);
    connect(strengthBar, &StrengthBar::finished, this, &CcsAllDlg::onStrengthFinished);

    // A step of ten per key, each a step of the history, while the bar can be used.
    const std::pair<Qt::Key, int> keys[] = {{Qt::Key_BracketLeft, -1}, {Qt::Key_BracketRight, 1}};
    for (const auto& [key, steps] : keys) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, steps] {
            if (strengthBar->isVisible() && strengthBar->isEnabled())
                strengthBar->stepBy(steps);
        });
    }

    // The history and the strength follow every change of the edit, and the end of a run.
    connect(&m_editor, &Editor::viewChanged, this, &CcsAllDlg::updateHistoryControls);
    connect(&m_editor, &Editor::workerFinished, this, &CcsAllDlg::updateHistoryControls);
}

void CcsAllDlg::updateHistoryControls() {
    // Only what changed is repainted: a crop drag reports every move.
    const auto show = [](CButtonX* button, bool usable) {
        if (button->active != usable)
            button->setActive(usable);
    };
    show(undoButton, m_editor.canUndo());
    show(redoButton, m_editor.canRedo());

    const EditState& s = state();
    const bool lookOn = s.lookOn();
    strengthBar->setVisible(s.imageLoaded && lookOn && !s.cropMode);
    strengthBar->setEnabled(!s.busy() && !s.compareActive);
    if (!strengthBar->slider()->isSliderDown())
        strengthBar->showPercent(percentOfStrength(s.strength));
}

void CcsAllDlg::onUndo() {
    if (!undoButton->active)
        return;
    Editor::HistoryMove move;
    {
        // A look the history no longer holds is computed again.
        WaitCursor wait;
        move = m_editor.undo();
    }
    showHistoryMove(move);
}

void CcsAllDlg::onRedo() {
    if (!redoButton->active)
        return;
    Editor::HistoryMove move;
    {
        WaitCursor wait;
        move = m_editor.redo();
    }
    showHistoryMove(move);
}

void CcsAllDlg::showHistoryMove(Editor::HistoryMove move) {
    switch (move) {
    case Editor::HistoryMove::LeftCrop:
        applyToolControls(ToolControls::CropClosed);
        break;
    case Editor::HistoryMove::Restored:
        showRestoredCells();
        break;
    case Editor::HistoryMove::Failed:
        showNotice(QStringLiteral("That step could not be shown again: its picture could not be made "
                                  "(a working file is missing, or the disk is full).\n\nThe picture is "
                                  "as it was, and every step is kept."));
        break;
    case Editor::HistoryMove::Refused:
        break;
    }
    tellLookProblem();
    updateHistoryControls();
}

void CcsAllDlg::showRestoredCells() {
    reComb* const fields[] = {filterCategoryDropDown, lightCategoryDropDown, frameCategoryDropDown};
    for (int panel = FilterPanel; panel <= FramePanel; ++panel) {
        CPicList* list = listOf(panel);
        const QString path = m_editor.currentCell(static_cast<EffectPanel>(panel));
        int cell = path.isEmpty() ? -1 : cellShowing(list, path);
        if (!path.isEmpty() && cell < 0) {
            std::optional<ListContent> all;
            if (panel == FilterPanel)
                all = m_editor.chooseFilterCategory(0);
            else if (panel == LightPanel)
                all = m_editor.chooseLightCategory(0);
            else
                all = m_editor.chooseFrameCategory(0);
            if (all) {
                fields[panel]->SelectDefault();
                fillList(list, *all);
                cell = cellShowing(list, path);
            }
        }
        if (cell < 0) {
            list->ClearSelection();
        } else if (list->currentCell != list->cells.at(cell)) {
            list->SetCurrentCell(cell);
            // Brought into view, without moving a list whose marked cell shows already.
            if (!list->rect().contains(list->cellRect(cell)))
                list->ScrollToItem(cell);
        }
    }
}

void CcsAllDlg::onStrengthMoved(int percent) {
    m_editor.setStrength(strengthOfPercent(percent));
}

void CcsAllDlg::onStrengthFinished() {
    m_editor.endStrengthChange();
}
