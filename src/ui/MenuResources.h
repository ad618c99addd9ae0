#pragma once

#include <QList>
#include <QString>

// The pop-up menus of the window: command ids and texts, in menu order.
namespace MenuResources {

struct Item {
    int commandId;
    QString text;
};

struct Popup {
    QString title;
    QList<Item> items;
};

// The drop-down menus, by pop-up index: 0 crop ratios, 1 filter, 2 light, 3 frame categories.
// The last ratio item really is "Original " with a trailing blank; the caption shows it so.
const QList<Popup>& dropDownPopups();

// The help menu's commands.
inline constexpr int kOnlineHelp = 32774;
inline constexpr int kSupport = 32779;
inline constexpr int kAbout = 32777;

// The menu text of a command id of a pop-up; empty when the pop-up has no such item.
QString itemText(const Popup& popup, int commandId);

// The command ids of a pop-up, in menu order.
QList<int> commandIds(const Popup& popup);

} // namespace MenuResources
