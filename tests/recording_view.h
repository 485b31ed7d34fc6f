// An exchange view that keeps every call the exchange makes, in order, with copies of what it
// hands over, and replays the update effects onto a model of the window's controls (gauge,
// status label, dialog caption). Hooks let a test act at a chosen call, the way a user presses
// Cancel while the window shows some state.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "device/exchange.h"

namespace porvel::testing {

class RecordingView : public ExchangeView {
public:
    enum class Call { Update, Message, Priority, HandOver, FillGrid, ReadGrid, CloseDialog, Exit };

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

    void Update(const UpdateEffect& effect) override;
    void ShowMessage(const QString& text, const QString& caption) override;
    void SetPriority(WorkerPriority priority) override;
    void HandOverArchive(const ArchiveHandOver& read) override;
    void FillGrid(const EditorRows& rows) override;
    EditorRows ReadGrid() override;
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

    // What ReadGrid answers.
    EditorRows grid{};

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
