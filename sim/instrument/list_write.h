// The device side of writing a list: after WriteMaterials or WriteObjects the host sends, no
// sooner than 300 ms later, a 4-byte length header with the block size, then the block in pieces
// of exactly 64 bytes (the last one shorter), each no sooner than 15 ms after the piece before.
// A write that breaks any of this is refused as a whole; the pieces of it still to come are
// swallowed until the next command.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sim_constants.h"

namespace porvel::sim {

enum class ListKind { Materials, Objects };

std::size_t ListSize(ListKind kind);
const char* ListName(ListKind kind);

class ListWriteReceiver {
public:
    enum class Result { Taken, Complete, Violation };

    void Start(ListKind kind, TimePoint commandTime);
    // Header or pieces still expected.
    bool Receiving() const { return stage_ == Stage::Header || stage_ == Stage::Pieces; }
    // A refused write: what is left of it is swallowed.
    bool Draining() const { return stage_ == Stage::Draining; }
    void Drain() { stage_ = Stage::Draining; }
    void Reset() { stage_ = Stage::Idle; }

    ListKind Kind() const { return kind_; }
    std::size_t Received() const { return block_.size(); }
    const std::vector<std::uint8_t>& Block() const { return block_; }
    // When the last piece of the block came in (for the pause after it).
    TimePoint LastPieceTime() const { return lastPiece_; }

    // One bulk-OUT transfer of the write. A Violation leaves the receiver draining and puts the
    // reason into `problem`.
    Result Feed(const std::uint8_t* data, std::size_t size, TimePoint now, std::string* problem);

private:
    enum class Stage { Idle, Header, Pieces, Draining };

    Result Refuse(const std::string& reason, std::string* problem);
    Result FeedHeader(const std::uint8_t* data, std::size_t size, TimePoint now,
                      std::string* problem);
    Result FeedPiece(const std::uint8_t* data, std::size_t size, TimePoint now,
                     std::string* problem);

    Stage stage_ = Stage::Idle;
    ListKind kind_ = ListKind::Materials;
    TimePoint command_{};
    TimePoint lastPiece_{};
    std::vector<std::uint8_t> block_;
};

}  // namespace porvel::sim
