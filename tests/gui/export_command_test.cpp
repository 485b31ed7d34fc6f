// The spreadsheet export from the menu: the dialog answered by the test, the empty-table
// message, the dialog's name after complete and failed exports, the type-change rule, and
// exports that fail on an unwritable folder or a full disk without harm to an earlier file.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "../file_system_faults.h"
#include "../table_rows_builder.h"
#include "app/export_command.h"
#include "app/file_commands.h"
#include "modal_answers.h"
#include "ui/main_texts.h"

using namespace porvel;
using namespace porvel::testing;

namespace {

class AnsweringDialog : public ExportDialogs {
public:
    QString AskExportPath(const QString& fileName) override {
        shown << fileName;
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    QStringList answers;
    QStringList shown;
};

struct Desk {
    Desk() : command(table, window, [this] { return language; }) {
        command.SetDialogs(&dialog);
        FillColumn(table, column::kObject, {"Плита", "Мост"});
    }
    QString Path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    QStringList Files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }

    QTemporaryDir dir;
    ArchiveTable table;
    QWidget window;
    AnsweringDialog dialog;
    Language language = Language::Russian;  // the main window's
    ExportCommand command;
};

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class ExportCommandTest : public QObject {
    Q_OBJECT
private slots:
    void completeExportEmptiesTheDialogsName();
    void aSeriesIsExportedOnItsOwn();
    void emptyTableIsReportedAfterTheDialog();
    void typeChangeAppendsTheEntrysExtensionUnlessPresent();
    void dialogProposesTheFirstNameAndGivesATypedNameItsTypesExtension();
    void unwritableFolderIsReportedWithTheReason();
    void fullDiskLeavesTheEarlierFileAndNoTemporary();
};

void ExportCommandTest::completeExportEmptiesTheDialogsName() {
    Desk desk;
    desk.dialog.answers = {QString(), desk.Path("a.xlsx"), desk.Path("b.csv")};
    ModalScript boxes;
    desk.command.ExportArchive();  // cancelled: nothing written, the name stays
    QCOMPARE(desk.command.DialogFileName(), kExportFileName);
    desk.command.ExportArchive();
    desk.command.ExportArchive();
    QCOMPARE(desk.dialog.shown, QStringList({kExportFileName, kExportFileName, QString()}));
    QCOMPARE(desk.Files(), QStringList({"a.xlsx", "b.csv"}));
    QVERIFY(ReadAll(desk.Path("a.xlsx")).startsWith("PK"));
    QVERIFY(ReadAll(desk.Path("b.csv")).contains("Мост"));
    QVERIFY(boxes.seen.isEmpty());
    QCOMPARE(desk.command.DialogFileName(), QString());
}

void ExportCommandTest::emptyTableIsReportedAfterTheDialog() {
    Desk desk;
    desk.table.SetGridRowCount(ArchiveTable::kMinRows);
    desk.table.ClearRow(1);
    desk.language = Language::English;
    desk.dialog.answers = {desk.Path("a.xls")};
    ModalScript boxes;
    desk.command.ExportArchive();
    QCOMPARE(desk.dialog.shown.size(), 1);
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen[0].title, QStringLiteral("Error"));
    QCOMPARE(boxes.seen[0].text, QStringLiteral("Archive not read!"));
    QCOMPARE(boxes.seen[0].icon, QMessageBox::Critical);
    QVERIFY(desk.Files().isEmpty());
}

void ExportCommandTest::typeChangeAppendsTheEntrysExtensionUnlessPresent() {
    QCOMPARE(TypeChangedName("Arhive", 1), QStringLiteral("Arhive.xlsx"));
    QCOMPARE(TypeChangedName("Arhive.xlsx", 0), QStringLiteral("Arhive.xlsx"));
    QCOMPARE(TypeChangedName("Arhive.xls", 1), QStringLiteral("Arhive.xls.xlsx"));
    QCOMPARE(TypeChangedName("Arhive", 2), QStringLiteral("Arhive.xls"));
    QCOMPARE(TypeChangedName("Arhive.xlsx", 3), QStringLiteral("Arhive.xlsx.csv"));
    QCOMPARE(NameFilters(kExportFilter).last(), QStringLiteral("CSV (*.csv)"));
}

