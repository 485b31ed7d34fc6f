// FindBar: the bar above the archive table that Ctrl+F opens and Escape closes: a text and a
// date range ("с"/"по") that choose the rows shown, and how many of how many are shown.
#pragma once

#include <QWidget>

#include "archive/row_filter.h"
#include "base/language.h"

class QDateEdit;
class QLabel;
class QLineEdit;
class QToolButton;

namespace porvel {

class FindBar : public QWidget {
    Q_OBJECT
public:
    explicit FindBar(QWidget* parent = nullptr);

    QLabel* findLabel;
    QLineEdit* textEdit;
    QLabel* fromLabel;
    QDateEdit* fromEdit;  // at its least date it stands for no date: open on that side
    QLabel* toLabel;
    QDateEdit* toEdit;
    QLabel* countLabel;
    QToolButton* closeButton;

    RowFilter Filter() const;
    // Empties the text and both dates.
    void Clear();
    void ApplyTexts(Language language);
    // "Показано 6 из 10000"
    void ShowCount(int shown, int total, Language language);

signals:
    void FilterChanged();
    void CloseRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace porvel
