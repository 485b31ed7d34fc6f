#include "exchange_texts.h"

#include <QStringList>
#include <algorithm>

#include "exchange.h"

namespace porvel {
namespace {

constexpr TextPair kConnection = {u"Подключение", u"Connection"};
constexpr TextPair kVersionRead = {u"Чтение версии", u"Version Read"};
constexpr TextPair kParametersRead = {u"Чтение параметров", u"Parameters Read"};
constexpr TextPair kDataRead = {u"Чтение данных", u"Data Read"};
constexpr TextPair kArchiveRead = {u"Чтение архива", u"Archive Read"};
constexpr TextPair kMaterialsLoading = {u"Загрузка материалов", u"Materials Loading"};
constexpr TextPair kMaterialsSave = {u"Сохранение метериалов", u"Materials Save"};
constexpr TextPair kObjectsLoading = {u"Загрузка объектов", u"Objects Loading"};
constexpr TextPair kObjectsSave = {u"Сохранение объектов", u"Objects Save"};
constexpr TextPair kReady = {u"Готово", u"Ready"};
constexpr TextPair kCheckConnection = {u"Проверьте подключение", u"Check Connection"};
constexpr TextPair kLinkError = {u"Ошибка связи", u"Link Error"};
constexpr TextPair kNoData = {u"Данных нет", u"No Data"};
constexpr TextPair kCrcError = {u"Ошибка контрольной суммы", u"CRC16 Error"};
constexpr TextPair kMemoryError = {u"Ошибка выделения памяти", u"Memory allocation error"};
constexpr TextPair kBadEditorCell = {
    u"В таблице не число: запись в прибор прервана",
    u"A table cell is not a number: writing to the device stopped"};

constexpr TextPair kRecordCrcError = {u"Ошибка контрольной суммы: измерение %1 из %2",
                                      u"CRC16 Error: measurement %1 of %2"};
constexpr TextPair kNotRead = {u"Не прочитаны: %1", u"Not read: %1"};
constexpr TextPair kMissedCrc = {u"ошибка контрольной суммы", u"CRC error"};
constexpr TextPair kMissedMarker = {u"нет маркера конца", u"end marker missing"};
constexpr TextPair kMissedCurve = {u"без кривой", u"no curve"};
constexpr TextPair kReadCounts = {u"Прочитано %1: добавлено %2, повторов %3",
                                  u"Read %1: added %2, duplicates %3"};
constexpr TextPair kReadShort = {u"Архив прочитан не полностью: %1 из %2 измерений. %3.",
                                 u"The archive was read only in part: %1 of %2 measurements. %3."};

struct StateTexts {
    const TextPair* caption;  // null: the caption keeps its text
    const TextPair* status;   // null: the label keeps its text
};

StateTexts TextsOf(ExchangeState state) {
    switch (state) {
        case ExchangeState::Connect:
            return {&kConnection, nullptr};
        case ExchangeState::ReadVersion:
            return {&kVersionRead, nullptr};
        case ExchangeState::ReadParameters:
            return {&kParametersRead, nullptr};
        case ExchangeState::ReadRecords:
            return {&kDataRead, &kArchiveRead};
        case ExchangeState::ReadMaterials:
            return {&kDataRead, &kMaterialsLoading};
        case ExchangeState::WriteMaterials:
            return {nullptr, &kMaterialsSave};
        case ExchangeState::ReadObjects:
            return {&kDataRead, &kObjectsLoading};
        case ExchangeState::WriteObjects:
            return {nullptr, &kObjectsSave};
        case ExchangeState::ReadScreen:
            return {nullptr, &kDataRead};
        case ExchangeState::End:
            return {nullptr, &kReady};
    }
    return {nullptr, nullptr};
}

}  // namespace

QString Text(ExchangeText text, Language language) {
    switch (text) {
        case ExchangeText::CrcError:
            return TextIn(kCrcError, language);
        case ExchangeText::MemoryError:
            return TextIn(kMemoryError, language);
        case ExchangeText::BadEditorCell:
            return TextIn(kBadEditorCell, language);
        case ExchangeText::Ready:
            return TextIn(kReady, language);
    }
    return {};
}

UpdateEffect ComputeUpdate(int progress, LinkStatus link, ExchangeState state, Language language) {
    UpdateEffect effect;
    effect.gauge = std::min(progress, 100);
    switch (link) {
        case LinkStatus::Ok:
            effect.status = QString();
            break;
        case LinkStatus::LibraryNotReady:
            break;
        case LinkStatus::NotOnBus:
            effect.status = TextIn(kCheckConnection, language);
            return effect;
        case LinkStatus::LinkError:
            effect.status = TextIn(kLinkError, language);
            return effect;
        case LinkStatus::NoData:
            effect.status = TextIn(kNoData, language);
            effect.holdNoData = true;
            return effect;
    }
    const StateTexts texts = TextsOf(state);
    if (texts.caption) effect.caption = TextIn(*texts.caption, language);
    if (texts.status) effect.status = TextIn(*texts.status, language);
    effect.hideGauge = state == ExchangeState::End;
    return effect;
}

QString RecordCrcText(unsigned measurement, unsigned count, Language language) {
    return TextIn(kRecordCrcError, language).arg(measurement).arg(count);
}

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
        .arg(TextIn(checkFailed ? kCrcError : kLinkError, language));
}

}  // namespace porvel
