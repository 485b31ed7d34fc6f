// ObjectsEditor, the objects editor: the instrument's 20 objects with the material each is made of.
// Names are typed into the grid; a material is chosen from the list materialChooser, which lies
// over the selected material cell, and the chosen entry's position goes into the hidden column 3.
#pragma once

#include "list_editor.h"

class QComboBox;

namespace porvel {

class ObjectsEditor : public ListEditor {
    Q_OBJECT
public:
    ObjectsEditor(ExchangeSession& session, Language language, QWidget* parent = nullptr);

    QComboBox* materialChooser;

    static constexpr int kNameColumn = 1;
    static constexpr int kMaterialColumn = 2;
    static constexpr int kIndexColumn = 3;

protected:
    std::optional<QString> RowsProblem(const EditorRows& rows) const override;
    std::optional<EditorRows> RowsOf(const ListRead& read) override;
    ListEdits EditsOf(const EditorRows& rows) const override;
    QStringList ColumnSamples(int column) const override;

private:
    void ApplyTexts();
    void OnCellSelected(int column, int row);
    void OnMaterialChosen(int index);

    bool comboFill_ = false;  // the material names are not in materialChooser's list yet
};

}  // namespace porvel
