// The values an exchange with the instrument runs on and reports: operation, step, link status,
// progress, messages and how an operation ended, and the state that outlives one exchange.
#pragma once

#include <atomic>
#include <cstdint>
#include <variant>
#include <vector>

#include "wire/frames.h"

namespace porvel {

enum class Operation : std::uint8_t {
    ReadArchive = 0,
    ReadObjects = 1,
    ReadMaterials = 2,
    WriteObjects = 3,
    WriteMaterials = 4,
    ReadScreen = 5,
};

enum class ListKind : std::uint8_t { Materials, Objects };

// What an exchange is doing now; it names the caption and status of the window it reports into.
enum class ExchangeStep : std::uint8_t {
    Connect,
    ReadVersion,
    ReadParameters,
    ReadRecords,
    ReadMaterials,
    WriteMaterials,
    ReadObjects,
    WriteObjects,
    ReadScreen,
    End,
};

enum class LinkStatus : std::uint8_t {
    Ok = 0,
    LibraryNotReady = 1,
    NotOnBus = 2,
    LinkError = 3,
    NoData = 4,
};

enum class WorkerPriority { Idle, Normal };

// The part of an operation its progress counts in. The gauge a window shows for a phase and its
// done of total is one table on the window's side (ui/exchange_progress.h).
enum class ProgressPhase : std::uint8_t {
    Start,
    ArchiveMaterials,  // the lists an archive read fetches first, four steps each
    ArchiveObjects,
    Version,
    Parameters,
    Records,                 // one step per measurement
    MaterialsBeforeObjects,  // an object read that fetches the material list first
    ObjectsAfterMaterials,
    Objects,
    Materials,
    Encode,  // a list write building its block, one step per entry
    Send,    // a list write sending its block, done and total in bytes
    Screen,  // command, header, payload
};

// One report of an exchange's progress.
struct ExchangeProgress {
    ExchangeStep step = ExchangeStep::Connect;
    LinkStatus link = LinkStatus::Ok;
    ProgressPhase phase = ProgressPhase::Start;
    unsigned done = 0;
    unsigned total = 1;
    unsigned recordsReported = 0;  // by the parameter block of an archive read
    unsigned recordsReceived = 0;  // of them, those received so far
};

// A message an exchange shows, and waits for the user to confirm.
struct ExchangeMessage {
    enum class Kind : std::uint8_t {
        BlockCheck,     // a parameter block or list entry failed its check
        RecordCheck,    // a measurement failed its check on every asking: `measurement` of `count`
        NoMemory,       // the record array could not be made
        BadEditorCell,  // an editor cell to be written holds no number
    };
    Kind kind = Kind::BlockCheck;
    unsigned measurement = 0;
    unsigned count = 0;
};

// The check that failed, when an operation ends on one.
enum class FailedCheck : std::uint8_t {
    Parameters,
    MaterialList,
    ObjectList,
    Record,
    Curve,
    Editor
};

// How an operation ended. The statuses other than Done and Cancelled say what went wrong last,
// also when the user gave the exchange up over it.
namespace status {
struct Done {};
struct Cancelled {};
struct NoDevice {};  // the library or the instrument was not there
struct LinkError {};
struct CheckFailed {
    FailedCheck which = FailedCheck::Parameters;
};
struct NoMemory {};
}  // namespace status
using ExchangeStatus = std::variant<status::Done, status::Cancelled, status::NoDevice,
                                    status::LinkError, status::CheckFailed, status::NoMemory>;

// One of each in an ExchangeSession: the flags that cross threads and what one exchange leaves
// for the next. The starter sets `running` and moves `listsNeeded` before its worker starts; the
// main thread writes `cancel` while a worker runs.
struct ExchangeState {
    ExchangeState();

    std::atomic<bool> cancel{false};
    std::atomic<bool> listsNeeded{true};
    std::atomic<bool> running{false};  // one exchange at a time

    // The lists as last received: a write changes their entries and sends back the rest.
    MaterialListBlock materials{};
    ObjectListBlock objects{};
    ScreenBlock screen{};                 // the last screen read, which its window takes
    std::vector<std::uint8_t> curveArea;  // 128 slots of 64 KiB, made once
};

}  // namespace porvel
