#include "archive_dialogs.h"

#include <QFileDialog>

#include "ui/main_texts.h"

namespace porvel {
namespace {

void Prepare(QFileDialog& dialog, const char* name) {
    dialog.setObjectName(QString::fromLatin1(name));
    dialog.setNameFilters(NameFilters(kArchiveFilter));
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
}

QString Run(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles().value(0);
}

}  // namespace

QStringList NameFilters(const QString& barFilter) {
    const QStringList parts = barFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters << parts[i] + QStringLiteral(" (") + parts[i + 1] + QLatin1Char(')');
    return filters;
}

QString QtArchiveDialogs::OpenDialog1() {
    QFileDialog dialog(parent_);
    Prepare(dialog, "OpenDialog1");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return Run(dialog);
}

QString QtArchiveDialogs::SaveDialog2() {
    QFileDialog dialog(parent_, MainTextOf(MainText::SaveAs, CurrentLanguage()));
    Prepare(dialog, "SaveDialog2");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(kArchiveSuffix);
    dialog.selectFile(kSaveDialogFileName);
    return Run(dialog);
}

}  // namespace porvel
