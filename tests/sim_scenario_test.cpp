// Scenario texts of the simulated instrument, and the built-in demo archive it starts from.
#include <gtest/gtest.h>

#include <QDateTime>
#include <set>

#include "demo_archive.h"
#include "device_memory.h"
#include "measurement.h"
#include "scenario.h"
#include "sim_constants.h"
#include "wire/byte_order.h"
#include "wire/cp1251.h"
#include "wire/frames.h"

namespace porvel::sim {
namespace {

using protocol::Command;

Scenario Parse(const std::string& text) {
    Scenario scenario;
    std::string error;
    EXPECT_TRUE(ParseScenario(text, &scenario, &error)) << error;
    return scenario;
}

std::uint16_t U16(const RecordBytes& record, std::size_t offset) {
    return ReadU16(&record[offset]);
}

double KPa(std::uint16_t counts) {
    return KPaFromCounts(counts);
}

TEST(SimScenario, RecordLineFillsEveryField) {
    const Scenario scenario = Parse(
        "record number=12 date=2026-11-05 time=14:05:37 object=3 material=1 m=2.5 h=1.24 "
        "patm=12840 rate=4 samples=600 vacuum=32\n");
    ASSERT_EQ(scenario.memory.archive.size(), 1u);
    const StoredMeasurement& stored = scenario.memory.archive[0];
    const RecordBytes& r = stored.record;
    EXPECT_TRUE(RecordValid(r.data()));
    EXPECT_EQ(U16(r, record::kNumberOffset), 12);
    EXPECT_EQ(U16(r, record::kObjectOffset), 3);
    EXPECT_EQ(U16(r, record::kMaterialOffset), 1);
    EXPECT_EQ(r[record::kSecondOffset], 37);
    EXPECT_EQ(r[record::kMinuteOffset], 5);
    EXPECT_EQ(r[record::kHourOffset], 14);
    EXPECT_EQ(r[record::kDayOffset], 5);
    EXPECT_EQ(r[record::kMonthOffset], 11);
    EXPECT_EQ(r[record::kYearOffset], 26);
    EXPECT_EQ(U16(r, record::kGradeOffset), 0);  // m = 2.5 is below the first grade
    EXPECT_FLOAT_EQ(ReadF32(&r[record::kMOffset]), 2.5f);
    EXPECT_FLOAT_EQ(ReadF32(&r[record::kHOffset]), 1.24f);
    EXPECT_EQ(U16(r, record::kAtmosphereOffset), 12840);
    EXPECT_EQ(U16(r, record::kSampleRateOffset), 4);
    EXPECT_EQ(CurveLength(r.data()), 602);
    ASSERT_EQ(stored.curveBlock.size(), 602u);
    EXPECT_NEAR(KPa(stored.curveBlock.front()), 32.0, 0.2);
    EXPECT_GT(stored.curveBlock[599], stored.curveBlock.front());
}

TEST(SimScenario, RawCurveDefaultsAndGradeFollowing) {
    const Scenario scenario = Parse(
        "record date=2026-03-01 time=23:55 m=9.6 curve=4000,4100,65535,0\n"
        "record grade=14 length=9\n"
        "record samples=0\n");
    ASSERT_EQ(scenario.memory.archive.size(), 3u);
    const StoredMeasurement& raw = scenario.memory.archive[0];
    EXPECT_EQ(raw.curveBlock,
              (std::vector<std::uint16_t>{4000, 4100, 65535, 0, 0xAAAA, raw.curveBlock.back()}));
    EXPECT_TRUE(CurveBlockValid(reinterpret_cast<const std::uint8_t*>(raw.curveBlock.data()),
                                static_cast<std::uint16_t>(raw.curveBlock.size())));
    EXPECT_EQ(U16(raw.record, record::kGradeOffset), 8);

    // Numbered and timed after the one before, across midnight.
    const RecordBytes& next = scenario.memory.archive[1].record;
    EXPECT_EQ(U16(next, record::kNumberOffset), 2);
    EXPECT_EQ(next[record::kDayOffset], 2);
    EXPECT_EQ(next[record::kHourOffset], 0);
    EXPECT_EQ(next[record::kMinuteOffset], 5);
    EXPECT_EQ(U16(next, record::kGradeOffset), 14);
    EXPECT_EQ(CurveLength(next.data()), 9);  // the override, whatever the block holds

    EXPECT_EQ(scenario.memory.archive[2].curveBlock.size(), 2u);  // marker and CRC only
}

TEST(SimScenario, ListsVersionScreenAndBusLines) {
    const Scenario scenario = Parse(
        "# comments and blank lines are skipped\n"
        "\n"
        "version \"ПОРВЕЛ \\\"2\\\"\\0end\"  # trailing comment\n"
        "material 2 ru=\"Кирпич #2\" a0=1.5e-3 a1=250\n"
        "object 19 en=\"Bridge\" material=25\n"
        "screen hex 01 80FF\n"
        "instruments 2\n"
        "other_device 2 0x046d 0xC077\n"
        "other_device 1 1 2\n");
    const QByteArray version = scenario.memory.version;
    EXPECT_EQ(version, ToCp1251(QStringLiteral("ПОРВЕЛ \"2\"")) + QByteArray("\0end", 4));

    const MaterialEntries materials = DecodeMaterials(scenario.memory.materials);
    EXPECT_TRUE(materials[2].valid);
    EXPECT_EQ(materials[2].russian, QStringLiteral("Кирпич #2"));
    EXPECT_EQ(materials[2].english, QStringLiteral("Concr.Air"));  // untouched field stays
    EXPECT_FLOAT_EQ(materials[2].a0, 1.5e-3f);
    EXPECT_EQ(scenario.memory.materials[2 * protocol::kMaterialEntrySize + 1],
              static_cast<std::uint8_t>(0xCA));  // Windows-1251 on the wire
    const ObjectEntries objects = DecodeObjects(scenario.memory.objects);
    EXPECT_TRUE(objects[19].valid);
    EXPECT_EQ(objects[19].russian, QStringLiteral("Объект 9"));
    EXPECT_EQ(objects[19].english, QStringLiteral("Bridge"));
    EXPECT_EQ(objects[19].material, 25);

    EXPECT_EQ(scenario.memory.screen[0], 0x01);
    EXPECT_EQ(scenario.memory.screen[1], 0x80);
    EXPECT_EQ(scenario.memory.screen[2], 0xFF);
    EXPECT_EQ(scenario.memory.screen[3], 0x00);

    EXPECT_EQ(scenario.instruments, 2);
    ASSERT_EQ(scenario.otherDevices.size(), 2u);
    EXPECT_EQ(scenario.otherDevices[0].vendor, 0x046D);
    EXPECT_EQ(scenario.otherDevices[1].bus, 1);
}

TEST(SimScenario, FaultLinesFillTheFaults) {
    const Scenario scenario = Parse(
        "generate count=3 samples=10\n"
        "fault absent searches=4\n"
        "fault fail_transfer at=7 count=2\n"
        "fault fail_transfer at=20\n"
        "fault record_crc record=2\n"
        "fault record_marker record=0\n"
        "fault curve_crc record=1\n"
        "fault material_crc entry=19\n"
        "fault object_crc entry=0\n"
        "fault parameters_marker replies=3\n"
        "fault unplug after=12 back=2\n"
        "fault short_reply payload=5\n"
        "fault header command=ReadMaterials value=0xFFFFFFFF\n");
    const Faults& f = scenario.faults;
    EXPECT_EQ(f.absentSearches, 4u);
    ASSERT_EQ(f.failingTransfers.size(), 2u);
    EXPECT_TRUE(f.failingTransfers[0].Covers(8));
    EXPECT_FALSE(f.failingTransfers[0].Covers(9));
    EXPECT_TRUE(f.failingTransfers[1].Covers(20));
    EXPECT_FALSE(f.failingTransfers[1].Covers(21));
    EXPECT_EQ(f.recordCrc, (std::set<std::size_t>{2}));
    EXPECT_EQ(f.recordMarker, (std::set<std::size_t>{0}));
    EXPECT_EQ(f.curveCrc, (std::set<std::size_t>{1}));
    EXPECT_EQ(f.materialEntries, (std::set<std::size_t>{19}));
    EXPECT_EQ(f.objectEntries, (std::set<std::size_t>{0}));
    EXPECT_EQ(f.spoiledParameterReplies, 3u);
    EXPECT_EQ(f.unplugAfterTransfer, 12u);
    EXPECT_EQ(f.replugAfterSearches, 2u);
    ASSERT_EQ(f.shortPayloads.size(), 1u);
    EXPECT_TRUE(f.shortPayloads[0].Covers(5));
    ASSERT_EQ(f.headers.size(), 1u);
    EXPECT_EQ(f.headers[0].command, Command::ReadMaterials);
    EXPECT_EQ(f.headers[0].value, 0xFFFFFFFFu);
    EXPECT_FALSE(Parse("fault unplug after=3\n").faults.replugAfterSearches.has_value());
}

TEST(SimScenario, ErrorsNameTheirLine) {
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"demo\nrecrod m=1\n", "line 2: unknown keyword \"recrod\""},
        {"record m=1 colour=red\n", "line 1: unknown key \"colour\""},
        {"\n\nrecord m=fast\n", "line 3: m must be a number"},
        {"record number=70000\n", "line 1: number must be a whole number from 0 to 65535"},
        {"record date=2026-02-30\n", "line 1: date must read yyyy-mm-dd"},
        {"record time=25:00\n", "line 1: time must read"},
        {"record samples=4 curve=1,2\n", "line 1: give samples or curve"},
        {"record curve=1,,2\n", "line 1: curve is a comma-separated list"},
        {"record samples=32766\n", "line 1: samples must be"},
        {"version \"open\n", "line 1: unterminated quoted text"},
        {"version \"\\q\"\n", "line 1: unknown escape"},
        {"material 20 ru=x\n", "line 1: material entry must be 0 to 19"},
        {"object 1 en=\"Longer than fourteen\"\n", "line 1: en name longer than 14 characters"},
        {"record m=3 m=4\n", "line 1: key \"m\" given twice"},
        {"instruments\n", "line 1: expects 1 value"},
        {"instruments 9\n", "line 1: instruments takes a count"},
        {"other_device 1 0x03EB 0x0220\n", "line 1: other_device carries the instrument's"},
        {"screen hex 0\n", "line 1: screen hex takes an even number"},
        {"screen hex zz\n", "line 1: screen hex: \"zz\" is no hex byte"},
        {"screen sideways\n", "line 1: screen takes demo, blank or hex"},
        {"fault wobble\n", "line 1: unknown fault \"wobble\""},
        {"fault fail_transfer count=2\n", "line 1: fault fail_transfer needs at"},
        {"fault fail_transfer at=0\n", "line 1: at and count start at 1"},
        {"fault unplug after=2\nfault unplug after=3\n", "line 2: only one unplug fault"},
        {"fault header command=WriteObjects value=3\n", "line 1: fault header: \"WriteObjects\""},
        {"record\nfault curve_crc record=1\nrecord\n# end\n", ""},
        {"fault record_crc record=3\nrecord\nrecord\n", "line 1: the fault names record 3"},
        {"generate count=100\ngenerate count=29\n", "line 2: the archive holds at most 128"},
    };
    for (const auto& c : cases) {
        Scenario scenario;
        std::string error;
        const bool ok = ParseScenario(c.text, &scenario, &error);
        if (*c.expected == '\0') {
            EXPECT_TRUE(ok) << c.text << ": " << error;
            continue;
        }
        EXPECT_FALSE(ok) << c.text;
        EXPECT_EQ(error.rfind(c.expected, 0), 0u) << c.text << " gave: " << error;
    }
}

