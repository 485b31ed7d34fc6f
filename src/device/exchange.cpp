#include "exchange.h"

#include <algorithm>
#include <array>
#include <new>

#include "reply_reader.h"
#include "wire/byte_order.h"
#include "wire/name_tables.h"

namespace porvel {

using protocol::Command;

namespace {

constexpr int kConnectPauseMs = 300;  // before the search and after the instrument was found
constexpr int kNoDataHoldMs = 300;    // "No Data" stays this long before the read ends
// A block that fails its check is asked for again, up to this many askings in all: a spoiled
// transfer clears, a block the instrument keeps damaged does not.
constexpr int kCheckAttempts = 3;
constexpr int kTransferRetries = 1;   // a failed transfer is asked for once more
constexpr unsigned kListSteps = 4;    // command sent, header, block, entries decoded
constexpr unsigned kScreenSteps = 3;  // command sent, header, payload

template <class Kind>
bool Is(const ExchangeStatus& status) {
    return std::holds_alternative<Kind>(status);
}

unsigned StepOf(ReplyStep step) {
    return step == ReplyStep::CommandSent ? 1 : step == ReplyStep::HeaderReceived ? 2 : 3;
}

// Every entry's names into the table; a damaged entry is named once, its names taken all the
// same. True when one was damaged.
template <class Entries>
bool TakeNames(const Entries& entries, NameTable& names, ExchangeView& view) {
    bool damaged = false;
    for (std::size_t e = 0; e < entries.size(); ++e) {
        if (!entries[e].valid) {
            view.ShowMessage({ExchangeMessage::Kind::BlockCheck});
            damaged = true;
        }
    }
    for (std::size_t e = 0; e < entries.size(); ++e)
        names.Replace(static_cast<int>(e), entries[e].russian, entries[e].english);
    return damaged;
}

}  // namespace

ArchiveHandOver ArchiveRead::HandOver() const {
    const auto count = static_cast<unsigned>(records.size() / protocol::kRecordSize);
    return {reported, count, records.data(), curveArea, withoutCurve, missed, linkLost};
}

Exchange::Exchange(ExchangeState& state, DeviceLink& device, Clock& clock, ExchangeView& view,
                   NameTable& objects, NameTable& materials)
    : state_(state),
      device_(device),
      clock_(clock),
      view_(view),
      objects_(objects),
      materials_(materials) {}

ExchangeStatus Exchange::Run(Operation operation) {
    ExchangeStatus status;
    switch (operation) {
        case Operation::ReadArchive: {
            const ArchiveRead read = ReadArchive();
            status = read.status;
            if (!cancelled_) {
                state_.listsNeeded = false;
                view_.HandOverArchive(read.HandOver());
            }
            break;
        }
        case Operation::ReadObjects:
        case Operation::ReadMaterials: {
            const bool objects = operation == Operation::ReadObjects;
            const ListRead read = ReadLists(objects ? ListKind::Objects : ListKind::Materials);
            status = read.status;
            if (!cancelled_) {
                view_.HandOverLists(read);
                if (objects) state_.listsNeeded = false;
            }
            break;
        }
        case Operation::WriteObjects:
            status = WriteList(ListKind::Objects);
            break;
        case Operation::WriteMaterials:
            status = WriteList(ListKind::Materials);
            break;
        case Operation::ReadScreen:
            status = ReadScreen();
            break;
    }
    if (cancelled_ || operation == Operation::ReadArchive) view_.CloseDialog();
    view_.SetPriority(WorkerPriority::Idle);
    return status;
}

ArchiveRead Exchange::ReadArchive() {
    ArchiveRead read;
    const auto closed = [&read, this](const ExchangeStatus& status) {
        read.status = Close(status);
        return read;
    };
    const auto ended = [&read, this](const ExchangeStatus& status) {
        read.status = End(status);
        return read;
    };
    ExchangeStatus failed;
    if (!Connect(&failed)) return ended(failed);
    if (state_.listsNeeded.load()) {
        ListRead lists;
        if (!ReadList(kMaterialList, ProgressPhase::ArchiveMaterials, lists) ||
            !ReadList(kObjectList, ProgressPhase::ArchiveObjects, lists))
            return closed(lists.status);
    }

    const auto readVersion = [this] {
        view_.SetPriority(WorkerPriority::Normal);
        std::array<std::uint8_t, protocol::kVersionBufferSize> version{};
        return Transferred(
            ReadReply(device_, clock_, Command::ReadVersion, 0, version.data(), version.size()));
    };
    if (!Repeat(ExchangeStep::ReadVersion, readVersion, &failed)) return closed(failed);
    if (CancelAsked()) return ended(status::Cancelled{});
    Progress(ProgressPhase::Version, 1, 1);
    Show(ExchangeStep::ReadParameters);

    ParameterBlock parameters{};
    const auto readParameters = [&parameters, this]() -> Failure {
        if (Failure failure = Transferred(ReadReply(device_, clock_, Command::ReadParameters, 0,
                                                    parameters.data(), parameters.size())))
            return failure;
        if (ParametersValid(parameters)) return std::nullopt;
        view_.ShowMessage({ExchangeMessage::Kind::BlockCheck});
        return status::CheckFailed{FailedCheck::Parameters};
    };
    if (!Repeat(ExchangeStep::ReadParameters, readParameters, &failed)) return closed(failed);
    if (CancelAsked()) return ended(status::Cancelled{});
    reported_ = RecordCount(parameters);
    read.reported = reported_;
    if (reported_ == 0) {
        link_ = LinkStatus::NoData;
        return ended(status::Done{});
    }
    Progress(ProgressPhase::Parameters, 1, 1);
    Show(ExchangeStep::ReadRecords);
    if (!Enter(ExchangeStep::ReadRecords)) return closed(status::Cancelled{});
    ReadRecords(read);
    return ended(read.status);
}

void Exchange::ReadRecords(ArchiveRead& read) {
    const unsigned count = reported_;
    try {
        read.records.assign(static_cast<std::size_t>(count) * protocol::kRecordSize, 0);
        if (state_.curveArea.size() < protocol::kMaxRecords * protocol::kCurveSlotBytes)
            state_.curveArea.assign(protocol::kMaxRecords * protocol::kCurveSlotBytes, 0);
    } catch (const std::bad_alloc&) {
        read.records.clear();
        view_.ShowMessage({ExchangeMessage::Kind::NoMemory});
        view_.ExitProgram(1);
        read.status = status::NoMemory{};
        return;
    }
    read.curveArea = state_.curveArea.data();
    // A measurement that fails its check is passed over: the ones after it are still read, and
    // it is named at the end. Only a link that stays lost ends the read early.
    for (unsigned k = 0; k < count && k < protocol::kMaxRecords; ++k) {
        std::uint8_t* record =
            &read.records[static_cast<std::size_t>(received_) * protocol::kRecordSize];
        std::uint8_t* slot =
            &state_.curveArea[static_cast<std::size_t>(received_) * protocol::kCurveSlotBytes];
        BlockFault fault = BlockFault::None;
        const BlockRead recordRead = ReadChecked(
            Command::ReadRecord, static_cast<std::uint16_t>(k), record, protocol::kRecordSize,
            [record] { return CheckRecord(record); }, &fault);
        if (recordRead == BlockRead::LinkLost) break;
        if (recordRead == BlockRead::Faulty) {
            read.missed.push_back({k + 1, fault == BlockFault::EndMarker
                                              ? MissedRecord::Why::EndMarker
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
            read.withoutCurve.push_back(curveRead == BlockRead::Faulty);
            if (curveRead == BlockRead::Faulty)
                read.missed.push_back({k + 1, MissedRecord::Why::NoCurve});
            ++received_;
        }
        if (!read.missed.empty() && read.missed.back().measurement == k + 1)
            view_.ShowMessage({ExchangeMessage::Kind::RecordCheck, k + 1, count});
        Progress(ProgressPhase::Records, k + 1, count);
        Show(ExchangeStep::ReadRecords);
        if (CancelAsked()) break;
    }
    read.linkLost = link_ == LinkStatus::LinkError;
    read.records.resize(static_cast<std::size_t>(received_) * protocol::kRecordSize);
    const bool recordMissed =
        std::any_of(read.missed.begin(), read.missed.end(),
                    [](const MissedRecord& m) { return m.why != MissedRecord::Why::NoCurve; });
    if (read.linkLost)
        read.status = status::LinkError{};
    else if (!read.missed.empty())
        read.status = status::CheckFailed{recordMissed ? FailedCheck::Record : FailedCheck::Curve};
}

Exchange::BlockRead Exchange::ReadChecked(Command command, std::uint16_t argument,
                                          std::uint8_t* destination, std::size_t size,
                                          const std::function<BlockFault()>& check,
                                          BlockFault* fault) {
    int transferRetries = kTransferRetries;
    for (int asked = 0; asked < kCheckAttempts;) {
        if (!ReadReply(device_, clock_, command, argument, destination, size).ok) {
            if (transferRetries-- > 0 && !CancelAsked()) continue;
            link_ = LinkStatus::LinkError;
            return BlockRead::LinkLost;
        }
        *fault = check();
        if (*fault == BlockFault::None) return BlockRead::Sound;
        ++asked;
    }
    return BlockRead::Faulty;
}

std::uint8_t* Exchange::ListBlock(const ListDescriptor& list) {
    static_assert(sizeof state_.materials == protocol::kMaterialListSize);
    static_assert(sizeof state_.objects == protocol::kObjectListSize);
    return list.kind == ListKind::Materials ? state_.materials.data() : state_.objects.data();
}

ListRead Exchange::ReadLists(ListKind kind) {
    ListRead read;
    if (!Connect(&read.status)) {
        read.status = End(read.status);
        return read;
    }
    const bool objects = kind == ListKind::Objects;
    const bool listsNeeded = state_.listsNeeded.load();
    // An object read takes the material list first while the session needs the lists.
    const ProgressPhase materialPhase =
        objects ? ProgressPhase::MaterialsBeforeObjects : ProgressPhase::Materials;
    const ProgressPhase objectPhase =
        listsNeeded ? ProgressPhase::ObjectsAfterMaterials : ProgressPhase::Objects;
    bool whole = (objects && !listsNeeded) || ReadList(kMaterialList, materialPhase, read);
    if (whole && objects) whole = ReadList(kObjectList, objectPhase, read);
    read.status = whole ? End(read.status) : Close(read.status);
    return read;
}

bool Exchange::ReadList(const ListDescriptor& list, ProgressPhase phase, ListRead& read) {
    const bool materials = list.kind == ListKind::Materials;
    const auto readBlock = [&] {
        if (materials) view_.SetPriority(WorkerPriority::Idle);
        return Transferred(ReadReply(device_, clock_, list.readCommand, 0, ListBlock(list),
                                     list.blockSize, [&](ReplyStep step) {
                                         link_ = LinkStatus::Ok;
                                         Progress(phase, StepOf(step), kListSteps);
                                         Show(list.readStep);
                                     }));
    };
    if (!Repeat(list.readStep, readBlock, &read.status)) return false;

    bool damaged = false;
    if (materials) {
        read.materials = DecodeMaterials(state_.materials);
        damaged = TakeNames(*read.materials, materials_, view_);
    } else {
        read.objects = DecodeObjects(state_.objects);
        damaged = TakeNames(*read.objects, objects_, view_);
    }
    if (damaged)
        read.status =
            status::CheckFailed{materials ? FailedCheck::MaterialList : FailedCheck::ObjectList};
    Progress(phase, kListSteps, kListSteps);
    Show(list.readStep);
    return true;
}

ExchangeStatus Exchange::WriteList(ListKind kind) {
    ExchangeStatus failed;
    if (!Connect(&failed)) return End(failed);
    const ListDescriptor& list = kind == ListKind::Materials ? kMaterialList : kObjectList;
    // The entries are asked for again at every round, and the whole block built again.
    bool refused = false;
    const auto write = [&]() -> Failure {
        refused = !Encode(list, view_.EditsToWrite(kind));
        return refused ? std::nullopt : Send(list);
    };
    if (!Repeat(list.writeStep, write, &failed)) return Close(failed);
    if (refused) {
        // Nothing is sent from a grid that does not hold numbers; the device is closed.
        view_.ShowMessage({ExchangeMessage::Kind::BadEditorCell});
        return End(status::CheckFailed{FailedCheck::Editor});
    }
    return End(link_ == LinkStatus::LinkError ? ExchangeStatus{status::LinkError{}}
                                              : ExchangeStatus{status::Done{}});
}

bool Exchange::Encode(const ListDescriptor& list, const ListEdits& edits) {
    std::uint8_t* block = ListBlock(list);
    for (std::size_t e = 0; e < list.entries; ++e) {
        if (e >= edits.sound) return false;
        std::uint8_t* entry = block + e * list.entrySize;
        if (list.kind == ListKind::Materials) {
            const MaterialEntry& m = edits.materials[e];
            EncodeMaterialEntry(entry, Language::Russian, {m.russian, m.english, m.a0, m.a1});
        } else {
            const ObjectEntry& o = edits.objects[e];
            EncodeObjectEntry(entry, Language::Russian, {o.russian, o.english, o.material});
        }
        // The two name fields of an entry, each with an update; the progress moves with the
        // second, which also carries the values and the CRC.
        Show(list.writeStep);
        Progress(ProgressPhase::Encode, static_cast<unsigned>(e + 1),
                 static_cast<unsigned>(list.entries));
        Show(list.writeStep);
    }
    return true;
}

Exchange::Failure Exchange::Send(const ListDescriptor& list) {
    const CommandFrame frame = MakeFrame(list.writeCommand);
    if (Failure failure =
            Transferred(device_.Write(frame.bytes.data(), static_cast<int>(frame.size)) >= 0))
        return failure;
    clock_.SleepMs(protocol::kPauseBeforeListWriteMs);
    const std::size_t size = list.blockSize;
    std::uint8_t header[protocol::kLengthHeaderSize];
    WriteU32(header, static_cast<std::uint32_t>(size));
    if (device_.Write(header, static_cast<int>(sizeof header)) < 0) return Transferred(false);
    // Every piece goes out in its pace, whether or not the one before it arrived.
    const std::uint8_t* block = ListBlock(list);
    for (std::size_t sent = 0; sent < size;) {
        const std::size_t piece = std::min(protocol::kWritePieceSize, size - sent);
        if (device_.Write(block + sent, static_cast<int>(piece)) < 0) link_ = LinkStatus::LinkError;
        sent += piece;
        Progress(ProgressPhase::Send, static_cast<unsigned>(sent), static_cast<unsigned>(size));
        Show(list.writeStep);
        clock_.SleepMs(protocol::kPauseAfterPieceMs);
    }
    return std::nullopt;
}

ExchangeStatus Exchange::ReadScreen() {
    ExchangeStatus failed;
    if (!Connect(&failed)) return End(failed);
    const auto readScreen = [this] {
        view_.SetPriority(WorkerPriority::Idle);
        Progress(ProgressPhase::Screen, 1, kScreenSteps);
        Show(ExchangeStep::ReadScreen);
        return Transferred(ReadReply(device_, clock_, Command::ReadScreen, 0, state_.screen.data(),
                                     state_.screen.size(), [&](ReplyStep step) {
                                         link_ = LinkStatus::Ok;
                                         if (step == ReplyStep::CommandSent) return;
                                         Progress(ProgressPhase::Screen, StepOf(step),
                                                  kScreenSteps);
                                         Show(ExchangeStep::ReadScreen);
                                     }));
    };
    if (!Repeat(ExchangeStep::ReadScreen, readScreen, &failed)) return Close(failed);
    return End(status::Done{});
}

bool Exchange::Repeat(ExchangeStep step, const std::function<Failure()>& attempt,
                      ExchangeStatus* failed) {
    ExchangeStatus last = status::Cancelled{};
    for (;;) {
        if (!Enter(step)) {
            *failed = last;
            return false;
        }
        const Failure failure = attempt();
        if (!failure) return true;
        last = *failure;
    }
}

Exchange::Failure Exchange::Transferred(bool ok) {
    link_ = ok ? LinkStatus::Ok : LinkStatus::LinkError;
    if (ok) return std::nullopt;
    return status::LinkError{};
}

Exchange::Failure Exchange::Transferred(const ReplyResult& reply) {
    return Transferred(reply.ok);
}

bool Exchange::Connect(ExchangeStatus* status) {
    for (;;) {
        Show(ExchangeStep::Connect);
        view_.SetPriority(WorkerPriority::Idle);
        if (CancelAsked()) {
            *status = link_ == LinkStatus::Ok ? ExchangeStatus{status::Cancelled{}}
                                              : ExchangeStatus{status::NoDevice{}};
            return false;
        }
        // Neither failure waits: the library is loaded again at once, the bus searched again
        // after the pause before the search.
        if (device_.Load() != 0) {
            link_ = LinkStatus::LibraryNotReady;
            continue;
        }
        link_ = LinkStatus::Ok;
        clock_.SleepMs(kConnectPauseMs);
        if (device_.FindAndOpen() != 0) {
            link_ = LinkStatus::NotOnBus;
            continue;
        }
        link_ = LinkStatus::Ok;
        clock_.SleepMs(kConnectPauseMs);
        return true;
    }
}

bool Exchange::Enter(ExchangeStep step) {
    Show(step);
    return !CancelAsked();
}

void Exchange::Show(ExchangeStep step) {
    view_.Update({step, link_, phase_, done_, total_, reported_, received_});
    if (link_ == LinkStatus::NoData) clock_.SleepMs(kNoDataHoldMs);
}

void Exchange::Progress(ProgressPhase phase, unsigned done, unsigned total) {
    phase_ = phase;
    done_ = done;
    total_ = total;
}

ExchangeStatus Exchange::End(ExchangeStatus status) {
    Show(ExchangeStep::End);
    return Close(status);
}

ExchangeStatus Exchange::Close(ExchangeStatus status) {
    device_.Close();
    cancelled_ = CancelAsked();
    if (cancelled_) {
        state_.cancel = false;
        if (Is<status::Done>(status)) status = status::Cancelled{};
    }
    return status;
}

ExchangeState::ExchangeState() = default;

}  // namespace porvel
