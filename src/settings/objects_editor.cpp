#include "objects_editor.h"

#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <array>

#include "editor_checks.h"
#include "ui/main_texts.h"
#include "wire/name_tables.h"

namespace porvel {
namespace {

enum Text {
    kCaption,
    kNumberHeader,
    kObjectHeader,
    kMaterialHeader,
    kButton,
    kMaterialNumber,
    kTextCount
};
constexpr std::array<KeyedText<Text>, kTextCount> kTexts = {{
    {kCaption, {u"Настройка Объектов", u"Objects settings"}},
    {kNumberHeader, {u"№", u"№"}},
    {kObjectHeader, {u"Объект", u"Object"}},
    {kMaterialHeader, {u"Материал", u"Material"}},
    {kButton, {u"Загрузить в прибор", u"Load into the device"}},
    {kMaterialNumber, {u"№ %1", u"№ %1"}},
}};
static_assert(KeysInOrder(kTexts, kTextCount));

constexpr int kComboEntries = 20;

QString T(Text text, Language language) {
    return TextOf(kTexts, text, language);
}

}  // namespace

ObjectsEditor::ObjectsEditor(ExchangeSession& session, Language language, QWidget* parent)
    : ListEditor(session, language,
                 {Operation::ReadObjects,
                  Operation::WriteObjects,
                  394,
                  563,
                  {20, 120, 120},
                  391,
                  456,
                  1,
                  1,
                  465,
                  390,
                  10,
                  1,
                  6,
                  480,
                  1,
                  529,
                  392,
                  33},
                 parent),
      materialChooser(new QComboBox(grid->viewport())) {
    setObjectName(QStringLiteral("ObjectsEditor"));
    setFixedSize(size());
    materialChooser->setObjectName(QStringLiteral("materialChooser"));
    // A list, not a text field: the choice is the entry's position, so two materials of the same
    // name stay two different materials.
    materialChooser->setEditable(false);
    materialChooser->hide();
    grid->SetColumnReadOnly(kMaterialColumn);
    connect(grid, &QTableWidget::currentCellChanged, this,
            [this](int row, int column) { OnCellSelected(column, row); });
    connect(materialChooser, &QComboBox::activated, this, &ObjectsEditor::OnMaterialChosen);
    ApplyTexts();
    FitColumns();
}

QStringList ObjectsEditor::ColumnSamples(int column) const {
    // The material column shows whichever of the materials is chosen.
    QStringList names;
    if (column == kMaterialColumn)
        for (int e = 0; e < kComboEntries; ++e) names << Session().materials.Name(e, Lang());
    return names;
}

void ObjectsEditor::ApplyTexts() {
    setWindowTitle(T(kCaption, Lang()));
    progressGauge->show();
    grid->SetCell(0, 0, T(kNumberHeader, Lang()));
    grid->SetCell(kNameColumn, 0, T(kObjectHeader, Lang()));
    grid->SetCell(kMaterialColumn, 0, T(kMaterialHeader, Lang()));
    loadButton->setText(T(kButton, Lang()));
    materialChooser->setMaxVisibleItems(kComboEntries);
    comboFill_ = true;
}

void ObjectsEditor::OnCellSelected(int column, int row) {
    // Before the read has filled the grid there is no object to choose for, and the worker may
    // still be writing the material names.
    if (column != kMaterialColumn || row < 1 || !grid->Filled()) {
        materialChooser->hide();
        return;
    }
    if (comboFill_) {
        comboFill_ = false;
        materialChooser->clear();
        // Names as the device holds them, twins included; the number, as the materials editor
        // counts its rows, tells twins apart.
        for (int e = 0; e < kComboEntries; ++e) {
            materialChooser->addItem(Session().materials.Name(e, Lang()));
            materialChooser->setItemData(e, T(kMaterialNumber, Lang()).arg(e + 1), Qt::ToolTipRole);
        }
    }
    materialChooser->setGeometry(grid->visualItemRect(grid->item(row, column)));
    materialChooser->raise();
    bool known = false;
    const int index = grid->Cell(kIndexColumn, row).toInt(&known);
    materialChooser->setCurrentIndex(known && index < materialChooser->count() ? index : -1);
    materialChooser->show();
}

void ObjectsEditor::OnMaterialChosen(int index) {
    const int row = grid->currentRow();
    if (row < 1 || index < 0) return;
    grid->SetCell(kMaterialColumn, row, Session().materials.Name(index, Lang()));
    grid->SetCell(kIndexColumn, row, QString::number(index));
    // The name may have widened the column.
    materialChooser->setGeometry(grid->visualItemRect(grid->item(row, kMaterialColumn)));
}

std::optional<QString> ObjectsEditor::RowsProblem(const EditorRows& rows) const {
    return ObjectRowsProblem(rows, Lang());
}

std::optional<EditorRows> ObjectsEditor::RowsOf(const ListRead& read) {
    if (!read.objects) return std::nullopt;
    return ObjectGridRows(Session().objects, Session().materials, *read.objects, Lang());
}

ListEdits ObjectsEditor::EditsOf(const EditorRows& rows) const {
    return ObjectEdits(rows, Session().objects, Lang());
}

}  // namespace porvel
