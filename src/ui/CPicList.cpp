#include "CPicList.h"

#include "CImgCtrl.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace {

const QColor kListGround(120, 120, 120);

} // namespace

CPicList::CPicList(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("thumbList"));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setFocusPolicy(Qt::ClickFocus);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, kListGround);
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    setAutoFillBackground(true);
    // Files dropped on the list are taken and ignored (see refuseDrop): only the window around
    // the lists takes drops.
    setAcceptDrops(true);

    acceptedExtensions = {QStringLiteral("bmp"), QStringLiteral("jpeg"), QStringLiteral("jpg"),
                          QStringLiteral("png"), QStringLiteral("gif"),  QStringLiteral("tif"),
                          QStringLiteral("tiff")};

    m_viewport = new QWidget(this);
    m_viewport->setObjectName(QStringLiteral("thumbViewport"));
    m_scrollBar = new QScrollBar(Qt::Vertical, this);
    // Greys of the list itself, so the bar does not glare out of the dark panel.
    QPalette barColours = m_scrollBar->palette();
    barColours.setColor(QPalette::Window, QColor(90, 90, 90));
    barColours.setColor(QPalette::Base, QColor(90, 90, 90));
    barColours.setColor(QPalette::Button, QColor(150, 150, 150));
    barColours.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    barColours.setColor(QPalette::WindowText, QColor(230, 230, 230));
    m_scrollBar->setPalette(barColours);
    m_scrollBar->setRange(0, 0);
    m_scrollBar->setPageStep(kPage);
    m_scrollBar->setSingleStep(1);
    connect(m_scrollBar, &QScrollBar::actionTriggered, this, [this] { setFocus(Qt::MouseFocusReason); });
    connect(m_scrollBar, &QScrollBar::valueChanged, this, &CPicList::setPosition);
}

CPicList::~CPicList() {
    // Cells and their watchers go with the QWidget base; no load may still be running then.
    // Loads that have not started are of no use any more.
    m_loadPool.clear();
    m_loadPool.waitForDone();
}

int CPicList::visibleCount() const {
    int count = static_cast<int>(cells.size());
    while (count > 0 && cells.at(count - 1)->free)
        --count;
    return count;
}

QRect CPicList::cellRect(int index) const {
    const int column = index % 2;
    const int row = index / 2;
    return QRect(column * kPitch + kGap, (row - m_position) * kPitch + kGap, CImgCtrl::kSize,
                 CImgCtrl::kSize);
}

bool CPicList::AddPicture(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const int dot = static_cast<int>(name.lastIndexOf(QLatin1Char('.')));
    if (dot <= 0)
        return false;
    const QString extension = name.mid(dot + 1);
    const bool accepted =
        std::any_of(acceptedExtensions.cbegin(), acceptedExtensions.cend(),
                    [&](const QString& known) { return known.compare(extension, Qt::CaseInsensitive) == 0; });
    if (!accepted)
        return false;

    const int next = visibleCount();
    if (next < cells.size()) {
        CImgCtrl* cell = cells.at(next);
        cell->free = false;
        cell->setGeometry(cellRect(next));
        cell->SetPicture(path);
        cell->show();
    } else {
        auto* cell = new CImgCtrl(this, m_viewport);
        cell->setGeometry(columns == 2 ? cellRect(next) : QRect());
        cell->SetPicture(path);
        cell->index = static_cast<int>(cells.size());
        cells.append(cell);
        cell->show();
    }
    updateScrollRange();
    update();
    return true;
}

void CPicList::AddFolder(const QString& pattern) {
    if (pattern.compare(lastFolderPattern, Qt::CaseInsensitive) == 0)
        return;
    lastFolderPattern = pattern;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QFileInfo where(pattern);
    const QString folder = where.path() + QLatin1Char('/');
    const QDir dir(where.path());
    const QStringList names = dir.entryList(QStringList{where.fileName()}, QDir::Files | QDir::Hidden,
                                            QDir::Name | QDir::IgnoreCase);
    for (const QString& name : names)
        AddPicture(folder + name);
    QApplication::restoreOverrideCursor();
    update();
}

void CPicList::ClearAll() {
    const int count = visibleCount();
    for (int i = 0; i < count; ++i) {
        CImgCtrl* cell = cells.at(i);
        cell->free = true;
        cell->SetPicture(QString());
        cell->hide();
    }
    ClearSelection();
    // Every cell goes back to its base place, ready to be reused from the top.
    m_position = 0;
    updateScrollRange();
    placeCells();
    update();
}

