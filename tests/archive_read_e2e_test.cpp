// Reading a whole archive from the simulated instrument through the real binding, with the
// protocol's real pauses, and entering it into the table.
#include <gtest/gtest.h>

#include <QLocale>
#include <vector>

#include "archive/archive_table.h"
#include "archive/curve_store.h"
#include "archive/enter_records.h"
#include "base/locale_format.h"
#include "device/libusb_binding.h"
#include "device/reply_reader.h"
#include "qt_printers.h"
#include "sim_library.h"
#include "wire/byte_order.h"
#include "wire/frames.h"
#include "wire/name_tables.h"

namespace porvel {
namespace {

using protocol::Command;

struct ReadResult {
    unsigned reported = 0;
    unsigned valid = 0;  // records read with their curves before the first bad block
    std::vector<std::uint8_t> records;
    std::vector<std::uint8_t> curves;
};

ReadResult ReadWholeArchive(LibUsbBinding& usb) {
    SystemClock clock;
    ReadResult out;
    ParameterBlock params{};
    EXPECT_TRUE(ReadReply(usb, clock, Command::ReadParameters, 0, params.data(), params.size()).ok);
    EXPECT_TRUE(ParametersValid(params));
    out.reported = RecordCount(params);
    out.records.assign(out.reported * protocol::kRecordSize, 0);
    out.curves.assign(out.reported * protocol::kCurveSlotBytes, 0);
    for (unsigned k = 0; k < out.reported; ++k) {
        std::uint8_t* record = &out.records[k * protocol::kRecordSize];
        std::uint8_t* slot = &out.curves[k * protocol::kCurveSlotBytes];
        if (!ReadReply(usb, clock, Command::ReadRecord, static_cast<std::uint16_t>(k), record,
                       protocol::kRecordSize)
                 .ok ||
            !RecordValid(record))
            break;
        if (!ReadReply(usb, clock, Command::ReadCurve, CurveRequest(record), slot,
                       protocol::kCurveSlotBytes)
                 .ok ||
            !CurveBlockValid(slot, CurveLength(record)))
            break;
        out.valid = k + 1;
    }
    return out;
}

class ArchiveReadE2E : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim_.Ready());
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    }
    void Open() {
        ASSERT_EQ(usb_.Load(), LibUsbBinding::kLoaded);
        ASSERT_EQ(usb_.FindAndOpen(), LibUsbBinding::kFound);
    }
    void TearDown() override { usb_.Close(); }

    testing::SimLibrary sim_;
    LibUsbBinding usb_;
};

constexpr const char* kScenario = R"(
version "PORVEL-2 v3.05 12.2025"
object 3 ru="Свая" en="Pile" material=2
record number=12 date=2026-11-05 time=14:05:37 object=3 material=2 m=12.5 h=1.24 patm=13108 samples=700
record number=13 m=2.5 h=0 rate=2 curve=4400,5200,6100,7000,7800
record number=14 date=2026-11-06 time=09:30 m=45 samples=1800
)";