TEST(SimScenario, FailedParseLeavesTheTargetUntouched) {
    Scenario scenario = DemoScenario();
    const std::size_t records = scenario.memory.archive.size();
    std::string error;
    EXPECT_FALSE(ParseScenario("record\nnonsense\n", &scenario, &error));
    EXPECT_EQ(scenario.memory.archive.size(), records);
}

TEST(SimScenario, GenerateFillsTheLargestArchive) {
    const Scenario scenario = Parse("generate count=128 samples=32765\n");
    ASSERT_EQ(scenario.memory.archive.size(), protocol::kMaxRecords);
    std::set<std::size_t> usedSlots;
    for (std::size_t k = 0; k < scenario.memory.archive.size(); ++k) {
        const StoredMeasurement& stored = scenario.memory.archive[k];
        ASSERT_TRUE(RecordValid(stored.record.data())) << k;
        ASSERT_EQ(CurveLength(stored.record.data()), protocol::kMaxCurveLength) << k;
        ASSERT_TRUE(CurveBlockValid(reinterpret_cast<const std::uint8_t*>(stored.curveBlock.data()),
                                    protocol::kMaxCurveLength))
            << k;
        usedSlots.insert(SlotOfRecord(k));
    }
    EXPECT_EQ(usedSlots.size(), protocol::kMaxRecords);  // every slot used once
    EXPECT_EQ(RecordCount(BuildParameterBlock(protocol::kMaxRecords)), protocol::kMaxRecords);
}

