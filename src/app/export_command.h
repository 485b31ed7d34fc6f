// The spreadsheet export of the File menu: its save dialog with the type-change rule, the
// check for an empty table, the export with a wait cursor and, when it takes a while, a
// progress dialog, and its messages.
#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <utility>

#include "base/language.h"

class QAction;
class QWidget;

namespace porvel {

class ArchiveTable;

// Described as description|pattern pairs: the three workbook entries, then CSV, so that the
// type-change rule of the first three stays as it was.
inline const QString kExportFilter =
    QStringLiteral("Exel 2003|*.xls|Exel 2007|*.xlsx|All Files|*.*|CSV|*.csv");
inline const QString kExportFileName = QStringLiteral("Arhive.xlsx");

// The dialog's name after the user picked filter entry `filterIndex` (from 0): the entry's
// extension (".xls", ".xlsx", ".xls" for "All Files", ".csv") is appended unless it occurs
// anywhere in `path` already. An earlier extension is not taken off.
QString TypeChangedName(const QString& path, int filterIndex);

// The export's save dialog, behind an interface that tests answer.
class ExportDialogs {
public:
    virtual ~ExportDialogs() = default;
    // Shown with `fileName` in its name field; the chosen full path, empty when cancelled.
    virtual QString AskExportPath(const QString& fileName) = 0;
};

// The toolkit's dialog, modal over `parent`, titled with the export menu text in the language
// `language` gives. A name typed without an extension gets the chosen type's, and the dialog
// asks before that replaces a file; a name typed whole replaces its file without a question.
class QtExportDialogs : public ExportDialogs {
public:
    QtExportDialogs(QWidget* parent, LanguageSource language)
        : parent_(parent), language_(std::move(language)) {}
    QString AskExportPath(const QString& fileName) override;

private:
    QWidget* parent_;
    LanguageSource language_;
};

class ExportCommand : public QObject {
    Q_OBJECT
public:
    // An export that runs longer than this shows its progress.
    static constexpr int kProgressDelayMs = 500;

    // Its dialogs and messages speak the language `language` gives when they are shown.
    ExportCommand(const ArchiveTable& table, QWidget& window, LanguageSource language,
                  QObject* parent = nullptr);
    ~ExportCommand() override;

    // Enables the menu item and connects it to ExportArchive.
    void Connect(QAction* exportAction);
    void ExportArchive();
    // The same workbook of `rows` of the table only (grid rows, in the order given).
    void ExportRows(const std::vector<int>& rows);
    // Writes the table into `path`; a failure is reported with the file and the reason. True
    // when the file was written.
    bool ExportGridToExcel(const ArchiveTable& table, const QString& title, const QString& path);

    // What the dialog's name field shows next time: the last chosen path, emptied by a complete
    // export.
    QString DialogFileName() const { return fileName_; }
    // Replaces the toolkit's dialog; the caller keeps `dialogs` alive.
    void SetDialogs(ExportDialogs* dialogs) { dialogs_ = dialogs; }

private:
    const ArchiveTable& table_;
    QWidget& window_;
    LanguageSource language_;
    std::unique_ptr<ExportDialogs> ownDialogs_;
    ExportDialogs* dialogs_;
    QString fileName_ = kExportFileName;
};

}  // namespace porvel
