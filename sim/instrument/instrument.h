// The simulated instrument: plays the device's side of the protocol byte for byte. Bulk-OUT
// transfers bring command frames and written list blocks; bulk-IN transfers take the replies,
// first the 4-byte length header as a transfer of its own, then the payload. The device is as
// strict as the hardware about the pauses it needs, and shows the faults it is asked to.
// Not thread-safe: the caller serialises the transfers, as one USB pipe does.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "command_log.h"
#include "device_memory.h"
#include "faults.h"
#include "list_write.h"
#include "time_source.h"

namespace porvel::sim {

class Instrument {
public:
    // `time` judges the host's pauses and runs the device's own waits; it must outlive the
    // instrument.
    Instrument(DeviceMemory memory, Faults faults, std::string logPath = {},
               TimeSource& time = RealTime());

    // Returns the byte count taken or delivered, or a negative errno value (sim_constants.h).
    int Write(const std::uint8_t* data, std::size_t size, int timeoutMs);
    int Read(std::uint8_t* buffer, std::size_t size, int timeoutMs);

    // One search of the bus by the host; whether the device is on the bus after it.
    bool Search();
    bool OnBus() const { return onBus_; }
    // Changes every time the device leaves the bus: handles opened before that are dead.
    unsigned Attachment() const { return attachment_; }

    // A broken rule the bus saw before the transfer reached the device (counted and logged).
    void HostViolation(const std::string& what) { Violation(what); }
    // What the host did to the device besides transfers (opened, closed), for the log only.
    void HostEvent(const std::string& what) { log_.Add(what); }

    unsigned Violations() const { return violations_; }
    unsigned Transfers() const { return transfers_; }
    const CommandLog& Log() const { return log_; }
    const DeviceMemory& Memory() const { return memory_; }
    const ParameterBlock& Parameters() const { return parameters_; }

private:
    struct Frame {
        protocol::Command command;
        std::uint16_t argument = 0;
    };
    struct Reply {
        protocol::Command command;
        std::array<std::uint8_t, protocol::kLengthHeaderSize> header{};
        std::vector<std::uint8_t> payload;
        TimePoint sentAt;          // when the command came in
        TimePoint earliestHeader;  // a header read before this breaks the pause
        TimePoint readyAt;         // before this the device is still assembling the reply
        bool headerSent = false;
    };

    static std::optional<Frame> ParseFrame(const std::uint8_t* data, std::size_t size);

    int TakeOut(const std::uint8_t* data, std::size_t size, int timeoutMs);
    int TakeListPart(const std::uint8_t* data, std::size_t size, int timeoutMs, TimePoint now);
    int GiveIn(std::uint8_t* buffer, std::size_t size, int timeoutMs);
    int GivePayload(std::uint8_t* buffer, std::size_t size);
    void HandleCommand(const Frame& frame, TimePoint now);
    void Prepare(protocol::Command command, std::vector<std::uint8_t> payload, TimePoint now);

    // The replies as they go out, spoiled where the faults say (and the fault logged).
    std::vector<std::uint8_t> RecordPayload(std::size_t ordinal);
    std::vector<std::uint8_t> CurvePayload(std::size_t ordinal, std::uint16_t bytes);
    std::vector<std::uint8_t> ParametersPayload();
    std::vector<std::uint8_t> MaterialsPayload();
    std::vector<std::uint8_t> ObjectsPayload();

    // Counts and logs a broken rule of the protocol.
    void Violation(const std::string& what);
    // Fails a transfer the way the bus does when the device does not answer.
    int FailAfterTimeout(int timeoutMs);
    void InjectFailure(unsigned transfer, bool out);
    void AfterTransfer(unsigned transfer);
    void Unplug(unsigned transfer);

    TimeSource* time_;
    DeviceMemory memory_;
    Faults faults_;
    ParameterBlock parameters_{};
    CommandLog log_;

    std::optional<Reply> pending_;
    std::optional<std::size_t> selectedRecord_;
    ListWriteReceiver listWrite_;
    bool blockJustStored_ = false;

    unsigned transfers_ = 0;
    unsigned payloads_ = 0;
    unsigned parameterReplies_ = 0;
    unsigned violations_ = 0;

    unsigned searches_ = 0;
    unsigned searchesSinceUnplug_ = 0;
    bool appeared_ = false;
    bool unplugged_ = false;
    bool onBus_ = false;
    unsigned attachment_ = 0;
};

}  // namespace porvel::sim