TEST(SimScenario, DemoLineStartsFromTheDemoAndRecordsCarryOn) {
    const Scenario scenario = Parse("demo\nrecord m=50\n");
    const Scenario demo = DemoScenario();
    ASSERT_EQ(scenario.memory.archive.size(), demo.memory.archive.size() + 1);
    const RecordBytes& last = demo.memory.archive.back().record;
    const RecordBytes& added = scenario.memory.archive.back().record;
    EXPECT_EQ(U16(added, record::kNumberOffset), U16(last, record::kNumberOffset) + 1);
    EXPECT_EQ(added[record::kDayOffset], last[record::kDayOffset]);
    EXPECT_EQ(scenario.memory.objects, demo.memory.objects);
}

TEST(SimGrade, BoundsOfTheGradeTable) {
    EXPECT_EQ(GradeForM(0.0), 0);
    EXPECT_EQ(GradeForM(3.04), 0);
    EXPECT_EQ(GradeForM(3.05), 2);  // rounds to 3.1
    EXPECT_EQ(GradeForM(4.5), 2);
    EXPECT_EQ(GradeForM(4.54), 2);
    EXPECT_EQ(GradeForM(4.6f), 4);  // as a float reads back from the record
    EXPECT_EQ(GradeForM(13.7), 8);
    EXPECT_EQ(GradeForM(13.8), 10);
    EXPECT_EQ(GradeForM(88.6), 20);
    EXPECT_EQ(GradeForM(130.2), 20);
    EXPECT_EQ(GradeForM(500.0), 20);
}

