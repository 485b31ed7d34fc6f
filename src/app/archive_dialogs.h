// The two file dialogs of the archive commands, behind an interface that tests answer.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace porvel {

// Filters are written as description|pattern pairs separated by bars.
inline const QString kArchiveFilter = QStringLiteral("Porvel|*.wpa|All Files|*.*");
inline const QString kSaveDialogFileName = QStringLiteral("Arhive.wpa");
// What a name typed without an extension gets: the archive's own.
inline const QString kArchiveSuffix = QStringLiteral("wpa");

// "Porvel|*.wpa|All Files|*.*" as the toolkit's name filters: "Porvel (*.wpa)", ...
QStringList NameFilters(const QString& barFilter);

class ArchiveDialogs {
public:
    virtual ~ArchiveDialogs() = default;
    // The chosen file's full path; empty when the user cancels.
    virtual QString OpenDialog1() = 0;
    virtual QString SaveDialog2() = 0;
};

// The toolkit's file dialogs, modal over `parent`. The save dialog's title is the Save As menu
// text of the language current when it is shown; neither dialog asks before overwriting.
class QtArchiveDialogs : public ArchiveDialogs {
public:
    explicit QtArchiveDialogs(QWidget* parent) : parent_(parent) {}
    QString OpenDialog1() override;
    QString SaveDialog2() override;

private:
    QWidget* parent_;
};

}  // namespace porvel
