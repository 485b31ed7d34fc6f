// An exchange view that keeps every call the exchange makes, in order, with copies of what it
// hands over, and replays its progress, as a window shows it, onto a model of the window's
// controls (gauge, status label, dialog caption). Lists come and go as an editor's grid rows. Hooks
// let a test act at a chosen call, the way a user presses Cancel while the window shows some state.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "base/language.h"
#include "device/exchange.h"
#include "settings/editor_rows.h"
#include "ui/exchange_progress.h"

namespace porvel::testing {

class RecordingView : public ExchangeView {
public:
    enum class Call { Update, Message, Priority, HandOver, Lists, Edits, CloseDialog, Exit };

    struct Message {
        QString text;
        QString caption;
    };
    // What the table filling was given: the records and the curve slots of `count` records.
    struct HandOver {
        unsigned count = 0;
        unsigned reported = 0;
        std::vector<std::uint8_t> records;
        std::vector<std::uint8_t> curves;
        std::vector<bool> withoutCurve;
        std::vector<MissedRecord> missed;
        bool linkLost = false;
    };
    // The controls as the update effects leave them.
    struct Controls {
        int gauge = 0;
        bool gaugeVisible = true;
        QString status;
        QString caption;
    };

    void Update(const ExchangeProgress& progress) override;
    void ShowMessage(const ExchangeMessage& message) override;
    void SetPriority(WorkerPriority priority) override;
    void HandOverArchive(const ArchiveHandOver& read) override;
    void HandOverLists(const ListRead& read) override;
    ListEdits EditsToWrite(ListKind kind) override;
    void CloseDialog() override;
    void ExitProgram(int code) override;

    // Every call, in order.
    std::vector<Call> calls;
    std::vector<UpdateEffect> updates;
    std::vector<Message> messages;
    std::vector<WorkerPriority> priorities;
    std::vector<HandOver> handOvers;
    std::vector<EditorRows> fills;
    std::vector<int> exitCodes;
    int gridReads = 0;
    int dialogCloses = 0;
    Controls controls;

    // The editor's grid a list write takes its entries from.
    EditorRows grid{};
    // The language of the texts and the grid, and the name tables the grid's names come from.
    Language language = Language::Russian;
    const NameTable* objects = nullptr;
    const NameTable* materials = nullptr;

    // Run after the call was recorded.
    std::function<void(const Controls&)> onUpdate;
    std::function<void()> onHandOver;

    // The gauge values the updates showed, a value repeated by the next update left out.
    std::vector<int> GaugeSteps() const;
    // The texts the status label changed to, in order, repeats left out; the empty text the
    // label is cleared to in between is left out too.
    std::vector<QString> StatusTexts() const;
    int CountOf(Call call) const;
};

}  // namespace porvel::testing
