#include "exchange_progress.h"

#include <algorithm>
#include <array>

#include "read_outcome_texts.h"

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

// The caption and the status line each step shows; a pair without words leaves its control's
// text as it was.
struct StepTexts {
    ExchangeStep step;
    TextPair caption;
    TextPair status;
};

constexpr TextPair kKept = {nullptr, nullptr};
constexpr TextPair kDataRead = {u"Чтение данных", u"Data Read"};
constexpr StepTexts kStepTexts[] = {
    {ExchangeStep::Connect, {u"Подключение", u"Connection"}, kKept},
    {ExchangeStep::ReadVersion, {u"Чтение версии", u"Version Read"}, kKept},
    {ExchangeStep::ReadParameters, {u"Чтение параметров", u"Parameters Read"}, kKept},
    {ExchangeStep::ReadRecords, kDataRead, {u"Чтение архива", u"Archive Read"}},
    {ExchangeStep::ReadMaterials, kDataRead, {u"Загрузка материалов", u"Materials Loading"}},
    {ExchangeStep::WriteMaterials, kKept, {u"Сохранение метериалов", u"Materials Save"}},
    {ExchangeStep::ReadObjects, kDataRead, {u"Загрузка объектов", u"Objects Loading"}},
    {ExchangeStep::WriteObjects, kKept, {u"Сохранение объектов", u"Objects Save"}},
    {ExchangeStep::ReadScreen, kKept, kDataRead},
    {ExchangeStep::End, kKept, {u"Готово", u"Ready"}},
};

// What a link in trouble shows instead of the step's texts.
struct LinkTexts {
    LinkStatus link;
    TextPair status;
};
constexpr LinkTexts kLinkTexts[] = {
    {LinkStatus::NotOnBus, {u"Проверьте подключение", u"Check Connection"}},
    {LinkStatus::LinkError, kLinkErrorText},
    {LinkStatus::NoData, {u"Данных нет", u"No Data"}},
};

struct MessageTexts {
    ExchangeMessage::Kind kind;
    TextPair text;
};
constexpr MessageTexts kMessageTexts[] = {
    {ExchangeMessage::Kind::BlockCheck, kCrcErrorText},
    {ExchangeMessage::Kind::RecordCheck,
     {u"Ошибка контрольной суммы: измерение %1 из %2", u"CRC16 Error: measurement %1 of %2"}},
    {ExchangeMessage::Kind::NoMemory, {u"Ошибка выделения памяти", u"Memory allocation error"}},
    {ExchangeMessage::Kind::BadEditorCell,
     {u"В таблице не число: запись в прибор прервана",
      u"A table cell is not a number: writing to the device stopped"}},
};

std::optional<QString> Words(const TextPair& pair, Language language) {
    if (!pair.russian) return std::nullopt;
    return TextIn(pair, language);
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
    // A library not loaded yet shows the step's caption and leaves the status line alone.
    if (progress.link == LinkStatus::Ok) effect.status = QString();
    for (const LinkTexts& texts : kLinkTexts) {
        if (texts.link != progress.link) continue;
        effect.status = TextIn(texts.status, language);
        return effect;
    }
    for (const StepTexts& texts : kStepTexts) {
        if (texts.step != progress.step) continue;
        effect.caption = Words(texts.caption, language);
        if (const auto status = Words(texts.status, language)) effect.status = status;
    }
    effect.hideGauge = progress.step == ExchangeStep::End;
    return effect;
}

QString MessageText(const ExchangeMessage& message, Language language) {
    for (const MessageTexts& texts : kMessageTexts) {
        if (texts.kind != message.kind) continue;
        const QString text = TextIn(texts.text, language);
        return message.kind == ExchangeMessage::Kind::RecordCheck
                   ? text.arg(message.measurement).arg(message.count)
                   : text;
    }
    return {};
}

}  // namespace porvel
