#include "selection_summary.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

#include "archive_table.h"
#include "base/locale_format.h"

namespace porvel {
namespace {

// Decimals of the table's own cells: m with one, a with four; the variation with one.
constexpr int kMDecimals = 1;
constexpr int kADecimals = 4;
constexpr int kPercentDecimals = 1;
// Half a step of the table's one decimal, against binary fractions such as 4.5499999.
constexpr double kRoundingSlack = 1e-9;

constexpr TextPair kLine = {
    u"Выделено %1: m ср. %2 (%3 – %4), коэф. вариации %5, a ср. %6, "
    u"марка по средней m %7",
    u"Selected %1: mean m %2 (%3 – %4), coefficient of variation %5, "
    u"mean a %6, grade of the mean m %7"};
constexpr TextPair kWithoutM = {u"; без m: %1", u"; without m: %1"};
constexpr TextPair kNoM = {u"Выделено %1: ни в одной строке m не число",
                           u"Selected %1: no row has a number for m"};
constexpr TextPair kTitles = {
    u"Строк\tm ср.\tm мин.\tm макс.\tКоэф. вариации, %\ta ср.\tМарка по средней m\tБез m",
    u"Rows\tMean m\tMin m\tMax m\tCoefficient of variation, %\tMean a\tGrade of the mean m\t"
    u"Without m"};
constexpr TextPair kBelow = {u"ниже %1", u"below %1"};
constexpr TextPair kAbove = {u"выше %1", u"above %1"};
constexpr TextPair kNone = {u"нет", u"none"};

QString Number(bool has, double value, int decimals) {
    return has ? FormatFixed(value, decimals) : QStringLiteral("—");
}

}  // namespace

GradePlace GradeOfM(double m) {
    const double rounded = std::round(m * 10) / 10;
    if (rounded < kGradeRanges.front().mLow - kRoundingSlack) return {GradePlace::Below};
    for (std::size_t i = 0; i < kGradeRanges.size(); ++i)
        if (rounded <= kGradeRanges[i].mHigh + kRoundingSlack)
            return {GradePlace::Within, static_cast<int>(i)};
    return {GradePlace::Above};
}

SelectionSummary Summarize(const ArchiveTable& table, const std::vector<int>& rows) {
    SelectionSummary s;
    std::vector<double> ms;
    double aSum = 0;
    int aCount = 0;
    for (int row : rows) {
        const Measurement& values = table.Values(row);
        if (values.blank) continue;
        ++s.rows;
        if (!values.m) {
            ++s.withoutM;
            continue;
        }
        ms.push_back(*values.m);
        if (values.a) {
            aSum += *values.a;
            ++aCount;
        }
    }
    if (ms.empty()) return s;
    double sum = 0;
    for (double m : ms) sum += m;
    s.meanM = sum / static_cast<double>(ms.size());
    const auto [least, greatest] = std::minmax_element(ms.begin(), ms.end());
    s.minM = *least;
    s.maxM = *greatest;
    if (ms.size() >= 2 && s.meanM != 0) {
        double squares = 0;
        for (double m : ms) squares += (m - s.meanM) * (m - s.meanM);
        const double deviation = std::sqrt(squares / static_cast<double>(ms.size() - 1));
        s.variationPercent = 100 * deviation / std::fabs(s.meanM);
        s.hasVariation = true;
    }
    s.hasA = aCount > 0;
    if (s.hasA) s.meanA = aSum / aCount;
    s.grade = GradeOfM(s.meanM);
    return s;
}

QString SummaryGrade(const SelectionSummary& s, Language language) {
    if (s.withM() == 0) return TextIn(kNone, language);
    switch (s.grade.where) {
        case GradePlace::Below:
            return TextIn(kBelow, language).arg(QString::fromLatin1(kGradeRanges.front().grade));
        case GradePlace::Above:
            return TextIn(kAbove, language).arg(QString::fromLatin1(kGradeRanges.back().grade));
        case GradePlace::Within:
            break;
    }
    return QString::fromLatin1(kGradeRanges[static_cast<std::size_t>(s.grade.index)].grade);
}

QString SummaryLine(const SelectionSummary& s, Language language) {
    QString line;
    if (s.withM() == 0) {
        line = TextIn(kNoM, language).arg(s.rows);
    } else {
        const QString variation =
            s.hasVariation
                ? FormatFixed(s.variationPercent, kPercentDecimals) + QStringLiteral(" %")
                : QStringLiteral("—");
        line = TextIn(kLine, language)
                   .arg(QString::number(s.rows), FormatFixed(s.meanM, kMDecimals),
                        FormatFixed(s.minM, kMDecimals), FormatFixed(s.maxM, kMDecimals), variation,
                        Number(s.hasA, s.meanA, kADecimals), SummaryGrade(s, language));
    }
    if (s.withoutM > 0) line += TextIn(kWithoutM, language).arg(s.withoutM);
    return line;
}

QString SummaryTable(const SelectionSummary& s, Language language) {
    const bool hasM = s.withM() > 0;
    const QStringList values = {QString::number(s.rows),
                                Number(hasM, s.meanM, kMDecimals),
                                Number(hasM, s.minM, kMDecimals),
                                Number(hasM, s.maxM, kMDecimals),
                                Number(s.hasVariation, s.variationPercent, kPercentDecimals),
                                Number(s.hasA, s.meanA, kADecimals),
                                SummaryGrade(s, language),
                                QString::number(s.withoutM)};
    return TextIn(kTitles, language) + QLatin1Char('\n') + values.join(QLatin1Char('\t')) +
           QLatin1Char('\n');
}

}  // namespace porvel
