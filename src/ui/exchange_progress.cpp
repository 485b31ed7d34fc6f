#include "exchange_progress.h"

#include <algorithm>
#include <array>

#include "device/exchange_texts.h"

namespace porvel {
namespace {

// A phase moves its gauge evenly from `from` to `to` over its steps, or, with `marks`, stands at
// the mark of the step last done.
struct GaugeRow {
    ProgressPhase phase;
    int from;
    int to;
    std::array<int, 4> marks;
};

using P = ProgressPhase;
constexpr GaugeRow kGauge[] = {
    {P::Start, 0, 0, {}},
    {P::ArchiveMaterials, 0, 0, {1, 2, 3, 4}},
    {P::ArchiveObjects, 0, 0, {5, 6, 7, 8}},
    {P::Version, 0, 0, {10}},
    {P::Parameters, 0, 0, {20}},
    {P::Records, 20, 100, {}},
    {P::MaterialsBeforeObjects, 0, 0, {10, 20, 30, 40}},
    {P::ObjectsAfterMaterials, 0, 0, {50, 70, 80, 100}},
    {P::Objects, 0, 0, {30, 60, 80, 100}},
    {P::Materials, 0, 0, {40, 60, 80, 100}},
    {P::Encode, 0, 25, {}},
    {P::Send, 25, 50, {}},
    {P::Screen, 0, 0, {40, 80, 100}},
};

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
constexpr TextPair kNoData = {u"Данных нет", u"No Data"};
constexpr TextPair kMemoryError = {u"Ошибка выделения памяти", u"Memory allocation error"};
constexpr TextPair kBadEditorCell = {
    u"В таблице не число: запись в прибор прервана",
    u"A table cell is not a number: writing to the device stopped"};
constexpr TextPair kRecordCrcError = {u"Ошибка контрольной суммы: измерение %1 из %2",
                                      u"CRC16 Error: measurement %1 of %2"};

struct StepTexts {
    const TextPair* caption;  // null: the caption keeps its text
    const TextPair* status;   // null: the label keeps its text
};

StepTexts TextsOf(ExchangeStep step) {
    switch (step) {
        case ExchangeStep::Connect:
            return {&kConnection, nullptr};
        case ExchangeStep::ReadVersion:
            return {&kVersionRead, nullptr};
        case ExchangeStep::ReadParameters:
            return {&kParametersRead, nullptr};
        case ExchangeStep::ReadRecords:
            return {&kDataRead, &kArchiveRead};
        case ExchangeStep::ReadMaterials:
            return {&kDataRead, &kMaterialsLoading};
        case ExchangeStep::WriteMaterials:
            return {nullptr, &kMaterialsSave};
        case ExchangeStep::ReadObjects:
            return {&kDataRead, &kObjectsLoading};
        case ExchangeStep::WriteObjects:
            return {nullptr, &kObjectsSave};
        case ExchangeStep::ReadScreen:
            return {nullptr, &kDataRead};
        case ExchangeStep::End:
            return {nullptr, &kReady};
    }
    return {nullptr, nullptr};
}

}  // namespace

int GaugeValue(ProgressPhase phase, unsigned done, unsigned total) {
    const auto row = std::find_if(std::begin(kGauge), std::end(kGauge),
                                  [phase](const GaugeRow& r) { return r.phase == phase; });
    if (row == std::end(kGauge)) return 0;
    int value = row->from;
    if (row->marks[0] != 0) {
        if (done > 0) value = row->marks[std::min<std::size_t>(done, row->marks.size()) - 1];
    } else if (total > 0) {
        value = row->from +
                static_cast<int>(
                    (static_cast<unsigned>(row->to - row->from) * std::min(done, total)) / total);
    }
    return std::min(value, 100);
}

UpdateEffect ComputeUpdate(const ExchangeProgress& progress, Language language) {
    UpdateEffect effect;
    effect.gauge = GaugeValue(progress.phase, progress.done, progress.total);
    switch (progress.link) {
        case LinkStatus::Ok:
            effect.status = QString();
            break;
        case LinkStatus::LibraryNotReady:
            break;
        case LinkStatus::NotOnBus:
            effect.status = TextIn(kCheckConnection, language);
            return effect;
        case LinkStatus::LinkError:
            effect.status = TextIn(kLinkErrorText, language);
            return effect;
        case LinkStatus::NoData:
            effect.status = TextIn(kNoData, language);
            return effect;
    }
    const StepTexts texts = TextsOf(progress.step);
    if (texts.caption) effect.caption = TextIn(*texts.caption, language);
    if (texts.status) effect.status = TextIn(*texts.status, language);
    effect.hideGauge = progress.step == ExchangeStep::End;
    return effect;
}

QString MessageText(const ExchangeMessage& message, Language language) {
    switch (message.kind) {
        case ExchangeMessage::Kind::BlockCheck:
            return TextIn(kCrcErrorText, language);
        case ExchangeMessage::Kind::RecordCheck:
            return TextIn(kRecordCrcError, language).arg(message.measurement).arg(message.count);
        case ExchangeMessage::Kind::NoMemory:
            return TextIn(kMemoryError, language);
        case ExchangeMessage::Kind::BadEditorCell:
            return TextIn(kBadEditorCell, language);
    }
    return {};
}

}  // namespace porvel
