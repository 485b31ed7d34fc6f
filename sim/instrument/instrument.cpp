#include "instrument.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "device_memory.h"
#include "wire/byte_order.h"

namespace porvel::sim {
namespace {

using namespace protocol;

constexpr Micros kPieceToCommandPause = std::chrono::milliseconds(kPauseAfterPieceMs);
// The most a lying length header makes the device pad its payload to.
constexpr std::size_t kLargestPaddedPayload = 2 * kCurveCap;
constexpr std::uint8_t kPadding = 0x00;
constexpr std::size_t kBytesShownOfBadFrame = 8;

Micros PauseBeforeHeader(Command command) {
    return std::chrono::milliseconds(PauseAfterCommandMs(command));
}

// Commands whose reply the device assembles on request instead of keeping a pause.
bool PreparedOnRequest(Command command) {
    return command == Command::ReadMaterials || command == Command::ReadObjects ||
           command == Command::ReadScreen;
}

Micros Since(TimePoint earlier, TimePoint now) {
    return std::chrono::duration_cast<Micros>(now - earlier);
}

std::chrono::milliseconds TimeoutOf(int timeoutMs) {
    return std::chrono::milliseconds(timeoutMs > 0 ? timeoutMs : kUnboundedTimeoutMs);
}

std::string Hex(const std::uint8_t* data, std::size_t size) {
    std::string text;
    char byte[4];
    for (std::size_t i = 0; i < size && i < kBytesShownOfBadFrame; ++i) {
        std::snprintf(byte, sizeof byte, i == 0 ? "%02X" : " %02X", data[i]);
        text += byte;
    }
    if (size > kBytesShownOfBadFrame) text += " ...";
    return text;
}

}  // namespace

Instrument::Instrument(DeviceMemory memory, Faults faults, std::string logPath, TimeSource& time)
    : time_(&time),
      memory_(std::move(memory)),
      faults_(std::move(faults)),
      parameters_(BuildParameterBlock(memory_.archive.size())),
      log_(time, std::move(logPath)),
      appeared_(faults_.absentSearches == 0),
      onBus_(appeared_) {}

std::optional<Instrument::Frame> Instrument::ParseFrame(const std::uint8_t* data,
                                                        std::size_t size) {
    if (size != kShortFrameSize && size != kLongFrameSize) return std::nullopt;
    const std::uint8_t code = data[0];
    if (code < kFirstCommand || code > kLastCommand || data[1] != 0xFF - code) return std::nullopt;
    const auto command = static_cast<Command>(code);
    if (size != (TakesArgument(command) ? kLongFrameSize : kShortFrameSize)) return std::nullopt;
    Frame frame{command, 0};
    if (size == kLongFrameSize) frame.argument = ReadU16(data + kShortFrameSize);
    return frame;
}

int Instrument::Write(const std::uint8_t* data, std::size_t size, int timeoutMs) {
    if (!onBus_) return kErrNoDevice;
    const unsigned transfer = ++transfers_;
    if (AnyCovers(faults_.failingTransfers, transfer)) {
        InjectFailure(transfer, true);
        return kErrIo;
    }
    const int result = TakeOut(data, size, timeoutMs);
    AfterTransfer(transfer);
    return result;
}

int Instrument::Read(std::uint8_t* buffer, std::size_t size, int timeoutMs) {
    if (!onBus_) return kErrNoDevice;
    const unsigned transfer = ++transfers_;
    if (AnyCovers(faults_.failingTransfers, transfer)) {
        InjectFailure(transfer, false);
        return kErrIo;
    }
    const int result = GiveIn(buffer, size, timeoutMs);
    AfterTransfer(transfer);
    return result;
}

int Instrument::TakeOut(const std::uint8_t* data, std::size_t size, int timeoutMs) {
    const TimePoint now = time_->Now();
    const std::optional<Frame> frame = ParseFrame(data, size);
    if (listWrite_.Draining()) {
        if (!frame) {
            log_.Add("discarded " + std::to_string(size) + " bytes of the refused write");
            return static_cast<int>(size);
        }
        listWrite_.Reset();
    }
    if (listWrite_.Receiving()) {
        if (!frame) return TakeListPart(data, size, timeoutMs, now);
        Violation(std::string(ListName(listWrite_.Kind())) +
                  " write refused: " + CommandName(frame->command) + " came after " +
                  std::to_string(listWrite_.Received()) + " of " +
                  std::to_string(ListSize(listWrite_.Kind())) + " bytes");
        listWrite_.Reset();
        return FailAfterTimeout(timeoutMs);
    }
    if (!frame) {
        Violation("not a command frame: " + Hex(data, size) + " (" + std::to_string(size) +
                  " bytes)");
        return FailAfterTimeout(timeoutMs);
    }
    if (blockJustStored_) {
        blockJustStored_ = false;
        const Micros waited = Since(listWrite_.LastPieceTime(), now);
        if (waited + kPaceSlack < kPieceToCommandPause) {
            Violation(std::string(CommandName(frame->command)) + " " + FormatMs(waited) +
                      " after the last piece of a block, needs " + FormatMs(kPieceToCommandPause));
            return FailAfterTimeout(timeoutMs);
        }
    }
    HandleCommand(*frame, now);
    return static_cast<int>(size);
}

int Instrument::TakeListPart(const std::uint8_t* data, std::size_t size, int timeoutMs,
                             TimePoint now) {
    std::string problem;
    switch (listWrite_.Feed(data, size, now, &problem)) {
        case ListWriteReceiver::Result::Violation:
            Violation(problem);
            return FailAfterTimeout(timeoutMs);
        case ListWriteReceiver::Result::Complete: {
            const std::vector<std::uint8_t>& block = listWrite_.Block();
            if (listWrite_.Kind() == ListKind::Materials)
                std::copy(block.begin(), block.end(), memory_.materials.begin());
            else
                std::copy(block.begin(), block.end(), memory_.objects.begin());
            blockJustStored_ = true;
            log_.Add(std::string(ListName(listWrite_.Kind())) + " stored (" +
                     std::to_string(block.size()) + " bytes)");
            break;
        }
        case ListWriteReceiver::Result::Taken:
            break;
    }
    return static_cast<int>(size);
}

void Instrument::HandleCommand(const Frame& frame, TimePoint now) {
    pending_.reset();
    const Command command = frame.command;
    std::string line = CommandName(command);
    if (TakesArgument(command)) line += " " + std::to_string(frame.argument);
    log_.Add(line);

    switch (command) {
        case Command::ReadVersion:
            Prepare(command, {memory_.version.begin(), memory_.version.end()}, now);
            break;
        case Command::ReadParameters:
            Prepare(command, ParametersPayload(), now);
            break;
        case Command::ReadRecord:
            if (frame.argument >= memory_.archive.size()) {
                Violation("ReadRecord " + std::to_string(frame.argument) + ": the archive holds " +
                          std::to_string(memory_.archive.size()) + " records; no reply");
                break;
            }
            selectedRecord_ = frame.argument;
            Prepare(command, RecordPayload(frame.argument), now);
            break;
        case Command::ReadCurve:
            if (!selectedRecord_) {
                Violation("ReadCurve before any ReadRecord; no reply");
                break;
            }
            Prepare(command, CurvePayload(*selectedRecord_, frame.argument), now);
            break;
        case Command::ReadMaterials:
            Prepare(command, MaterialsPayload(), now);
            break;
        case Command::ReadObjects:
            Prepare(command, ObjectsPayload(), now);
            break;
        case Command::ReadScreen:
            Prepare(command, {memory_.screen.begin(), memory_.screen.end()}, now);
            break;
        case Command::WriteMaterials:
            listWrite_.Start(ListKind::Materials, now);
            break;
        case Command::WriteObjects:
            listWrite_.Start(ListKind::Objects, now);
            break;
    }
}

void Instrument::Prepare(Command command, std::vector<std::uint8_t> payload, TimePoint now) {
    Reply reply;
    reply.command = command;
    reply.sentAt = now;
    reply.earliestHeader = now + PauseBeforeHeader(command);
    reply.readyAt = PreparedOnRequest(command) ? now + kListPrepareTime : now;
    auto announced = static_cast<std::uint32_t>(payload.size());
    for (const HeaderOverride& lie : faults_.headers) {
        if (lie.command != command) continue;
        announced = lie.value;
        payload.resize(std::min<std::size_t>(announced, kLargestPaddedPayload), kPadding);
        log_.Add("fault: length header of " + std::string(CommandName(command)) + " says " +
                 std::to_string(announced));
    }
    WriteU32(reply.header.data(), announced);
    reply.payload = std::move(payload);
    pending_ = std::move(reply);
}

int Instrument::GiveIn(std::uint8_t* buffer, std::size_t size, int timeoutMs) {
    if (!pending_) {
        log_.Add("read with no reply pending: timed out");
        time_->SleepFor(TimeoutOf(timeoutMs));
        return kErrTimeout;
    }
    Reply& reply = *pending_;
    if (reply.headerSent) return GivePayload(buffer, size);

    const TimePoint now = time_->Now();
    if (now + kPaceSlack < reply.earliestHeader) {
        Violation("header of " + std::string(CommandName(reply.command)) + " read " +
                  FormatMs(Since(reply.sentAt, now)) + " after the command, needs " +
                  FormatMs(PauseBeforeHeader(reply.command)) + "; reply lost");
        pending_.reset();
        return FailAfterTimeout(timeoutMs);
    }
    if (now < reply.readyAt) {
        if (reply.readyAt - now > TimeoutOf(timeoutMs)) {
            log_.Add(std::string("header of ") + CommandName(reply.command) +
                     " not ready within the read's timeout");
            time_->SleepFor(TimeoutOf(timeoutMs));
            return kErrTimeout;
        }
        SleepUntil(*time_, reply.readyAt);
    }
    const std::size_t count = std::min(size, reply.header.size());
    std::memcpy(buffer, reply.header.data(), count);
    reply.headerSent = true;
    return static_cast<int>(count);
}

int Instrument::GivePayload(std::uint8_t* buffer, std::size_t size) {
    Reply& reply = *pending_;
    const std::string name = CommandName(reply.command);
    ++payloads_;
    std::size_t count = std::min(size, reply.payload.size());
    if (size != reply.payload.size())
        log_.Add("payload read of " + name + " asks " + std::to_string(size) +
                 " bytes, the reply has " + std::to_string(reply.payload.size()));
    if (AnyCovers(faults_.shortPayloads, payloads_)) {
        count /= 2;
        log_.Add("fault: payload " + std::to_string(payloads_) + " (" + name + ") cut to " +
                 std::to_string(count) + " bytes");
    }
    std::memcpy(buffer, reply.payload.data(), count);
    pending_.reset();
    return static_cast<int>(count);
}

bool Instrument::Search() {
    ++searches_;
    if (!appeared_) {
        if (searches_ <= faults_.absentSearches) {
            log_.Add("fault: absent at search " + std::to_string(searches_));
            return false;
        }
        appeared_ = true;
        onBus_ = true;
    } else if (unplugged_ && faults_.replugAfterSearches) {
        if (++searchesSinceUnplug_ > *faults_.replugAfterSearches) {
            unplugged_ = false;
            onBus_ = true;
            log_.Add("fault: plugged in again at search " + std::to_string(searches_));
        }
    }
    return onBus_;
}

void Instrument::Violation(const std::string& what) {
    ++violations_;
    log_.Add("violation: " + what);
}

int Instrument::FailAfterTimeout(int timeoutMs) {
    time_->SleepFor(TimeoutOf(timeoutMs));
    return kErrTimeout;
}

void Instrument::InjectFailure(unsigned transfer, bool out) {
    log_.Add("fault: transfer " + std::to_string(transfer) + (out ? " (out)" : " (in)") + " fails");
    if (!out) {
        pending_.reset();
        return;
    }
    if (listWrite_.Receiving()) {
        listWrite_.Drain();
        log_.Add(std::string(ListName(listWrite_.Kind())) + " write dropped");
    }
}

void Instrument::AfterTransfer(unsigned transfer) {
    if (transfer == faults_.unplugAfterTransfer) Unplug(transfer);
}

void Instrument::Unplug(unsigned transfer) {
    onBus_ = false;
    unplugged_ = true;
    searchesSinceUnplug_ = 0;
    ++attachment_;
    pending_.reset();
    listWrite_.Reset();
    log_.Add("fault: unplugged after transfer " + std::to_string(transfer));
}

}  // namespace porvel::sim
