#include "CcsAllDlg.h"

#include "Session.h"

#include <QPushButton>

CcsAllDlg::CcsAllDlg(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setWindowTitle(QStringLiteral("Lumenkraft"));
    setFixedSize(1000, 650);
    move(0, 0);
    m_closeButton = new QPushButton(this);
    m_closeButton->setObjectName(QStringLiteral("closeButton"));
    m_closeButton->setGeometry(10, 7, 21, 22);
    m_closeButton->setToolTip(QStringLiteral("close"));
    connect(m_closeButton, &QPushButton::clicked, this, &CcsAllDlg::onCloseButton);
    Session::start(m_state);
}

CcsAllDlg::~CcsAllDlg() = default;

void CcsAllDlg::onCloseButton() {
    Session::shutdown(m_state);
    close();
}
