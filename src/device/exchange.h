// One exchange with the instrument as a state machine: connect, carry out the operation, close.
// It talks to the outside only through the link, the clock and the view, so that it runs the
// same on the worker thread of the program and in tests with fakes.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "base/language.h"
#include "exchange_texts.h"
#include "exchange_types.h"
#include "transport.h"
#include "wire/frames.h"

namespace porvel {

class NameTable;

// One of the instrument's two lists as an exchange reads and writes it. The captions and status
// texts of its two states are what the update routine shows while it moves.
struct ListDescriptor {
    enum class Kind : std::uint8_t { Materials, Objects };
    Kind kind;
    protocol::Command readCommand;
    protocol::Command writeCommand;
    std::size_t entrySize;
    std::size_t entries;
    std::size_t blockSize;  // the receive cap of a read, the length header of a write
    ExchangeState readState;
    ExchangeState writeState;
};

inline constexpr ListDescriptor kMaterialList = {ListDescriptor::Kind::Materials,
                                                 protocol::Command::ReadMaterials,
                                                 protocol::Command::WriteMaterials,
                                                 protocol::kMaterialEntrySize,
                                                 protocol::kListEntries,
                                                 protocol::kMaterialListSize,
                                                 ExchangeState::ReadMaterials,
                                                 ExchangeState::WriteMaterials};
inline constexpr ListDescriptor kObjectList = {
    ListDescriptor::Kind::Objects, protocol::Command::ReadObjects, protocol::Command::WriteObjects,
    protocol::kObjectEntrySize,    protocol::kListEntries,         protocol::kObjectListSize,
    ExchangeState::ReadObjects,    ExchangeState::WriteObjects};

// Rows 1..20 of an editor's grid, columns 0..3.
using EditorRow = std::array<QString, 4>;
using EditorRows = std::array<EditorRow, protocol::kListEntries>;

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

// What the exchange reports into. Implementations decide on which thread each call runs; every
// call returns only when it is done, so the exchange keeps its order.
class ExchangeView {
public:
    virtual ~ExchangeView() = default;
    virtual void Update(const UpdateEffect& effect) = 0;
    // An OK box with a stop icon; returns when the user has confirmed it.
    virtual void ShowMessage(const QString& text, const QString& caption) = 0;
    virtual void SetPriority(WorkerPriority priority) = 0;
    // The end of an archive read (not of a cancelled one).
    virtual void HandOverArchive(const ArchiveHandOver& read) = 0;
    virtual void FillGrid(const EditorRows& rows) = 0;
    virtual EditorRows ReadGrid() = 0;
    virtual void CloseDialog() = 0;
    // The record array could not be made; the program cannot go on.
    virtual void ExitProgram(int code) = 0;
};

class Exchange {
public:
    Exchange(ExchangeGlobals& globals, DeviceLink& link, Clock& clock, ExchangeView& view,
             NameTable& objects, NameTable& materials, Language language);

    // Runs passes until the end state has run.
    void Run();
    // One pass: the update routine, then the current state once. False after the end state.
    bool Pass();

    int Progress() const { return progress_; }
    unsigned ReceivedRecords() const { return received_; }
    // The measurements the instrument said it holds, once its parameter block has come.
    unsigned ReportedRecords() const { return recordCount_; }

private:
    void Connect();
    void ReadVersion();
    void ReadParameters();
    void ReadRecords();
    // How a block came off the link after its askings: sound, failing its check, or lost with
    // the link.
    enum class BlockRead { Sound, Faulty, LinkLost };
    // Asks for a block while it fails its check, up to kCheckAttempts times in all; a failed
    // transfer is asked for once more. `fault` gets the last check's finding.
    BlockRead ReadChecked(protocol::Command command, std::uint16_t argument,
                          std::uint8_t* destination, std::size_t size,
                          const std::function<BlockFault()>& check, BlockFault* fault);
    void ReadList(const ListDescriptor& list);
    void WriteList(const ListDescriptor& list);
    // The list's block among the received blocks.
    std::uint8_t* ListBlock(const ListDescriptor& list);
    void ReadScreen();
    void End();

    void Update();
    void SetLink(LinkStatus status) { g_.linkStatus = status; }
    void SetState(ExchangeState state) { g_.state = state; }
    bool Cancelled() const { return g_.cancel.load(); }
    Operation Op() const { return g_.operation.load(); }
    void CrcMessage();

    ExchangeGlobals& g_;
    DeviceLink& link_;
    Clock& clock_;
    ExchangeView& view_;
    NameTable& objects_;
    NameTable& materials_;
    Language language_;
    int progress_ = 0;
    unsigned received_ = 0;
    unsigned recordCount_ = 0;  // as the parameter block of this exchange gave it
    std::vector<bool> withoutCurve_;
    std::vector<MissedRecord> missed_;
    bool linkLost_ = false;
    bool ended_ = false;
};

// The editor grid of a list read, from the name tables and the list blocks.
EditorRows ObjectGridRows(const NameTable& objects, const NameTable& materials,
                          const ObjectListBlock& block, Language language);
EditorRows MaterialGridRows(const NameTable& materials, const MaterialListBlock& block,
                            Language language);

}  // namespace porvel
