// The objects editor, the materials editor and the screenshot window against the simulated
// instrument through the real binding: what the windows show, and what arrives in the device's
// own memory after a write.
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <cstring>

#include "device/exchange_types.h"
#include "gui_sim.h"
#include "modal_answers.h"
#include "settings/materials_editor.h"
#include "settings/objects_editor.h"
#include "settings/screen_image.h"
#include "settings/screenshot_window.h"
#include "ui/exchange_worker.h"
#include "wire/byte_order.h"
#include "wire/name_tables.h"

using namespace porvel;

namespace {

using Sim = testing::GuiSim;

const char* const kLists =
    "object 0 ru=\"Плита\" en=\"Slab\" material=1\n"
    "material 1 ru=\"Бетон В25\" en=\"Concrete B25\" a0=0.0012345678 a1=250\n"
    "material 2 a0=-3.25e-7 a1=1e30\n";

QPoint CellCentre(EditorGridWidget* grid, int column, int row) {
    return grid->visualItemRect(grid->item(row, column)).center();
}

void ClickCell(EditorGridWidget* grid, int column, int row) {
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCentre(grid, column, row));
}

// The line editor open in the grid, if any.
QLineEdit* OpenEditor(EditorGridWidget* grid) {
    for (QLineEdit* line : grid->viewport()->findChildren<QLineEdit*>())
        if (line->isVisible()) return line;
    return nullptr;
}

// Opens the cell's editor with a double click and types `text` into it, then Enter.
void TypeIntoCell(EditorGridWidget* grid, int column, int row, const QString& text) {
    ClickCell(grid, column, row);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, CellCentre(grid, column, row));
    QWidget* editor = OpenEditor(grid);
    QVERIFY(editor);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Delete);
    for (QChar c : text)  // as a keyboard layout types it, Cyrillic included
        QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString(c), Qt::NoModifier);
    QTest::keyClick(editor, Qt::Key_Return);
}

template <typename Editor>
bool OpenFilled(Editor& form) {
    if (!form.StartRead()) return false;
    form.show();
    form.activateWindow();
    return QTest::qWaitForWindowActive(&form) &&
           QTest::qWaitFor([&] { return form.loadButton->isEnabled(); }, 20000);
}

template <typename Editor>
bool WriteAndWait(Editor& form) {
    QTest::mouseClick(form.loadButton, Qt::LeftButton);
    return !form.loadButton->isEnabled() &&
           QTest::qWaitFor(
               [&] { return !ExchangeRunning(form.Session()) && form.loadButton->isEnabled(); },
               20000);
}

void SaveLook(QWidget& w, const char* name) {
    if (const QByteArray dir = qgetenv("PORVEL_SCREENSHOT_DIR"); !dir.isEmpty())
        w.grab().save(QString::fromLocal8Bit(dir) + '/' + name);
}

}  // namespace

class SettingsWindowsTest : public QObject {
    Q_OBJECT
    // The exchanges of the windows under test, as the main window hands them down.
    ExchangeSession session_;

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }
    void objectsEditorRenamesAndChoosesAMaterialIntoTheDevice();
    void editorsWrittenBackUneditedLeaveBothListsByteForByte();
    void materialsEditorWritesTheTypedCoefficientsAsFloats();
    void objectsEditorKeepsTheChosenOfTwoMaterialsOfOneName();
    void materialsEditorKeyFilterAndEnter();
    void materialsEditorTakesCommaAndFullStopOnBothDesktops();
    void materialsEditorKeepsATextThatDoesNotConvertForCorrection();
    void editorsShowTheirTextsWhole();
    void gridThatCannotBeStoredIsNotWritten();
    void failedWriteKeepsTheGridAndTheUnpluggedDeviceIsFoundAgain();
    void screenshotShowsSavesAndKeepsReadingAfterAFailedSave();
};

