// What the objects editor and the materials editor share: the grid of the 20 list entries that
// the exchange fills and reads, the gauge, the status label and the button that writes the list
// back, and the one exchange the window runs at a time.
#pragma once

#include <QDialog>
#include <QStringList>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <optional>
#include <vector>

#include "base/language.h"
#include "editor_rows.h"
#include "ui/exchange_worker.h"
#include "window_exchange.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace porvel {

// The cell editor of both editors: a name takes no more characters than the instrument keeps, so
// the user sees the cut while typing rather than after the write.
class EditorCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
};

// Header row 0 and the number column 0 are fixed; rows 1 to 20 belong to entries 0 to 19.
class EditorGridWidget : public QTableWidget {
    Q_OBJECT
public:
    EditorGridWidget(const std::vector<int>& designWidths, int columns, QWidget* parent);

    void SetRows(const EditorRows& rows);
    EditorRows Rows() const;
    bool Filled() const { return filled_; }
    // A cell editor is open.
    bool Editing() const { return state() == EditingState; }

    QString Cell(int column, int row) const;
    void SetCell(int column, int row, const QString& text);
    // A cell that shows `shown` for the more exact `exact`: while it still shows that text, the
    // rows read for a write carry the exact text, so that an unedited value is written back as
    // the instrument gave it rather than rounded to the shown digits.
    void SetExactText(int column, int row, const QString& shown, const QString& exact);
    // Cells of `column` that the user does not type into.
    void SetColumnReadOnly(int column) { readOnlyColumns_.push_back(column); }

private:
    bool filled_ = false;
    std::vector<int> readOnlyColumns_;
};

class ListEditor : public QDialog, public EditorGrid {
    Q_OBJECT
public:
    ~ListEditor() override;

    // The read that fills the grid, started by the main window before it shows the editor.
    bool StartRead();
    // The exchanges the editor runs its reads and writes in.
    ExchangeSession& Session() { return exchange_.Session(); }
    const ExchangeSession& Session() const { return exchange_.Session(); }

    EditorGridWidget* grid;
    QProgressBar* progressGauge;
    QLabel* statusLabel;
    QPushButton* loadButton;

    void done(int result) override;

    // The exchange's side: the grid filled from a read, the entries of a write from the grid.
    void ShowLists(const ListRead& read) override;
    ListEdits Edits(ListKind kind) const override;

protected:
    struct Layout {
        Operation read, write;
        int clientWidth, clientHeight;
        std::vector<int> columnWidths;
        int gridWidth, gridHeight, gridLeft, gridTop;
        int gaugeTop, gaugeWidth, gaugeHeight, gaugeLeft;
        int labelLeft, labelTop;
        int buttonLeft, buttonTop, buttonWidth, buttonHeight;
    };
    ListEditor(ExchangeSession& session, Language language, const Layout& layout, QWidget* parent);

    // The language the window was opened in.
    Language Lang() const { return language_; }

    // Load into the device: after the grid's rows pass the check, the write exchange.
    void OnLoadClicked();
    // Reports input the user has yet to correct; true when there was some and nothing may be
    // written now.
    virtual bool ReportPendingInput() { return false; }
    // Why the grid's rows cannot be written, or nullopt.
    virtual std::optional<QString> RowsProblem(const EditorRows& rows) const = 0;
    // The grid's rows for the editor's list as a read brought it; nullopt when it brought none.
    virtual std::optional<EditorRows> RowsOf(const ListRead& read) = 0;
    // The entries a write sends for the grid's rows.
    virtual ListEdits EditsOf(const EditorRows& rows) const = 0;
    // Once, after the read has filled the grid and its exchange has ended.
    virtual void GridFilled() {}
    // Texts a column must have room for beyond those it holds now.
    virtual QStringList ColumnSamples(int /*column*/) const { return {}; }
    // Widens the columns to their texts in the window's font, never below their design widths,
    // and the window with them: the design sizes were made for a smaller font than a desktop's.
    void FitColumns();

private:
    ExchangeControls Controls();
    void ExchangeEnded();

    const Language language_;
    Operation read_, write_;
    std::vector<int> designWidths_;
    bool filledSeen_ = false;
    WindowExchange exchange_;
};

}  // namespace porvel
