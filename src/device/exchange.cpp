#include "exchange.h"

#include <algorithm>
#include <new>

#include "base/locale_format.h"
#include "exchange_types.h"
#include "reply_reader.h"
#include "wire/byte_order.h"
#include "wire/name_tables.h"

namespace porvel {

using protocol::Command;

namespace {

constexpr int kConnectPauseMs = 300;  // before the search and after the instrument was found
constexpr int kVersionProgress = 10;
constexpr int kParametersProgress = 20;
constexpr int kRecordsSpan = 80;
constexpr int kScreenSentProgress = 40;
constexpr int kScreenHeaderProgress = 80;
constexpr int kDone = 100;
constexpr int kEncodeSpan = 50;  // progress (50 (e + 1)) div 40 while a block is built
constexpr int kEncodeFields = 40;
constexpr int kSendStart = 25;
constexpr int kSendSpan = 25;
// A block that fails its check is asked for again, up to this many askings in all: a spoiled
// transfer clears, a block the instrument keeps damaged does not.
constexpr int kCheckAttempts = 3;
constexpr int kTransferRetries = 1;  // a failed transfer is asked for once more

// Progress after the command, the header, the block and the decoding of a list read.
struct ListSteps {
    int a, b, c, d;
};

ListSteps MaterialSteps(Operation op) {
    switch (op) {
        case Operation::ReadArchive:
            return {1, 2, 3, 4};
        case Operation::ReadObjects:
            return {10, 20, 30, 40};
        default:
            return {40, 60, 80, 100};
    }
}

ListSteps ObjectSteps(Operation op, bool listsNeeded) {
    if (op == Operation::ReadArchive) return {5, 6, 7, 8};
    return {listsNeeded ? 50 : 30, listsNeeded ? 70 : 60, 80, 100};
}

// The record array lives from the read of the records to the end of that exchange.
void Release(std::vector<std::uint8_t>& records) {
    records.clear();
    records.shrink_to_fit();
}

}  // namespace

Exchange::Exchange(ExchangeGlobals& globals, DeviceLink& link, Clock& clock, ExchangeView& view,
                   NameTable& objects, NameTable& materials, Language language)
    : g_(globals),
      link_(link),
      clock_(clock),
      view_(view),
      objects_(objects),
      materials_(materials),
      language_(language) {}

void Exchange::Run() {
    while (Pass()) {
    }
}

bool Exchange::Pass() {
    if (ended_) return false;
    Update();
    // Cancel also ends a state that keeps failing, not only at the four points of the read.
    const ExchangeState state = g_.state.load();
    if (Cancelled() && state != ExchangeState::Connect && state != ExchangeState::End)
        SetState(ExchangeState::End);
    switch (g_.state.load()) {
        case ExchangeState::Connect:
            Connect();
            break;
        case ExchangeState::ReadVersion:
            ReadVersion();
            break;
        case ExchangeState::ReadParameters:
            ReadParameters();
            break;
        case ExchangeState::ReadRecords:
            ReadRecords();
            break;
        case ExchangeState::ReadMaterials:
            ReadList(kMaterialList);
            break;
        case ExchangeState::WriteMaterials:
            WriteList(kMaterialList);
            break;
        case ExchangeState::ReadObjects:
            ReadList(kObjectList);
            break;
        case ExchangeState::WriteObjects:
            WriteList(kObjectList);
            break;
        case ExchangeState::ReadScreen:
            ReadScreen();
            break;
        case ExchangeState::End:
            End();
            break;
    }
    return !ended_;
}

void Exchange::Update() {
    const UpdateEffect effect = ComputeUpdate(progress_, g_.linkStatus, g_.state, language_);
    progress_ = effect.gauge;
    view_.Update(effect);
    if (effect.holdNoData) clock_.SleepMs(kNoDataHoldMs);
}

void Exchange::CrcMessage() {
    view_.ShowMessage(Text(ExchangeText::CrcError, language_), TextIn(kWarningCaption, language_));
}

void Exchange::Connect() {
    view_.SetPriority(WorkerPriority::Idle);
    if (Cancelled()) {
        SetState(ExchangeState::End);
        return;
    }
    if (link_.Load() != 0) {
        SetLink(LinkStatus::LibraryNotReady);
        return;
    }
    SetLink(LinkStatus::Ok);
    clock_.SleepMs(kConnectPauseMs);
    if (link_.FindAndOpen() != 0) {
        SetLink(LinkStatus::NotOnBus);
        return;
    }
    SetLink(LinkStatus::Ok);
    clock_.SleepMs(kConnectPauseMs);
    const bool lists = g_.listsNeeded.load();
    switch (Op()) {
        case Operation::ReadArchive:
            SetState(lists ? ExchangeState::ReadMaterials : ExchangeState::ReadVersion);
            break;
        case Operation::ReadObjects:
            SetState(lists ? ExchangeState::ReadMaterials : ExchangeState::ReadObjects);
            break;
        case Operation::ReadMaterials:
            SetState(ExchangeState::ReadMaterials);
            break;
        case Operation::WriteObjects:
            SetState(ExchangeState::WriteObjects);
            break;
        case Operation::WriteMaterials:
            SetState(ExchangeState::WriteMaterials);
            break;
        case Operation::ReadScreen:
            SetState(ExchangeState::ReadScreen);
            break;
        default:
            SetState(ExchangeState::End);
            break;
    }
}

void Exchange::ReadVersion() {
    view_.SetPriority(WorkerPriority::Normal);
    std::array<std::uint8_t, protocol::kVersionBufferSize> version{};
    if (!ReadReply(link_, clock_, Command::ReadVersion, 0, version.data(), version.size()).ok) {
        SetLink(LinkStatus::LinkError);
        return;
    }
    SetLink(LinkStatus::Ok);
    if (Cancelled()) {
        SetState(ExchangeState::End);
        return;
    }
    progress_ = kVersionProgress;
    SetState(ExchangeState::ReadParameters);
    Update();
}

void Exchange::ReadParameters() {
    if (!ReadReply(link_, clock_, Command::ReadParameters, 0, g_.parameters.data(),
                   g_.parameters.size())
             .ok) {
        SetLink(LinkStatus::LinkError);
        return;
    }
    SetLink(LinkStatus::Ok);
    if (!ParametersValid(g_.parameters)) {
        CrcMessage();
        return;
    }
    if (Cancelled()) {
        SetState(ExchangeState::End);
        return;
    }
    recordCount_ = RecordCount(g_.parameters);
    if (recordCount_ == 0) {
        SetLink(LinkStatus::NoData);
        SetState(ExchangeState::End);
        return;
    }
    progress_ = kParametersProgress;
    SetState(ExchangeState::ReadRecords);
    Update();
}

void Exchange::ReadRecords() {
    const unsigned count = recordCount_;  // this exchange's own, whatever else sets the global
    try {
        g_.records.assign(static_cast<std::size_t>(count) * protocol::kRecordSize, 0);
        if (g_.curveArea.size() < protocol::kMaxRecords * protocol::kCurveSlotBytes)
            g_.curveArea.assign(protocol::kMaxRecords * protocol::kCurveSlotBytes, 0);
    } catch (const std::bad_alloc&) {
        view_.ShowMessage(Text(ExchangeText::MemoryError, language_),
                          TextIn(kWarningCaption, language_));
        view_.ExitProgram(1);
        SetState(ExchangeState::End);
        return;
    }
    withoutCurve_.clear();
    missed_.clear();
    linkLost_ = false;
    // A measurement that fails its check is passed over: the ones after it are still read, and
    // it is named at the end. Only a link that stays lost ends the read early.
    for (unsigned k = 0; k < count && k < protocol::kMaxRecords; ++k) {
        std::uint8_t* record =
            &g_.records[static_cast<std::size_t>(received_) * protocol::kRecordSize];
        std::uint8_t* slot =
            &g_.curveArea[static_cast<std::size_t>(received_) * protocol::kCurveSlotBytes];
        BlockFault fault = BlockFault::None;
        const BlockRead recordRead = ReadChecked(
            Command::ReadRecord, static_cast<std::uint16_t>(k), record, protocol::kRecordSize,
            [record] { return CheckRecord(record); }, &fault);
        if (recordRead == BlockRead::LinkLost) break;
        if (recordRead == BlockRead::Faulty) {
            missed_.push_back({k + 1, fault == BlockFault::EndMarker ? MissedRecord::Why::EndMarker
                                                                     : MissedRecord::Why::Crc});
        } else {
            // A curve that cannot fit its slot is as unusable as one that fails its check.
            const std::uint16_t length = CurveLength(record);
            const BlockRead curveRead =
                CurveLengthUsable(length)
                    ? ReadChecked(
                          Command::ReadCurve, CurveRequest(record), slot, protocol::kCurveSlotBytes,
                          [slot, length] { return CheckCurveBlock(slot, length); }, &fault)
                    : BlockRead::Faulty;
            if (curveRead == BlockRead::LinkLost) break;
            withoutCurve_.push_back(curveRead == BlockRead::Faulty);
            if (curveRead == BlockRead::Faulty)
                missed_.push_back({k + 1, MissedRecord::Why::NoCurve});
            ++received_;
        }
        if (!missed_.empty() && missed_.back().measurement == k + 1)
            view_.ShowMessage(RecordCrcText(k + 1, count, language_),
                              TextIn(kWarningCaption, language_));
        progress_ = kParametersProgress + static_cast<int>((kRecordsSpan * (k + 1)) / count);
        Update();
        if (Cancelled()) break;
    }
    SetState(ExchangeState::End);
}

Exchange::BlockRead Exchange::ReadChecked(Command command, std::uint16_t argument,
                                          std::uint8_t* destination, std::size_t size,
                                          const std::function<BlockFault()>& check,
                                          BlockFault* fault) {
    int transferRetries = kTransferRetries;
    for (int asked = 0; asked < kCheckAttempts;) {
        if (!ReadReply(link_, clock_, command, argument, destination, size).ok) {
            if (transferRetries-- > 0 && !Cancelled()) continue;
            SetLink(LinkStatus::LinkError);
            linkLost_ = true;
            return BlockRead::LinkLost;
        }
        *fault = check();
        if (*fault == BlockFault::None) return BlockRead::Sound;
        ++asked;
    }
    return BlockRead::Faulty;
}

std::uint8_t* Exchange::ListBlock(const ListDescriptor& list) {
    static_assert(sizeof g_.materials == protocol::kMaterialListSize);
    static_assert(sizeof g_.objects == protocol::kObjectListSize);
    return list.kind == ListDescriptor::Kind::Materials ? g_.materials.data() : g_.objects.data();
}

void Exchange::ReadList(const ListDescriptor& list) {
    const Operation op = Op();
    const bool materials = list.kind == ListDescriptor::Kind::Materials;
    const ListSteps steps = materials ? MaterialSteps(op) : ObjectSteps(op, g_.listsNeeded.load());
    if (materials) view_.SetPriority(WorkerPriority::Idle);

    const ReplyResult reply = ReadReply(link_, clock_, list.readCommand, 0, ListBlock(list),
                                        list.blockSize, [&](ReplyStep s) {
                                            SetLink(LinkStatus::Ok);
                                            progress_ = s == ReplyStep::CommandSent      ? steps.a
                                                        : s == ReplyStep::HeaderReceived ? steps.b
                                                                                         : steps.c;
                                            Update();
                                        });
    if (!reply.ok) {
        SetLink(LinkStatus::LinkError);
        return;
    }

    if (materials) {
        const MaterialEntries entries = DecodeMaterials(g_.materials);
        for (const MaterialEntry& e : entries)
            if (!e.valid) CrcMessage();
        for (std::size_t e = 0; e < entries.size(); ++e)
            materials_.Replace(static_cast<int>(e), entries[e].russian, entries[e].english);
    } else {
        const ObjectEntries entries = DecodeObjects(g_.objects);
        for (const ObjectEntry& e : entries)
            if (!e.valid) CrcMessage();
        for (std::size_t e = 0; e < entries.size(); ++e)
            objects_.Replace(static_cast<int>(e), entries[e].russian, entries[e].english);
    }
    progress_ = steps.d;
    Update();

    if (materials)
        SetState(op == Operation::ReadMaterials ? ExchangeState::End : ExchangeState::ReadObjects);
    else
        SetState(op == Operation::ReadArchive ? ExchangeState::ReadVersion : ExchangeState::End);
}

void Exchange::WriteList(const ListDescriptor& list) {
    const EditorRows grid = view_.ReadGrid();
    const Language other = OtherLanguage(language_);
    const bool materials = list.kind == ListDescriptor::Kind::Materials;
    const NameTable& names = materials ? materials_ : objects_;
    std::uint8_t* block = ListBlock(list);

    for (std::size_t e = 0; e < list.entries; ++e) {
        const EditorRow& row = grid[e];
        const QString otherName = names.Name(static_cast<int>(e), other);
        std::uint8_t* entry = block + e * list.entrySize;
        bool ok = true;
        if (materials) {
            double a0 = 0, a1 = 0;
            // Either decimal separator, as the editor takes them on every desktop.
            ok = ParseTableNumber(row[2], &a0) && ParseTableNumber(row[3], &a1);
            if (ok)
                EncodeMaterialEntry(
                    entry, language_,
                    {row[1], otherName, static_cast<float>(a0), static_cast<float>(a1)});
        } else {
            bool parsed = false;
            const uint index = row[3].trimmed().toUInt(&parsed);
            ok = parsed;
            if (ok)
                EncodeObjectEntry(entry, language_,
                                  {row[1], otherName, static_cast<std::uint16_t>(index)});
        }
        if (!ok) {
            // Nothing is sent from a grid that does not hold numbers; the device is closed.
            view_.ShowMessage(Text(ExchangeText::BadEditorCell, language_),
                              TextIn(kWarningCaption, language_));
            SetState(ExchangeState::End);
            return;
        }
        // The two name fields of an entry, each with an update; the progress moves with the
        // second, which also carries the values and the CRC.
        Update();
        progress_ = static_cast<int>((kEncodeSpan * (e + 1)) / kEncodeFields);
        Update();
    }

    const CommandFrame frame = MakeFrame(list.writeCommand);
    if (link_.Write(frame.bytes.data(), static_cast<int>(frame.size)) < 0) {
        SetLink(LinkStatus::LinkError);
        return;
    }
    SetLink(LinkStatus::Ok);
    clock_.SleepMs(protocol::kPauseBeforeListWriteMs);

    const std::size_t size = list.blockSize;
    std::uint8_t header[protocol::kLengthHeaderSize];
    WriteU32(header, static_cast<std::uint32_t>(size));
    if (link_.Write(header, static_cast<int>(sizeof header)) < 0) {
        SetLink(LinkStatus::LinkError);
        return;
    }
    for (std::size_t sent = 0; sent < size;) {
        const std::size_t piece = std::min(protocol::kWritePieceSize, size - sent);
        if (link_.Write(block + sent, static_cast<int>(piece)) < 0) SetLink(LinkStatus::LinkError);
        sent += piece;
        progress_ = kSendStart + static_cast<int>((kSendSpan * sent) / size);
        Update();
        clock_.SleepMs(protocol::kPauseAfterPieceMs);
    }
    SetState(ExchangeState::End);
}

void Exchange::ReadScreen() {
    view_.SetPriority(WorkerPriority::Idle);
    progress_ = kScreenSentProgress;
    Update();
    const ReplyResult reply = ReadReply(link_, clock_, Command::ReadScreen, 0, g_.screen.data(),
                                        g_.screen.size(), [&](ReplyStep s) {
                                            SetLink(LinkStatus::Ok);
                                            if (s == ReplyStep::HeaderReceived) {
                                                progress_ = kScreenHeaderProgress;
                                                Update();
                                            } else if (s == ReplyStep::PayloadReceived) {
                                                progress_ = kDone;
                                                Update();
                                            }
                                        });
    if (!reply.ok) {
        SetLink(LinkStatus::LinkError);
        return;
    }
    SetState(ExchangeState::End);
}

void Exchange::End() {
    link_.Close();
    if (Cancelled()) {
        g_.cancel = false;
        Release(g_.records);  // what was received is dropped, not handed over
        view_.CloseDialog();
    } else {
        switch (Op()) {
            case Operation::ReadArchive:
                g_.listsNeeded = false;
                view_.HandOverArchive({recordCount_, received_, g_.records.data(),
                                       g_.curveArea.data(), withoutCurve_, missed_, linkLost_});
                Release(g_.records);
                view_.CloseDialog();
                break;
            case Operation::ReadObjects:
                view_.FillGrid(ObjectGridRows(objects_, materials_, g_.objects, language_));
                g_.listsNeeded = false;
                break;
            case Operation::ReadMaterials:
                view_.FillGrid(MaterialGridRows(materials_, g_.materials, language_));
                break;
            default:
                break;
        }
    }
    view_.SetPriority(WorkerPriority::Idle);
    ended_ = true;
}

EditorRows ObjectGridRows(const NameTable& objects, const NameTable& materials,
                          const ObjectListBlock& block, Language language) {
    EditorRows rows;
    const ObjectEntries entries = DecodeObjects(block);
    for (std::size_t e = 0; e < rows.size(); ++e) {
        const int index = static_cast<int>(e);
        rows[e] = {QString::number(e + 1), objects.Name(index, language),
                   materials.Name(entries[e].material, language),
                   QString::number(entries[e].material)};
    }
    return rows;
}

EditorRows MaterialGridRows(const NameTable& materials, const MaterialListBlock& block,
                            Language language) {
    EditorRows rows;
    const MaterialEntries entries = DecodeMaterials(block);
    for (std::size_t e = 0; e < rows.size(); ++e)
        rows[e] = {QString::number(e + 1), materials.Name(static_cast<int>(e), language),
                   FormatScientific(entries[e].a0), FormatScientific(entries[e].a1)};
    return rows;
}

ExchangeGlobals::ExchangeGlobals() = default;

}  // namespace porvel
