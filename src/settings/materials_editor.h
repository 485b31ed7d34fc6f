// TForm7, the materials editor: the instrument's 20 materials, each with a name and the two
// coefficients a0 and a1, typed under the input rules of the coefficient columns.
#pragma once

#include "list_editor.h"

namespace porvel {

class TForm7 : public ListEditor {
    Q_OBJECT
public:
    explicit TForm7(QWidget* parent = nullptr);

    // Handlers of the grid and of its cell editor: true when the key was used up here.
    bool StringGrid1KeyPress(QChar key);
    // The cell check of a coefficient text as it is typed; false when the cell was emptied, and
    // its editor is to be emptied too.
    bool StringGrid1SetEditText(int column, int row, const QString& text);

protected:
    std::optional<QString> RowsProblem(const EditorRows& rows) const override;
    void GridFilled() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
};

// The character a key event types, with Enter, Backspace and Tab as their control characters;
// a null character for keys that type nothing.
QChar TypedCharacter(const class QKeyEvent& event);

}  // namespace porvel
