// The values an exchange with the instrument runs on: operation, state, link status, and the
// globals that outlive one exchange.
#pragma once

#include <atomic>
#include <cstdint>
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

enum class ExchangeState : std::uint8_t {
    Connect = 0,
    ReadVersion = 1,
    ReadParameters = 2,
    ReadRecords = 3,
    ReadMaterials = 5,
    WriteMaterials = 6,
    ReadObjects = 7,
    WriteObjects = 8,
    ReadScreen = 9,
    End = 11,
};

enum class LinkStatus : std::uint8_t {
    Ok = 0,
    LibraryNotReady = 1,
    NotOnBus = 2,
    LinkError = 3,
    NoData = 4,
};

enum class WorkerPriority { Idle, Normal };

// One of each in an ExchangeSession. The starter writes state and operation before the worker
// starts; afterwards only the worker does. The main thread writes the cancel flag while a worker
// runs.
struct ExchangeGlobals {
    ExchangeGlobals();

    std::atomic<ExchangeState> state{ExchangeState::Connect};
    std::atomic<Operation> operation{Operation::ReadArchive};
    std::atomic<LinkStatus> linkStatus{LinkStatus::Ok};
    std::atomic<bool> cancel{false};
    std::atomic<bool> listsNeeded{true};
    std::atomic<bool> running{false};  // one exchange at a time

    ParameterBlock parameters{};
    MaterialListBlock materials{};
    ObjectListBlock objects{};
    ScreenBlock screen{};
    std::vector<std::uint8_t> records;    // the reported count x 36 bytes during an archive read
    std::vector<std::uint8_t> curveArea;  // 128 slots of 64 KiB, made once
};

}  // namespace porvel
