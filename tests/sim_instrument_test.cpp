// The simulated instrument driven directly, the way the program's exchange drives the hardware:
// reply framing, pauses, list writes and every fault it can be asked to show.
#include <gtest/gtest.h>

#include "instrument.h"
#include "list_blocks.h"
#include "measurement.h"
#include "scenario.h"
#include "virtual_clock.h"
#include "wire/byte_order.h"
#include "wire/crc16.h"
#include "wire/frames.h"

namespace porvel::sim {
namespace {

using protocol::Command;

constexpr int kHostTimeoutMs = 500;  // what the program passes
constexpr int kQuickTimeoutMs = 5;   // lets failing transfers come back fast
constexpr int kVersionPauseMs = protocol::kPauseAfterVersionMs;
constexpr int kReadPauseMs = protocol::kPauseAfterReadMs;
constexpr int kListPauseMs = protocol::kPauseBeforeListWriteMs;
constexpr int kPiecePauseMs = protocol::kPauseAfterPieceMs;

// Every instrument of these tests keeps time on one virtual clock: the host's pauses move it,
// and so do the device's own waits, so the pace checks are exact and nothing really sleeps.
porvel::testing::VirtualClock& Time() {
    static porvel::testing::VirtualClock clock;
    return clock;
}

void SleepMs(int ms) {
    Time().SleepMs(ms);
}

// Three measurements with short curves of different lengths.
DeviceMemory SmallArchive() {
    DeviceMemory memory = FactoryScenario().memory;
    for (std::uint16_t i = 0; i < 3; ++i) {
        MeasurementFields fields;
        fields.number = static_cast<std::uint16_t>(20 + i);
        fields.m = 5.0f + i;
        fields.rate = 4;
        fields.atmosphere = 12650;
        for (std::uint16_t s = 0; s < 10 + 5 * i; ++s)
            fields.samples.push_back(static_cast<std::uint16_t>(4400 + 100 * i + s));
        memory.archive.push_back(BuildMeasurement(fields));
    }
    return memory;
}

// The program's side of the wire.
class Host {
public:
    explicit Host(Instrument& device) : device_(device) {}

    int Send(Command command, std::uint16_t argument = 0) {
        const CommandFrame frame =
            TakesArgument(command) ? MakeFrame(command, argument) : MakeFrame(command);
        return device_.Write(frame.bytes.data(), frame.size, kHostTimeoutMs);
    }
    int SendBytes(std::vector<std::uint8_t> bytes, int timeoutMs = kHostTimeoutMs) {
        return device_.Write(bytes.data(), bytes.size(), timeoutMs);
    }
    // One bulk-IN transfer; `bytes` is cut to what arrived.
    int Read(std::size_t size, std::vector<std::uint8_t>* bytes, int timeoutMs = kHostTimeoutMs) {
        bytes->assign(size, 0);
        const int result = device_.Read(bytes->data(), size, timeoutMs);
        bytes->resize(result > 0 ? static_cast<std::size_t>(result) : 0);
        return result;
    }

