#include "HoverTip.h"

#include <QPalette>

HoverTip::HoverTip(QWidget* owner) : QLabel(owner, Qt::ToolTip | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("hoverTip"));
    setWindowTitle(QStringLiteral("Lumenkraft tip"));
    setPalette(tipColours());
    setAutoFillBackground(true);
    setMargin(3);
    setFrameShape(QFrame::Box);
    m_hideTimer.setSingleShot(true);
    m_hideTimer.setInterval(kVisibleMs);
    connect(&m_hideTimer, &QTimer::timeout, this, &QWidget::hide);
}

QPalette HoverTip::tipColours() {
    // Cyan text needs a dark ground to be read; the usual pale tooltip yellow would swallow it.
    QPalette colours;
    colours.setColor(QPalette::Window, QColor(40, 40, 40));
    colours.setColor(QPalette::WindowText, QColor(0, 255, 255));
    colours.setColor(QPalette::ToolTipBase, QColor(40, 40, 40));
    colours.setColor(QPalette::ToolTipText, QColor(0, 255, 255));
    return colours;
}

void HoverTip::showAt(const QPoint& globalPos, const QString& text) {
    if (text.isEmpty())
        return;
    setText(text);
    adjustSize();
    move(globalPos + QPoint(2, 20));
    show();
    raise();
    m_hideTimer.start();
}
