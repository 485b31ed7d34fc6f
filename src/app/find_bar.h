// FindBar: the bar above the archive table that Ctrl+F opens and Escape closes: a text and a
// date range ("с"/"по") that choose the rows shown, and how many of how many are shown.
#pragma once

#include <QDate>
#include <QLineEdit>
#include <QWidget>
#include <functional>

#include "archive/row_filter.h"
#include "base/language.h"

class QCalendarWidget;
class QLabel;
class QToolButton;

namespace porvel {

class ArchiveTable;

// A date typed as dd.MM.yyyy (also d.M.yyyy and ddMMyyyy) or in the desktop's short form with a
// four-digit year, or picked from a calendar. Empty or "—" is no date: the range is open on that
// side. A text that is no date bounds nothing and shows in red.
class FindDateEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit FindDateEdit(QWidget* parent = nullptr);

    // The date the text reads as; null when it reads as none.
    QDate Date() const { return date_; }
    // Empties the field without a DateChanged.
    void Clear();
    void ApplyTexts(Language language);
    // Opens the calendar below the field at the field's date, or else at `calendarStart`'s.
    void ShowCalendar();

    QAction* calendarAction;
    // Made at the first ShowCalendar.
    QCalendarWidget* calendar = nullptr;
    std::function<QDate()> calendarStart;

signals:
    void DateChanged();

private:
    void ReadText();

    QDate date_;
};

class FindBar : public QWidget {
    Q_OBJECT
public:
    explicit FindBar(QWidget* parent = nullptr);

    QLabel* findLabel;
    QLineEdit* textEdit;
    QLabel* fromLabel;
    FindDateEdit* fromEdit;
    QLabel* toLabel;
    FindDateEdit* toEdit;
    QLabel* countLabel;
    QToolButton* closeButton;

    // The table whose first and last dates the calendars open at; none opens them at today.
    void SetArchive(const ArchiveTable* table) { table_ = table; }
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

private:
    // The earliest (`last` false) or latest date of the table's measurements; today when none.
    QDate TableDate(bool last) const;

    const ArchiveTable* table_ = nullptr;
};

}  // namespace porvel
