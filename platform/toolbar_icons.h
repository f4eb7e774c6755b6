#pragma once

#include <QIcon>

class QStyle;

namespace platform {

// The toolbar picture of a command: the desktop theme's icon when it has one, else the
// style's standard icon, else a small drawn glyph, so every button shows something.
QIcon ToolbarIcon(int commandId, const QStyle& style);

}  // namespace platform
