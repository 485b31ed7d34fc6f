#include "materials_editor.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTimer>
#include <array>

#include "base/locale_format.h"
#include "editor_checks.h"
#include "ui/main_texts.h"
#include "ui/message_box.h"
#include "wire/frames.h"

namespace porvel {
namespace {

enum Text {
    kCaption,
    kNumberHeader,
    kMaterialHeader,
    kA0Header,
    kA1Header,
    kButton,
    kInputMessage,
    kInputTitle,
    kTextCount
};
constexpr std::array<KeyedText<Text>, kTextCount> kTexts = {{
    {kCaption, {u"Настройка материалов", u"Materials settings"}},
    {kNumberHeader, {u"№", u"№"}},
    {kMaterialHeader, {u"Материал", u"Material"}},
    {kA0Header, {u"a0", u"a0"}},
    {kA1Header, {u"a1", u"a1"}},
    {kButton, {u"Загрузить в прибор", u"Load into the device"}},
    {kInputMessage,
     {u"Вводить только цифры!, формате 0.000E+00", u"To enter only figures!, Format 0.000E +00"}},
    {kInputTitle, {u"Внимание", u"Warning"}},
}};
static_assert(KeysInOrder(kTexts, kTextCount));

constexpr int kDataRows = 20;
constexpr int kExactDigits = 9;  // enough for every float to come back to itself

QString T(Text text, Language language) {
    return TextOf(kTexts, text, language);
}

// The cell editor: every key passes the window's key filter, every committed text the window's
// cell check.
class CellDelegate : public EditorCellDelegate {
public:
    explicit CellDelegate(MaterialsEditor* form) : EditorCellDelegate(form), form_(form) {}

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        EditorCellDelegate::setModelData(editor, model, index);
        form_->CellCommitted(index.column(), index.row());
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const QChar typed = TypedCharacter(*static_cast<QKeyEvent*>(event));
            auto* editor = qobject_cast<QWidget*>(object);
            if (!typed.isNull() && editor) {
                if (typed == QLatin1Char('\r')) {
                    emit commitData(editor);
                    emit closeEditor(editor);
                }
                if (form_->OnKeyTyped(typed)) return true;
            }
        }
        return EditorCellDelegate::eventFilter(object, event);
    }

private:
    MaterialsEditor* form_;
};

}  // namespace

QChar TypedCharacter(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return QLatin1Char('\r');
        case Qt::Key_Backspace:
            return QLatin1Char('\b');
        case Qt::Key_Tab:
            return QLatin1Char('\t');
        default:
            // Shortcuts and keys such as Delete move or edit; they type no character.
            if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
                return QChar();
            return event.text().isEmpty() || !event.text().front().isPrint() ? QChar()
                                                                             : event.text().front();
    }
}

MaterialsEditor::MaterialsEditor(ExchangeSession& session, Language language, QWidget* parent)
    : ListEditor(session, language,
                 {Operation::ReadMaterials,
                  Operation::WriteMaterials,
                  346,
                  585,
                  {20, 120, 72, 72},
                  346,
                  489,
                  0,
                  0,
                  491,
                  345,
                  11,
                  0,
                  6,
                  510,
                  1,
                  551,
                  343,
                  32},
                 parent) {
    setObjectName(QStringLiteral("MaterialsEditor"));
    grid->setItemDelegate(new CellDelegate(this));
    grid->installEventFilter(this);
    ApplyTexts();
    FitColumns();
}

QStringList MaterialsEditor::ColumnSamples(int column) const {
    // The widest coefficient the grid shows: a sign, eight-wide digits, a negative exponent.
    if (column >= 2) return {FormatScientific(-8.888e-28)};
    return {};
}

void MaterialsEditor::ApplyTexts() {
    setWindowTitle(T(kCaption, Lang()));
    progressGauge->show();
    grid->SetCell(0, 0, T(kNumberHeader, Lang()));
    grid->SetCell(1, 0, T(kMaterialHeader, Lang()));
    grid->SetCell(2, 0, T(kA0Header, Lang()));
    grid->SetCell(3, 0, T(kA1Header, Lang()));
    loadButton->setText(T(kButton, Lang()));
}

