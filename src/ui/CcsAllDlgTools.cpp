// The window's side of the editing tools: the crop tool and the mouse over the picture, the
// turn and mirror buttons, compare and random look. Each slot hands its event to the editor and
// shows what comes back: which controls can be used, the pointer, the lists.
#include "CcsAllDlg.h"

#include "CButtonX.h"
#include "CPicList.h"
#include "WaitCursor.h"
#include "reComb.h"

#include <QGuiApplication>
#include <QWindow>

#include <variant>

namespace {

enum Usable : char { Keep, On, Off };

using ButtonMember = CButtonX* CcsAllDlg::*;
using FieldMember = reComb* CcsAllDlg::*;
using ListMember = CPicList* CcsAllDlg::*;

struct ToolControl {
    std::variant<ButtonMember, FieldMember, ListMember> control;
    // By CcsAllDlg::ToolControls: crop open, crop closed, compare on, compare off, exporting,
    // thumbnail run.
    Usable usable[6];
};

// While the crop box is shaped only the crop controls work; while the before/after view shows,
// nothing that changes the picture does. Export and print keep their state in the
// before/after view, and the compare button stays usable to end it. While an export renders,
// nothing that would change the picture or the look works; panels, compare and print do. While
// a picture's thumbnails are made, what its intake held back (tabs, export, print, the filter
// categories) stays held until the run ends, whatever tool closes meanwhile.
const ToolControl kToolControls[] = {
    {&CcsAllDlg::cropButton, {Off, On, Off, On, Off, Keep}},
    {&CcsAllDlg::ratioDropDown, {On, Off, Off, Off, Off, Keep}},
    {&CcsAllDlg::orientationButton, {On, Off, Off, Off, Off, Keep}},
    {&CcsAllDlg::cancelCropButton, {On, Off, Off, Off, Off, Keep}},
    {&CcsAllDlg::confirmCropButton, {On, Off, Off, Off, Off, Keep}},
    {&CcsAllDlg::loadButton, {Off, On, Off, On, Off, Keep}},
    {&CcsAllDlg::compareButton, {Off, On, Keep, Keep, Keep, Keep}},
    {&CcsAllDlg::randomButton, {Off, On, Off, On, Off, Keep}},
    {&CcsAllDlg::filterTabButton, {Off, On, Off, On, Keep, Off}},
    {&CcsAllDlg::lightTabButton, {Off, On, Off, On, Keep, Off}},
    {&CcsAllDlg::frameTabButton, {Off, On, Off, On, Keep, Off}},
    {&CcsAllDlg::rotateButton, {Off, On, Off, On, Off, Keep}},
    {&CcsAllDlg::flipHorizontalButton, {Off, On, Off, On, Off, Keep}},
    {&CcsAllDlg::flipVerticalButton, {Off, On, Off, On, Off, Keep}},
    {&CcsAllDlg::exportButton, {Off, On, Keep, Keep, Keep, Off}},
    {&CcsAllDlg::printButton, {Off, On, Keep, Keep, Keep, Off}},
    {&CcsAllDlg::filterList, {Off, On, Off, On, Off, Keep}},
    {&CcsAllDlg::lightList, {Off, On, Off, On, Off, Keep}},
    {&CcsAllDlg::frameList, {Off, On, Off, On, Off, Keep}},
    {&CcsAllDlg::filterCategoryDropDown, {Off, On, Off, On, Off, Off}},
    {&CcsAllDlg::lightCategoryDropDown, {Off, On, Off, On, Off, Keep}},
    {&CcsAllDlg::frameCategoryDropDown, {Off, On, Off, On, Off, Keep}},
};

Qt::CursorShape shapeOf(CropCursor cursor) {
    switch (cursor) {
    case CropCursor::PointingHand:
        return Qt::PointingHandCursor;
    case CropCursor::SizeNorthWestSouthEast:
        return Qt::SizeFDiagCursor;
    case CropCursor::SizeNorthEastSouthWest:
        return Qt::SizeBDiagCursor;
    case CropCursor::SizeWestEast:
        return Qt::SizeHorCursor;
    case CropCursor::SizeNorthSouth:
        return Qt::SizeVerCursor;
    default:
        return Qt::ArrowCursor;
    }
}

} // namespace

void CcsAllDlg::applyToolControls(ToolControls set) {
    applyToolColumn(static_cast<int>(set));
    // An export and a thumbnail run hold their controls whatever else the user does meanwhile
    // (compare, say, or a crop opened and closed).
    if (set != ToolControls::Exporting && state().exportBusy)
        applyToolColumn(static_cast<int>(ToolControls::Exporting));
    if (set != ToolControls::ThumbnailRun && state().workerBusy)
        applyToolColumn(static_cast<int>(ToolControls::ThumbnailRun));
}

