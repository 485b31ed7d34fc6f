// The main window's two-language text table.
#pragma once

#include <QString>

#include "base/language.h"

namespace porvel {

// Rows of the main text table, numbered from 1 as the rest of the program refers to them.
enum class MainText : int {
    ProductName = 1,
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
    DateHeader,
    TimeHeader,
    ObjectHeader,
    MaterialHeader,
    AtmosphereHeader,
    MHeader,
    AHeader,
    HHeader,
    GradeHeader,
    ArchiveTitle,
    ArchiveNotRead,
    Error,
    ExportError,
    ExcelMissing,
    TableEmpty,
    HintSort,
    HintPlot,
    HintSelect,
    Delete,
    FileExistsFirst,
    FileExistsSecond,
};

constexpr int kMainTextCount = 41;

QString MainTextOf(MainText row, Language language);

}  // namespace porvel
