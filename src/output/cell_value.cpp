#include "cell_value.h"

#include <QDate>
#include <QLocale>
#include <QTime>
#include <cmath>

namespace porvel {
namespace {

// Most decimals a double carries faithfully; a text with more is kept as text.
constexpr int kMaxDecimals = 15;
constexpr double kMillisecondsPerDay = 86400000.0;
// Spreadsheets count 1900 as a leap year; from 1 March 1900 on their serials are days since
// 30 December 1899, earlier dates are kept as text.
const QDate kSerialZero(1899, 12, 30);
const QDate kFirstFaithfulDate(1900, 3, 1);

QString Escaped(QChar c) {
    return QLatin1Char('\\') + c;
}

// One field of a toolkit format, as a spreadsheet writes it; empty when it has none.
QString FieldOf(QChar letter, qsizetype count) {
    switch (letter.unicode()) {
        case 'd':
            return count <= 4 ? QString(count, QLatin1Char('d')) : QString();
        case 'M':
            return count <= 4 ? QString(count, QLatin1Char('m')) : QString();
        case 'y':
            return count == 2 || count == 4 ? QString(count, QLatin1Char('y')) : QString();
        case 'h':
        case 'H':
            return count <= 2 ? QString(count, QLatin1Char('h')) : QString();
        case 'm':
            return count <= 2 ? QString(count, QLatin1Char('m')) : QString();
        case 's':
            return count <= 2 ? QString(count, QLatin1Char('s')) : QString();
        default:
            return {};
    }
}

}  // namespace

QString SpreadsheetDateTimeFormat(const QString& toolkitFormat) {
    QString out;
    const qsizetype n = toolkitFormat.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = toolkitFormat[i];
        if (c == QLatin1Char('\'')) {
            // Quoted literal text; two quotes stand for one.
            qsizetype j = i + 1;
            if (j < n && toolkitFormat[j] == QLatin1Char('\'')) {
                out += Escaped(c);
                i = j + 1;
                continue;
            }
            while (j < n && toolkitFormat[j] != QLatin1Char('\''))
                out += Escaped(toolkitFormat[j++]);
            i = j + 1;
            continue;
        }
        if (c == QLatin1Char('A') || c == QLatin1Char('a')) {
            const bool upper = c == QLatin1Char('A');
            const qsizetype next = i + 1;
            const bool pair = next < n && (toolkitFormat[next] == QLatin1Char('P') ||
                                           toolkitFormat[next] == QLatin1Char('p'));
            out += upper ? QStringLiteral("AM/PM") : QStringLiteral("am/pm");
            i = pair ? next + 1 : next;
            continue;
        }
        if (QStringLiteral("dMyhHms").contains(c)) {
            qsizetype count = 1;
            while (i + count < n && toolkitFormat[i + count] == c) ++count;
            const QString field = FieldOf(c, count);
            if (field.isEmpty()) return {};
            out += field;
            i += count;
            continue;
        }
        if (c == QLatin1Char('z') || c == QLatin1Char('t')) return {};  // milliseconds, zone
        out += Escaped(c);
        ++i;
    }
    return out;
}

CellClassifier::CellClassifier()
    : dateFormat_(SpreadsheetDateTimeFormat(DateFormat())),
      timeFormat_(SpreadsheetDateTimeFormat(TimeFormat())),
      decimalPoint_(QLocale().decimalPoint().at(0)) {}

const CellValue& CellClassifier::Classify(const QString& text) {
    auto found = known_.find(text);
    if (found == known_.end()) found = known_.insert(text, Compute(text));
    return *found;
}

int CellClassifier::FormatIndex(const QString& format) {
    for (std::size_t i = 0; i < formats_.size(); ++i)
        if (formats_[i] == format) return static_cast<int>(i);
    formats_.push_back(format);
    return static_cast<int>(formats_.size()) - 1;
}

CellValue CellClassifier::Compute(const QString& text) {
    CellValue value;
    if (text.isEmpty()) return value;
    value.kind = CellKind::Text;
    double number = 0;
    if (ParseNumber(text, &number) && std::isfinite(number)) {
        // A number only when the locale writes it back as the very same text, so that the
        // spreadsheet shows what the table shows.
        if (text.contains(QLatin1Char('E')) || text.contains(QLatin1Char('e'))) {
            if (FormatScientific(number) != text) return value;
            value.format = FormatIndex(QStringLiteral("0.000E+00"));
        } else {
            const qsizetype point = text.indexOf(decimalPoint_);
            const int decimals = point < 0 ? 0 : static_cast<int>(text.size() - point - 1);
            if (decimals > kMaxDecimals || FormatFixed(number, decimals) != text) return value;
            value.format = FormatIndex(decimals == 0 ? QStringLiteral("0")
                                                     : QStringLiteral("0.") +
                                                           QString(decimals, QLatin1Char('0')));
        }
        value.kind = CellKind::Number;
        value.number = number;
        return value;
    }
    if (!dateFormat_.isEmpty()) {
        const QDate date = ParseDate(text);
        if (date.isValid() && date >= kFirstFaithfulDate && FormatDate(date) == text) {
            value.kind = CellKind::Number;
            value.number = static_cast<double>(kSerialZero.daysTo(date));
            value.format = FormatIndex(dateFormat_);
            return value;
        }
    }
    if (!timeFormat_.isEmpty()) {
        const QTime time = ParseTime(text);
        if (time.isValid() && FormatTime(time) == text) {
            value.kind = CellKind::Number;
            value.number = time.msecsSinceStartOfDay() / kMillisecondsPerDay;
            value.format = FormatIndex(timeFormat_);
        }
    }
    return value;
}

}  // namespace porvel
