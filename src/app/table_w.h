// GradeTableDialog: the reference table that relates the air-permeability parameter a and the
// air-penetration resistance mc of concrete to its water-tightness grade, W2 to W20.
#pragma once

#include <QDialog>

#include "base/language.h"

class QPainter;
class QTableWidget;

namespace porvel {

class GradeTableDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kColumns = 3;
    static constexpr int kRows = 11;  // the header row and ten grades

    // Filled in `language` and sized to show the whole table.
    explicit GradeTableDialog(Language language, QWidget* parent = nullptr);

    // The grid: row 0 is the fixed header row, rows 1 to 10 the grades.
    QTableWidget* gradeGrid;

    // Draws one cell into `rect`: filled with `background`, its text wrapped at word breaks and
    // centred, from the top. Returns the height of the drawn text.
    int DrawCell(QPainter& painter, int col, int row, const QRect& rect,
                 const QBrush& background) const;

private:
    void FitToTable();
};

}  // namespace porvel