class SimDemo : public ::testing::Test {
protected:
    static void SetUpTestSuite() { memory_ = new DeviceMemory(DemoMemory()); }
    static void TearDownTestSuite() { delete memory_; }
    static DeviceMemory* memory_;
};
DeviceMemory* SimDemo::memory_ = nullptr;

TEST_F(SimDemo, IsDeterministic) {
    const DeviceMemory again = DemoMemory();
    ASSERT_EQ(again.archive.size(), memory_->archive.size());
    for (std::size_t k = 0; k < again.archive.size(); ++k) {
        EXPECT_EQ(again.archive[k].record, memory_->archive[k].record);
        EXPECT_EQ(again.archive[k].curveBlock, memory_->archive[k].curveBlock);
    }
    EXPECT_EQ(again.screen, memory_->screen);
}

TEST_F(SimDemo, EveryRecordAndCurveIsValidAndRealistic) {
    const auto& archive = memory_->archive;
    ASSERT_GE(archive.size(), 30u);
    ASSERT_LE(archive.size(), 40u);
    std::set<QDateTime> minutes;
    std::set<std::uint16_t> objects;
    int ungraded = 0;
    for (std::size_t k = 0; k < archive.size(); ++k) {
        SCOPED_TRACE(k);
        const RecordBytes& r = archive[k].record;
        const std::vector<std::uint16_t>& curve = archive[k].curveBlock;
        ASSERT_TRUE(RecordValid(r.data()));
        const std::uint16_t n = CurveLength(r.data());
        ASSERT_EQ(n, curve.size());
        ASSERT_TRUE(CurveBlockValid(reinterpret_cast<const std::uint8_t*>(curve.data()), n));
        const std::size_t samples = n - 2u;
        EXPECT_GE(samples, 200u);
        EXPECT_LE(samples, 4000u);

        const float m = ReadF32(&r[record::kMOffset]);
        const std::uint16_t grade = U16(r, record::kGradeOffset);
        double lowest = 0, highest = 0;
        if (grade == 0) {
            ++ungraded;
            EXPECT_LT(m, 3.05f);
        } else {
            ASSERT_TRUE(RangeOfGrade(grade, &lowest, &highest));
            EXPECT_GE(m, lowest);
            EXPECT_LE(m, highest);
        }
        const float h = ReadF32(&r[record::kHOffset]);
        EXPECT_TRUE(h == 0.0f || (h >= 0.5f && h <= 3.0f)) << h;

        const double atmosphere = KPa(U16(r, record::kAtmosphereOffset));
        EXPECT_GE(atmosphere, 99.0);
        EXPECT_LE(atmosphere, 101.5);
        const std::uint16_t rate = U16(r, record::kSampleRateOffset);
        EXPECT_GE(rate, 1);
        EXPECT_LE(rate, 5);
        // From a vacuum of 30-40 kPa absolute, rising towards atmospheric.
        EXPECT_GE(KPa(curve.front()), 29.5);
        EXPECT_LE(KPa(curve.front()), 40.5);
        EXPECT_GT(KPa(curve[samples - 1]), atmosphere - 6.0);
        EXPECT_LT(KPa(curve[samples - 1]), atmosphere + 0.3);
        EXPECT_LT(KPa(curve[samples / 4]), KPa(curve[samples / 2]));

        EXPECT_LT(U16(r, record::kObjectOffset), protocol::kListEntries);
        EXPECT_LT(U16(r, record::kMaterialOffset), protocol::kListEntries);
        objects.insert(U16(r, record::kObjectOffset));
        const QDateTime taken(
            QDate(2000 + r[record::kYearOffset], r[record::kMonthOffset], r[record::kDayOffset]),
            QTime(r[record::kHourOffset], r[record::kMinuteOffset]));
        ASSERT_TRUE(taken.isValid());
        minutes.insert(taken);
    }
    EXPECT_EQ(minutes.size(), archive.size());  // no two in the same minute
    EXPECT_GE(objects.size(), 4u);
    EXPECT_EQ(ungraded, 1);
}

