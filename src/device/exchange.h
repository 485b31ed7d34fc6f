// One exchange with the instrument: each operation is one function that connects, runs its steps
// in order and closes the device, returning what it read and how it ended. It talks to the
// outside only through the link, the clock and the view, so that it runs the same on the worker
// thread of the program and in tests with fakes.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "exchange_types.h"
#include "reply_reader.h"
#include "transport.h"
#include "wire/frames.h"

namespace porvel {

class NameTable;

// One of the instrument's two lists as an exchange reads and writes it, with the steps its read
// and its write report.
struct ListDescriptor {
    ListKind kind;
    protocol::Command readCommand;
    protocol::Command writeCommand;
    std::size_t entrySize;
    std::size_t entries;
    std::size_t blockSize;  // the receive cap of a read, the length header of a write
    ExchangeStep readStep;
    ExchangeStep writeStep;
};

inline constexpr ListDescriptor kMaterialList = {ListKind::Materials,
                                                 protocol::Command::ReadMaterials,
                                                 protocol::Command::WriteMaterials,
                                                 protocol::kMaterialEntrySize,
                                                 protocol::kListEntries,
                                                 protocol::kMaterialListSize,
                                                 ExchangeStep::ReadMaterials,
                                                 ExchangeStep::WriteMaterials};
inline constexpr ListDescriptor kObjectList = {
    ListKind::Objects,          protocol::Command::ReadObjects, protocol::Command::WriteObjects,
    protocol::kObjectEntrySize, protocol::kListEntries,         protocol::kObjectListSize,
    ExchangeStep::ReadObjects,  ExchangeStep::WriteObjects};

// A measurement that an archive read could not take whole, and why.
struct MissedRecord {
    enum class Why : std::uint8_t {
        Crc,        // its record block failed the CRC on every asking
        EndMarker,  // its record block came without its end marker on every asking
        NoCurve,    // its record is sound, its curve was not: kept without the curve
    };
    unsigned measurement = 0;  // counted from 1, as the instrument counts them
    Why why = Why::Crc;

    bool operator==(const MissedRecord& other) const {
        return measurement == other.measurement && why == other.why;
    }
};

// What an archive read hands over at its end.
struct ArchiveHandOver {
    unsigned reported = 0;  // measurements the instrument said it holds
    unsigned count = 0;     // records received: `records` holds count x 36 bytes
    const std::uint8_t* records = nullptr;
    const std::uint8_t* curveArea = nullptr;  // their curve blocks, one slot each, in order
    std::vector<bool> withoutCurve;           // per record: its curve did not come whole
    std::vector<MissedRecord> missed;         // in the instrument's order
    bool linkLost = false;                    // the read stopped early because the link failed
};

struct ArchiveRead {
    ExchangeStatus status;
    unsigned reported = 0;
    std::vector<std::uint8_t> records;        // the records received, 36 bytes each
    const std::uint8_t* curveArea = nullptr;  // their curves, in the session's curve area
    std::vector<bool> withoutCurve;
    std::vector<MissedRecord> missed;
    bool linkLost = false;

    ArchiveHandOver HandOver() const;
};

// The lists a list read received, each entry as its block holds it. An object's material is the
// index of its entry in the material list.
struct ListRead {
    ExchangeStatus status;
    std::optional<MaterialEntries> materials;
    std::optional<ObjectEntries> objects;
};

// The entries an editor gives for a list write, names in both languages. The first `sound`
// entries hold numbers; the one at `sound`, if any, does not, and the write stops there.
struct ListEdits {
    MaterialEntries materials{};
    ObjectEntries objects{};
    std::size_t sound = protocol::kListEntries;
};

// What the exchange reports into. Implementations decide on which thread each call runs; every
// call returns only when it is done, so the exchange keeps its order.
class ExchangeView {
public:
    virtual ~ExchangeView() = default;
    virtual void Update(const ExchangeProgress& progress) = 0;
    // An OK box with a stop icon; returns when the user has confirmed it.
    virtual void ShowMessage(const ExchangeMessage& message) = 0;
    virtual void SetPriority(WorkerPriority priority) = 0;
    // The end of an archive read (not of a cancelled one).
    virtual void HandOverArchive(const ArchiveHandOver& read) = 0;
    // The end of a list read (not of a cancelled one), for the editor that asked for it.
    virtual void HandOverLists(const ListRead& read) = 0;
    // Asked at every start of a list write.
    virtual ListEdits EditsToWrite(ListKind kind) = 0;
    virtual void CloseDialog() = 0;
    // The record array could not be made; the program cannot go on.
    virtual void ExitProgram(int code) = 0;
};

// One exchange: make one for each.
class Exchange {
public:
    Exchange(ExchangeState& state, DeviceLink& device, Clock& clock, ExchangeView& view,
             NameTable& objects, NameTable& materials);

