// The main window's two-language text table.
#pragma once

#include <QString>

#include "base/language.h"

namespace porvel {

// The keys of the main text table's rows.
enum class MainText : int {
    ProductName,
    File,
    New,
    Open,
    Save,
    SaveAs,
    ExportToExcel,
    Print,
    Exit,
    Edit,
    CopyTable,
    CopySelection,
    Screenshot,
    Help,
    TableW,
    Contents,
    About,
    ReadFromDevice,
    MaterialsSetting,
    ObjectsSetting,
    ArchiveTitle,
    ArchiveNotRead,
    Error,
    ExportError,
    TableEmpty,
    HintSort,
    HintPlot,
    HintSelect,
    Delete,
    FileExistsFirst,
    FileExistsSecond,
    Count,  // no row: the number of rows
};

QString MainTextOf(MainText row, Language language);

}  // namespace porvel
