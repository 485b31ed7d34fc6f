#include "list_write.h"

#include <algorithm>

#include "command_log.h"
#include "wire/byte_order.h"
#include "wire/protocol.h"

namespace porvel::sim {
namespace {

using namespace protocol;

constexpr Micros kHeaderPause = std::chrono::milliseconds(kPauseBeforeListWriteMs);
constexpr Micros kPiecePause = std::chrono::milliseconds(kPauseAfterPieceMs);

Micros Since(TimePoint earlier, TimePoint now) {
    return std::chrono::duration_cast<Micros>(now - earlier);
}

}  // namespace

std::size_t ListSize(ListKind kind) {
    return kind == ListKind::Materials ? kMaterialListSize : kObjectListSize;
}

const char* ListName(ListKind kind) {
    return kind == ListKind::Materials ? "material list" : "object list";
}

void ListWriteReceiver::Start(ListKind kind, TimePoint commandTime) {
    stage_ = Stage::Header;
    kind_ = kind;
    command_ = commandTime;
    block_.clear();
}

ListWriteReceiver::Result ListWriteReceiver::Feed(const std::uint8_t* data, std::size_t size,
                                                  TimePoint now, std::string* problem) {
    if (stage_ == Stage::Header) return FeedHeader(data, size, now, problem);
    if (stage_ == Stage::Pieces) return FeedPiece(data, size, now, problem);
    return Result::Taken;
}

ListWriteReceiver::Result ListWriteReceiver::Refuse(const std::string& reason,
                                                    std::string* problem) {
    *problem = std::string(ListName(kind_)) + " write refused: " + reason;
    stage_ = Stage::Draining;
    return Result::Violation;
}

ListWriteReceiver::Result ListWriteReceiver::FeedHeader(const std::uint8_t* data, std::size_t size,
                                                        TimePoint now, std::string* problem) {
    const Micros waited = Since(command_, now);
    if (waited + kPaceSlack < kHeaderPause)
        return Refuse("length header " + FormatMs(waited) + " after the command, needs " +
                          FormatMs(kHeaderPause),
                      problem);
    if (size != kLengthHeaderSize)
        return Refuse("a 4-byte length header expected, got " + std::to_string(size) + " bytes",
                      problem);
    const std::uint32_t announced = ReadU32(data);
    if (announced != ListSize(kind_))
        return Refuse("length header holds " + std::to_string(announced) + ", the block is " +
                          std::to_string(ListSize(kind_)) + " bytes",
                      problem);
    stage_ = Stage::Pieces;
    return Result::Taken;
}

ListWriteReceiver::Result ListWriteReceiver::FeedPiece(const std::uint8_t* data, std::size_t size,
                                                       TimePoint now, std::string* problem) {
    const std::size_t total = ListSize(kind_);
    const std::size_t expected = std::min(kWritePieceSize, total - block_.size());
    const std::size_t piece = block_.size() / kWritePieceSize + 1;
    if (size != expected)
        return Refuse("piece " + std::to_string(piece) + " of " + std::to_string(expected) +
                          " bytes expected, got " + std::to_string(size),
                      problem);
    // The first piece follows the header at once; every later one waits for the piece before.
    if (!block_.empty()) {
        const Micros waited = Since(lastPiece_, now);
        if (waited + kPaceSlack < kPiecePause)
            return Refuse("piece " + std::to_string(piece) + " " + FormatMs(waited) +
                              " after the previous one, needs " + FormatMs(kPiecePause),
                          problem);
    }
    block_.insert(block_.end(), data, data + size);
    lastPiece_ = now;
    if (block_.size() < total) return Result::Taken;
    stage_ = Stage::Idle;
    return Result::Complete;
}

}  // namespace porvel::sim