void SettingsWindowsTest::objectsEditorRenamesAndChoosesAMaterialIntoTheDevice() {
    Sim sim;
    QVERIFY(sim.Load(kLists));
    session_.exchange.listsNeeded = true;  // column 2 then shows the instrument's material names
    const ObjectListBlock before = sim.Objects();
    ObjectsEditor form(session_, Language::Russian);
    QVERIFY(OpenFilled(form));
    QCOMPARE(form.windowTitle(), QStringLiteral("Настройка Объектов"));
    QCOMPARE(form.grid->Cell(1, 1), QStringLiteral("Плита"));
    QCOMPARE(form.grid->Cell(2, 1), QStringLiteral("Бетон В25"));
    QCOMPARE(form.grid->Cell(3, 1), QStringLiteral("1"));
    QVERIFY(form.progressGauge->isHidden());

    // The combo lies over the selected material cell, with that cell's text.
    ClickCell(form.grid, 2, 4);
    QVERIFY(form.materialChooser->isVisible());
    QCOMPARE(form.materialChooser->geometry(), form.grid->visualItemRect(form.grid->item(4, 2)));
    QCOMPARE(form.materialChooser->count(), 20);
    ClickCell(form.grid, 1, 4);
    QVERIFY(!form.materialChooser->isVisible());
    ClickCell(form.grid, 2, 1);
    QVERIFY(form.materialChooser->isVisible());
    QCOMPARE(form.materialChooser->currentText(), QStringLiteral("Бетон В25"));
    ClickCell(form.grid, 2, 4);
    form.materialChooser->setCurrentIndex(6);
    emit form.materialChooser->activated(6);  // the seventh entry
    QCOMPARE(form.grid->Cell(2, 4), session_.materials.Name(6, Language::Russian));
    QCOMPARE(form.grid->Cell(3, 4), QStringLiteral("6"));

    // 19 characters typed: the cell takes the 14 the instrument keeps, as the user sees.
    const QString longName = QStringLiteral("Плита перекрытия П1");
    TypeIntoCell(form.grid, 1, 1, longName);
    QTRY_COMPARE(form.grid->Cell(1, 1), longName.left(14));  // Enter commits later
    SaveLook(form, "objects_editor.png");
    QVERIFY(WriteAndWait(form));
    QCOMPARE(form.statusLabel->text(), QStringLiteral("Готово"));

    const ObjectListBlock after = sim.Objects();
    const ObjectEntries entries = DecodeObjects(after);
    QVERIFY(entries[0].valid && entries[3].valid);
    QCOMPARE(entries[0].russian, longName.left(14));
    QCOMPARE(entries[0].english, QStringLiteral("Slab"));
    QCOMPARE(entries[3].material, 6);
    for (std::size_t e : {1u, 2u, 4u, 19u})
        QVERIFY(std::memcmp(&before[e * 36], &after[e * 36], 36) == 0);
}

// Two materials of one name are two materials: the one chosen is the one written.
void SettingsWindowsTest::objectsEditorKeepsTheChosenOfTwoMaterialsOfOneName() {
    Sim sim;
    QVERIFY(sim.Load(
        (std::string(kLists) + "material 4 ru=\"Бетон В25\" en=\"Concrete B25\"\n").c_str()));
    session_.exchange.listsNeeded = true;
    ObjectsEditor form(session_, Language::Russian);
    QVERIFY(OpenFilled(form));
    ClickCell(form.grid, 2, 2);
    QComboBox* combo = form.materialChooser;
    QVERIFY(combo->isVisible() && !combo->isEditable());
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    QTRY_VERIFY(list->isVisible());
    // The twins keep the device's name; the hint under the pointer tells them apart.
    QCOMPARE(combo->itemText(4), QStringLiteral("Бетон В25"));
    QCOMPARE(combo->itemText(1), combo->itemText(4));
    const QPoint twin = list->visualRect(list->model()->index(4, 0)).center();
    QTest::mouseMove(list->viewport(), twin);
    QHelpEvent hint(QEvent::ToolTip, twin, list->viewport()->mapToGlobal(twin));
    QApplication::sendEvent(list->viewport(), &hint);
    QTRY_COMPARE(QToolTip::text(), QStringLiteral("№ 5"));
    SaveLook(*list->window(), "material_twins.png");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(4, 0)).center());
    QCOMPARE(form.grid->Cell(3, 2), QStringLiteral("4"));
    ClickCell(form.grid, 1, 6);  // leaving the cell
    ClickCell(form.grid, 2, 2);  // and coming back shows the entry chosen
    QCOMPARE(combo->currentIndex(), 4);
    ClickCell(form.grid, 1, 6);
    QCOMPARE(form.grid->Cell(3, 2), QStringLiteral("4"));
    QVERIFY(WriteAndWait(form));
    QCOMPARE(DecodeObjects(sim.Objects())[1].material, 4);
}

