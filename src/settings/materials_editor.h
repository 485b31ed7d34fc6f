// MaterialsEditor, the materials editor: the instrument's 20 materials, each with a name and the
// two coefficients a0 and a1. Coefficients are typed with the full stop or the desktop's decimal
// separator and checked whole when their cell is committed.
#pragma once

#include <optional>
#include <utility>

#include "list_editor.h"

namespace porvel {

class MaterialsEditor : public ListEditor {
    Q_OBJECT
public:
    MaterialsEditor(ExchangeSession& session, Language language, QWidget* parent = nullptr);

    // Handlers of the grid and of its cell editor: true when the key was used up here.
    bool OnKeyTyped(QChar key);
    // The check of a cell's text once it is committed (Enter, leaving the cell, the write): a
    // coefficient that does not convert brings the input message, keeps its text and has the
    // editor opened on it again.
    void CellCommitted(int column, int row);

protected:
    std::optional<QString> RowsProblem(const EditorRows& rows) const override;
    std::optional<EditorRows> RowsOf(const ListRead& read) override;
    ListEdits EditsOf(const EditorRows& rows) const override;
    bool ReportPendingInput() override;
    QStringList ColumnSamples(int column) const override;
    void GridFilled() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApplyTexts();
    void RefuseKey();

    MaterialEntries read_{};                      // as the last read brought them
    std::optional<std::pair<int, int>> badCell_;  // column and row
    int messagesPending_ = 0;
};

// The character a key event types, with Enter, Backspace and Tab as their control characters;
// a null character for keys that type nothing.
QChar TypedCharacter(const class QKeyEvent& event);

}  // namespace porvel
