#include "measurement.h"

#include <QLocale>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "base/locale_format.h"

namespace porvel {
namespace {

constexpr int kLongestFastNumber = 64;

bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Digits from `at`, at most `most` of them; how many were read.
int Digits(QStringView text, qsizetype& at, int most, int* value) {
    int count = 0;
    *value = 0;
    while (at < text.size() && count < most && IsDigit(text[at])) {
        *value = *value * 10 + (text[at].unicode() - u'0');
        ++at;
        ++count;
    }
    return count;
}

// A number in the forms the program writes: an optional minus, digits, a decimal separator of
// either kind with digits after it, and an exponent. Anything else is left to the locale.
std::optional<double> FastNumber(QStringView text) {
    if (text.isEmpty() || text.size() > kLongestFastNumber) return std::nullopt;
    char ascii[kLongestFastNumber];
    qsizetype at = 0;
    auto copyDigits = [&] {
        const qsizetype start = at;
        for (; at < text.size() && IsDigit(text[at]); ++at)
            ascii[at] = static_cast<char>(text[at].unicode());
        return at > start;
    };
    if (text[0] == u'-') ascii[at++] = '-';
    if (!copyDigits()) return std::nullopt;
    if (at < text.size() && (text[at] == u'.' || text[at] == u',')) {
        ascii[at++] = '.';
        if (!copyDigits()) return std::nullopt;
    }
    if (at < text.size() && (text[at] == u'E' || text[at] == u'e')) {
        ascii[at++] = 'e';
        if (at < text.size() && (text[at] == u'-' || text[at] == u'+'))
            ascii[at] = static_cast<char>(text[at].unicode()), ++at;
        if (!copyDigits()) return std::nullopt;
    }
    if (at != text.size()) return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(ascii, ascii + at, value);
    if (error != std::errc() || end != ascii + at) return std::nullopt;
    return value;
}

// "d.M.yyyy" or "d/M/yyyy" with one or two digits for day and month: the three fields in order.
bool FastDateFields(QStringView text, QChar separator, int fields[3]) {
    qsizetype at = 0;
    if (Digits(text, at, 2, &fields[0]) == 0 || at >= text.size() || text[at] != separator)
        return false;
    ++at;
    if (Digits(text, at, 2, &fields[1]) == 0 || at >= text.size() || text[at] != separator)
        return false;
    ++at;
    return Digits(text, at, 4, &fields[2]) == 4 && at == text.size();
}

// The whole number at the start of `text` the way the C library reads one: leading white space
// skipped, an optional sign, then decimal digits; none when there are no digits. Values beyond
// the 32-bit range stay at its ends.
std::optional<int> LeadingWholeNumber(QStringView text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto isCSpace = [](QChar c) {
        return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
    };
    while (i < n && isCSpace(text[i])) ++i;
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    constexpr long long kLimit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    long long value = 0;
    const qsizetype first = i;
    for (; i < n && IsDigit(text[i]); ++i)
        value = std::min(kLimit, value * 10 + (text[i].unicode() - u'0'));
    if (i == first) return std::nullopt;
    const long long signedValue = negative ? -value : value;
    return static_cast<int>(std::clamp<long long>(signedValue, std::numeric_limits<int>::min(),
                                                  std::numeric_limits<int>::max()));
}

}  // namespace

TableTextReader::TableTextReader() {
    const QString format = DateFormat();
    slashedDayFirst_ = format.contains(QLatin1Char('/')) &&
                       format.indexOf(QLatin1Char('d')) < format.indexOf(QLatin1Char('M'));
}

std::optional<double> TableTextReader::Number(QStringView text) const {
    const QStringView trimmed = text.trimmed();
    if (std::optional<double> fast = FastNumber(trimmed)) return fast;
    double value = 0;
    if (trimmed.isEmpty() || !ParseTableNumber(trimmed.toString(), &value)) return std::nullopt;
    return value;
}

std::optional<int> TableTextReader::WholeNumber(QStringView text) {
    const QStringView trimmed = text.trimmed();
    qsizetype at = 0;
    bool negative = false;
    if (at < trimmed.size() && (trimmed[at] == u'-' || trimmed[at] == u'+'))
        negative = trimmed[at++] == u'-';
    if (at == trimmed.size()) return std::nullopt;
    long long value = 0;
    for (; at < trimmed.size(); ++at) {
        if (!IsDigit(trimmed[at])) return std::nullopt;
        value = value * 10 + (trimmed[at].unicode() - u'0');
        if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1)
            return std::nullopt;
    }
    value = negative ? -value : value;
    if (value > std::numeric_limits<int>::max()) return std::nullopt;
    return static_cast<int>(value);
}

QDate TableTextReader::Date(QStringView text) const {
    const QStringView trimmed = text.trimmed();
    if (trimmed.isEmpty()) return {};
    int fields[3];
    // The instrument's and the Russian desktop's form.
    if (FastDateFields(trimmed, u'.', fields)) return QDate(fields[2], fields[1], fields[0]);
    if (FastDateFields(trimmed, u'/', fields)) {
        return slashedDayFirst_ ? QDate(fields[2], fields[1], fields[0])
                                : QDate(fields[2], fields[0], fields[1]);
    }
    const QString other = trimmed.toString();
    auto found = otherDates_.constFind(other);
    if (found == otherDates_.cend()) found = otherDates_.insert(other, ParseDate(other));
    return *found;
}

QTime TableTextReader::Time(QStringView text) {
    const QStringView trimmed = text.trimmed();
    qsizetype at = 0;
    int hour = 0, minute = 0;
    if (Digits(trimmed, at, 2, &hour) > 0 && at < trimmed.size() && trimmed[at] == u':') {
        ++at;
        if (Digits(trimmed, at, 2, &minute) == 2 && at == trimmed.size())
            return QTime(hour, minute);
    }
    return ParseTime(trimmed.toString());
}

bool IsBlankText(QStringView text) {
    return text.trimmed().isEmpty();
}

Measurement ReadMeasurement(const RowTexts& texts, const TableTextReader& reader) {
    auto cell = [&](int col) { return QStringView(texts[static_cast<std::size_t>(col)]); };
    auto finite = [&](int col) -> std::optional<double> {
        const std::optional<double> value = reader.Number(cell(col));
        if (value && !std::isfinite(*value)) return std::nullopt;
        return value;
    };
    Measurement m;
    m.blank = cell(column::kNumber).isEmpty();
    m.number = TableTextReader::WholeNumber(cell(column::kNumber));
    m.date = reader.Date(cell(column::kDate));
    m.time = TableTextReader::Time(cell(column::kTime));
    m.atmosphere = finite(column::kAtmosphere);
    m.m = finite(column::kM);
    m.a = finite(column::kA);
    m.h = finite(column::kH);
    // "W" and the grade's number, or " - " for none.
    m.grade = LeadingWholeNumber(cell(column::kGrade).mid(1));
    m.curveLength = TableTextReader::WholeNumber(cell(column::kCurveLength));
    m.sampleRate = finite(column::kSampleRate);
    m.slot = TableTextReader::WholeNumber(cell(column::kSlot));
    return m;
}

}  // namespace porvel