void SettingsWindowsTest::editorsWrittenBackUneditedLeaveBothListsByteForByte() {
    Sim sim;
    QVERIFY(sim.Load(kLists));
    const ObjectListBlock objects = sim.Objects();
    const MaterialListBlock materials = sim.Materials();
    {
        MaterialsEditor form(session_, Language::Russian);
        QVERIFY(OpenFilled(form));
        QCOMPARE(form.grid->Cell(2, 2), QStringLiteral("1,235E-03"));
        QCOMPARE(form.grid->Cell(3, 2), QStringLiteral("2,500E+02"));
        QVERIFY(WriteAndWait(form));
    }
    {
        ObjectsEditor form(session_, Language::Russian);
        QVERIFY(OpenFilled(form));
        QVERIFY(WriteAndWait(form));
    }
    QVERIFY(sim.Materials() == materials);
    QVERIFY(sim.Objects() == objects);
}

void SettingsWindowsTest::materialsEditorWritesTheTypedCoefficientsAsFloats() {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    Sim sim;
    QVERIFY(sim.Load(kLists));
    const MaterialListBlock before = sim.Materials();
    MaterialsEditor form(session_, Language::Russian);
    QVERIFY(OpenFilled(form));
    QCOMPARE(form.grid->Cell(2, 2), QStringLiteral("1.235E-03"));
    TypeIntoCell(form.grid, 2, 2, QStringLiteral("0.25"));
    TypeIntoCell(form.grid, 1, 3, QStringLiteral("Бетон-x"));
    QCOMPARE(form.grid->Cell(2, 2), QStringLiteral("0.25"));
    SaveLook(form, "materials_editor.png");
    QVERIFY(WriteAndWait(form));

    const MaterialListBlock after = sim.Materials();
    const MaterialEntries entries = DecodeMaterials(after);
    QCOMPARE(entries[1].a0, 0.25f);
    QCOMPARE(entries[1].a1, 250.0f);
    QCOMPARE(entries[2].russian, QStringLiteral("Бетон-x"));
    QCOMPARE(entries[2].english, DecodeMaterials(before)[2].english);
    QCOMPARE(entries[2].a0, -3.25e-7f);  // unedited, exactly as it was
    for (std::size_t e = 0; e < 20; ++e) {
        QCOMPARE(after[e * 44 + 30], before[e * 44 + 30]);
        QCOMPARE(after[e * 44 + 31], before[e * 44 + 31]);
    }
}

void SettingsWindowsTest::materialsEditorKeyFilterAndEnter() {
    Sim sim;
    QVERIFY(sim.Load(kLists));
    MaterialsEditor form(session_, Language::Russian);
    QVERIFY(OpenFilled(form));
    EditorGridWidget* grid = form.grid;
    ClickCell(grid, 1, 5);
    QTest::keyClick(grid, Qt::Key_X);  // accepted in the name column
    QVERIFY(OpenEditor(grid));
    QTest::keyClick(OpenEditor(grid), Qt::Key_Return);
    QCOMPARE(grid->Cell(1, 5), QStringLiteral("x"));
    QCOMPARE(grid->currentRow(), 6);
    ClickCell(grid, 2, 20);
    QTest::keyClick(grid, Qt::Key_Return);
    QCOMPARE(grid->currentRow(), 1);
    QCOMPARE(grid->currentColumn(), 2);

    // A letter in a coefficient column: the message, and the cell keeps its text.
    QStringList shown;
    testing::AnswerNext<QMessageBox> answer([&](QMessageBox* box) {
        shown << box->text();
        box->button(QMessageBox::Ok)->click();
    });
    const QString kept = grid->Cell(2, 1);
    QTest::keyClick(grid, Qt::Key_X);
    QTRY_VERIFY(answer.Answered());
    QCOMPARE(shown, QStringList{QStringLiteral("Вводить только цифры!, формате 0.000E+00")});
    QCOMPARE(grid->Cell(2, 1), kept);
}