    struct Reply {
        bool ok = false;
        std::uint32_t announced = 0;
        std::vector<std::uint8_t> payload;
    };
    // Command, its pause, the header, then the payload capped as the program caps it.
    Reply Ask(Command command, std::uint16_t argument = 0, int timeoutMs = kHostTimeoutMs) {
        Reply reply;
        if (Send(command, argument) < 0) return reply;
        SleepMs(PauseAfterCommandMs(command));
        std::vector<std::uint8_t> header;
        if (Read(protocol::kLengthHeaderSize, &header, timeoutMs) != 4) return reply;
        reply.announced = ReadU32(header.data());
        const std::size_t asked = std::min<std::size_t>(reply.announced, ReceiveCap(command));
        reply.ok = Read(asked, &reply.payload) >= 0;
        return reply;
    }

private:
    Instrument& device_;
};

std::vector<std::uint8_t> LengthHeader(std::uint32_t value) {
    std::vector<std::uint8_t> header(4);
    WriteU32(header.data(), value);
    return header;
}

// Sends `block` as the program does: command, 300 ms, header, 64-byte pieces 15 ms apart.
void WriteList(Host& host, Command command, const std::vector<std::uint8_t>& block) {
    ASSERT_GE(host.Send(command), 0);
    SleepMs(kListPauseMs);
    ASSERT_EQ(host.SendBytes(LengthHeader(static_cast<std::uint32_t>(block.size()))), 4);
    for (std::size_t at = 0; at < block.size(); at += protocol::kWritePieceSize) {
        const std::size_t size = std::min(protocol::kWritePieceSize, block.size() - at);
        ASSERT_EQ(host.SendBytes({block.begin() + at, block.begin() + at + size}),
                  static_cast<int>(size));
        SleepMs(kPiecePauseMs);
    }
}

std::vector<std::uint8_t> RenamedMaterials(const MaterialListBlock& from, const char* name) {
    MaterialListBlock block = from;
    MaterialDef def = MaterialAt(block, 4);
    def.english = QString::fromLatin1(name);
    PutMaterialEntry(block, 4, def);
    return {block.begin(), block.end()};
}

TEST(SimReplies, VersionParametersAndRecordsAreFramedAsHeaderThenPayload) {
    DeviceMemory memory = SmallArchive();
    memory.version = QByteArray("PORVEL v9\0x", 11);
    Instrument device(memory, {}, {}, Time());
    Host host(device);

    const Host::Reply version = host.Ask(Command::ReadVersion);
    ASSERT_TRUE(version.ok);
    EXPECT_EQ(version.announced, 11u);
    EXPECT_EQ(std::string(version.payload.begin(), version.payload.end()),
              std::string("PORVEL v9\0x", 11));

    const Host::Reply parameters = host.Ask(Command::ReadParameters);
    ASSERT_TRUE(parameters.ok);
    ASSERT_EQ(parameters.announced, protocol::kParametersSize);
    ParameterBlock block;
    std::copy(parameters.payload.begin(), parameters.payload.end(), block.begin());
    EXPECT_TRUE(ParametersValid(block));
    EXPECT_EQ(RecordCount(block), 3u);
    // Occupied slots are spread over the bitmap, not packed into its low bits.
    EXPECT_NE(ReadU32(&block[0]), 0x7u);

    const Host::Reply record = host.Ask(Command::ReadRecord, 1);
    ASSERT_TRUE(record.ok);
    EXPECT_EQ(record.announced, protocol::kRecordSize);
    EXPECT_TRUE(RecordValid(record.payload.data()));
    EXPECT_EQ(ReadU16(record.payload.data()), 21);
    EXPECT_EQ(CurveLength(record.payload.data()), 15 + 2);
}

TEST(SimReplies, CurveIsTheBlockOfTheLastRequestedRecordAtTheRequestedLength) {
    Instrument device(SmallArchive(), {}, {}, Time());
    Host host(device);
    const Host::Reply record = host.Ask(Command::ReadRecord, 2);
    ASSERT_TRUE(record.ok);
    const std::uint16_t request = CurveRequest(record.payload.data());
    ASSERT_EQ(request, 2 * (20 + 2));

    const Host::Reply curve = host.Ask(Command::ReadCurve, request);
    ASSERT_TRUE(curve.ok);
    EXPECT_EQ(curve.announced, request);
    ASSERT_EQ(curve.payload.size(), request);
    EXPECT_TRUE(CurveBlockValid(curve.payload.data(), CurveLength(record.payload.data())));
    EXPECT_EQ(ReadU16(curve.payload.data()), 4600);  // the first sample of record 2

    // Whatever length is asked is what comes, the block cut short or padded.
    const Host::Reply shorter = host.Ask(Command::ReadCurve, 6);
    EXPECT_EQ(shorter.announced, 6u);
    EXPECT_EQ(shorter.payload.size(), 6u);
    const Host::Reply longer = host.Ask(Command::ReadCurve, request + 10);
    EXPECT_EQ(longer.payload.size(), request + 10u);
    EXPECT_EQ(device.Violations(), 0u);
}

TEST(SimReplies, ListsAndScreenNeedNoPauseAndComeWhole) {
    DeviceMemory memory = SmallArchive();
    memory.screen[0] = 0x81;
    Instrument device(memory, {}, {}, Time());
    Host host(device);
    for (Command command : {Command::ReadMaterials, Command::ReadObjects, Command::ReadScreen}) {
        SCOPED_TRACE(CommandName(command));
        ASSERT_GE(host.Send(command), 0);
        std::vector<std::uint8_t> header;
        ASSERT_EQ(host.Read(4, &header), 4);  // at once: the read waits until it is ready
        const std::uint32_t size = ReadU32(header.data());
        EXPECT_EQ(size, ReceiveCap(command));
        std::vector<std::uint8_t> payload;
        EXPECT_EQ(host.Read(size, &payload), static_cast<int>(size));
    }
    EXPECT_EQ(device.Violations(), 0u);
}

TEST(SimReplies, ListReplyNotReadyWithinTheTimeoutFailsButStaysPending) {
    Instrument device(SmallArchive(), {}, {}, Time());
    Host host(device);
    ASSERT_GE(host.Send(Command::ReadObjects), 0);
    std::vector<std::uint8_t> header;
    EXPECT_EQ(host.Read(4, &header, 1), kErrTimeout);
    ASSERT_EQ(host.Read(4, &header), 4);
    EXPECT_EQ(ReadU32(header.data()), protocol::kObjectListSize);
}

TEST(SimReplies, LyingLengthHeadersAnnounceTheirValueAndPadThePayload) {
    Faults faults;
    faults.headers = {{Command::ReadRecord, 40}, {Command::ReadMaterials, 0xFFFFFFFFu}};
    Instrument device(SmallArchive(), faults, {}, Time());
    Host host(device);
    const Host::Reply record = host.Ask(Command::ReadRecord, 0);
    EXPECT_EQ(record.announced, 40u);
    ASSERT_EQ(record.payload.size(), protocol::kRecordSize);  // the program asks its cap
    EXPECT_TRUE(RecordValid(record.payload.data()));
    const Host::Reply materials = host.Ask(Command::ReadMaterials);
    EXPECT_EQ(materials.announced, 0xFFFFFFFFu);
    EXPECT_EQ(materials.payload.size(), protocol::kMaterialListSize);
}

TEST(SimReplies, NewCommandDiscardsTheUnreadReply) {
    Instrument device(SmallArchive(), {}, {}, Time());
    Host host(device);
    std::vector<std::uint8_t> bytes;
    // Header read, payload never taken: the next command's reply comes instead.
    ASSERT_GE(host.Send(Command::ReadVersion), 0);
    SleepMs(kVersionPauseMs);
    ASSERT_EQ(host.Read(4, &bytes), 4);
    const Host::Reply parameters = host.Ask(Command::ReadParameters);
    EXPECT_EQ(parameters.announced, protocol::kParametersSize);
    EXPECT_EQ(parameters.payload.size(), protocol::kParametersSize);
    // Nothing left after the payload: a further read waits its timeout and fails.
    EXPECT_EQ(host.Read(4, &bytes, kQuickTimeoutMs), kErrTimeout);
}

TEST(SimReplies, ReadWithNothingPendingWaitsTheCallersTimeout) {
    Instrument device(SmallArchive(), {}, {}, Time());
    Host host(device);
    std::vector<std::uint8_t> bytes;
    const Micros start = Time().Elapsed();
    EXPECT_EQ(host.Read(4, &bytes, 20), kErrTimeout);
    EXPECT_EQ(Time().Elapsed() - start, std::chrono::milliseconds(20));
    EXPECT_EQ(device.Violations(), 0u);
}

TEST(SimReplies, MalformedFramesAndMissingRecordsAreViolations) {
    Instrument device(SmallArchive(), {}, {}, Time());
    Host host(device);
    EXPECT_EQ(host.SendBytes({0x01, 0xFF}, kQuickTimeoutMs), kErrTimeout);  // bad complement
    EXPECT_EQ(host.SendBytes({0x03, 0xFC}, kQuickTimeoutMs), kErrTimeout);  // argument missing
    EXPECT_EQ(host.SendBytes({0x0A, 0xF5}, kQuickTimeoutMs), kErrTimeout);  // no such command
    EXPECT_EQ(device.Violations(), 3u);
    // Ordinals run 0..count-1; beyond them the device has nothing to say.
    EXPECT_FALSE(host.Ask(Command::ReadRecord, 3, kQuickTimeoutMs).ok);
    EXPECT_EQ(device.Violations(), 4u);
    Instrument fresh(SmallArchive(), {}, {}, Time());
    Host freshHost(fresh);
    EXPECT_FALSE(freshHost.Ask(Command::ReadCurve, 8, kQuickTimeoutMs).ok);  // no record yet
    EXPECT_EQ(fresh.Violations(), 1u);
}

TEST(SimPauses, HeaderReadBeforeThePauseFailsAndLosesTheReply) {
    struct Case {
        Command command;
        int earlyMs;
        int pauseMs;
    };
    for (const Case& c : {Case{Command::ReadVersion, 5, kVersionPauseMs},
                          Case{Command::ReadParameters, 5, kReadPauseMs},
                          Case{Command::ReadRecord, 5, kReadPauseMs}}) {
        SCOPED_TRACE(CommandName(c.command));
        Instrument device(SmallArchive(), {}, {}, Time());
        Host host(device);
        std::vector<std::uint8_t> bytes;
        ASSERT_GE(host.Send(c.command, 0), 0);
        SleepMs(c.earlyMs);
        EXPECT_EQ(host.Read(4, &bytes, kQuickTimeoutMs), kErrTimeout);
        EXPECT_EQ(device.Violations(), 1u);
        SleepMs(c.pauseMs);
        EXPECT_EQ(host.Read(4, &bytes, kQuickTimeoutMs), kErrTimeout);  // the reply is gone

        // Kept to the millisecond, the same command is answered.
        ASSERT_GE(host.Send(c.command, 0), 0);
        SleepMs(c.pauseMs);
        EXPECT_EQ(host.Read(4, &bytes), 4);
        EXPECT_EQ(device.Violations(), 1u);
    }
}

TEST(SimListWrite, WellPacedBlockReplacesTheList) {
    const DeviceMemory memory = SmallArchive();
    Instrument device(memory, {}, {}, Time());
    Host host(device);
    const std::vector<std::uint8_t> materials = RenamedMaterials(memory.materials, "Basalt");
    WriteList(host, Command::WriteMaterials, materials);
    EXPECT_TRUE(std::equal(materials.begin(), materials.end(), device.Memory().materials.begin()));

    ObjectListBlock objects = memory.objects;
    PutObjectEntry(objects, 19, {QStringLiteral("Мост"), QStringLiteral("Bridge"), 7});
    WriteList(host, Command::WriteObjects, {objects.begin(), objects.end()});
    EXPECT_EQ(device.Memory().objects, objects);
    EXPECT_EQ(device.Violations(), 0u);

    // The device answers again after the pause that follows the last piece.
    const Host::Reply reply = host.Ask(Command::ReadMaterials);
    EXPECT_TRUE(std::equal(materials.begin(), materials.end(), reply.payload.begin()));
}

TEST(SimListWrite, BadlyPacedOrShapedWritesAreDroppedWhole) {
    const DeviceMemory memory = SmallArchive();
    const std::vector<std::uint8_t> block = RenamedMaterials(memory.materials, "Basalt");
    const auto piece = [&](std::size_t at, std::size_t size) {
        return std::vector<std::uint8_t>(block.begin() + at, block.begin() + at + size);
    };
    struct Case {
        const char* name;
        int headerDelayMs;
        std::uint32_t headerValue;
        std::size_t firstPiece;
        int secondPieceDelayMs;
    };
    for (const Case& c : {Case{"header too early", 100, 880, 64, kPiecePauseMs},
                          Case{"header of the object list", kListPauseMs, 720, 64, kPiecePauseMs},
                          Case{"piece of 32 bytes", kListPauseMs, 880, 32, kPiecePauseMs},
                          Case{"second piece at once", kListPauseMs, 880, 64, 0}}) {
        SCOPED_TRACE(c.name);
        Instrument device(memory, {}, {}, Time());
        Host host(device);
        ASSERT_GE(host.Send(Command::WriteMaterials), 0);
        SleepMs(c.headerDelayMs);
        int failures = host.SendBytes(LengthHeader(c.headerValue), kQuickTimeoutMs) < 0;
        failures += host.SendBytes(piece(0, c.firstPiece), kQuickTimeoutMs) < 0;
        SleepMs(c.secondPieceDelayMs);
        failures += host.SendBytes(piece(64, 64), kQuickTimeoutMs) < 0;
        EXPECT_EQ(failures, 1);  // the offending transfer; the rest of the write is swallowed
        EXPECT_EQ(device.Violations(), 1u);
        EXPECT_EQ(device.Memory().materials, memory.materials);
        EXPECT_TRUE(host.Ask(Command::ReadVersion).ok);  // the next command is served
    }
}

TEST(SimListWrite, CommandInsideOrRightAfterABlockIsAViolation) {
    const DeviceMemory memory = SmallArchive();
    const std::vector<std::uint8_t> block = RenamedMaterials(memory.materials, "Basalt");
    {
        Instrument device(memory, {}, {}, Time());
        Host host(device);
        ASSERT_GE(host.Send(Command::WriteMaterials), 0);
        SleepMs(kListPauseMs);
        ASSERT_EQ(host.SendBytes(LengthHeader(880)), 4);
        ASSERT_EQ(host.SendBytes({block.begin(), block.begin() + 64}), 64);
        EXPECT_EQ(host.SendBytes({0x01, 0xFE}, kQuickTimeoutMs), kErrTimeout);
        EXPECT_EQ(device.Violations(), 1u);
        EXPECT_EQ(device.Memory().materials, memory.materials);
    }
    {
        Instrument device(memory, {}, {}, Time());
        Host host(device);
        ASSERT_GE(host.Send(Command::WriteMaterials), 0);
        SleepMs(kListPauseMs);
        ASSERT_EQ(host.SendBytes(LengthHeader(880)), 4);
        for (std::size_t at = 0; at < block.size(); at += 64) {
            const std::size_t size = std::min<std::size_t>(64, block.size() - at);
            ASSERT_EQ(host.SendBytes({block.begin() + at, block.begin() + at + size}),
                      static_cast<int>(size));
            if (at + size < block.size()) SleepMs(kPiecePauseMs);
        }
        EXPECT_EQ(host.SendBytes({0x01, 0xFE}, kQuickTimeoutMs), kErrTimeout);
        EXPECT_EQ(device.Violations(), 1u);
        // The block itself was complete and is kept.
        EXPECT_TRUE(std::equal(block.begin(), block.end(), device.Memory().materials.begin()));
    }
}

TEST(SimFaults, FailingTransfersCountBothDirections) {
    Faults faults;
    faults.failingTransfers = {{2, 2}};
    Instrument device(SmallArchive(), faults, {}, Time());
    Host host(device);
    std::vector<std::uint8_t> bytes;
    ASSERT_GE(host.Send(Command::ReadParameters), 0);  // 1
    SleepMs(kReadPauseMs);
    EXPECT_EQ(host.Read(4, &bytes), kErrIo);                // 2, and the reply is lost
    EXPECT_EQ(host.Send(Command::ReadParameters), kErrIo);  // 3
    EXPECT_TRUE(host.Ask(Command::ReadParameters).ok);      // 4, 5, 6
    EXPECT_EQ(device.Transfers(), 6u);
}

TEST(SimFaults, SpoiledRecordsAndCurvesFailOnlyTheirOwnCheck) {
    Faults faults;
    faults.recordCrc = {0};
    faults.recordMarker = {1};
    faults.curveCrc = {2};
    Instrument device(SmallArchive(), faults, {}, Time());
    Host host(device);
    std::vector<bool> recordValid, curveValid;
    for (std::uint16_t k = 0; k < 3; ++k) {
        const Host::Reply record = host.Ask(Command::ReadRecord, k);
        recordValid.push_back(RecordValid(record.payload.data()));
        const std::uint16_t n = CurveLength(record.payload.data());
        const Host::Reply curve = host.Ask(Command::ReadCurve, CurveRequest(record.payload.data()));
        curveValid.push_back(CurveBlockValid(curve.payload.data(), n));
    }
    EXPECT_EQ(recordValid, (std::vector<bool>{false, false, true}));
    EXPECT_EQ(curveValid, (std::vector<bool>{true, true, false}));

    // The marker fault keeps the CRC right, so only the marker test catches it.
    const Host::Reply marked = host.Ask(Command::ReadRecord, 1);
    EXPECT_EQ(Crc16(marked.payload.data(), protocol::kRecordSize), 0);
    EXPECT_NE(ReadU16(&marked.payload[protocol::kRecordMarkerOffset]), protocol::kEndMarker);
}

TEST(SimFaults, SpoiledListEntriesAndParameterMarkers) {
    Faults faults;
    faults.materialEntries = {5};
    faults.objectEntries = {0, 19};
    faults.spoiledParameterReplies = 2;
    Instrument device(SmallArchive(), faults, {}, Time());
    Host host(device);

    MaterialListBlock materials;
    const Host::Reply m = host.Ask(Command::ReadMaterials);
    std::copy(m.payload.begin(), m.payload.end(), materials.begin());
    ObjectListBlock objects;
    const Host::Reply o = host.Ask(Command::ReadObjects);
    std::copy(o.payload.begin(), o.payload.end(), objects.begin());
    const MaterialEntries decodedMaterials = DecodeMaterials(materials);
    const ObjectEntries decodedObjects = DecodeObjects(objects);
    for (std::size_t e = 0; e < protocol::kListEntries; ++e) {
        EXPECT_EQ(decodedMaterials[e].valid, e != 5) << e;
        EXPECT_EQ(decodedObjects[e].valid, e != 0 && e != 19) << e;
    }

    std::vector<bool> valid;
    for (int i = 0; i < 3; ++i) {
        const Host::Reply reply = host.Ask(Command::ReadParameters);
        ParameterBlock block;
        std::copy(reply.payload.begin(), reply.payload.end(), block.begin());
        valid.push_back(ParametersValid(block));
    }
    EXPECT_EQ(valid, (std::vector<bool>{false, false, true}));
}

TEST(SimFaults, ShortReplyDeliversHalfOfItsPayload) {
    Faults faults;
    faults.shortPayloads = {{2, 1}};
    Instrument device(SmallArchive(), faults, {}, Time());
    Host host(device);
    EXPECT_EQ(host.Ask(Command::ReadScreen).payload.size(), protocol::kScreenSize);
    EXPECT_EQ(host.Ask(Command::ReadObjects).payload.size(), protocol::kObjectListSize / 2);
    EXPECT_EQ(host.Ask(Command::ReadObjects).payload.size(), protocol::kObjectListSize);
}

TEST(SimFaults, AbsentForTheFirstSearches) {
    Faults faults;
    faults.absentSearches = 2;
    Instrument device(SmallArchive(), faults, {}, Time());
    Host host(device);
    EXPECT_FALSE(device.OnBus());
    EXPECT_EQ(host.Send(Command::ReadVersion), kErrNoDevice);
    EXPECT_FALSE(device.Search());
    EXPECT_FALSE(device.Search());
    EXPECT_TRUE(device.Search());
    EXPECT_TRUE(host.Ask(Command::ReadVersion).ok);
}

TEST(SimFaults, UnplugAfterATransferAndComeBackAfterSearches) {
    Faults faults;
    faults.unplugAfterTransfer = 2;
    faults.replugAfterSearches = 1;
    Instrument device(SmallArchive(), faults, {}, Time());
    Host host(device);
    std::vector<std::uint8_t> bytes;
    const unsigned attachment = device.Attachment();
    ASSERT_GE(host.Send(Command::ReadParameters), 0);
    SleepMs(kReadPauseMs);
    EXPECT_EQ(host.Read(4, &bytes), 4);  // transfer 2 still goes through
    EXPECT_EQ(host.Read(536, &bytes), kErrNoDevice);
    EXPECT_FALSE(device.OnBus());
    EXPECT_NE(device.Attachment(), attachment);
    EXPECT_FALSE(device.Search());
    EXPECT_TRUE(device.Search());
    EXPECT_TRUE(host.Ask(Command::ReadParameters).ok);

    faults.replugAfterSearches.reset();
    Instrument gone(SmallArchive(), faults, {}, Time());
    Host goneHost(gone);
    goneHost.Ask(Command::ReadScreen);
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(gone.Search());
}

TEST(SimLog, OneLinePerCommandWithItsArgumentAndTheFaults) {
    Faults faults;
    faults.recordCrc = {1};
    Instrument device(SmallArchive(), faults, {}, Time());
    Host host(device);
    host.Ask(Command::ReadRecord, 1);
    host.Ask(Command::ReadCurve, 34);
    const std::string& log = device.Log().Text();
    EXPECT_NE(log.find(" ReadRecord 1\n"), std::string::npos) << log;
    EXPECT_NE(log.find(" ReadCurve 34\n"), std::string::npos) << log;
    EXPECT_NE(log.find("fault: record 1"), std::string::npos) << log;
}

}  // namespace
}  // namespace porvel::sim
