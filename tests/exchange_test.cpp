// The archive read of the exchange against the simulated instrument, in virtual time: the order
// of the commands, the progress, what reaches the table filling, and every way the read of the
// parameters, the records and the curves can go wrong.
#include <gtest/gtest.h>

#include <algorithm>

#include "exchange_harness.h"
#include "wire/byte_order.h"
#include "wire/frames.h"

namespace porvel::testing {
namespace {

using Call = RecordingView::Call;

const QString kLinkError = QStringLiteral("Ошибка связи");
const QString kCrcError = QStringLiteral("Ошибка контрольной суммы");
const QString kWarning = QStringLiteral("Внимание");

// Three records whose curves hold 10, 20 and 30 samples: curve lengths 12, 22 and 32.
constexpr const char* kThreeRecords = "record samples=10\nrecord samples=20\nrecord samples=30\n";

class ArchiveRead : public ExchangeHarness {
protected:
    void SetUp() override {
        ExchangeHarness::SetUp();
        state_.listsNeeded = false;
    }

    // The table filling was given exactly the first `count` records and curves the device holds.
    void ExpectHandedOverAsStored(const RecordingView::HandOver& handOver, unsigned count) {
        ASSERT_EQ(handOver.count, count);
        const auto& archive = Device().Memory().archive;
        ASSERT_LE(count, archive.size());
        for (unsigned k = 0; k < count; ++k) {
            const std::uint8_t* record = &handOver.records[k * protocol::kRecordSize];
            EXPECT_TRUE(std::equal(archive[k].record.begin(), archive[k].record.end(), record))
                << "record " << k;
            const std::uint8_t* slot = &handOver.curves[k * protocol::kCurveSlotBytes];
            const std::vector<std::uint16_t>& words = archive[k].curveBlock;
            bool same = true;
            for (std::size_t i = 0; i < words.size() && same; ++i)
                same = ReadU16(slot + 2 * i) == words[i];
            EXPECT_TRUE(same) << "curve of record " << k;
            EXPECT_TRUE(CurveBlockValid(slot, CurveLength(record))) << "curve of record " << k;
        }
    }
};

TEST_F(ArchiveRead, FirstReadFetchesBothListsFirstAndASecondReadNone) {
    Load(kThreeRecords);
    state_.listsNeeded = true;
    ASSERT_TRUE(Run(Operation::ReadArchive));
    const std::vector<std::string> archive = {"ReadVersion",  "ReadParameters", "ReadRecord 0",
                                              "ReadCurve 24", "ReadRecord 1",   "ReadCurve 44",
                                              "ReadRecord 2", "ReadCurve 64"};
    std::vector<std::string> first = {"ReadMaterials", "ReadObjects"};
    first.insert(first.end(), archive.begin(), archive.end());
    EXPECT_EQ(Commands(), first);
    EXPECT_FALSE(state_.listsNeeded);

    RecordingView second;
    ASSERT_TRUE(Run(Operation::ReadArchive, second));
    std::vector<std::string> both = first;
    both.insert(both.end(), archive.begin(), archive.end());
    EXPECT_EQ(Commands(), both);
    // Every pause the device needs was kept, in both reads.
    EXPECT_EQ(Device().Violations(), 0u) << Log();
    ASSERT_EQ(second.handOvers.size(), 1u);
    ExpectHandedOverAsStored(second.handOvers[0], 3);
}

TEST_F(ArchiveRead, HandsOverEveryRecordThenClosesTheDialog) {
    Load(kThreeRecords);
    ASSERT_TRUE(Run(Operation::ReadArchive));
    ASSERT_EQ(view_.handOvers.size(), 1u);
    ExpectHandedOverAsStored(view_.handOvers[0], 3);
    EXPECT_EQ(view_.handOvers[0].reported, 3u);
    // The filling first, then the dialog closes, and the worker goes back to idle to end.
    const std::vector<Call> last(view_.calls.end() - 3, view_.calls.end());
    EXPECT_EQ(last, (std::vector<Call>{Call::HandOver, Call::CloseDialog, Call::Priority}));
    EXPECT_EQ(view_.priorities.back(), WorkerPriority::Idle);
    // The device is closed after the hand-over, and the window shows the read as done.
    EXPECT_FALSE(Link().IsOpen());
    EXPECT_EQ(view_.controls.status, QStringLiteral("Готово"));
    EXPECT_FALSE(view_.controls.gaugeVisible);
    EXPECT_TRUE(view_.messages.empty());
}

TEST_F(ArchiveRead, RecordsAreReadAtNormalPriorityAndTheRestAtIdle) {
    Load(kThreeRecords);
    state_.listsNeeded = true;
    ASSERT_TRUE(Run(Operation::ReadArchive));
    // Connect and the material list lower it, the version raises it, the end lowers it again.
    const std::vector<WorkerPriority> expected = {WorkerPriority::Idle, WorkerPriority::Idle,
                                                  WorkerPriority::Normal, WorkerPriority::Idle};
    EXPECT_EQ(view_.priorities, expected);
}

struct ProgressRow {
    const char* name;
    bool listsNeeded;
    std::vector<int> steps;
};

class ArchiveProgress : public ArchiveRead, public ::testing::WithParamInterface<ProgressRow> {};

TEST_P(ArchiveProgress, GaugeRunsThroughTheStepsOfTheRead) {
    Load(kThreeRecords);
    state_.listsNeeded = GetParam().listsNeeded;
    ASSERT_TRUE(Run(Operation::ReadArchive));
    EXPECT_EQ(view_.GaugeSteps(), GetParam().steps);
}

INSTANTIATE_TEST_SUITE_P(
    ThreeRecords, ArchiveProgress,
    ::testing::Values(ProgressRow{"ListsKnown", false, {0, 10, 20, 46, 73, 100}},
                      ProgressRow{
                          "ListsNeeded", true, {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 20, 46, 73, 100}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ArchiveRead, FullArchiveOfLargestCurvesMovesTheGaugeRecordByRecord) {
    Load("generate count=128 samples=32765\n");
    // The gauge as it stands when record k is asked for shows the progress after record k - 1.
    std::vector<int> beforeRecord;
    Link().onWrite = [&](const std::uint8_t* bytes, int count) {
        if (count == 4 && bytes[0] == static_cast<std::uint8_t>(protocol::Command::ReadRecord))
            beforeRecord.push_back(view_.controls.gauge);
    };
    ASSERT_TRUE(Run(Operation::ReadArchive));
    ASSERT_EQ(beforeRecord.size(), 128u);
    EXPECT_EQ(beforeRecord[0], 20);    // after the parameters
    EXPECT_EQ(beforeRecord[1], 20);    // 80 x 1 div 128 is 0
    EXPECT_EQ(beforeRecord[2], 21);    // 80 x 2 div 128 is 1
    EXPECT_EQ(beforeRecord[64], 60);   // half the archive read
    EXPECT_EQ(beforeRecord[127], 99);  // 80 x 127 div 128 is 79
    EXPECT_TRUE(std::is_sorted(beforeRecord.begin(), beforeRecord.end()));
    EXPECT_EQ(view_.GaugeSteps().back(), 100);
    ASSERT_EQ(view_.handOvers.size(), 1u);
    ExpectHandedOverAsStored(view_.handOvers[0], 128);
    EXPECT_EQ(Device().Violations(), 0u) << Log();
}

struct LanguageRow {
    const char* name;
    Language language;
    QString noData;
};

class NoRecords : public ArchiveRead, public ::testing::WithParamInterface<LanguageRow> {};

TEST_P(NoRecords, ShowNoDataForAWhileAndHandOverNothing) {
    Load("");
    language_ = GetParam().language;
    sim::Micros shownAt{-1};
    view_.onUpdate = [&](const RecordingView::Controls& controls) {
        if (controls.status == GetParam().noData) shownAt = clock_.Elapsed();
    };
    ASSERT_TRUE(Run(Operation::ReadArchive));
    ASSERT_FALSE(Commands().empty());
    EXPECT_EQ(Commands().back(), "ReadParameters");
    EXPECT_EQ(view_.controls.status, GetParam().noData);
    // The text stays 300 ms before the read ends; nothing else waits after it.
    EXPECT_EQ(clock_.Elapsed() - shownAt, std::chrono::milliseconds(300));
    ASSERT_EQ(view_.handOvers.size(), 1u);
    EXPECT_EQ(view_.handOvers[0].count, 0u);
    EXPECT_EQ(view_.dialogCloses, 1);
    EXPECT_EQ(view_.handOvers[0].reported, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Languages, NoRecords,
    ::testing::Values(LanguageRow{"Russian", Language::Russian, QStringLiteral("Данных нет")},
                      LanguageRow{"English", Language::English, QStringLiteral("No Data")}),
    [](const auto& info) { return std::string(info.param.name); });

// Transfers of a read without lists: 1-3 the version (command, header, payload), 4-6 the
// parameters, then six for each record with its curve.
struct RetryRow {
    const char* name;
    int failingTransfer;
    protocol::Command repeated;
};

class FailingTransfer : public ArchiveRead, public ::testing::WithParamInterface<RetryRow> {};

TEST_P(FailingTransfer, RepeatsItsStateShowingLinkErrorAndGoesOn) {
    Load(std::string(kThreeRecords) +
         "fault fail_transfer at=" + std::to_string(GetParam().failingTransfer) + "\n");
    ASSERT_TRUE(Run(Operation::ReadArchive));
    EXPECT_EQ(FramesSent(GetParam().repeated), 2) << Log();
    EXPECT_EQ(
        FramesSent(protocol::Command::ReadVersion) + FramesSent(protocol::Command::ReadParameters),
        3)
        << Log();
    const std::vector<QString> statuses = view_.StatusTexts();
    EXPECT_NE(std::find(statuses.begin(), statuses.end(), kLinkError), statuses.end());
    ASSERT_EQ(view_.handOvers.size(), 1u);
    ExpectHandedOverAsStored(view_.handOvers[0], 3);
    EXPECT_EQ(view_.controls.status, QStringLiteral("Готово"));
    EXPECT_TRUE(view_.messages.empty());
    EXPECT_EQ(Device().Violations(), 0u) << Log();
}

INSTANTIATE_TEST_SUITE_P(
    VersionAndParameters, FailingTransfer,
    ::testing::Values(RetryRow{"VersionCommand", 1, protocol::Command::ReadVersion},
                      RetryRow{"VersionHeader", 2, protocol::Command::ReadVersion},
                      RetryRow{"VersionText", 3, protocol::Command::ReadVersion},
                      RetryRow{"ParametersCommand", 4, protocol::Command::ReadParameters},
                      RetryRow{"ParametersHeader", 5, protocol::Command::ReadParameters},
                      RetryRow{"ParametersBlock", 6, protocol::Command::ReadParameters}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ArchiveRead, ParameterBlockWithoutMarkerShowsTheCrcMessageAndIsAskedAgain) {
    Load(std::string(kThreeRecords) + "fault parameters_marker replies=2\n");
    ASSERT_TRUE(Run(Operation::ReadArchive));
    EXPECT_EQ(CountCommand("ReadParameters"), 3);
    EXPECT_EQ(CountCommand("ReadVersion"), 1);
    ASSERT_EQ(view_.messages.size(), 2u);
    for (const RecordingView::Message& message : view_.messages) {
        EXPECT_EQ(message.text, kCrcError);
        EXPECT_EQ(message.caption, kWarning);
    }
    ASSERT_EQ(view_.handOvers.size(), 1u);
    ExpectHandedOverAsStored(view_.handOvers[0], 3);
}

// Transfer and payload numbers of a read of four records without lists: record k's command is
// transfer 7 + 6k and its curve's command 10 + 6k; payloads are 1 the version, 2 the
// parameters, then 3 + 2k the record and 4 + 2k its curve.
struct DamagedRecordRow {
    const char* name;
    const char* fault;
    std::vector<unsigned> handedOver;    // the device's records, in the order handed over
    std::vector<unsigned> withoutCurve;  // of those, the ones handed over without their curve
    std::vector<MissedRecord> missed;
    bool linkLost;
};

class DamagedRecord : public ArchiveRead, public ::testing::WithParamInterface<DamagedRecordRow> {};

// A block that fails its check is asked for three times in all, a failed transfer twice; what
// still fails is passed over and named, once, and the read goes on. Only a lost link ends it.
TEST_P(DamagedRecord, IsAskedAgainThenPassedOverAndNamed) {
    const DamagedRecordRow& row = GetParam();
    Load(std::string("generate count=4 samples=40\n") + row.fault + "\n");
    ASSERT_TRUE(Run(Operation::ReadArchive));
    ASSERT_EQ(view_.handOvers.size(), 1u);
    const RecordingView::HandOver& read = view_.handOvers[0];
    EXPECT_EQ(read.reported, 4u);
    ASSERT_EQ(read.count, row.handedOver.size());
    ASSERT_EQ(read.withoutCurve.size(), read.count);
    const auto& archive = Device().Memory().archive;
    for (unsigned i = 0; i < read.count; ++i) {
        const unsigned k = row.handedOver[i];
        EXPECT_TRUE(std::equal(archive[k].record.begin(), archive[k].record.end(),
                               &read.records[i * protocol::kRecordSize]))
            << "record " << k;
        const bool noCurve = std::count(row.withoutCurve.begin(), row.withoutCurve.end(), k) > 0;
        EXPECT_EQ(read.withoutCurve[i], noCurve) << "record " << k;
        if (!noCurve) {
            EXPECT_TRUE(CurveBlockValid(&read.curves[i * protocol::kCurveSlotBytes],
                                        CurveLength(&read.records[i * protocol::kRecordSize])));
        }
    }
    EXPECT_EQ(read.missed, row.missed);
    EXPECT_EQ(read.linkLost, row.linkLost);
    // One message per measurement named, after its last asking.
    ASSERT_EQ(view_.messages.size(), row.linkLost ? 0u : row.missed.size());
    for (std::size_t m = 0; m < view_.messages.size(); ++m)
        EXPECT_EQ(view_.messages[m].text,
                  kCrcError + QStringLiteral(": измерение %1 из 4").arg(row.missed[m].measurement));
    EXPECT_EQ(view_.controls.status, row.linkLost ? kLinkError : QStringLiteral("Готово"));
    EXPECT_EQ(view_.dialogCloses, 1);
    EXPECT_EQ(Device().Violations(), 0u) << Log();
}

using Why = MissedRecord::Why;
INSTANTIATE_TEST_SUITE_P(
    Faults, DamagedRecord,
    ::testing::Values(
        DamagedRecordRow{"FirstRecordWithoutMarker",
                         "fault record_marker record=0",
                         {1, 2, 3},
                         {},
                         {{1, Why::EndMarker}},
                         false},
        DamagedRecordRow{"ThirdRecordWithWrongCrc",
                         "fault record_crc record=2",
                         {0, 1, 3},
                         {},
                         {{3, Why::Crc}},
                         false},
        DamagedRecordRow{"SecondCurveWithWrongCrc",
                         "fault curve_crc record=1",
                         {0, 1, 2, 3},
                         {1},
                         {{2, Why::NoCurve}},
                         false},
        DamagedRecordRow{
            "EveryCurveHeaderTooShort",
            "fault header command=ReadCurve value=4",
            {0, 1, 2, 3},
            {0, 1, 2, 3},
            {{1, Why::NoCurve}, {2, Why::NoCurve}, {3, Why::NoCurve}, {4, Why::NoCurve}},
            false},
        DamagedRecordRow{
            "LastRecordCommandFailsOnce", "fault fail_transfer at=25", {0, 1, 2, 3}, {}, {}, false},
        DamagedRecordRow{
            "SecondCurveBlockFailsOnce", "fault fail_transfer at=18", {0, 1, 2, 3}, {}, {}, false},
        DamagedRecordRow{"SecondRecordHalfReceivedOnce",
                         "fault short_reply payload=5",
                         {0, 1, 2, 3},
                         {},
                         {},
                         false},
        DamagedRecordRow{"SecondRecordCommandFailsTwice",
                         "fault fail_transfer at=13 count=2",
                         {0},
                         {},
                         {},
                         true},
        DamagedRecordRow{
            "UnpluggedBeforeSecondRecord", "fault unplug after=12", {0}, {}, {}, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ArchiveRead, ADamagedRecordIsAskedForThreeTimesAndItsCurveNever) {
    Load("generate count=3 samples=40\nfault record_crc record=1\n");
    ASSERT_TRUE(Run(Operation::ReadArchive));
    EXPECT_EQ(CountCommand("ReadRecord 1"), 3) << Log();
    EXPECT_EQ(CountCommand("ReadRecord 2"), 1) << Log();
    const std::vector<std::string> commands = Commands();
    EXPECT_EQ(std::count_if(commands.begin(), commands.end(),
                            [](const std::string& c) { return c.rfind("ReadCurve", 0) == 0; }),
              2)
        << Log();
}

struct CurveLengthRow {
    const char* name;
    const char* secondRecord;
    bool usable;
};

class CurveLengthBounds : public ArchiveRead,
                          public ::testing::WithParamInterface<CurveLengthRow> {};

// A curve that cannot fit its slot is never asked for; its record is kept without it.
TEST_P(CurveLengthBounds, LengthOutsideTheSlotKeepsTheRecordWithoutItsCurve) {
    Load(std::string("record samples=5\n") + GetParam().secondRecord + "\n");
    ASSERT_TRUE(Run(Operation::ReadArchive));
    ASSERT_EQ(view_.handOvers.size(), 1u);
    const bool usable = GetParam().usable;
    ASSERT_EQ(view_.handOvers[0].count, 2u);
    EXPECT_EQ(view_.handOvers[0].withoutCurve, std::vector<bool>({false, !usable}));
    EXPECT_EQ(view_.messages.size(), usable ? 0u : 1u);
    const std::vector<std::string> commands = Commands();
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(commands.back().rfind("ReadCurve", 0) == 0, usable) << Log();
    EXPECT_EQ(Device().Violations(), 0u) << Log();
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, CurveLengthBounds,
    ::testing::Values(CurveLengthRow{"Zero", "record length=0", false},
                      CurveLengthRow{"One", "record length=1", false},
                      CurveLengthRow{"TwoMarkerAndCrcOnly", "record samples=0", true},
                      CurveLengthRow{"LargestThatFits", "record samples=32765", true},
                      CurveLengthRow{"OneWordTooLong", "record samples=10 length=32768", false},
                      CurveLengthRow{"Largest16Bit", "record samples=10 length=65535", false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace porvel::testing