void CPicList::ClearSelection() {
    if (currentCell) {
        currentCell->selected = false;
        currentCell->repaint();
        currentCell = nullptr;
    }
    for (CImgCtrl* cell : std::as_const(multiSelection)) {
        cell->selected = false;
        cell->repaint();
    }
    multiSelection.clear();
}

void CPicList::ScrollToItem(int index) {
    if (rows() < 2)
        return;
    setPosition(index / 2);
}

void CPicList::SetCurrentCell(int index) {
    if (index < 0 || index >= visibleCount())
        return;
    // Only one cell may look chosen: the one the window applies.
    ClearSelection();
    CImgCtrl* cell = cells.at(index);
    cell->selected = true;
    cell->repaint();
    currentCell = cell;
}

void CPicList::cellClicked(CImgCtrl* cell, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    setFocus(Qt::MouseFocusReason);
    const bool plainLeft = buttons == Qt::LeftButton &&
                           (modifiers & (Qt::ControlModifier | Qt::ShiftModifier)) == Qt::NoModifier;
    if (plainLeft) {
        const bool wasSelected = cell->selected;
        ClearSelection();
        cell->selected = !wasSelected;
        cell->repaint();
        currentCell = cell->selected ? cell : nullptr;
    }
    emit thumbClicked(cell);
}

void CPicList::cellReleased(CImgCtrl* cell) {
    // After a select-all, letting go of a cell narrows the selection down to it.
    if (currentCell || multiSelection.isEmpty())
        return;
    ClearSelection();
    cell->selected = true;
    cell->repaint();
    currentCell = cell;
}

void CPicList::selectAll() {
    ClearSelection();
    const int count = visibleCount();
    for (int i = 0; i < count; ++i) {
        CImgCtrl* cell = cells.at(i);
        cell->selected = true;
        cell->repaint();
        multiSelection.append(cell);
    }
}

void CPicList::thumbReady(const QString& thumbnailPath) {
    AddPicture(thumbnailPath);
}

void CPicList::setPosition(int position) {
    const int highest = std::max(0, rows() - 2);
    position = std::clamp(position, 0, highest);
    if (m_scrollBar->value() != position) {
        const QSignalBlocker quiet(m_scrollBar);
        m_scrollBar->setValue(position);
    }
    if (position == m_position)
        return;
    m_position = position;
    placeCells();
    update();
}

void CPicList::updateScrollRange() {
    m_scrollMax = rows();
    const QSignalBlocker quiet(m_scrollBar);
    m_scrollBar->setRange(0, std::max(0, m_scrollMax - 2));
    m_scrollBar->setPageStep(kPage);
    m_scrollBar->setValue(m_position);
}

void CPicList::placeCells() {
    for (int i = 0; i < cells.size(); ++i)
        cells.at(i)->move(cellRect(i).topLeft());
}

void CPicList::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    const QRect inside = contentsRect();
    const int barWidth = m_scrollBar->sizeHint().width();
    m_scrollBar->setGeometry(inside.right() - barWidth + 1, inside.top(), barWidth, inside.height());
    m_viewport->setGeometry(inside.left(), inside.top(), inside.width() - barWidth, inside.height());
}

void CPicList::wheelEvent(QWheelEvent* event) {
    event->accept();
    if (rows() < 2)
        return;
    const int delta = event->angleDelta().y();
    if (delta > 0)
        setPosition(m_position - 1);
    else if (delta < 0)
        setPosition(m_position + 1);
}

void CPicList::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_A && (event->modifiers() & Qt::ControlModifier)) {
        selectAll();
        event->accept();
        return;
    }
    QFrame::keyPressEvent(event);
}

void CPicList::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        setFocus(Qt::MouseFocusReason);
    QFrame::mousePressEvent(event);
}

void CPicList::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
}

// A drag over a list is answered here with "no drop", and a drop that comes anyway is swallowed:
// left unanswered, Qt would pass either on to the window, which takes the file in.
void CPicList::dragEnterEvent(QDragEnterEvent* event) {
    refuseDrop(event);
}

void CPicList::dragMoveEvent(QDragMoveEvent* event) {
    refuseDrop(event);
}

void CPicList::dropEvent(QDropEvent* event) {
    refuseDrop(event);
}

void CPicList::refuseDrop(QDropEvent* event) {
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
}
