#include "device/reply_reader.h"

#include <gtest/gtest.h>

#include "fake_transport.h"

namespace porvel {
namespace {

using protocol::Command;
using testing::FakeClock;
using testing::FakeTransport;

struct CapRow {
    Command command;
    std::uint32_t header;
    std::size_t asked;
};

class ReplyCap : public ::testing::TestWithParam<CapRow> {};

TEST_P(ReplyCap, AsksForTheHeaderLengthLoweredToTheCap) {
    const CapRow row = GetParam();
    FakeTransport usb;
    FakeClock clock;
    usb.QueueHeader(row.header);
    usb.QueuePayload(std::vector<std::uint8_t>(row.asked, 0x11));
    std::vector<std::uint8_t> dest(protocol::kCurveCap, 0);

    const ReplyResult r = ReadReply(usb, clock, row.command, 0, dest.data(), dest.size());
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(usb.readSizes.size(), row.asked ? 2u : 1u);
    EXPECT_EQ(usb.readSizes[0], 4);
    if (row.asked) {
        EXPECT_EQ(static_cast<std::size_t>(usb.readSizes[1]), row.asked);
    }
    EXPECT_EQ(r.announced, row.header);
}

INSTANTIATE_TEST_SUITE_P(Caps, ReplyCap,
                         ::testing::Values(CapRow{Command::ReadRecord, 40, 36},
                                           CapRow{Command::ReadRecord, 36, 36},
                                           CapRow{Command::ReadRecord, 10, 10},
                                           CapRow{Command::ReadMaterials, 0xFFFFFFFF, 880},
                                           CapRow{Command::ReadObjects, 0x80000000, 720},
                                           CapRow{Command::ReadVersion, 101, 100},
                                           CapRow{Command::ReadCurve, 70000, 65536},
                                           CapRow{Command::ReadScreen, 0, 0}));

TEST(ReplyReader, SendsTheFramePausesAndReadsInOrder) {
    FakeTransport usb;
    FakeClock clock;
    usb.QueueHeader(36);
    usb.QueuePayload(std::vector<std::uint8_t>(36, 0x42));
    std::vector<std::uint8_t> dest(36, 0);
    std::vector<ReplyStep> steps;

    const ReplyResult r = ReadReply(usb, clock, Command::ReadRecord, 0x0102, dest.data(),
                                    dest.size(), [&](ReplyStep s) { steps.push_back(s); });
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(usb.writes.size(), 1u);
    EXPECT_EQ(usb.writes[0], (std::vector<std::uint8_t>{0x03, 0xFC, 0x02, 0x01}));
    EXPECT_EQ(clock.sleeps, std::vector<int>{50});
    EXPECT_EQ(steps, (std::vector<ReplyStep>{ReplyStep::CommandSent, ReplyStep::HeaderReceived,
                                             ReplyStep::PayloadReceived}));
    EXPECT_EQ(dest[0], 0x42);
}

TEST(ReplyReader, CurveHeaderDoesNotLandInTheSlot) {
    FakeTransport usb;
    FakeClock clock;
    usb.QueueHeader(4);
    usb.QueuePayload({0xAA, 0xBB});  // short: two of the four bytes asked for
    std::vector<std::uint8_t> slot(protocol::kCurveCap, 0x99);

    const ReplyResult r = ReadReply(usb, clock, Command::ReadCurve, 4, slot.data(), slot.size());
    ASSERT_TRUE(r.ok);  // a short reply is accepted
    EXPECT_EQ(r.received, 2);
    EXPECT_EQ(slot[0], 0xAA);
    EXPECT_EQ(slot[1], 0xBB);
    EXPECT_EQ(slot[2], 0x99);  // the rest keeps what it held
    EXPECT_EQ(slot[3], 0x99);
}

TEST(ReplyReader, OtherHeadersLandInTheDestinationUntilThePayloadCovers) {
    FakeTransport usb;
    FakeClock clock;
    usb.QueueHeader(2);
    usb.QueuePayload({0x01, 0x02});
    std::vector<std::uint8_t> dest(protocol::kVersionCap, 0x99);

    ASSERT_TRUE(ReadReply(usb, clock, Command::ReadVersion, 0, dest.data(), dest.size()).ok);
    EXPECT_EQ(clock.sleeps, std::vector<int>{80});
    EXPECT_EQ(dest[0], 0x01);
    EXPECT_EQ(dest[1], 0x02);
    EXPECT_EQ(dest[2], 0x00);  // still the high bytes of the header
    EXPECT_EQ(dest[4], 0x99);
}

TEST(ReplyReader, ListsNeedNoPause) {
    FakeTransport usb;
    FakeClock clock;
    usb.QueueHeader(880);
    usb.QueuePayload(std::vector<std::uint8_t>(880, 1));
    std::vector<std::uint8_t> dest(880);
    ASSERT_TRUE(ReadReply(usb, clock, Command::ReadMaterials, 0, dest.data(), dest.size()).ok);
    for (int ms : clock.sleeps) EXPECT_EQ(ms, 0);
}

TEST(ReplyReader, EachFailingTransferEndsTheStepAsALinkFailure) {
    std::vector<std::uint8_t> dest(protocol::kParametersSize);
    FakeClock clock;
    {
        FakeTransport usb;
        usb.writeResults.push_back(-5);
        std::vector<ReplyStep> steps;
        EXPECT_FALSE(ReadReply(usb, clock, Command::ReadParameters, 0, dest.data(), dest.size(),
                               [&](ReplyStep s) { steps.push_back(s); })
                         .ok);
        EXPECT_TRUE(usb.readSizes.empty());
        EXPECT_TRUE(steps.empty());
    }
    {
        FakeTransport usb;
        usb.QueueFailure();
        EXPECT_FALSE(
            ReadReply(usb, clock, Command::ReadParameters, 0, dest.data(), dest.size()).ok);
        EXPECT_EQ(usb.readSizes.size(), 1u);
    }
    {
        FakeTransport usb;
        usb.QueueHeader(536);
        usb.QueueFailure();
        std::vector<ReplyStep> steps;
        EXPECT_FALSE(ReadReply(usb, clock, Command::ReadParameters, 0, dest.data(), dest.size(),
                               [&](ReplyStep s) { steps.push_back(s); })
                         .ok);
        EXPECT_EQ(steps.back(), ReplyStep::HeaderReceived);
    }
}

}  // namespace
}  // namespace porvel
