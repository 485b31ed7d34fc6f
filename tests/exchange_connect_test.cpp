// Connecting to the instrument and cancelling an exchange: a missing library or instrument, the
// Cancel button at each point where the worker looks at it, and a Cancel that comes too late
// for the exchange it was meant for.
#include <gtest/gtest.h>

#include <optional>

#include "exchange_harness.h"

namespace porvel::testing {
namespace {

using protocol::Command;

constexpr const char* kThreeRecords = "record samples=10\nrecord samples=20\nrecord samples=30\n";
constexpr const char* kNeverOnTheBus = "fault absent searches=1000000\n";
const QString kCheckConnection = QStringLiteral("Проверьте подключение");
const QString kLinkError = QStringLiteral("Ошибка связи");

bool IsFrameOf(const std::uint8_t* bytes, int count, Command command) {
    const auto code = static_cast<std::uint8_t>(command);
    return count >= 2 && bytes[0] == code && bytes[1] == 0xFF - code;
}

class Connect : public ExchangeHarness {
protected:
    // The Cancel button: what ExchangeProgressDialog does when it is pressed.
    void PressCancel() { state_.cancel = true; }

    // An exchange that stopped on Cancel: the dialog closed, nothing handed over, the flag clear.
    void ExpectCancelled(const RecordingView& view) {
        EXPECT_EQ(view.dialogCloses, 1);
        EXPECT_TRUE(view.handOvers.empty());
        EXPECT_TRUE(view.fills.empty());
        EXPECT_FALSE(state_.cancel);
        EXPECT_FALSE(Link().IsOpen());
    }
};

struct AbsentRow {
    const char* name;
    Language language;
    QString checkConnection;
    QString connection;
};

class AbsentInstrument : public Connect, public ::testing::WithParamInterface<AbsentRow> {};

TEST_P(AbsentInstrument, ShowsCheckConnectionUntilItAppearsThenReadsOnByItself) {
    Load(std::string(kThreeRecords) + "fault absent searches=3\n");
    language_ = GetParam().language;
    state_.listsNeeded = false;
    int shown = 0;
    view_.onUpdate = [&](const RecordingView::Controls& controls) {
        if (controls.status != GetParam().checkConnection) return;
        ++shown;
        EXPECT_EQ(controls.caption, GetParam().connection);
        EXPECT_EQ(Device().Transfers(), 0u);
    };
    std::vector<sim::Micros> loadTimes;
    Link().onLoad = [&] { loadTimes.push_back(clock_.Elapsed()); };
    std::optional<sim::Micros> firstCommand;
    Link().onWrite = [&](const std::uint8_t*, int) {
        if (!firstCommand) firstCommand = clock_.Elapsed();
    };
    ASSERT_TRUE(Run(Operation::ReadArchive));
    EXPECT_EQ(Link().Searches(), 4);
    EXPECT_EQ(shown, 3);
    // Each search comes 300 ms after its load, and the first command 300 ms after the search
    // that found the instrument.
    using std::chrono::milliseconds;
    const std::vector<sim::Micros> expectedLoads = {milliseconds(0), milliseconds(300),
                                                    milliseconds(600), milliseconds(900)};
    EXPECT_EQ(loadTimes, expectedLoads);
    EXPECT_EQ(firstCommand, sim::Micros(milliseconds(1500)));
    ASSERT_EQ(view_.handOvers.size(), 1u);
    EXPECT_EQ(view_.handOvers[0].count, 3u);
    EXPECT_NE(view_.controls.status, GetParam().checkConnection);
}

INSTANTIATE_TEST_SUITE_P(Languages, AbsentInstrument,
                         ::testing::Values(AbsentRow{"Russian", Language::Russian, kCheckConnection,
                                                     QStringLiteral("Подключение")},
                                           AbsentRow{"English", Language::English,
                                                     QStringLiteral("Check Connection"),
                                                     QStringLiteral("Connection")}),
                         [](const auto& info) { return std::string(info.param.name); });

struct LoadRow {
    const char* name;
    std::vector<int> failedLoads;
};

class LibraryNotReady : public Connect, public ::testing::WithParamInterface<LoadRow> {};

TEST_P(LibraryNotReady, RepeatsConnectAtOnceWithoutATextUntilTheLibraryLoads) {
    Load(kThreeRecords);
    state_.listsNeeded = false;
    const std::vector<int>& failed = GetParam().failedLoads;
    Link().loadResults.assign(failed.begin(), failed.end());
    std::vector<sim::Micros> loadTimes;
    Link().onLoad = [&] { loadTimes.push_back(clock_.Elapsed()); };
    ASSERT_TRUE(Run(Operation::ReadArchive));
    ASSERT_EQ(loadTimes.size(), failed.size() + 1);
    // No pause before any repetition: the loads, the last good one included, all come at once.
    for (const sim::Micros& at : loadTimes) EXPECT_EQ(at, sim::Micros::zero());
    EXPECT_EQ(Link().Searches(), 1);
    // The passes after a failed load leave the label as it was and show the caption only.
    for (std::size_t pass = 1; pass <= failed.size(); ++pass) {
        EXPECT_FALSE(view_.updates[pass].status.has_value()) << pass;
        EXPECT_EQ(view_.updates[pass].caption, QStringLiteral("Подключение")) << pass;
    }
    ASSERT_EQ(view_.handOvers.size(), 1u);
    EXPECT_EQ(view_.handOvers[0].count, 3u);
}

INSTANTIATE_TEST_SUITE_P(LoadResults, LibraryNotReady,
                         ::testing::Values(LoadRow{"LibraryMissing", {1}},
                                           LoadRow{"EntryMissing", {2}},
                                           LoadRow{"MissingThenIncomplete", {1, 2, 1, 2, 2}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Connect, CancelWhileSearchingEndsAtTheNextPass) {
    Load(std::string(kThreeRecords) + kNeverOnTheBus);
    view_.onUpdate = [&](const RecordingView::Controls& controls) {
        if (controls.status == kCheckConnection) PressCancel();
    };
    ASSERT_TRUE(Run(Operation::ReadArchive));
    EXPECT_EQ(Link().Searches(), 1);
    EXPECT_EQ(Device().Transfers(), 0u);
    ExpectCancelled(view_);
    // A cancelled archive read leaves the lists to be read by the next one.
    EXPECT_TRUE(state_.listsNeeded);
}

struct CancelCurveRow {
    const char* name;
    int curve;  // the ReadCurve during which Cancel is pressed, from 0
};

class CancelDuringCurve : public Connect, public ::testing::WithParamInterface<CancelCurveRow> {};

TEST_P(CancelDuringCurve, FinishesThatRecordAndHandsNothingOver) {
    Load(kThreeRecords);
    int curves = 0;
    Link().onWrite = [&](const std::uint8_t* bytes, int count) {
        if (IsFrameOf(bytes, count, Command::ReadCurve) && curves++ == GetParam().curve)
            PressCancel();
    };
    ASSERT_TRUE(Run(Operation::ReadArchive));
    EXPECT_EQ(curves, GetParam().curve + 1);
    EXPECT_EQ(CountCommand("ReadRecord " + std::to_string(GetParam().curve + 1)), 0) << Log();
    ExpectCancelled(view_);
    EXPECT_TRUE(state_.listsNeeded);
}

INSTANTIATE_TEST_SUITE_P(Curves, CancelDuringCurve,
                         ::testing::Values(CancelCurveRow{"First", 0}, CancelCurveRow{"Last", 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Connect, LateCancelEndsTheNextExchangeInItsFirstPassWithoutTheInstrument) {
    Load(kThreeRecords);
    view_.onHandOver = [&] { PressCancel(); };
    ASSERT_TRUE(Run(Operation::ReadArchive));
    ASSERT_EQ(view_.handOvers.size(), 1u);
    EXPECT_EQ(view_.handOvers[0].count, 3u);
    EXPECT_TRUE(state_.cancel);

    const unsigned transfers = Device().Transfers();
    RecordingView second;
    ASSERT_TRUE(Run(Operation::ReadArchive, second));
    EXPECT_EQ(Link().Loads(), 1);
    EXPECT_EQ(Link().Searches(), 1);
    EXPECT_EQ(Device().Transfers(), transfers);
    EXPECT_EQ(second.CountOf(RecordingView::Call::Update), 2);
    ExpectCancelled(second);

    // The exchange after that one runs as usual.
    RecordingView third;
    ASSERT_TRUE(Run(Operation::ReadArchive, third));
    ASSERT_EQ(third.handOvers.size(), 1u);
    EXPECT_EQ(third.handOvers[0].count, 3u);
}

struct RepeatRow {
    const char* name;
    const char* fault;
    Command repeated;
    bool crcMessages;
};

class CancelRepeatingState : public Connect, public ::testing::WithParamInterface<RepeatRow> {};

TEST_P(CancelRepeatingState, EndsTheExchangeAtTheTopOfTheNextPass) {
    Load(std::string(kThreeRecords) + GetParam().fault + "\n");
    state_.listsNeeded = false;
    int sent = 0;
    Link().onWrite = [&](const std::uint8_t* bytes, int count) {
        if (IsFrameOf(bytes, count, GetParam().repeated) && ++sent == 3) PressCancel();
    };
    ASSERT_TRUE(Run(Operation::ReadArchive));
    EXPECT_EQ(sent, 3);
    EXPECT_EQ(view_.messages.size(), GetParam().crcMessages ? 3u : 0u);
    if (!GetParam().crcMessages) {
        EXPECT_EQ(view_.controls.status, kLinkError);
    }
    ExpectCancelled(view_);
}

INSTANTIATE_TEST_SUITE_P(
    States, CancelRepeatingState,
    ::testing::Values(RepeatRow{"VersionNeverArrives", "fault fail_transfer at=1 count=100000",
                                Command::ReadVersion, false},
                      RepeatRow{"ParametersNeverArrive", "fault fail_transfer at=4 count=100000",
                                Command::ReadParameters, false},
                      RepeatRow{"ParameterMarkerStaysWrong",
                                "fault parameters_marker replies=100000", Command::ReadParameters,
                                true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace porvel::testing