TEST_F(SimDemo, ListsAreValidWithNamesInBothLanguages) {
    const MaterialEntries materials = DecodeMaterials(memory_->materials);
    const ObjectEntries objects = DecodeObjects(memory_->objects);
    for (std::size_t e = 0; e < protocol::kListEntries; ++e) {
        SCOPED_TRACE(e);
        EXPECT_TRUE(materials[e].valid);
        EXPECT_FALSE(materials[e].russian.isEmpty());
        EXPECT_FALSE(materials[e].english.isEmpty());
        EXPECT_GT(materials[e].a0, 0.0f);
        EXPECT_GT(materials[e].a1, 0.0f);
        EXPECT_TRUE(objects[e].valid);
        EXPECT_FALSE(objects[e].russian.isEmpty());
        EXPECT_FALSE(objects[e].english.isEmpty());
        EXPECT_LT(objects[e].material, protocol::kListEntries);
    }
    EXPECT_EQ(objects[0].russian, QStringLiteral("Плита"));
}

TEST_F(SimDemo, ScreenShowsTheResultPage) {
    const ScreenBlock& screen = memory_->screen;
    int ink = 0;
    for (std::uint8_t byte : screen) ink += __builtin_popcount(byte);
    // A page of text with inverted bars: neither blank nor solid.
    EXPECT_GT(ink, 600);
    EXPECT_LT(ink, 64 * 98 / 2);
    // The header bar is inverted: its top row is ink across the display.
    for (int x = 0; x < 98; ++x) EXPECT_TRUE(screen[static_cast<std::size_t>(x)] & 1) << x;
    const ObjectDefs objects = DemoObjects();
    EXPECT_EQ(ResultScreen(memory_->archive.back(), objects), screen);
    EXPECT_NE(ResultScreen(memory_->archive.front(), objects), screen);
}

}  // namespace
}  // namespace porvel::sim
