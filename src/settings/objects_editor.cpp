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

enum Text { kCaption, kNumberHeader, kObjectHeader, kMaterialHeader, kButton, kTextCount };
constexpr std::array<TextPair, kTextCount> kTexts = {{
    {u"Настройка Объектов", u"Objects settings"},
    {u"№", u"№"},
    {u"Объект", u"Object"},
    {u"Материал", u"Material"},
    {u"Загрузить в прибор", u"Load into the device"},
}};

constexpr int kComboEntries = 20;

QString T(Text text) {
    return TextIn(kTexts[text], CurrentLanguage());
}

}  // namespace

TForm3::TForm3(QWidget* parent)
    : ListEditor({Operation::ReadObjects,
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
      ComboBox1(new QComboBox(StringGrid1->viewport())) {
    setObjectName(QStringLiteral("TForm3"));
    setFixedSize(size());
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    // A list, not a text field: the choice is the entry's position, so two materials of the same
    // name stay two different materials.
    ComboBox1->setEditable(false);
    ComboBox1->hide();
    StringGrid1->SetColumnReadOnly(kMaterialColumn);
    connect(StringGrid1, &QTableWidget::currentCellChanged, this,
            [this](int row, int column) { StringGrid1SelectCell(column, row); });
    connect(ComboBox1, &QComboBox::activated, this, &TForm3::ComboBox1Select);
    FormCreate();
    FitColumns();
}

QStringList TForm3::ColumnSamples(int column) const {
    // The material column shows whichever of the materials is chosen.
    QStringList names;
    if (column == kMaterialColumn)
        for (int e = 0; e < kComboEntries; ++e) names << MaterialNames().Name(e, CurrentLanguage());
    return names;
}

void TForm3::FormCreate() {
    setWindowTitle(T(kCaption));
    CGauge1->show();
    StringGrid1->SetCell(0, 0, T(kNumberHeader));
    StringGrid1->SetCell(kNameColumn, 0, T(kObjectHeader));
    StringGrid1->SetCell(kMaterialColumn, 0, T(kMaterialHeader));
    Button1->setText(T(kButton));
    ComboBox1->setMaxVisibleItems(kComboEntries);
    comboFill_ = true;
}

void TForm3::StringGrid1SelectCell(int column, int row) {
    // Before the read has filled the grid there is no object to choose for, and the worker may
    // still be writing the material names.
    if (column != kMaterialColumn || row < 1 || !StringGrid1->Filled()) {
        ComboBox1->hide();
        return;
    }
    if (comboFill_) {
        comboFill_ = false;
        for (int e = 0; e < kComboEntries; ++e)
            ComboBox1->addItem(MaterialNames().Name(e, CurrentLanguage()));
    }
    ComboBox1->setGeometry(StringGrid1->visualItemRect(StringGrid1->item(row, column)));
    ComboBox1->raise();
    bool known = false;
    const int index = StringGrid1->Cell(kIndexColumn, row).toInt(&known);
    ComboBox1->setCurrentIndex(known && index < ComboBox1->count() ? index : -1);
    ComboBox1->show();
}

void TForm3::ComboBox1Select(int index) {
    const int row = StringGrid1->currentRow();
    if (row < 1 || index < 0) return;
    StringGrid1->SetCell(kMaterialColumn, row, MaterialNames().Name(index, CurrentLanguage()));
    StringGrid1->SetCell(kIndexColumn, row, QString::number(index));
    // The name may have widened the column.
    ComboBox1->setGeometry(StringGrid1->visualItemRect(StringGrid1->item(row, kMaterialColumn)));
}

std::optional<QString> TForm3::RowsProblem(const EditorRows& rows) const {
    return ObjectRowsProblem(rows, CurrentLanguage());
}

}  // namespace porvel
