#include "exchange_texts.h"

#include <algorithm>

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

}  // namespace porvel
