#include "read_outcome_texts.h"

#include <QStringList>

#include "device/exchange.h"

namespace porvel {
namespace {

constexpr TextPair kNotRead = {u"Не прочитаны: %1", u"Not read: %1"};
constexpr TextPair kMissedCrc = {u"ошибка контрольной суммы", u"CRC error"};
constexpr TextPair kMissedMarker = {u"нет маркера конца", u"end marker missing"};
constexpr TextPair kMissedCurve = {u"без кривой", u"no curve"};
constexpr TextPair kReadCounts = {u"Прочитано %1: добавлено %2, повторов %3",
                                  u"Read %1: added %2, duplicates %3"};
constexpr TextPair kReadShort = {u"Архив прочитан не полностью: %1 из %2 измерений. %3.",
                                 u"The archive was read only in part: %1 of %2 measurements. %3."};

}  // namespace

QString ReadCountsText(unsigned read, unsigned added, unsigned duplicates, Language language) {
    return TextIn(kReadCounts, language).arg(read).arg(added).arg(duplicates);
}

QString NotReadText(const std::vector<MissedRecord>& missed, Language language) {
    if (missed.empty()) return {};
    QStringList named;
    for (const MissedRecord& m : missed) {
        const TextPair& why = m.why == MissedRecord::Why::Crc         ? kMissedCrc
                              : m.why == MissedRecord::Why::EndMarker ? kMissedMarker
                                                                      : kMissedCurve;
        named << QStringLiteral("%1 (%2)").arg(m.measurement).arg(TextIn(why, language));
    }
    return TextIn(kNotRead, language).arg(named.join(QStringLiteral(", ")));
}

QString ReadShortText(unsigned received, unsigned reported, bool checkFailed, Language language) {
    return TextIn(kReadShort, language)
        .arg(received)
        .arg(reported)
        .arg(TextIn(checkFailed ? kCrcErrorText : kLinkErrorText, language));
}

}  // namespace porvel
