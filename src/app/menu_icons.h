// ImageList1: the 13 menu icons of the main window, 16 x 16, drawn once.
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

}  // namespace porvel