// Operators type the comma on English desktops too: on both desktops every form reaches the
// device as the number typed, with no message on the way.
void SettingsWindowsTest::materialsEditorTakesCommaAndFullStopOnBothDesktops() {
    for (const QLocale& desktop : {QLocale(QLocale::Russian, QLocale::Russia),
                                   QLocale(QLocale::English, QLocale::UnitedStates)}) {
        QLocale::setDefault(desktop);
        Sim sim;
        QVERIFY(sim.Load(kLists));
        MaterialsEditor form(session_, Language::Russian);
        QVERIFY(OpenFilled(form));
        QStringList shown;
        testing::ModalWatch refuse([&](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                shown << box->text();
                box->button(QMessageBox::Ok)->click();
            }
            return false;
        });
        const QStringList typed = {QStringLiteral("0,25"), QStringLiteral("2.5E-01"),
                                   QStringLiteral("1,5E-03"), QStringLiteral("1,5e-3")};
        for (int i = 0; i < typed.size(); ++i) TypeIntoCell(form.grid, 2 + i % 2, 1 + i, typed[i]);
        for (int i = 0; i < typed.size(); ++i)
            QCOMPARE(form.grid->Cell(2 + i % 2, 1 + i), typed[i]);
        QVERIFY(WriteAndWait(form));
        QCOMPARE(shown, QStringList());
        const MaterialEntries entries = DecodeMaterials(sim.Materials());
        QCOMPARE(entries[0].a0, 0.25f);
        QCOMPARE(entries[1].a1, 0.25f);
        QCOMPARE(entries[2].a0, 0.0015f);
        QCOMPARE(entries[3].a1, 0.0015f);
    }
}

