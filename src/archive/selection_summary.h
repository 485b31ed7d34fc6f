// What a series of measurements gives at a glance: the count, m's mean with its least and
// greatest value and its coefficient of variation, a's mean and the grade the mean m falls in
// on Table W. Rows whose m is not a number are counted apart and left out of the rest. The
// main window's summary line and porvel-cli's `info --summary` both show it.
#pragma once

#include <QString>
#include <vector>

#include "base/language.h"
#include "grade_table.h"

namespace porvel {

class ArchiveTable;

struct SelectionSummary {
    int rows = 0;      // data rows summed up
    int withoutM = 0;  // of them, rows whose m is not a number
    int withM() const { return rows - withoutM; }
    double meanM = 0;
    double minM = 0;
    double maxM = 0;
    // Sample standard deviation over the mean, in percent; meaningful from two values of m on.
    double variationPercent = 0;
    bool hasVariation = false;
    double meanA = 0;  // over the rows with m whose a is a number
    bool hasA = false;
    GradePlace grade{GradePlace::Below};
};

// Rows are grid rows of `table` (1 = the first measurement); others, and rows without a number
// (the empty rows of a table not yet filled), are skipped.
SelectionSummary Summarize(const ArchiveTable& table, const std::vector<int>& rows);

// "Выделено 6: m ср. 12,5 (11,9 – 13,2), коэф. вариации 4,1 %, a ср. 0,0801, марка по средней m
// W8" and its English, numbers in the table's format; what is missing is said in words.
QString SummaryLine(const SelectionSummary& summary, Language language);
// The same as two tab-separated lines, titles and values, for the clipboard.
QString SummaryTable(const SelectionSummary& summary, Language language);
// The grade of the summary's mean m in words: "W8", "ниже W2", "выше W20", or "нет" without m.
QString SummaryGrade(const SelectionSummary& summary, Language language);

}  // namespace porvel