void CcsAllDlg::applyToolColumn(int column) {
    for (const ToolControl& entry : kToolControls) {
        const Usable usable = entry.usable[column];
        if (usable == Keep)
            continue;
        const bool on = usable == On;
        std::visit(
            [this, on](auto member) {
                auto* control = this->*member;
                if constexpr (std::is_same_v<decltype(member), ListMember>)
                    control->setEnabled(on);
                else
                    control->setActive(on);
            },
            entry.control);
    }
}

// --- Crop tool -------------------------------------------------------------------------------

void CcsAllDlg::onCrop() {
    if (!cropButton->active || !m_editor.openCrop())
        return;
    applyToolControls(ToolControls::CropOpen);
    ratioDropDown->SetCaption(ratioNames.value(state().cropRatioIndex));
}

void CcsAllDlg::onCropRatioChosen(int position) {
    m_editor.chooseCropRatio(position);
}

void CcsAllDlg::onOrientation() {
    if (orientationButton->active)
        m_editor.toggleCropOrientation();
}

void CcsAllDlg::onConfirmCrop() {
    if (!confirmCropButton->active)
        return;
    Editor::CropCommit outcome;
    {
        // The full-size picture is read and cut meanwhile.
        WaitCursor wait;
        outcome = m_editor.confirmCrop();
    }
    if (outcome == Editor::CropCommit::Committed) {
        applyToolControls(ToolControls::CropClosed);
        tellLookProblem();
    } else if (outcome == Editor::CropCommit::Failed) {
        showNotice(QStringLiteral("Sorry, the crop could not be made."));
    }
}

void CcsAllDlg::onCancelCrop() {
    if (cancelCropButton->active && m_editor.cancelCrop())
        applyToolControls(ToolControls::CropClosed);
}

void CcsAllDlg::onViewPress(const QPoint& pos) {
    // Moves keep coming to the window while the button is held: the press grabs the mouse
    // until it is released, inside the window or not.
    if (m_editor.cropPress(pos) == CropTool::Press::MoveWindow) {
        if (QWindow* handle = windowHandle())
            handle->startSystemMove();
    }
}

void CcsAllDlg::onViewMove(const QPoint& pos, Qt::MouseButtons buttons) {
    const bool keysHeld = buttons != Qt::NoButton || (QGuiApplication::keyboardModifiers() &
                                                      (Qt::ShiftModifier | Qt::ControlModifier)) != 0;
    const CropCursor cursor = m_editor.cropMove(pos, keysHeld);
    // The pointer stays as set until it is set again, also after the crop tool closes.
    if (cursor != CropCursor::Keep)
        setCursor(shapeOf(cursor));
}

void CcsAllDlg::onViewRelease(const QPoint&) {
    m_editor.cropRelease();
}

// --- Turns and mirrors ------------------------------------------------------------------------

void CcsAllDlg::onRotate() {
    if (!rotateButton->active)
        return;
    {
        WaitCursor wait;
        m_editor.rotate();
    }
    tellLookProblem();
}

void CcsAllDlg::onFlipHorizontal() {
    if (flipHorizontalButton->active)
        m_editor.flipHorizontal();
}

void CcsAllDlg::onFlipVertical() {
    if (flipVerticalButton->active)
        m_editor.flipVertical();
}

// --- Compare and random look ------------------------------------------------------------------

void CcsAllDlg::onCompare() {
    if (!compareButton->active)
        return;
    switch (m_editor.compare()) {
    case Editor::CompareView::Shown:
        compareButton->setPressedLook(true);
        applyToolControls(ToolControls::CompareOn);
        break;
    case Editor::CompareView::Hidden:
        compareButton->setPressedLook(false);
        applyToolControls(ToolControls::CompareOff);
        break;
    case Editor::CompareView::Refused:
        break;
    }
}

void CcsAllDlg::onRandomLook() {
    if (!randomButton->active)
        return;
    randomButton->setPressedLook(true);
    std::optional<Editor::RandomLook> look;
    {
        WaitCursor wait;
        look = m_editor.randomLook();
    }
    if (look) {
        // Every list shows all its entries again, the drawn cell chosen and in view.
        for (reComb* field : {filterCategoryDropDown, lightCategoryDropDown, frameCategoryDropDown})
            field->SelectDefault();
        fillList(filterList, look->filters);
        fillList(lightList, look->lights);
        fillList(frameList, look->frames);
    }
    randomButton->setPressedLook(false);
    tellLookProblem();
}
