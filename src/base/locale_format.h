// Numbers, dates and times as the table shows them, in the user's locale (the default QLocale).
#pragma once

#include <QDate>
#include <QString>
#include <QTime>

namespace porvel {

// The text of a cell whose value cannot be rendered.
inline const QString kNotANumberText = QStringLiteral("NAN");

// Fixed decimals, the locale's decimal separator, no group separator; a value that rounds to
// zero shows no minus sign. Infinite and NaN values give "NAN".
QString FormatFixed(double value, int decimals);
// Mantissa with three decimals and a signed two-digit exponent: 1.500E-03.
QString FormatScientific(double value);
// The general number format: up to 15 significant digits with trailing zeros dropped, in fixed
// notation from 1E-4 up to 1E15 and as mantissa and exponent outside ("1,5E-5", "2E20"); the
// locale's decimal separator.
QString FormatGeneral(double value);
// Accepts the locale's decimal separator or a full stop, and an exponent; refuses group
// separators. False when the text is no number.
bool ParseNumber(const QString& text, double* value);
// A number of the archive table, which keeps the texts of the desktop that read it: the other
// desktop's decimal separator counts as this one's when the text holds none of this one's, so a
// Russian archive's "11,5" is 11.5 on an English desktop too.
bool ParseTableNumber(const QString& text, double* value);

// The locale's short date format with the year widened to four digits, so that writing and
// parsing agree on the century.
QString DateFormat();
QString FormatDate(const QDate& date);
QDate ParseDate(const QString& text);

// The program-wide time format: the locale's short format until the first archive read puts
// it to hours and minutes, two digits each, with the locale's separator.
QString TimeFormat();
void UseHoursMinutesTimeFormat();
// Back to the locale's format; for tests that need a run's starting state.
void ResetTimeFormat();
QString FormatTime(const QTime& time);
QTime ParseTime(const QString& text);

// The C library's number formatting on the calling thread set to the "C" locale while it lives.
// The toolkit sets LC_NUMERIC from the desktop, so on a Russian desktop printf writes "0,5";
// a library that formats a file's numbers with printf (the workbook writer) runs inside one of
// these. Only the calling thread is touched, so a window or a second export on another thread
// keeps its own locale, and the previous one comes back however the scope is left.
class CNumericScope {
public:
    CNumericScope();
    ~CNumericScope();
    CNumericScope(const CNumericScope&) = delete;
    CNumericScope& operator=(const CNumericScope&) = delete;

private:
    void* previous_ = nullptr;  // the thread's locale before (POSIX), or its name (Windows)
#ifdef _WIN32
    int previousMode_ = 0;  // whether the thread had a locale of its own
#endif
};

}  // namespace porvel
