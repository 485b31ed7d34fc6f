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

CellClassifier::CellClassifier() : decimalPoint_(QLocale().decimalPoint().at(0)) {
    // The desktop's own forms first, then those of a Russian desktop, on which most archives
    // were read, and the hours and minutes that every read writes.
    const struct {
        QLocale locale;
        QString format;
        bool date;
    } forms[] = {{QLocale(), DateFormat(), true},
                 {QLocale::c(), QStringLiteral("dd.MM.yyyy"), true},
                 {QLocale(), TimeFormat(), false},
                 {QLocale::c(), QStringLiteral("HH:mm"), false}};
    for (const auto& form : forms) {
        const QString spreadsheet = SpreadsheetDateTimeFormat(form.format);
        if (!spreadsheet.isEmpty())
            serialForms_.push_back({form.locale, form.format, spreadsheet, form.date});
    }
}

const CellValue& CellClassifier::Classify(const ArchiveTable& table, int col, int row) {
    const QString text = table.ShownText(col, row);
    const Kind kind = row == 0 ? kText : KindOf(col);
    QHash<QString, CellValue>& known = known_[kind];
    auto found = known.find(text);
    if (found == known.end())
        found = known.insert(text, Compute(text, kind, table.Values(row), col));
    return *found;
}

CellClassifier::Kind CellClassifier::KindOf(int col) {
    switch (col) {
        case column::kNumber:
        case column::kAtmosphere:
        case column::kM:
        case column::kA:
        case column::kH:
            return kNumber;
        case column::kDate:
            return kDate;
        case column::kTime:
            return kTime;
        default:
            return kText;
    }
}

int CellClassifier::FormatIndex(const QString& format) {
    for (std::size_t i = 0; i < formats_.size(); ++i)
        if (formats_[i] == format) return static_cast<int>(i);
    formats_.push_back(format);
    return static_cast<int>(formats_.size()) - 1;
}

CellValue CellClassifier::NumberCell(const QString& text, double parsed) {
    CellValue value;
    value.kind = CellKind::Text;
    // The archive keeps the texts of the desktop that read it: on an English desktop a Russian
    // archive's "99,5" is still the number 99.5, and the other way round.
    QString number = text;
    const QChar otherPoint =
        decimalPoint_ == QLatin1Char(',') ? QLatin1Char('.') : QLatin1Char(',');
    if (!number.contains(decimalPoint_)) number.replace(otherPoint, decimalPoint_);
    // A number only when the locale writes it back as the very same text, so that the
    // spreadsheet shows what the table shows.
    if (number.contains(QLatin1Char('E')) || number.contains(QLatin1Char('e'))) {
        if (FormatScientific(parsed) != number) return value;
        value.format = FormatIndex(QStringLiteral("0.000E+00"));
    } else {
        const qsizetype point = number.indexOf(decimalPoint_);
        const int decimals = point < 0 ? 0 : static_cast<int>(number.size() - point - 1);
        if (decimals > kMaxDecimals || FormatFixed(parsed, decimals) != number) return value;
        value.format =
            FormatIndex(decimals == 0 ? QStringLiteral("0")
                                      : QStringLiteral("0.") + QString(decimals, QLatin1Char('0')));
    }
    value.kind = CellKind::Number;
    value.number = parsed;
    return value;
}

CellValue CellClassifier::Compute(const QString& text, Kind kind, const Measurement& values,
                                  int col) {
    CellValue value;
    if (text.isEmpty()) return value;
    value.kind = CellKind::Text;
    if (kind == kNumber) {
        std::optional<double> number;
        switch (col) {
            case column::kNumber:
                if (values.number) number = *values.number;
                break;
            case column::kAtmosphere:
                number = values.atmosphere;
                break;
            case column::kM:
                number = values.m;
                break;
            case column::kA:
                number = values.a;
                break;
            default:
                number = values.h;
                break;
        }
        return number && std::isfinite(*number) ? NumberCell(text, *number) : value;
    }
    if (kind == kText) return value;
    const bool date = kind == kDate;
    if (date ? !values.date.isValid() : !values.time.isValid()) return value;
    // The form that writes the value back as the very text.
    for (const SerialForm& form : serialForms_) {
        if (form.date != date) continue;
        if (date) {
            if (values.date < kFirstFaithfulDate ||
                form.locale.toString(values.date, form.toolkit) != text)
                continue;
            value.number = static_cast<double>(kSerialZero.daysTo(values.date));
        } else {
            if (form.locale.toString(values.time, form.toolkit) != text) continue;
            value.number = values.time.msecsSinceStartOfDay() / kMillisecondsPerDay;
        }
        value.kind = CellKind::Number;
        value.format = FormatIndex(form.spreadsheet);
        return value;
    }
    return value;
}

}  // namespace porvel
