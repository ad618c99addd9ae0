#pragma once

#include <QPoint>
#include <QString>

#include <memory>

class QMenu;
class QWidget;

// The help button's pop-up: the user guide, the project's support page and the About box.
namespace HelpMenu {

// The project's home page; the support page and the About links point here too.
inline constexpr const char* kHomePage = LUMENKRAFT_HOME_PAGE;

// programFolder() + "help/index.html", the user guide shipped with the program.
QString guidePath();

// "Online Help", "Support", a separator and "About", each action carrying its command id.
std::unique_ptr<QMenu> build(QWidget* owner);

// Carries out a chosen command; any other id (0 for a dismissed menu) does nothing.
void act(int commandId, QWidget* owner);

// Opens the menu with its top-left corner at globalPos and acts on the choice.
void run(QWidget* owner, const QPoint& globalPos);

} // namespace HelpMenu
