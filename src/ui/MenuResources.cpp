#include "MenuResources.h"

namespace MenuResources {

const QList<Popup>& dropDownPopups() {
    static const QList<Popup> popups = {
        {QStringLiteral("bili"),
         {{32788, QStringLiteral("Free")},
          {32780, QStringLiteral("1:1")},
          {32786, QStringLiteral("3:2")},
          {32787, QStringLiteral("4:3")},
          {32782, QStringLiteral("16:9")},
          {32789, QStringLiteral("Original ")}}},
        {QStringLiteral("lvjing"),
         {{32790, QStringLiteral("All")},
          {32791, QStringLiteral("Color Tint")},
          {32792, QStringLiteral("Color Temperature")},
          {32793, QStringLiteral("Black and White")},
          {32794, QStringLiteral("Sketch")},
          {32795, QStringLiteral("Blur")},
          {32796, QStringLiteral("Glow")},
          {32797, QStringLiteral("Hue")},
          {32798, QStringLiteral("Others")}}},
        {QStringLiteral("gz"),
         {{32799, QStringLiteral("All")},
          {32800, QStringLiteral("Colorful")},
          {32801, QStringLiteral("Natural")},
          {32802, QStringLiteral("Black and White")}}},
        {QStringLiteral("bk"),
         {{32803, QStringLiteral("All")},
          {32804, QStringLiteral("Regular")},
          {32805, QStringLiteral("Artistic")}}},
    };
    return popups;
}

QString itemText(const Popup& popup, int commandId) {
    for (const Item& item : popup.items)
        if (item.commandId == commandId)
            return item.text;
    return {};
}

QList<int> commandIds(const Popup& popup) {
    QList<int> ids;
    for (const Item& item : popup.items)
        ids.append(item.commandId);
    return ids;
}

} // namespace MenuResources
