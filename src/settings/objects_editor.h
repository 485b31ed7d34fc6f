// TForm3, the objects editor: the instrument's 20 objects with the material each is made of.
// Names are typed into the grid; a material is chosen from the list ComboBox1, which lies over
// the selected material cell, and the chosen entry's position goes into the hidden column 3.
#pragma once

#include "list_editor.h"

class QComboBox;

namespace porvel {

class TForm3 : public ListEditor {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);

    QComboBox* ComboBox1;

    static constexpr int kNameColumn = 1;
    static constexpr int kMaterialColumn = 2;
    static constexpr int kIndexColumn = 3;

protected:
    std::optional<QString> RowsProblem(const EditorRows& rows) const override;
    QStringList ColumnSamples(int column) const override;

private:
    void FormCreate();
    void StringGrid1SelectCell(int column, int row);
    void ComboBox1Select(int index);

    bool comboFill_ = false;  // the material names are not in ComboBox1's list yet
};

}  // namespace porvel
