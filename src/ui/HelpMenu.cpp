#include "HelpMenu.h"

#include "AppPaths.h"
#include "CAboutDlg.h"
#include "MenuResources.h"

#include <QDesktopServices>
#include <QMenu>
#include <QPointer>
#include <QUrl>

namespace HelpMenu {

QString guidePath() {
    return AppPaths::programFolder() + QStringLiteral("help/index.html");
}

std::unique_ptr<QMenu> build(QWidget* owner) {
    auto menu = std::make_unique<QMenu>(owner);
    menu->setTitle(QStringLiteral("Help"));
    menu->addAction(QStringLiteral("Online Help"))->setData(MenuResources::kOnlineHelp);
    menu->addAction(QStringLiteral("Support"))->setData(MenuResources::kSupport);
    menu->addSeparator();
    menu->addAction(QStringLiteral("About"))->setData(MenuResources::kAbout);
    return menu;
}

void act(int commandId, QWidget* owner) {
    // Without a browser nothing visible happens; there is nothing useful to tell the user.
    switch (commandId) {
    case MenuResources::kOnlineHelp:
        QDesktopServices::openUrl(QUrl::fromLocalFile(guidePath()));
        break;
    case MenuResources::kSupport:
        QDesktopServices::openUrl(QUrl(QString::fromLatin1(kHomePage)));
        break;
    case MenuResources::kAbout: {
        CAboutDlg about(owner);
        about.exec();
        break;
    }
    default:
        break;
    }
}

void run(QWidget* owner, const QPoint& globalPos) {
    QPointer<QWidget> guard(owner);
    std::unique_ptr<QMenu> menu = build(owner);
    QAction* chosen = menu->exec(globalPos);
    if (!guard) {
        (void)menu.release(); // deleted with its owner
        return;
    }
    const int commandId = chosen ? chosen->data().toInt() : 0;
    menu.reset();
    act(commandId, owner);
}

} // namespace HelpMenu