bool MaterialsEditor::eventFilter(QObject* watched, QEvent* event) {
    // Keys typed at the grid itself, before a cell editor is open.
    if (watched == grid && event->type() == QEvent::KeyPress) {
        const QChar typed = TypedCharacter(*static_cast<QKeyEvent*>(event));
        if (!typed.isNull() && OnKeyTyped(typed)) return true;
    }
    return ListEditor::eventFilter(watched, event);
}

bool MaterialsEditor::OnKeyTyped(QChar key) {
    const int column = grid->currentColumn();
    switch (CoefficientKey(key, column)) {
        case KeyVerdict::Accept:
            return false;
        case KeyVerdict::Refuse:
            RefuseKey();
            return true;
        case KeyVerdict::NextRow:
            // A coefficient that did not convert keeps the user at its cell.
            if (!badCell_) grid->setCurrentCell(NextDataRow(grid->currentRow(), kDataRows), column);
            return true;
    }
    return false;
}

void MaterialsEditor::RefuseKey() {
    // The message comes once the key press has been delivered: a box opened inside the key event
    // takes the focus from the cell editor, which is then closed and deleted under the event.
    // After it, typing goes on in the cell that was being edited.
    const bool editing = grid->Editing();
    const QPersistentModelIndex cell = grid->currentIndex();
    ++messagesPending_;
    QTimer::singleShot(0, this, [this, editing, cell] {
        LocalizedMessageBox(T(kInputMessage, Lang()), T(kInputTitle, Lang()), box::kError, Lang());
        --messagesPending_;
        if (editing && cell.isValid() && isVisible()) {
            grid->setCurrentIndex(cell);
            grid->edit(cell);
        }
    });
}

void MaterialsEditor::CellCommitted(int column, int row) {
    // A commit while a message is up only means the box took the focus from the editor.
    if (column < 2 || messagesPending_ > 0) return;
    if (CoefficientTextStorable(grid->Cell(column, row))) return;
    badCell_ = {column, row};
    QTimer::singleShot(0, this, [this] { ReportPendingInput(); });
}

// The input message for a committed coefficient that does not convert; false when none is
// waiting.
bool MaterialsEditor::ReportPendingInput() {
    if (!badCell_ || !isVisible()) return false;
    const auto [column, row] = *badCell_;
    badCell_.reset();  // before the box, whose loop may run a report already queued
    ++messagesPending_;
    LocalizedMessageBox(T(kInputMessage, Lang()), T(kInputTitle, Lang()), box::kError, Lang());
    --messagesPending_;
    // The text stays for correction, with the editor open on it.
    grid->setCurrentCell(row, column);
    grid->editItem(grid->item(row, column));
    return true;
}

void MaterialsEditor::GridFilled() {
    // The grid shows four digits; the instrument's floats may hold more.
    for (std::size_t e = 0; e < read_.size(); ++e) {
        const int row = static_cast<int>(e) + 1;
        for (const auto& [column, value] : {std::pair{2, read_[e].a0}, {3, read_[e].a1}})
            grid->SetExactText(column, row, FormatScientific(value),
                               QLocale().toString(double(value), 'E', kExactDigits));
    }
}

std::optional<QString> MaterialsEditor::RowsProblem(const EditorRows& rows) const {
    return MaterialRowsProblem(rows, Lang());
}

std::optional<EditorRows> MaterialsEditor::RowsOf(const ListRead& read) {
    if (!read.materials) return std::nullopt;
    read_ = *read.materials;
    return MaterialGridRows(Session().materials, read_, Lang());
}

ListEdits MaterialsEditor::EditsOf(const EditorRows& rows) const {
    return MaterialEdits(rows, Session().materials, Lang());
}

}  // namespace porvel
