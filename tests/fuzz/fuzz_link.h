// The instrument as the exchange fuzz target plays it: every answer of the device link comes
// from the fuzzer's bytes. A recorder writes what a real exchange saw in the same form, so that
// the seeds start inside sound exchanges and the fuzzer works outward from them.
//
// An input is: byte 0 the operation (taken modulo 6), byte 1 the lists-needed flag (bit 0) and
// the language (bit 1); then one entry per call of the link or of the view's grid read, in the
// order the exchange makes them:
//   Load, FindAndOpen   one byte, the result (Load modulo 3, FindAndOpen modulo 2)
//   Write               one byte: kFailByte fails the transfer, any other sends it whole
//   Read                one byte: kFailByte fails the transfer; otherwise a 16-bit
//                       little-endian count and that many bytes, cut to what the reader asked
//                       for and to what is left
//   EditsToWrite        one byte: 0 the entries as the read left them, else a damaged one
// When the bytes run out every transfer fails and the instrument is gone from the bus.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "device/exchange.h"
#include "device/transport.h"
#include "wire/name_tables.h"

namespace porvel::fuzz {

constexpr std::uint8_t kFailByte = 0xFF;
constexpr int kFailedTransfer = -5;
constexpr std::size_t kInputHeader = 2;

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool Exhausted() const { return at_ >= size_; }
    // False when nothing is left.
    bool Byte(std::uint8_t* value) {
        if (Exhausted()) return false;
        *value = data_[at_++];
        return true;
    }
    // Up to `count` bytes into `destination`; how many there were.
    std::size_t Take(std::uint8_t* destination, std::size_t count) {
        const std::size_t n = std::min(count, size_ - at_);
        if (n > 0) std::memcpy(destination, data_ + at_, n);
        at_ += n;
        return n;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

class FuzzLink : public DeviceLink {
public:
    explicit FuzzLink(FuzzInput& in) : in_(in) {}

    int Load() override {
        std::uint8_t b = 0;
        return in_.Byte(&b) ? b % 3 : 1;
    }
    int FindAndOpen() override {
        std::uint8_t b = 0;
        return in_.Byte(&b) ? b % 2 : 1;
    }
    void Close() override {}
    int Write(const std::uint8_t*, int count) override {
        std::uint8_t b = 0;
        return in_.Byte(&b) && b != kFailByte ? count : kFailedTransfer;
    }
    int Read(std::uint8_t* destination, int count) override {
        std::uint8_t control = 0, low = 0, high = 0;
        if (!in_.Byte(&control) || control == kFailByte) return kFailedTransfer;
        if (!in_.Byte(&low) || !in_.Byte(&high)) return kFailedTransfer;
        const std::size_t wanted = std::min<std::size_t>(static_cast<std::size_t>(low | high << 8),
                                                         static_cast<std::size_t>(count));
        // What the fuzzer did not give is left as it was, as a short transfer leaves it.
        return static_cast<int>(in_.Take(destination, wanted));
    }

private:
    FuzzInput& in_;
};

// Passes a real link's answers on and writes each down as an input entry.
class LinkRecorder : public DeviceLink {
public:
    LinkRecorder(DeviceLink& real, std::vector<std::uint8_t>& out) : real_(real), out_(out) {}

    int Load() override { return Note(real_.Load()); }
    int FindAndOpen() override { return Note(real_.FindAndOpen()); }
    void Close() override { real_.Close(); }
    int Write(const std::uint8_t* bytes, int count) override {
        const int result = real_.Write(bytes, count);
        out_.push_back(result == count ? 0 : kFailByte);
        return result;
    }
    int Read(std::uint8_t* destination, int count) override {
        const int result = real_.Read(destination, count);
        if (result < 0) {
            out_.push_back(kFailByte);
            return result;
        }
        out_.push_back(0);
        out_.push_back(static_cast<std::uint8_t>(result & 0xFF));
        out_.push_back(static_cast<std::uint8_t>(result >> 8));
        out_.insert(out_.end(), destination, destination + result);
        return result;
    }

private:
    int Note(int result) {
        out_.push_back(static_cast<std::uint8_t>(result));
        return result;
    }

    DeviceLink& real_;
    std::vector<std::uint8_t>& out_;
};

// The entries a list write starts from: the lists as the received blocks hold them, with the
// names of the tables, the way the editor gives them back after its read.
inline ListEdits StartEdits(const ExchangeState& state, const NameTable& objects,
                            const NameTable& materials) {
    ListEdits edits;
    edits.materials = DecodeMaterials(state.materials);
    edits.objects = DecodeObjects(state.objects);
    for (std::size_t e = 0; e < protocol::kListEntries; ++e) {
        const int index = static_cast<int>(e);
        edits.materials[e].russian = materials.Name(index, Language::Russian);
        edits.materials[e].english = materials.Name(index, Language::English);
        edits.objects[e].russian = objects.Name(index, Language::Russian);
        edits.objects[e].english = objects.Name(index, Language::English);
    }
    return edits;
}

}  // namespace porvel::fuzz
