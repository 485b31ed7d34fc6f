#include "exchange_texts.h"

#include <algorithm>

namespace porvel {
namespace {

struct Pair {
    const char16_t* russian;
    const char16_t* english;
};

QString Pick(const Pair& pair, Language language) {
    return QString::fromUtf16(language == Language::Russian ? pair.russian : pair.english);
}

constexpr Pair kConnection = {u"Подключение", u"Connection"};
constexpr Pair kVersionRead = {u"Чтение версии", u"Version Read"};
constexpr Pair kParametersRead = {u"Чтение параметров", u"Parameters Read"};
constexpr Pair kDataRead = {u"Чтение данных", u"Data Read"};
constexpr Pair kArchiveRead = {u"Чтение архива", u"Archive Read"};
constexpr Pair kMaterialsLoading = {u"Загрузка материалов", u"Materials Loading"};
constexpr Pair kMaterialsSave = {u"Сохранение метериалов", u"Materials Save"};
constexpr Pair kObjectsLoading = {u"Загрузка объектов", u"Objects Loading"};
constexpr Pair kObjectsSave = {u"Сохранение объектов", u"Objects Save"};
constexpr Pair kReady = {u"Готово", u"Ready"};
constexpr Pair kCheckConnection = {u"Проверьте подключение", u"Check Connection"};
constexpr Pair kLinkError = {u"Ошибка связи", u"Link Error"};
constexpr Pair kNoData = {u"Данных нет", u"No Data"};
constexpr Pair kWarning = {u"Внимание", u"Warning"};
constexpr Pair kCrcError = {u"Ошибка контрольной суммы", u"CRC16 Error"};
constexpr Pair kMemoryError = {u"Ошибка выделения памяти", u"Memory allocation error"};
constexpr Pair kBadEditorCell = {u"В таблице не число: запись в прибор прервана",
                                 u"A table cell is not a number: writing to the device stopped"};

struct StateTexts {
    const Pair* caption;  // null: the caption keeps its text
    const Pair* status;   // null: the label keeps its text
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
        case ExchangeText::Warning:
            return Pick(kWarning, language);
        case ExchangeText::CrcError:
            return Pick(kCrcError, language);
        case ExchangeText::MemoryError:
            return Pick(kMemoryError, language);
        case ExchangeText::BadEditorCell:
            return Pick(kBadEditorCell, language);
        case ExchangeText::Ready:
            return Pick(kReady, language);
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
            effect.status = Pick(kCheckConnection, language);
            return effect;
        case LinkStatus::LinkError:
            effect.status = Pick(kLinkError, language);
            return effect;
        case LinkStatus::NoData:
            effect.status = Pick(kNoData, language);
            effect.holdNoData = true;
            return effect;
    }
    const StateTexts texts = TextsOf(state);
    if (texts.caption) effect.caption = Pick(*texts.caption, language);
    if (texts.status) effect.status = Pick(*texts.status, language);
    effect.hideGauge = state == ExchangeState::End;
    return effect;
}

}  // namespace porvel
