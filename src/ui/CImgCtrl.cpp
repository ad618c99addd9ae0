#include "CImgCtrl.h"

#include "CPicList.h"
#include "ThumbnailLoad.h"

#include <QFutureWatcher>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>
#include <QtConcurrent>

namespace {

const QColor kCellGround(120, 120, 120);
const QColor kHighlight(220, 220, 220);

} // namespace

CImgCtrl::CImgCtrl(CPicList* list, QWidget* parent) : QWidget(parent), m_list(list) {
    setObjectName(QStringLiteral("thumbCell"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    resize(kSize, kSize);
}

void CImgCtrl::SetPicture(const QString& path) {
    picturePath = path;
    ++m_generation;
    if (path.isEmpty()) {
        thumbnail = QImage();
        thumbRect = QRect();
        m_loading = false;
        repaint();
        return;
    }
    m_loading = true;
    const quint64 generation = m_generation;
    const QRect inner(margin, margin, kSize - 2 * margin, kSize - 2 * margin);
    auto* watcher = new QFutureWatcher<ThumbnailLoad::Result>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher] {
        const ThumbnailLoad::Result result = watcher->result();
        watcher->deleteLater();
        // A newer SetPicture (or a clear) has happened since this load started.
        if (result.generation != m_generation)
            return;
        thumbnail = result.thumbnail;
        thumbRect = result.thumbRect;
        m_loading = false;
        show();
        repaint();
        emit thumbnailLoaded();
    });
    watcher->setFuture(QtConcurrent::run(&m_list->loadPool(), ThumbnailLoad::load, path, inner, generation,
                                         devicePixelRatioF()));
}

QString CImgCtrl::lookName() const {
    if (free || picturePath.isEmpty() || !m_list->lookNameOf)
        return {};
    return m_list->lookNameOf(index, picturePath);
}

bool CImgCtrl::event(QEvent* event) {
    // Asked for when the pointer rests: the name follows whatever the cell shows by then.
    if (event->type() == QEvent::ToolTip) {
        const QString name = lookName();
        if (name.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), name, this);
        return true;
    }
    return QWidget::event(event);
}

void CImgCtrl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kCellGround);
    if (selected) {
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath highlight;
        highlight.addRoundedRect(QRectF(rect()), 12.5, 12.5);
        painter.fillPath(highlight, kHighlight);
    }
    if (!thumbnail.isNull()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(thumbRect, thumbnail);
    }
}

void CImgCtrl::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        m_list->cellClicked(this, event->buttons(), event->modifiers());
    QWidget::mousePressEvent(event);
}

void CImgCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double-click arrives only as this event; it counts as a press.
    if (event->button() == Qt::LeftButton)
        m_list->cellClicked(this, event->buttons(), event->modifiers());
    // Not passed on: the default handling would run the press handler a second time.
}

void CImgCtrl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const Qt::KeyboardModifiers modifiers = event->modifiers();
        const bool onlyModifier = event->buttons() == Qt::NoButton &&
                                  (modifiers == Qt::ControlModifier || modifiers == Qt::ShiftModifier);
        if (!onlyModifier)
            m_list->cellReleased(this);
    }
    QWidget::mouseReleaseEvent(event);
}
