// One request/response step of the protocol: send, pause, length header, capped payload.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "transport.h"
#include "wire/frames.h"

namespace porvel {

enum class ReplyStep { CommandSent, HeaderReceived, PayloadReceived };

struct ReplyResult {
    bool ok = false;              // false: a transfer failed (a link failure)
    std::uint32_t announced = 0;  // the length header as received
    std::size_t requested = 0;    // the payload size asked for, after the cap
    int received = 0;             // what the payload transfer delivered
};

// Sends the frame of `command` (with `argument` where it takes one), waits its pause, reads the
// 4-byte header and then at most ReceiveCap(command) bytes into `destination`, which must hold
// that many. The header lands in the first bytes of the destination, except for ReadCurve,
// whose header has a value of its own. `onStep` runs after each transfer that succeeded.
ReplyResult ReadReply(Transport& transport, Clock& clock, protocol::Command command,
                      std::uint16_t argument, std::uint8_t* destination,
                      std::size_t destinationSize,
                      const std::function<void(ReplyStep)>& onStep = {});

}  // namespace porvel