// A text that does not convert, committed with Enter: one message once the key has been
// delivered, the text kept with its editor open again, and no write while it stands.
void SettingsWindowsTest::materialsEditorKeepsATextThatDoesNotConvertForCorrection() {
    for (const QLocale& desktop : {QLocale(QLocale::Russian, QLocale::Russia),
                                   QLocale(QLocale::English, QLocale::UnitedStates)}) {
        QLocale::setDefault(desktop);
        Sim sim;
        QVERIFY(sim.Load(kLists));
        const MaterialListBlock before = sim.Materials();
        MaterialsEditor form(session_, Language::Russian);
        QVERIFY(OpenFilled(form));
        EditorGridWidget* grid = form.grid;
        for (const QString& typo : {QStringLiteral("1.5E"), QStringLiteral("2E")}) {
            QStringList shown;
            testing::AnswerNext<QMessageBox> answer([&](QMessageBox* box) {
                shown << box->text();
                box->button(QMessageBox::Ok)->click();
            });
            TypeIntoCell(grid, 2, 4, typo);
            QTRY_VERIFY(answer.Answered());
            QCOMPARE(shown.size(), 1);
            QCOMPARE(grid->Cell(2, 4), typo);
            QTRY_VERIFY(OpenEditor(grid));
            QCOMPARE(OpenEditor(grid)->text(), typo);
            QCOMPARE(grid->currentRow(), 4);
        }
        testing::AnswerNext<QMessageBox> atWrite(
            [](QMessageBox* box) { box->button(QMessageBox::Ok)->click(); });
        QTest::mouseClick(form.loadButton, Qt::LeftButton);
        QTRY_VERIFY(atWrite.Answered());
        QVERIFY(!ExchangeRunning(session_));
        QVERIFY(sim.Materials() == before);
        // Corrected, it is written.
        QTest::keyClick(OpenEditor(grid), Qt::Key_A, Qt::ControlModifier);
        for (QChar c : QStringLiteral("2E-3"))
            QTest::sendKeyEvent(QTest::Click, OpenEditor(grid), Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
        QVERIFY(WriteAndWait(form));
        QCOMPARE(DecodeMaterials(sim.Materials())[3].a0, 0.002f);
    }
}

// Every coefficient and the longest names whole in the window's font.
void SettingsWindowsTest::editorsShowTheirTextsWhole() {
    Sim sim;
    QVERIFY(sim.Load(kLists));
    MaterialsEditor materials(session_, Language::Russian);
    QVERIFY(OpenFilled(materials));
    ObjectsEditor objects(session_, Language::Russian);
    QVERIFY(OpenFilled(objects));
    for (EditorGridWidget* grid : {materials.grid, objects.grid}) {
        const QFontMetrics metrics(grid->font());
        for (int col = 1; col < grid->columnCount(); ++col) {
            if (grid->isColumnHidden(col)) continue;
            for (int row = 0; row < grid->rowCount(); ++row)
                QVERIFY2(metrics.horizontalAdvance(grid->Cell(col, row)) < grid->columnWidth(col),
                         qPrintable(grid->Cell(col, row)));
            QVERIFY(grid->geometry().right() <= grid->parentWidget()->width());
        }
    }
    QVERIFY(materials.loadButton->geometry().right() <= materials.width());
    SaveLook(materials, "materials_editor_fitted.png");
    SaveLook(objects, "objects_editor_fitted.png");
}

void SettingsWindowsTest::gridThatCannotBeStoredIsNotWritten() {
    Sim sim;
    QVERIFY(sim.Load(kLists));
    const ObjectListBlock before = sim.Objects();
    ObjectsEditor form(session_, Language::Russian);
    QVERIFY(OpenFilled(form));
    form.grid->SetCell(1, 2, QStringLiteral("Плита ✓"));
    QString shown;
    testing::AnswerNext<QMessageBox> answer([&](QMessageBox* box) {
        shown = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    QTest::mouseClick(form.loadButton, Qt::LeftButton);
    QTRY_VERIFY(answer.Answered());
    QVERIFY2(shown.contains(QStringLiteral("Строка 2")) && shown.contains(QStringLiteral("✓")),
             qPrintable(shown));
    QVERIFY(!ExchangeRunning(session_));
    QVERIFY(form.loadButton->isEnabled());
    QVERIFY(sim.Objects() == before);
}

void SettingsWindowsTest::failedWriteKeepsTheGridAndTheUnpluggedDeviceIsFoundAgain() {
    Sim sim;
    // Transfers 1-3 read the list; the write's command is 4 and its header 5.
    QVERIFY(sim.Load((std::string(kLists) + "fault unplug after=8 back=2\n").c_str()));
    const MaterialListBlock before = sim.Materials();
    MaterialsEditor form(session_, Language::Russian);
    QVERIFY(OpenFilled(form));
    form.grid->SetCell(1, 4, QStringLiteral("Раствор"));
    QVERIFY(WriteAndWait(form));
    QCOMPARE(form.statusLabel->text(), QStringLiteral("Ошибка связи"));
    QVERIFY(form.progressGauge->isVisible());
    QCOMPARE(form.grid->Cell(1, 4), QStringLiteral("Раствор"));
    QVERIFY(sim.Materials() == before);
    QVERIFY(WriteAndWait(form));
    QCOMPARE(form.statusLabel->text(), QStringLiteral("Готово"));
    QCOMPARE(DecodeMaterials(sim.Materials())[3].russian, QStringLiteral("Раствор"));
}

void SettingsWindowsTest::screenshotShowsSavesAndKeepsReadingAfterAFailedSave() {
    Sim sim;
    QString hex(784 * 2, QLatin1Char('0'));
    hex.replace(0, 2, "01");
    hex.replace(98 * 2, 2, "01");
    hex.replace(783 * 2, 2, "FF");
    QVERIFY(sim.Load(("screen hex " + hex.toStdString() + "\n").c_str()));
    ScreenBlock expected{};
    expected[0] = 1;
    expected[98] = 1;
    expected[783] = 0xFF;

    QTemporaryDir dir;
    ScreenshotWindow form(session_, Language::Russian);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.inkColorBox->Selected(), QColor(Qt::black));
    QCOMPARE(form.backgroundColorBox->Selected(), QColor(Qt::white));
    const QString blocked = dir.filePath("screen.png");
    testing::AnswerNext<QFileDialog> choose(
        [&](QFileDialog* dialog) { testing::TypeFileName(dialog, blocked); });
    QTest::mouseClick(form.saveToFileBox, Qt::LeftButton);
    QVERIFY(choose.Answered());
    QCOMPARE(form.PictureFileName(), blocked);
    QVERIFY(QDir().mkdir(blocked));  // a folder where the file should go

    form.inkColorBox->Select(Qt::darkGreen);
    QString shown;
    testing::AnswerNext<QMessageBox> answer([&](QMessageBox* box) {
        shown = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    QTest::mouseClick(form.readButton, Qt::LeftButton);
    QVERIFY(!form.readButton->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(answer.Answered(), 20000);
    QVERIFY2(shown.contains(blocked), qPrintable(shown));
    QCOMPARE(form.Picture(), ScreenImage(expected, Qt::darkGreen, Qt::white));
    QVERIFY(form.readButton->isEnabled());
    QVERIFY(form.progressGauge->isHidden());
    SaveLook(form, "screenshot_window.png");

    // The read cycle goes on: a second read saves to a file that can be written.
    QVERIFY(QDir(blocked).removeRecursively());
    QTRY_VERIFY(!ExchangeRunning(session_));
    QTest::mouseClick(form.readButton, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(form.readButton->isEnabled(), 20000);
    QImage saved(blocked);
    QCOMPARE(saved.convertToFormat(QImage::Format_RGB32), form.Picture());
}

QTEST_MAIN(SettingsWindowsTest)
#include "settings_windows_test.moc"
