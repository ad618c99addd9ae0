#include "CButtonX.h"

#include "HoverTip.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>

CButtonX::CButtonX(QWidget* parent) : QPushButton(parent) {
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_NoSystemBackground);
    m_restTimer.setSingleShot(true);
    m_restTimer.setInterval(HoverTip::kHoverTimeMs + HoverTip::kInitialDelayMs);
    connect(&m_restTimer, &QTimer::timeout, this, &CButtonX::showTip);
}

CButtonX::~CButtonX() {
    delete m_tooltip;
}

void CButtonX::SetPicture(const QString& fileName) {
    picturePath = StripPicture::uiPath(fileName);
}

void CButtonX::SetTooltip(const QString& text) {
    if (!m_tooltip)
        m_tooltip = new HoverTip(nullptr);
    tooltipText = text;
}

void CButtonX::setActive(bool on) {
    active = on;
    setEnabled(on);
    if (!on) {
        m_restTimer.stop();
        if (m_tooltip)
            m_tooltip->hide();
    }
    repaint();
}

void CButtonX::setPressedLook(bool on) {
    pressed = on;
    repaint();
}

StripPicture::State CButtonX::shownState() const {
    if (!active)
        return StripPicture::Inactive;
    return pressed ? StripPicture::Pressed : StripPicture::Normal;
}

void CButtonX::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (picturePath.isEmpty()) {
        painter.fillRect(rect(), QColor(255, 0, 0));
        return;
    }
    const QImage& strip = m_picture.get(picturePath);
    if (strip.isNull())
        return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::Antialiasing);
    // The inactive state goes underneath so that transparent parts of the state on top show
    // the same ground in every state.
    painter.drawImage(rect(), strip, StripPicture::stateSource(strip.size(), StripPicture::Inactive));
    painter.drawImage(rect(), strip, StripPicture::stateSource(strip.size(), shownState()));
}

void CButtonX::mousePressEvent(QMouseEvent* event) {
    if (m_tooltip)
        m_tooltip->hide();
    m_restTimer.stop();
    if (active && event->button() == Qt::LeftButton)
        setPressedLook(true);
    QPushButton::mousePressEvent(event);
}

void CButtonX::mouseReleaseEvent(QMouseEvent* event) {
    if (active && !holdPressed && event->button() == Qt::LeftButton)
        setPressedLook(false);
    QPushButton::mouseReleaseEvent(event);
}

void CButtonX::mouseMoveEvent(QMouseEvent* event) {
    if (active && m_tooltip && event->buttons() == Qt::NoButton)
        m_restTimer.start();
    QPushButton::mouseMoveEvent(event);
}

void CButtonX::leaveEvent(QEvent* event) {
    m_restTimer.stop();
    if (m_tooltip)
        m_tooltip->hide();
    QPushButton::leaveEvent(event);
}

bool CButtonX::event(QEvent* event) {
    // The toolkit's own tooltip would come late and in the wrong colours; the hover tip
    // stands in for it.
    if (event->type() == QEvent::ToolTip)
        return true;
    return QPushButton::event(event);
}

void CButtonX::showTip() {
    if (active && m_tooltip && underMouse())
        m_tooltip->showAt(QCursor::pos(), tooltipText);
}
