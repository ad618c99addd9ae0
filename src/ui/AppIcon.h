#pragma once

#include <QIcon>

namespace AppIcon {

// The program's icon, UI/lumenkraft.png; an empty icon when the picture is missing.
QIcon icon();

} // namespace AppIcon