namespace {

// Runs `act` on the export's file dialog once it is up, as the user works it.
void WithDialog(std::function<void(QFileDialog*, QLineEdit*)> act) {
    AnswerNext<QFileDialog>::Detached([act](QFileDialog* dialog) {
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        act(dialog, dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")));
    });
}

// Into the name field, as a user types it.
void TypeName(QLineEdit* name, const QString& text) {
    name->setFocus();
    name->selectAll();
    QTest::keyClicks(name, text);
}

void ChooseType(QFileDialog* dialog, const QString& type) {
    auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    types->setFocus(Qt::MouseFocusReason);  // the user clicks it
    const int index = types->findText(type);
    types->setCurrentIndex(index);
    emit types->activated(index);
    emit types->textActivated(type);
}

}  // namespace

void ExportCommandTest::dialogProposesTheFirstNameAndGivesATypedNameItsTypesExtension() {
    QTemporaryDir dir;
    QWidget parent;
    QtExportDialogs dialogs(&parent, [] { return Language::Russian; });
    const QString folder = QDir(dir.path()).canonicalPath();
    QString proposed;
    WithDialog([&](QFileDialog* dialog, QLineEdit* name) {
        dialog->setDirectory(folder);
        name->clear();
        ChooseType(dialog, QStringLiteral("Exel 2007 (*.xlsx)"));
        proposed = name->text();  // the first name, not the folder's
        TypeName(name, QStringLiteral("site 12"));
        QTest::keyClick(name, Qt::Key_Return);
    });
    QCOMPARE(dialogs.AskExportPath(QString()), folder + QStringLiteral("/site 12.xlsx"));
    QCOMPARE(proposed, QStringLiteral("Arhive.xlsx"));

    // The typed name's full name is taken: asked first, and No keeps the file.
    QFile taken(folder + QStringLiteral("/day.csv"));
    QVERIFY(taken.open(QIODevice::WriteOnly));
    taken.close();
    bool asked = false;
    WithDialog([&](QFileDialog* dialog, QLineEdit* name) {
        dialog->setDirectory(folder);
        ChooseType(dialog, QStringLiteral("CSV (*.csv)"));
        TypeName(name, QStringLiteral("day"));
        AnswerNext<QMessageBox> no([&](QMessageBox* box) {
            asked = true;
            box->button(QMessageBox::No)->click();
        });
        QTest::keyClick(name, Qt::Key_Return);
        QVERIFY(asked);
        QVERIFY(dialog->isVisible());
        TypeName(name, QStringLiteral("day.csv"));  // typed whole: replaced without a question
        QTest::keyClick(name, Qt::Key_Return);
    });
    QCOMPARE(dialogs.AskExportPath(QString()), taken.fileName());
}

void ExportCommandTest::unwritableFolderIsReportedWithTheReason() {
    Desk desk;
    const QString path = desk.Path("a.xlsx");
    desk.dialog.answers = {path};
    ModalScript boxes;
    {
        UnwritableFolder readOnly(desk.dir.path());
        QVERIFY(readOnly.Ok());
        desk.command.ExportArchive();
    }
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen[0].title, QStringLiteral("Внимание"));
    const QStringList lines = boxes.seen[0].text.split('\n');
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0], MainTextOf(MainText::ExportError, Language::Russian));
    QVERIFY2(lines[1].startsWith(QDir::toNativeSeparators(path) + ": ") &&
                 lines[1].size() > path.size() + 2,
             qPrintable(lines[1]));
    QVERIFY(desk.Files().isEmpty());
    QCOMPARE(desk.command.DialogFileName(), path);  // kept after a failure
}

void ExportCommandTest::fullDiskLeavesTheEarlierFileAndNoTemporary() {
    Desk desk;
    QStringList names;
    for (int i = 0; i < 3000; ++i) names << QStringLiteral("Объект %1").arg(i);
    FillColumn(desk.table, column::kObject, names);
    // The limit holds for every file of the process, the .xlsx library's own temporary files
    // included: a workbook cut short there is found when it is read back, and refused.
    for (const QString name : {"a.xlsx", "a.xls", "a.csv"}) {
        const QString path = desk.Path(name);
        QFile earlier(path);
        QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("earlier") == 7);
        earlier.close();
        desk.dialog.answers = {path};
        ModalScript boxes;
        {
            FileSizeLimit full(16 * 1024);
            QVERIFY(full.Ok());
            desk.command.ExportArchive();
        }
        QVERIFY2(boxes.seen.size() == 1, qPrintable(name));
        QVERIFY(boxes.seen[0].text.contains(QDir::toNativeSeparators(path)));
        QCOMPARE(ReadAll(path), QByteArray("earlier"));
    }
    QCOMPARE(desk.Files(), QStringList({"a.csv", "a.xls", "a.xlsx"}));
}

void ExportCommandTest::aSeriesIsExportedOnItsOwn() {
    Desk desk;
    FillColumn(desk.table, column::kObject, {"Плита", "Мост", "Свая"});
    desk.dialog.answers << desk.Path(QStringLiteral("series.csv"));
    desk.command.ExportRows({3, 1});
    const QString csv = QString::fromUtf8(ReadAll(desk.Path(QStringLiteral("series.csv"))));
    const QStringList lines = csv.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);  // the header and the two rows, in the order given
    QVERIFY(lines[1].contains(QStringLiteral("Свая")));
    QVERIFY(lines[2].contains(QStringLiteral("Плита")));
    QVERIFY(!csv.contains(QStringLiteral("Мост")));
    QCOMPARE(desk.table.GridRowCount(), 4);  // the archive itself is untouched
}

QTEST_MAIN(ExportCommandTest)
#include "export_command_test.moc"
