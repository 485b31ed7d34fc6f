#include "recording_view.h"

#include <algorithm>

#include "wire/name_tables.h"

namespace porvel::testing {

void RecordingView::Update(const ExchangeProgress& progress) {
    const UpdateEffect effect = ComputeUpdate(progress, language);
    calls.push_back(Call::Update);
    updates.push_back(effect);
    controls.gauge = effect.gauge;
    if (effect.status) controls.status = *effect.status;
    if (effect.caption) controls.caption = *effect.caption;
    if (effect.hideGauge) controls.gaugeVisible = false;
    if (onUpdate) onUpdate(controls);
}

void RecordingView::ShowMessage(const ExchangeMessage& message) {
    calls.push_back(Call::Message);
    messages.push_back({MessageText(message, language), TextIn(kWarningCaption, language)});
}

void RecordingView::SetPriority(WorkerPriority priority) {
    calls.push_back(Call::Priority);
    priorities.push_back(priority);
}

void RecordingView::HandOverArchive(const ArchiveHandOver& read) {
    calls.push_back(Call::HandOver);
    HandOver handOver;
    handOver.count = read.count;
    handOver.reported = read.reported;
    handOver.withoutCurve = read.withoutCurve;
    handOver.missed = read.missed;
    handOver.linkLost = read.linkLost;
    if (read.count > 0) {
        handOver.records.assign(read.records, read.records + read.count * protocol::kRecordSize);
        handOver.curves.assign(read.curveArea,
                               read.curveArea + read.count * protocol::kCurveSlotBytes);
    }
    handOvers.push_back(std::move(handOver));
    if (onHandOver) onHandOver();
}

void RecordingView::HandOverLists(const ListRead& read) {
    calls.push_back(Call::Lists);
    fills.push_back(read.objects ? ObjectGridRows(*objects, *materials, *read.objects, language)
                                 : MaterialGridRows(*materials, *read.materials, language));
}

ListEdits RecordingView::EditsToWrite(ListKind kind) {
    calls.push_back(Call::Edits);
    ++gridReads;
    return kind == ListKind::Objects ? ObjectEdits(grid, *objects, language)
                                     : MaterialEdits(grid, *materials, language);
}

void RecordingView::CloseDialog() {
    calls.push_back(Call::CloseDialog);
    ++dialogCloses;
}

void RecordingView::ExitProgram(int code) {
    calls.push_back(Call::Exit);
    exitCodes.push_back(code);
}

std::vector<int> RecordingView::GaugeSteps() const {
    std::vector<int> steps;
    for (const UpdateEffect& effect : updates)
        if (steps.empty() || steps.back() != effect.gauge) steps.push_back(effect.gauge);
    return steps;
}

std::vector<QString> RecordingView::StatusTexts() const {
    std::vector<QString> texts;
    for (const UpdateEffect& effect : updates) {
        if (!effect.status || effect.status->isEmpty()) continue;
        if (texts.empty() || texts.back() != *effect.status) texts.push_back(*effect.status);
    }
    return texts;
}

int RecordingView::CountOf(Call call) const {
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

}  // namespace porvel::testing
