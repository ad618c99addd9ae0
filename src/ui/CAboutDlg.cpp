#include "CAboutDlg.h"

#include "AppIcon.h"
#include "HelpMenu.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace {

// A link shows its address preceded by one blank and opens it in the browser.
QLabel* linkLabel(const QString& address, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::RichText);
    label->setText(QStringLiteral("&nbsp;<a href=\"%1\">%1</a>").arg(address.toHtmlEscaped()));
    label->setOpenExternalLinks(true);
    label->setTextInteractionFlags(Qt::TextBrowserInteraction);
    return label;
}

} // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About Lumenkraft"));
    setModal(true);
    const QString address = QString::fromLatin1(HelpMenu::kHomePage);

    auto* icon = new QLabel(this);
    icon->setPixmap(AppIcon::icon().pixmap(32, 32));
    auto* name = new QLabel(versionText(), this);
    m_supportLink = linkLabel(address, this);
    m_supportLink->setObjectName(QStringLiteral("supportLink"));
    m_homepageLink = linkLabel(address, this);
    m_homepageLink->setObjectName(QStringLiteral("homepageLink"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(30, 20, 30, 16);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(10);
    grid->addWidget(icon, 0, 0);
    grid->addWidget(name, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Support:"), this), 1, 0);
    grid->addWidget(m_supportLink, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Homepage:"), this), 2, 0);
    grid->addWidget(m_homepageLink, 2, 1);
    grid->addWidget(buttons, 3, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    setMinimumWidth(430);
}

QString CAboutDlg::versionText() {
    return QStringLiteral("Lumenkraft, Version %1").arg(QStringLiteral(LUMENKRAFT_VERSION));
}
