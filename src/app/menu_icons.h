// The 13 menu icons of the main window, 16 x 16, drawn once; and the program icon.
#pragma once

#include <QIcon>

namespace porvel {

enum class MenuIcon : int {
    New = 0,
    Open,
    Save,
    Export,
    Print,
    Exit,
    Copy,
    Screenshot,
    Russian,
    English,
    TableW,
    Contents,
    About,
};

QIcon MenuIconOf(MenuIcon icon);

// The program's own icon, the window icon of every window, at the sizes it was drawn in (16 to
// 256 pixels; packaging/icons).
QIcon ApplicationIcon();

}  // namespace porvel
