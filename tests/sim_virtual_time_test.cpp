// The simulated instrument on a clock of the test's own: its pace checks read that clock, and
// its own waits (assembling a list reply, the timeout of a failing read) move it instead of
// sleeping.
#include <gtest/gtest.h>

#include <array>

#include "instrument.h"
#include "scenario.h"
#include "virtual_clock.h"
#include "wire/frames.h"

namespace porvel::testing {
namespace {

using protocol::Command;
using std::chrono::milliseconds;

constexpr int kTimeoutMs = protocol::kTransferTimeoutMs;

struct HeaderRow {
    const char* name;
    bool sendCommand;
    Command command;
    int waitMs;  // between the command and the header read
    bool delivered;
    unsigned violations;
    int readTakesMs;  // virtual time the header read itself takes
};

class VirtualTime : public ::testing::TestWithParam<HeaderRow> {};

TEST_P(VirtualTime, HeaderReadIsJudgedAndWaitedOnTheInstrumentsClock) {
    VirtualClock clock;
    const sim::Scenario scenario = sim::FactoryScenario();
    sim::Instrument device(scenario.memory, scenario.faults, {}, clock);
    const HeaderRow& row = GetParam();
    if (row.sendCommand) {
        const CommandFrame frame = MakeFrame(row.command);
        ASSERT_EQ(device.Write(frame.bytes.data(), frame.size, kTimeoutMs),
                  static_cast<int>(frame.size));
    }
    clock.SleepMs(row.waitMs);
    const sim::Micros before = clock.Elapsed();
    std::array<std::uint8_t, protocol::kLengthHeaderSize> header{};
    const int result = device.Read(header.data(), header.size(), kTimeoutMs);
    EXPECT_EQ(result, row.delivered ? static_cast<int>(header.size()) : sim::kErrTimeout);
    EXPECT_EQ(device.Violations(), row.violations) << device.Log().Text();
    EXPECT_EQ(clock.Elapsed() - before, milliseconds(row.readTakesMs));
}

INSTANTIATE_TEST_SUITE_P(
    Reads, VirtualTime,
    ::testing::Values(
        HeaderRow{"VersionAfterItsPause", true, Command::ReadVersion, 80, true, 0, 0},
        HeaderRow{"VersionOneMillisecondEarly", true, Command::ReadVersion, 79, false, 1,
                  kTimeoutMs},
        HeaderRow{"ParametersAfterItsPause", true, Command::ReadParameters, 50, true, 0, 0},
        HeaderRow{"MaterialsBlockUntilAssembled", true, Command::ReadMaterials, 0, true, 0, 12},
        HeaderRow{"ObjectsAlreadyAssembled", true, Command::ReadObjects, 20, true, 0, 0},
        HeaderRow{"NothingPending", false, Command::ReadVersion, 0, false, 0, kTimeoutMs}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(VirtualTimeLog, CommandTimesAreVirtual) {
    VirtualClock clock;
    clock.SleepMs(1000);  // before the instrument exists: its log counts from its making
    const sim::Scenario scenario = sim::FactoryScenario();
    sim::Instrument device(scenario.memory, scenario.faults, {}, clock);
    clock.SleepMs(250);
    const CommandFrame frame = MakeFrame(Command::ReadScreen);
    device.Write(frame.bytes.data(), frame.size, kTimeoutMs);
    EXPECT_EQ(device.Log().Text(), "250.0 ReadScreen\n");
}

}  // namespace
}  // namespace porvel::testing
