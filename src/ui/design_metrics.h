// The windows are laid out in design pixels of a 120 dpi screen; Qt places widgets in logical
// pixels of 96 per inch, and scales those to the screen itself.
#pragma once

#include <QFileDialog>
#include <QHeaderView>
#include <QTreeView>
#include <cmath>

namespace porvel {

constexpr double kDesignDpi = 120.0;
constexpr double kLogicalDpi = 96.0;

inline int Design(int designPixels) {
    return static_cast<int>(std::lround(designPixels * kLogicalDpi / kDesignDpi));
}

// The toolkit's file dialogs open too narrow to show a file's date whole; the program's open
// wide enough for every column of their list.
inline void SizeFileDialog(QFileDialog& dialog) {
    constexpr QSize kFileDialogSize(820, 500);
    dialog.resize(dialog.sizeHint().expandedTo(kFileDialogSize));
    // The toolkit's own dialog gives the room to its last column, the date.
    if (auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView")))
        list->header()->setStretchLastSection(true);
}

}  // namespace porvel