TEST_F(ArchiveReadE2E, EveryRecordAndCurveReachesTheTable) {
    sim_.Load(kScenario);
    Open();
    std::array<std::uint8_t, protocol::kVersionBufferSize> version{};
    SystemClock clock;
    ASSERT_TRUE(ReadReply(usb_, clock, Command::ReadVersion, 0, version.data(), version.size()).ok);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(version.data())), "PORVEL-2 v3.05 12.2025");

    const ReadResult read = ReadWholeArchive(usb_);
    ASSERT_EQ(read.reported, 3u);
    ASSERT_EQ(read.valid, 3u);
    EXPECT_EQ(sim_.Count("porvel_sim_violations"), 0) << sim_.Log();

    ArchiveTable table;
    CurveStore curves;
    ASSERT_EQ(EnterRecords(table, curves, read.valid, read.records.data(), read.curves.data(),
                           DefaultObjectNames(), DefaultMaterialNames(), Language::English),
              0u);
    ASSERT_EQ(table.GridRowCount(), 4);
    EXPECT_EQ(table.Cell(column::kNumber, 1), QStringLiteral("12"));
    EXPECT_EQ(table.Cell(column::kTime, 1), QStringLiteral("14:05"));
    EXPECT_EQ(table.Cell(column::kDate, 1), QStringLiteral("05.11.2026"));
    EXPECT_EQ(table.Cell(column::kObject, 1), QStringLiteral("Pile"));
    EXPECT_EQ(table.Cell(column::kMaterial, 1), QStringLiteral("Concr.Air"));
    EXPECT_EQ(table.Cell(column::kAtmosphere, 1), QStringLiteral("103,4"));
    EXPECT_EQ(table.Cell(column::kM, 1), QStringLiteral("12,5"));
    EXPECT_EQ(table.Cell(column::kA, 1), QStringLiteral("0,0800"));
    EXPECT_EQ(table.Cell(column::kH, 1), QStringLiteral("1,2"));
    EXPECT_EQ(table.Cell(column::kCurveLength, 1), QStringLiteral("702"));
    EXPECT_EQ(table.Cell(column::kTime, 2), QStringLiteral("14:15"));
    EXPECT_EQ(table.Cell(column::kH, 2), QString());
    EXPECT_EQ(table.Cell(column::kSampleRate, 2), QStringLiteral("2"));
    EXPECT_EQ(table.Cell(column::kCurveLength, 3), QStringLiteral("1802"));
    EXPECT_EQ(table.Cell(column::kSlot, 3), QStringLiteral("2"));

    const std::vector<std::uint16_t> raw = {4400, 5200, 6100, 7000, 7800};
    for (std::size_t i = 0; i < raw.size(); ++i) EXPECT_EQ(curves.Words(1)[i], raw[i]);
    EXPECT_EQ(curves.Words(1)[5], protocol::kEndMarker);
    // Every curve in the store is the block the instrument sent, marker and CRC included.
    for (int slot = 0; slot < 3; ++slot) {
        const int n = table.SampleCountOf(slot + 1).value() + 2;
        std::vector<std::uint8_t> bytes(2 * static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) WriteU16(&bytes[2 * i], curves.Words(slot)[i]);
        EXPECT_TRUE(CurveBlockValid(bytes.data(), static_cast<std::uint16_t>(n))) << slot;
    }
}

TEST_F(ArchiveReadE2E, ASpoiledRecordStopsTheReadAfterTheRecordsBeforeIt) {
    sim_.Load(std::string(kScenario) + "fault record_crc record=1\n");
    Open();
    const ReadResult read = ReadWholeArchive(usb_);
    EXPECT_EQ(read.reported, 3u);
    ASSERT_EQ(read.valid, 1u);
    EXPECT_FALSE(RecordValid(&read.records[protocol::kRecordSize]));

    ArchiveTable table;
    CurveStore curves;
    ASSERT_EQ(EnterRecords(table, curves, read.valid, read.records.data(), read.curves.data(),
                           DefaultObjectNames(), DefaultMaterialNames(), Language::Russian),
              0u);
    ASSERT_EQ(table.GridRowCount(), 2);
    EXPECT_EQ(table.Cell(column::kNumber, 1), QStringLiteral("12"));
}

TEST_F(ArchiveReadE2E, LyingLengthHeadersAreCappedAndTheBlocksStillCheck) {
    sim_.Load(std::string(kScenario) +
              "fault header command=ReadRecord value=40\n"
              "fault header command=ReadMaterials value=0xFFFFFFFF\n");
    Open();
    SystemClock clock;
    MaterialListBlock materials{};
    const ReplyResult list =
        ReadReply(usb_, clock, Command::ReadMaterials, 0, materials.data(), materials.size());
    ASSERT_TRUE(list.ok);
    EXPECT_EQ(list.requested, 880u);
    for (const MaterialEntry& e : DecodeMaterials(materials)) EXPECT_TRUE(e.valid);

    const ReadResult read = ReadWholeArchive(usb_);
    EXPECT_EQ(read.valid, 3u);
}

}  // namespace
}  // namespace porvel
