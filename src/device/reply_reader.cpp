#include "reply_reader.h"

#include <algorithm>
#include <cassert>

#include "wire/byte_order.h"

namespace porvel {

using protocol::Command;
using protocol::kLengthHeaderSize;

ReplyResult ReadReply(Transport& transport, Clock& clock, Command command, std::uint16_t argument,
                      std::uint8_t* destination, std::size_t destinationSize,
                      const std::function<void(ReplyStep)>& onStep) {
    ReplyResult result;
    const std::size_t cap = ReceiveCap(command);
    assert(cap >= kLengthHeaderSize && destinationSize >= cap);
    if (cap < kLengthHeaderSize || destinationSize < cap) return result;

    const CommandFrame frame =
        TakesArgument(command) ? MakeFrame(command, argument) : MakeFrame(command);
    if (transport.Write(frame.bytes.data(), static_cast<int>(frame.size)) < 0) return result;
    if (onStep) onStep(ReplyStep::CommandSent);

    clock.SleepMs(PauseAfterCommandMs(command));

    std::uint8_t ownHeader[kLengthHeaderSize] = {};
    std::uint8_t* header = command == Command::ReadCurve ? ownHeader : destination;
    if (transport.Read(header, static_cast<int>(kLengthHeaderSize)) < 0) return result;
    result.announced = ReadU32(header);
    if (onStep) onStep(ReplyStep::HeaderReceived);

    // Unsigned comparison: a header of 2^31 or more is simply large.
    result.requested = std::min<std::size_t>(result.announced, cap);
    if (result.requested > 0) {
        result.received = transport.Read(destination, static_cast<int>(result.requested));
        if (result.received < 0) return result;
    }
    if (onStep) onStep(ReplyStep::PayloadReceived);
    result.ok = true;
    return result;
}

}  // namespace porvel
