// The controls a starter hands to the worker of its exchange. Any of them may be absent, and any
// may go away while the exchange runs: the worker then no longer reports into it.
#pragma once

#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QWidget>

#include "archive/archive_table.h"

namespace porvel {

class EditorGrid;

struct ExchangeControls {
    QPointer<QProgressBar> gauge;
    QPointer<QWidget> dialog;
    QPointer<QLabel> statusLabel;
    QPointer<ArchiveTable> archive;  // the archive read fills it
    QPointer<QObject> gridOwner;     // keeps track of the editor that owns `grid`
    EditorGrid* grid = nullptr;
};

}  // namespace porvel
