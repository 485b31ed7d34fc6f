// A scripted transport and a clock that only records what it was asked to wait.
#pragma once

#include <cstring>
#include <deque>
#include <vector>

#include "device/transport.h"

namespace porvel::testing {

class FakeClock : public Clock {
public:
    void SleepMs(int ms) override { sleeps.push_back(ms); }
    std::vector<int> sleeps;
};

class FakeTransport : public Transport {
public:
    struct ReadReply {
        std::vector<std::uint8_t> bytes;
        int result = 0;  // negative: the transfer fails
    };

    int Write(const std::uint8_t* bytes, int count) override {
        writes.emplace_back(bytes, bytes + count);
        if (!writeResults.empty()) {
            const int r = writeResults.front();
            writeResults.pop_front();
            return r;
        }
        return count;
    }

    int Read(std::uint8_t* destination, int count) override {
        readSizes.push_back(count);
        if (replies.empty()) return -110;
        ReadReply reply = replies.front();
        replies.pop_front();
        if (reply.result < 0) return reply.result;
        const int n = std::min<int>(count, static_cast<int>(reply.bytes.size()));
        std::memcpy(destination, reply.bytes.data(), static_cast<std::size_t>(n));
        return n;
    }

    void QueueHeader(std::uint32_t length) {
        replies.push_back({{std::uint8_t(length), std::uint8_t(length >> 8),
                            std::uint8_t(length >> 16), std::uint8_t(length >> 24)},
                           0});
    }
    void QueuePayload(std::vector<std::uint8_t> bytes) { replies.push_back({std::move(bytes), 0}); }
    void QueueFailure() { replies.push_back({{}, -5}); }

    std::vector<std::vector<std::uint8_t>> writes;
    std::deque<int> writeResults;
    std::vector<int> readSizes;
    std::deque<ReadReply> replies;
};

}  // namespace porvel::testing