    // The operation as a starter asks for it, with what its end hands to the view.
    ExchangeStatus Run(Operation operation);

    // The lists first while the session still needs them, then the version, the parameter block
    // and every record with its curve.
    ArchiveRead ReadArchive();
    // The material list, or the object list (after the material list while the session still
    // needs the lists); the names go into the name tables.
    ListRead ReadLists(ListKind kind);
    ExchangeStatus WriteList(ListKind kind);
    // Into the session's screen block, whose window takes it once the gauge shows it whole.
    ExchangeStatus ReadScreen();

    LinkStatus Link() const { return link_; }
    unsigned ReceivedRecords() const { return received_; }
    // The measurements the instrument said it holds, once its parameter block has come.
    unsigned ReportedRecords() const { return reported_; }

private:
    // How a block came off the link after its askings.
    enum class BlockRead { Sound, Faulty, LinkLost };

    // What went wrong in one round of a step; nothing when the round succeeded.
    using Failure = std::optional<ExchangeStatus>;

    // A step that starts again until a round of it succeeds. The top of every round is shown;
    // a cancel there ends the exchange: false, with `failed` what failed last (or Cancelled).
    bool Repeat(ExchangeStep step, const std::function<Failure()>& attempt, ExchangeStatus* failed);
    // The link status after a transfer, and its failure.
    Failure Transferred(bool ok);
    Failure Transferred(const ReplyResult& reply);
    // True once the instrument is open, false on a cancel before (`status` then says why).
    bool Connect(ExchangeStatus* status);
    // One list into the session's block and its name table; false on a cancel at its top.
    bool ReadList(const ListDescriptor& list, ProgressPhase phase, ListRead& read);
    void ReadRecords(ArchiveRead& read);
    // Builds the list's block from the entries, showing each; false at an entry that holds no
    // number.
    bool Encode(const ListDescriptor& list, const ListEdits& edits);
    // The command, the length header and the block in its pieces.
    Failure Send(const ListDescriptor& list);
    // Asks for a block while it fails its check, up to three times in all; a failed transfer
    // is asked for once more. `fault` gets the last check's finding.
    BlockRead ReadChecked(protocol::Command command, std::uint16_t argument,
                          std::uint8_t* destination, std::size_t size,
                          const std::function<BlockFault()>& check, BlockFault* fault);
    std::uint8_t* ListBlock(const ListDescriptor& list);

    // The top of a step, shown; false when a cancel ends the exchange there.
    bool Enter(ExchangeStep step);
    void Show(ExchangeStep step);
    void Progress(ProgressPhase phase, unsigned done, unsigned total);
    bool CancelAsked() const { return state_.cancel.load(); }
    // The end shown, then the device closed.
    ExchangeStatus End(ExchangeStatus status);
    // The device closed and a cancel taken back, without showing the end.
    ExchangeStatus Close(ExchangeStatus status);

    ExchangeState& state_;
    DeviceLink& device_;
    Clock& clock_;
    ExchangeView& view_;
    NameTable& objects_;
    NameTable& materials_;
    LinkStatus link_ = LinkStatus::Ok;
    ProgressPhase phase_ = ProgressPhase::Start;
    unsigned done_ = 0;
    unsigned total_ = 1;
    unsigned reported_ = 0;
    unsigned received_ = 0;
    bool cancelled_ = false;
};

}  // namespace porvel
