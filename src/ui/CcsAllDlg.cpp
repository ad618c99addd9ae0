#include "CcsAllDlg.h"

#include "AppIcon.h"
#include "AppPaths.h"
#include "CButtonX.h"
#include "CImgCtrl.h"
#include "CPicList.h"
#include "CategoryBrowse.h"
#include "DarkPalette.h"
#include "HelpMenu.h"
#include "HoverTip.h"
#include "MenuResources.h"
#include "OpenDialogChoices.h"
#include "Session.h"
#include "WaitCursor.h"
#include "reComb.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QUrl>
#include <QWindow>

namespace {

struct ButtonPlace {
    CButtonX* CcsAllDlg::*member;
    const char* name;
    const char* picture;
    const char* tooltip; // nullptr: no hover tip
    QRect place;
    bool enabledAtStart;
    void (CcsAllDlg::*command)();
};

// In the order the window sets them up.
const ButtonPlace kButtons[] = {
    {&CcsAllDlg::closeButton,
     "closeButton",
     "close.bmp",
     "close",
     {10, 7, 21, 22},
     true,
     &CcsAllDlg::onCloseButton},
    {&CcsAllDlg::minimizeButton,
     "minimizeButton",
     "min.bmp",
     "min",
     {36, 7, 21, 22},
     true,
     &CcsAllDlg::onMinimizeButton},
    {&CcsAllDlg::printButton,
     "printButton",
     "print.bmp",
     "Print",
     {810, 8, 33, 33},
     false,
     &CcsAllDlg::onPrint},
    {&CcsAllDlg::exportButton,
     "exportButton",
     "save.bmp",
     "Export",
     {855, 8, 33, 33},
     false,
     &CcsAllDlg::onExport},
    {&CcsAllDlg::helpButton, "helpButton", "help.bmp", "Help", {944, 8, 33, 33}, true, &CcsAllDlg::onHelp},
    {&CcsAllDlg::loadButton,
     "loadButton",
     "file.bmp",
     "Load",
     {34, 593, 42, 42},
     true,
     &CcsAllDlg::onLoadPicture},
    {&CcsAllDlg::cropButton, "cropButton", "cut.bmp", "Crop", {86, 593, 42, 42}, false, &CcsAllDlg::onCrop},
    // Set up after the drop-down fields.
    {&CcsAllDlg::cancelCropButton,
     "cancelCropButton",
     "cacel.bmp",
     "Cancel",
     {333, 598, 33, 33},
     false,
     &CcsAllDlg::onCancelCrop},
    {&CcsAllDlg::confirmCropButton,
     "confirmCropButton",
     "ok.bmp",
     "Ok",
     {374, 598, 33, 33},
     false,
     &CcsAllDlg::onConfirmCrop},
    {&CcsAllDlg::orientationButton,
     "orientationButton",
     "direction.bmp",
     nullptr,
     {291, 598, 33, 33},
     false,
     &CcsAllDlg::onOrientation},
    {&CcsAllDlg::compareButton,
     "compareButton",
     "compare.bmp",
     "Compare",
     {620, 593, 42, 42},
     false,
     &CcsAllDlg::onCompare},
    {&CcsAllDlg::randomButton,
     "randomButton",
     "random.bmp",
     "Random Effect",
     {668, 593, 42, 42},
     false,
     &CcsAllDlg::onRandomLook},
    {&CcsAllDlg::rotateButton,
     "rotateButton",
     "rotation.bmp",
     "Rotation",
     {476, 598, 38, 33},
     false,
     &CcsAllDlg::onRotate},
    {&CcsAllDlg::flipHorizontalButton,
     "flipHorizontalButton",
     "spjx.bmp",
     "Flip horizontal",
     {511, 598, 33, 33},
     false,
     &CcsAllDlg::onFlipHorizontal},
    {&CcsAllDlg::flipVerticalButton,
     "flipVerticalButton",
     "czjx.bmp",
     "Flip veritical",
     {544, 598, 38, 33},
     false,
     &CcsAllDlg::onFlipVertical},
    // Set up after the lists.
    {&CcsAllDlg::filterTabButton,
     "filterTabButton",
     "effect1.bmp",
     "Filter",
     {761, 59, 63, 29},
     false,
     &CcsAllDlg::onFilterTab},
    {&CcsAllDlg::lightTabButton,
     "lightTabButton",
     "effect2.bmp",
     "Light",
     {836, 59, 63, 29},
     false,
     &CcsAllDlg::onLightTab},
    {&CcsAllDlg::frameTabButton,
     "frameTabButton",
     "effect3.bmp",
     "Frame",
     {911, 59, 63, 29},
     false,
     &CcsAllDlg::onFrameTab},
    // Beside print and export; usable once there is a step to take.
    {&CcsAllDlg::undoButton, "undoButton", "undo.bmp", "Undo", {720, 8, 33, 33}, false, &CcsAllDlg::onUndo},
    {&CcsAllDlg::redoButton, "redoButton", "redo.bmp", "Redo", {765, 8, 33, 33}, false, &CcsAllDlg::onRedo},
};
constexpr int kFirstToolButton = 7;
constexpr int kFirstTabButton = 15;
constexpr int kButtonCount = static_cast<int>(std::size(kButtons));

constexpr QRect kListPlace{764, 100, 214, 475};
// The buttons a thumbnail run disabled or whose commands it refused, in the order they come back.
CButtonX* CcsAllDlg::*const kEnabledAfterRun[] = {
    &CcsAllDlg::filterTabButton, &CcsAllDlg::lightTabButton,       &CcsAllDlg::frameTabButton,
    &CcsAllDlg::randomButton,    &CcsAllDlg::printButton,          &CcsAllDlg::exportButton,
    &CcsAllDlg::rotateButton,    &CcsAllDlg::flipHorizontalButton, &CcsAllDlg::flipVerticalButton,
    &CcsAllDlg::compareButton,   &CcsAllDlg::cropButton,
};

constexpr int kLightCount = 32;

bool swallowedKey(const QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

CcsAllDlg::CcsAllDlg(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint) {
    setObjectName(QStringLiteral("mainWindow"));
    // Every pixel is painted each time; nothing needs erasing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAcceptDrops(true);
    setMouseTracking(true);
    appIcon = AppIcon::icon();
    setWindowIcon(appIcon);
    move(0, 0);
    setFixedSize(kWidth, kHeight);
    setWindowTitle(QStringLiteral("Lumenkraft"));
    // The thumbnail cells name their looks in the toolkit's own tips; they match the buttons'.
    QToolTip::setPalette(HoverTip::tipColours());

    Session::start(state());

    showNotice = [this](const QString& text) {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Lumenkraft"), text, QMessageBox::Ok, this);
        box.setPalette(darkPalette());
        box.exec();
    };
    setUpExport();

    createButtons(0, kFirstToolButton - 1);
    createDropDowns();
    createButtons(kFirstToolButton, kFirstTabButton - 1);
    createLists();
    createButtons(kFirstTabButton, kButtonCount - 1);
    createHistoryControls();
    createShortcuts();

    // The worker waits until the list holds each thumbnail, so the editor's position map and
    // the list never disagree, and painting stays on this thread.
    connect(&m_editor, &Editor::thumbnailReady, filterList, &CPicList::thumbReady,
            Qt::BlockingQueuedConnection);
    connect(&m_editor, &Editor::workerFinished, this, &CcsAllDlg::onWorkerFinished);
    connect(&m_editor, &Editor::viewChanged, this, &CcsAllDlg::invalidateView);

    // Escape and Enter would end a dialog or press a focused control; here they do nothing,
    // wherever the focus is.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

CcsAllDlg::~CcsAllDlg() = default;

void CcsAllDlg::createButtons(int first, int last) {
    for (int i = first; i <= last; ++i) {
        const ButtonPlace& setup = kButtons[i];
        auto* button = new CButtonX(this);
        this->*setup.member = button;
        button->setObjectName(QString::fromLatin1(setup.name));
        button->SetPicture(QString::fromLatin1(setup.picture));
        button->setGeometry(setup.place);
        if (setup.tooltip)
            button->SetTooltip(QString::fromLatin1(setup.tooltip));
        button->setActive(setup.enabledAtStart);
        connect(button, &QPushButton::clicked, this, setup.command);
    }
}

void CcsAllDlg::createDropDowns() {
    const auto& popups = MenuResources::dropDownPopups();
    struct Field {
        reComb* CcsAllDlg::*member;
        const char* name;
        int kind;
        const char* arrow;
        const char* body;
        QRect place;
    };
    const Field fields[] = {
        {&CcsAllDlg::ratioDropDown,
         "ratioDropDown",
         reComb::CropRatio,
         "zhankai.bmp",
         "combox1.bmp",
         {140, 598, 138, 33}},
        {&CcsAllDlg::filterCategoryDropDown,
         "filterCategoryDropDown",
         reComb::FilterCategory,
         "jiao2.bmp",
         "combox2.bmp",
         {750, 588, 234, 33}},
        {&CcsAllDlg::lightCategoryDropDown,
         "lightCategoryDropDown",
         reComb::LightCategory,
         "jiao2.bmp",
         "combox2.bmp",
         {750, 588, 234, 33}},
        {&CcsAllDlg::frameCategoryDropDown,
         "frameCategoryDropDown",
         reComb::FrameCategory,
         "jiao2.bmp",
         "combox2.bmp",
         {750, 588, 234, 33}},
    };
    for (const Field& field : fields) {
        auto* dropDown = new reComb(this);
        this->*field.member = dropDown;
        dropDown->setObjectName(QString::fromLatin1(field.name));
        dropDown->setGeometry(field.place);
        dropDown->dropDownKind = field.kind;
        dropDown->popupIndex = field.kind;
        dropDown->commandIds = MenuResources::commandIds(popups.at(field.kind));
        dropDown->SetPictures(QString::fromLatin1(field.arrow), QString::fromLatin1(field.body));
        dropDown->SelectDefault();
        dropDown->setVisible(field.kind == reComb::CropRatio);
    }
    ratioDropDown->setActive(false);
    ratioNames = {QStringLiteral("Free"), QStringLiteral("1:1"),  QStringLiteral("3:2"),
                  QStringLiteral("4:3"),  QStringLiteral("16:9"), QStringLiteral("Original")};
    filterCategoryNames = kFilterCategoryNames;
    lightCategoryNames = kLightCategoryNames;
    frameCategoryNames = kFrameCategoryNames;

    connect(ratioDropDown, &reComb::cropRatioChosen, this, &CcsAllDlg::onCropRatioChosen);
    connect(filterCategoryDropDown, &reComb::filterCategoryChosen, this, &CcsAllDlg::onFilterCategoryChosen);
    connect(lightCategoryDropDown, &reComb::lightCategoryChosen, this, &CcsAllDlg::onLightCategoryChosen);
    connect(frameCategoryDropDown, &reComb::frameCategoryChosen, this, &CcsAllDlg::onFrameCategoryChosen);
}

void CcsAllDlg::createLists() {
    const QString resources = AppPaths::programFolder();
    CPicList** lists[] = {&filterList, &lightList, &frameList};
    const char* names[] = {"filterList", "lightList", "frameList"};
    for (int panel = FilterPanel; panel <= FramePanel; ++panel) {
        auto* list = new CPicList(this);
        *lists[panel] = list;
        list->setObjectName(QString::fromLatin1(names[panel]));
        list->setGeometry(kListPlace);
        list->setVisible(panel == FilterPanel);
        connect(list, &CPicList::thumbClicked, this, &CcsAllDlg::onThumbClicked);
        list->lookNameOf = [this, panel](int index, const QString& picturePath) {
            return m_editor.lookName(static_cast<EffectPanel>(panel), index, picturePath);
        };
    }
    for (int n = 1; n <= kLightCount; ++n)
        lightList->AddPicture(resources + QStringLiteral("lightimage.bundle/%1.jpg").arg(n));
    for (const QString& pattern : FrameCategoryPatterns(QStringLiteral("All")))
        frameList->AddFolder(resources + QStringLiteral("border.bundle/") + pattern);
}

bool CcsAllDlg::inTitleBand(const QPoint& pos) {
    return inTitleDragRect(pos);
}

bool CcsAllDlg::inOpenArea(const QPoint& pos) {
    return pos.x() >= 11 && pos.x() <= 719 && pos.y() >= 61 && pos.y() <= 559;
}

CPicList* CcsAllDlg::listOf(int panel) const {
    switch (panel) {
    case LightPanel:
        return lightList;
    case FramePanel:
        return frameList;
    default:
        return filterList;
    }
}

void CcsAllDlg::invalidateView() {
    update(kViewInvalidation);
}

// --- Window commands -------------------------------------------------------------------------

void CcsAllDlg::onCloseButton() {
    // Only the close button cleans up; other ways of closing leave the working files.
    m_endSession = true;
    close();
}

void CcsAllDlg::closeEvent(QCloseEvent* event) {
    // An export the user asked for is written to the end before the window goes, whoever closes
    // it; the overlay goes on showing its progress meanwhile.
    m_exportJob.wait();
    // A thumbnail run still writing into the working folder would outlive its clean-up, and
    // nobody shows its thumbnails any more.
    m_editor.stopWorker();
    if (m_endSession)
        Session::shutdown(state());
    event->accept();
}

void CcsAllDlg::onMinimizeButton() {
    showMinimized();
}

void CcsAllDlg::onHelp() {
    HelpMenu::run(this, QCursor::pos());
}

// --- Picture intake ---------------------------------------------------------------------------

void CcsAllDlg::onLoadPicture() {
    // While thumbnails render or an export runs the dialog is not even shown.
    if (m_editor.busy())
        return;
    // The button looks pressed for as long as the dialog is open.
    loadButton->setPressedLook(true);
    const QString path =
        QFileDialog::getOpenFileName(nullptr, QString(), OpenDialogChoices::startFolder(m_lastOpenFolder),
                                     OpenDialogChoices::filters().join(QStringLiteral(";;")));
    loadButton->setPressedLook(false);
    loadButton->setActive(true);
    if (!path.isEmpty())
        openPicture(path);
}

void CcsAllDlg::openPicture(const QString& path) {
    // The next open dialog starts where this picture was found.
    m_lastOpenFolder = QFileInfo(path).absolutePath();
    takeIn(path, IntakeSource::OpenDialog);
}

void CcsAllDlg::onFilesDropped(const QStringList& paths) {
    // A drop loads a picture as the load button does, and is refused whenever that button is
    // (crop mode, the before/after view, an export).
    if (!paths.isEmpty() && loadButton->active)
        takeIn(paths.first(), IntakeSource::Drop);
}

void CcsAllDlg::takeIn(const QString& path, IntakeSource source) {
    Editor::IntakeOutcome outcome;
    {
        WaitCursor wait;
        outcome = m_editor.takeIn(path, source);
    }
    switch (outcome) {
    case Editor::IntakeOutcome::Refused:
        return;
    case Editor::IntakeOutcome::NotAPicture:
        showNotice(QStringLiteral("sorry,the file is not a picture!"));
        return;
    case Editor::IntakeOutcome::NotWritten:
        showNotice(m_editor.intakeProblem());
        return;
    case Editor::IntakeOutcome::SameFile:
        // The thumbnails, the panel and the buttons stay; only picture and look were reset.
        break;
    case Editor::IntakeOutcome::NewPicture:
        // Done before this returns to the event loop: the first thumbnail of the new picture is
        // queued behind it.
        filterList->ClearAll();
        for (int panel = FilterPanel; panel <= FramePanel; ++panel)
            listOf(panel)->ClearSelection();
        // The filter list is what fills now, and the tab that comes back pressed is Filter's.
        m_editor.showPanel(FilterPanel);
        showPanelWidgets(FilterPanel);
        for (CButtonX* tab : {filterTabButton, lightTabButton, frameTabButton})
            tab->setActive(false);
        exportButton->setActive(false);
        printButton->setActive(false);
        // The run refills the list with every filter, and no category can be chosen until it
        // ends; the field says so instead of naming a category the list does not show.
        filterCategoryDropDown->SelectDefault();
        filterCategoryDropDown->setActive(false);
        break;
    }
    invalidateView();
}

void CcsAllDlg::onWorkerFinished() {
    filterTabButton->pressed = true;
    randomButton->pressed = false;
    for (CButtonX* CcsAllDlg::*button : kEnabledAfterRun)
        (this->*button)->setActive(true);
    filterCategoryDropDown->setActive(true);
    // The crop tool or the before/after view may have been opened while the run went on; what
    // they hold back stays held back.
    if (state().cropMode)
        applyToolControls(ToolControls::CropOpen);
    else if (state().compareActive)
        applyToolControls(ToolControls::CompareOn);
}

// --- Panels and categories -------------------------------------------------------------------

void CcsAllDlg::showPanelWidgets(int panel) {
    reComb* dropDowns[] = {filterCategoryDropDown, lightCategoryDropDown, frameCategoryDropDown};
    CButtonX* tabs[] = {filterTabButton, lightTabButton, frameTabButton};
    for (int p = FilterPanel; p <= FramePanel; ++p) {
        listOf(p)->setVisible(p == panel);
        dropDowns[p]->setVisible(p == panel);
        tabs[p]->pressed = p == panel;
        tabs[p]->repaint();
    }
}

void CcsAllDlg::showPanel(int panel) {
    showPanelWidgets(panel);
    for (CButtonX* tab : {filterTabButton, lightTabButton, frameTabButton})
        tab->setActive(true);
    m_editor.showPanel(static_cast<EffectPanel>(panel));
}

void CcsAllDlg::onFilterTab() {
    showPanel(FilterPanel);
}

void CcsAllDlg::onLightTab() {
    showPanel(LightPanel);
}

void CcsAllDlg::onFrameTab() {
    showPanel(FramePanel);
}

void CcsAllDlg::fillList(CPicList* list, const ListContent& content) {
    list->ClearAll();
    // The cells come from the content; a later folder scan of the same pattern must scan anew.
    list->ForgetLastFolder();
    for (const QString& path : content.paths)
        list->AddPicture(path);
    if (content.currentCell >= 0)
        list->SetCurrentCell(content.currentCell);
    list->ScrollToItem(content.scrollTo);
}

void CcsAllDlg::onFilterCategoryChosen(int position) {
    // Refused while the worker still fills the filter list.
    if (const std::optional<ListContent> content = m_editor.chooseFilterCategory(position))
        fillList(filterList, *content);
}

void CcsAllDlg::onLightCategoryChosen(int position) {
    if (const std::optional<ListContent> content = m_editor.chooseLightCategory(position))
        fillList(lightList, *content);
}

void CcsAllDlg::onFrameCategoryChosen(int position) {
    if (const std::optional<ListContent> content = m_editor.chooseFrameCategory(position))
        fillList(frameList, *content);
}

// --- Looks -----------------------------------------------------------------------------------

void CcsAllDlg::onThumbClicked(CImgCtrl*) {
    if (m_editor.busy())
        return;
    // The look follows the active panel's current cell, which the list has already updated.
    const int panel = state().activePanel;
    const CImgCtrl* current = listOf(panel)->currentCell;
    ThumbClick click;
    click.panel = panel;
    if (current) {
        click.position = current->index;
        click.path = current->picturePath;
    }
    {
        WaitCursor wait;
        m_editor.thumbClicked(click);
    }
    tellLookProblem();
}

void CcsAllDlg::tellLookProblem() {
    const QString problem = m_editor.takeLookProblem();
    if (problem.isEmpty())
        return;
    // The list already marked the cell that was pressed, or still marks a look just dropped.
    showRestoredCells();
    showNotice(problem);
}

// --- Events ----------------------------------------------------------------------------------

void CcsAllDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    m_painter.paint(painter, state(), state().cropRect);
    m_exportOverlay.paint(painter);
}

void CcsAllDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    if (inTitleBand(pos)) {
        if (QWindow* handle = windowHandle())
            handle->startSystemMove();
        return;
    }
    onViewPress(pos);
}

void CcsAllDlg::mouseMoveEvent(QMouseEvent* event) {
    onViewMove(event->position().toPoint(), event->buttons());
}

void CcsAllDlg::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        onViewRelease(event->position().toPoint());
}

void CcsAllDlg::mouseDoubleClickEvent(QMouseEvent* event) {
    // In crop mode a quick second press is a press like any other: it grabs a handle or starts
    // a box. Elsewhere it opens a picture; not passed on, as the default handling would treat
    // it as one more press.
    if (event->button() == Qt::LeftButton && state().cropMode) {
        mousePressEvent(event);
        return;
    }
    if (event->button() == Qt::LeftButton && loadButton->active && inOpenArea(event->position().toPoint()))
        openFromView();
}

void CcsAllDlg::openFromView() {
    // The load button looks pressed for as long as the open command runs.
    loadButton->setPressedLook(true);
    loadButton->setActive(true);
    onLoadPicture();
    loadButton->setPressedLook(false);
    loadButton->setActive(true);
}

void CcsAllDlg::keyPressEvent(QKeyEvent* event) {
    if (swallowedKey(event)) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool CcsAllDlg::eventFilter(QObject* watched, QEvent* event) {
    if (swallowedKey(event)) {
        event->accept();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void CcsAllDlg::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CcsAllDlg::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    onFilesDropped(paths);
}
