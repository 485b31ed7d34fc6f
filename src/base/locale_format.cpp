#include "locale_format.h"

#include <QLocale>
#include <atomic>
#include <clocale>
#include <cmath>
#ifdef _WIN32
#include <string>
#else
#include <locale.h>
#endif

namespace porvel {
namespace {

std::atomic<bool> hoursMinutes{false};

QLocale NumberLocale() {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::IncludeTrailingZeroesAfterDot);
    return locale;
}

// A plain leading '-' whatever sign the locale prefers, and none on a text whose digits are all
// zero ("-0.0" becomes "0.0").
QString PlainSign(const QString& text, const QLocale& locale) {
    const QString minus = locale.negativeSign();
    if (!text.startsWith(minus)) return text;
    const QString digits = text.mid(minus.size());
    const QChar zero = locale.zeroDigit().at(0);
    for (const QChar c : digits)
        if (c.isDigit() && c != zero) return QLatin1Char('-') + digits;
    return digits;
}

// The character that the locale puts between hours and minutes.
QString TimeSeparator() {
    const QString format = QLocale().timeFormat(QLocale::ShortFormat);
    const qsizetype h = format.indexOf(QLatin1Char('h'), 0, Qt::CaseInsensitive);
    for (qsizetype i = h < 0 ? 0 : h; i < format.size(); ++i) {
        const QChar c = format[i];
        if (!c.isLetter() && c != QLatin1Char('\'')) return QString(c);
    }
    return QStringLiteral(":");
}

}  // namespace

QString FormatFixed(double value, int decimals) {
    if (!std::isfinite(value)) return kNotANumberText;
    const QLocale locale = NumberLocale();
    return PlainSign(locale.toString(value, 'f', decimals), locale);
}

QString FormatScientific(double value) {
    if (!std::isfinite(value)) return kNotANumberText;
    QLocale locale = NumberLocale();
    QString text = locale.toString(value, 'E', 3);
    text.replace(locale.negativeSign(), QStringLiteral("-"));
    text.replace(locale.exponential().toUpper(), QStringLiteral("E"));
    return text;
}

QString FormatGeneral(double value) {
    constexpr int kDigits = 15;
    constexpr int kLowestFixedExponent = -4;
    if (!std::isfinite(value)) return kNotANumberText;
    if (value == 0.0) return QStringLiteral("0");
    // The exponent after rounding to the significant digits: 9.9999999999999999 is 1E1.
    const QString rounded = QString::number(value, 'e', kDigits - 1);
    const qsizetype e = rounded.indexOf(QLatin1Char('e'));
    const int exponent = rounded.mid(e + 1).toInt();
    auto dropTrailingZeros = [](QString digits) {
        if (!digits.contains(QLatin1Char('.'))) return digits;
        while (digits.endsWith(QLatin1Char('0'))) digits.chop(1);
        if (digits.endsWith(QLatin1Char('.'))) digits.chop(1);
        return digits;
    };
    QString text;
    if (exponent >= kLowestFixedExponent && exponent < kDigits) {
        text = dropTrailingZeros(QString::number(value, 'f', kDigits - 1 - exponent));
    } else {
        text = dropTrailingZeros(rounded.left(e)) + QLatin1Char('E') +
               (exponent < 0 ? QStringLiteral("-") : QString()) +
               QString::number(std::abs(exponent));
    }
    return text.replace(QLatin1Char('.'), QLocale().decimalPoint());
}

bool ParseNumber(const QString& text, double* value) {
    bool ok = false;
    QLocale locale = NumberLocale();
    // A group separator is never part of a number here: "2,500E-01" is no number on an English
    // desktop rather than 2500E-01.
    locale.setNumberOptions(locale.numberOptions() | QLocale::RejectGroupSeparator);
    QString normalized = text.trimmed();
    // The full stop is a decimal separator on every desktop: people type it out of habit and
    // from the instrument's own display, and archives travel between desktops.
    const QString decimalPoint = locale.decimalPoint();
    if (decimalPoint != QStringLiteral(".")) {
        if (normalized.contains(decimalPoint) && normalized.contains(QLatin1Char('.')))
            return false;
        normalized.replace(QLatin1Char('.'), decimalPoint);
    }
    normalized.replace(QLatin1Char('-'), locale.negativeSign());
    const double parsed = locale.toDouble(normalized, &ok);
    if (ok && value) *value = parsed;
    return ok;
}

bool ParseTableNumber(const QString& text, double* value) {
    const QString decimalPoint = NumberLocale().decimalPoint();
    const QChar other = decimalPoint == QStringLiteral(",") ? QLatin1Char('.') : QLatin1Char(',');
    QString number = text;
    if (!number.contains(decimalPoint)) number.replace(other, decimalPoint);
    return ParseNumber(number, value);
}

QString DateFormat() {
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    QString widened;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format[i];
        if (c == QLatin1Char('\'')) quoted = !quoted;
        if (!quoted && c == QLatin1Char('y')) {
            qsizetype run = 0;
            while (i + run < format.size() && format[i + run] == QLatin1Char('y')) ++run;
            widened += QStringLiteral("yyyy");
            i += run;
            continue;
        }
        widened += c;
        ++i;
    }
    return widened;
}

QString FormatDate(const QDate& date) {
    if (!date.isValid()) return kNotANumberText;
    return QLocale().toString(date, DateFormat());
}

QDate ParseDate(const QString& text) {
    return QLocale().toDate(text.trimmed(), DateFormat());
}

QString TimeFormat() {
    if (hoursMinutes.load()) return QStringLiteral("HH") + TimeSeparator() + QStringLiteral("mm");
    return QLocale().timeFormat(QLocale::ShortFormat);
}

void UseHoursMinutesTimeFormat() {
    hoursMinutes.store(true);
}

void ResetTimeFormat() {
    hoursMinutes.store(false);
}

QString FormatTime(const QTime& time) {
    if (!time.isValid()) return kNotANumberText;
    return QLocale().toString(time, TimeFormat());
}

QTime ParseTime(const QString& text) {
    const QString trimmed = text.trimmed();
    const QLocale locale;
    // The hours-and-minutes form is tried always: a file saved after a read holds it, and is
    // opened in a run that has not read anything yet.
    const QString hoursMinutes = QStringLiteral("HH") + TimeSeparator() + QStringLiteral("mm");
    for (const QString& format :
         {TimeFormat(), hoursMinutes, locale.timeFormat(QLocale::ShortFormat),
          locale.timeFormat(QLocale::LongFormat)}) {
        const QTime time = locale.toTime(trimmed, format);
        if (time.isValid()) return time;
    }
    return {};
}

#ifdef _WIN32
// Windows has no uselocale; a thread with a locale of its own does the same.
CNumericScope::CNumericScope()
    : previous_(new std::string(std::setlocale(LC_NUMERIC, nullptr))),
      previousMode_(_configthreadlocale(_ENABLE_PER_THREAD_LOCALE)) {
    std::setlocale(LC_NUMERIC, "C");
}

CNumericScope::~CNumericScope() {
    auto* previous = static_cast<std::string*>(previous_);
    std::setlocale(LC_NUMERIC, previous->c_str());
    _configthreadlocale(previousMode_);
    delete previous;
}
#else
CNumericScope::CNumericScope() {
    // Made once and kept for the whole run: every scope on every thread shares it.
    static const locale_t classic = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    previous_ = classic ? uselocale(classic) : nullptr;
}

CNumericScope::~CNumericScope() {
    if (previous_) uselocale(static_cast<locale_t>(previous_));
}
#endif

}  // namespace porvel
