#include "wire/frames.h"

#include <gtest/gtest.h>

#include "qt_printers.h"

#include "record_builder.h"
#include "wire/byte_order.h"
#include "wire/cp1251.h"

namespace porvel {
namespace {

using protocol::Command;

TEST(Frames, ShortFramesCarryTheComplementOfTheCode) {
    for (int code = protocol::kFirstCommand; code <= protocol::kLastCommand; ++code) {
        const CommandFrame f = MakeFrame(static_cast<Command>(code));
        ASSERT_EQ(f.size, 2u);
        EXPECT_EQ(f.bytes[0], code);
        EXPECT_EQ(f.bytes[1], 255 - code);
    }
}

TEST(Frames, ArgumentFramesAreLittleEndian) {
    const CommandFrame record = MakeFrame(Command::ReadRecord, 0x1234);
    ASSERT_EQ(record.size, 4u);
    EXPECT_EQ(record.bytes[0], 0x03);
    EXPECT_EQ(record.bytes[1], 0xFC);
    EXPECT_EQ(record.bytes[2], 0x34);
    EXPECT_EQ(record.bytes[3], 0x12);
}

TEST(Frames, CurveRequestIsTwiceTheCurveLengthModulo65536) {
    testing::RecordFields f;
    f.curveLength = 1000;
    const RecordBytes r = testing::MakeRecord(f);
    const CommandFrame frame = MakeFrame(Command::ReadCurve, CurveRequest(r.data()));
    EXPECT_EQ(frame.bytes[0], 0x04);
    EXPECT_EQ(frame.bytes[1], 0xFB);
    EXPECT_EQ(frame.bytes[2], 0xD0);
    EXPECT_EQ(frame.bytes[3], 0x07);

    f.curveLength = 32768;
    EXPECT_EQ(CurveRequest(testing::MakeRecord(f).data()), 0);
    EXPECT_FALSE(CurveLengthUsable(32768));
    EXPECT_FALSE(CurveLengthUsable(1));
    EXPECT_TRUE(CurveLengthUsable(2));
    EXPECT_TRUE(CurveLengthUsable(32767));
}

TEST(Frames, ReceiveCapsAndPauses) {
    EXPECT_EQ(ReceiveCap(Command::ReadVersion), 100u);
    EXPECT_EQ(ReceiveCap(Command::ReadParameters), 536u);
    EXPECT_EQ(ReceiveCap(Command::ReadRecord), 36u);
    EXPECT_EQ(ReceiveCap(Command::ReadCurve), 65536u);
    EXPECT_EQ(ReceiveCap(Command::ReadMaterials), 880u);
    EXPECT_EQ(ReceiveCap(Command::ReadObjects), 720u);
    EXPECT_EQ(ReceiveCap(Command::ReadScreen), 784u);
    EXPECT_EQ(PauseAfterCommandMs(Command::ReadVersion), 80);
    EXPECT_EQ(PauseAfterCommandMs(Command::ReadCurve), 50);
    EXPECT_EQ(PauseAfterCommandMs(Command::ReadObjects), 0);
    EXPECT_EQ(PauseAfterCommandMs(Command::WriteMaterials), 300);
}

TEST(Frames, RecordValidityNeedsBothMarkerAndCrc) {
    RecordBytes r = testing::MakeRecord({});
    EXPECT_TRUE(RecordValid(r.data()));

    RecordBytes wrongCrc = r;
    wrongCrc[0] ^= 1;
    EXPECT_FALSE(RecordValid(wrongCrc.data()));

    // Right CRC over a wrong marker.
    RecordBytes wrongMarker = r;
    wrongMarker[32] = 0xAB;
    StoreCrc(wrongMarker.data(), 34);
    EXPECT_EQ(Crc16(wrongMarker.data(), 36), 0);
    EXPECT_FALSE(RecordValid(wrongMarker.data()));
}

TEST(Frames, CurveBlockValidityAndTheSmallestBlock) {
    std::vector<std::uint8_t> slot(protocol::kCurveSlotBytes, 0x55);
    const auto empty = testing::MakeCurveBlock({});  // curve length 2: marker and CRC only
    std::copy(empty.begin(), empty.end(), slot.begin());
    EXPECT_TRUE(CurveBlockValid(slot.data(), 2));
    EXPECT_FALSE(CurveBlockValid(slot.data(), 3));  // judged on 6 bytes: no marker there
    EXPECT_FALSE(CurveBlockValid(slot.data(), 1));
    EXPECT_FALSE(CurveBlockValid(slot.data(), 0));

    const auto block = testing::MakeCurveBlock({100, 200, 300});
    std::copy(block.begin(), block.end(), slot.begin());
    EXPECT_TRUE(CurveBlockValid(slot.data(), 5));
    slot[2] ^= 0x80;
    EXPECT_FALSE(CurveBlockValid(slot.data(), 5));
}

TEST(Frames, ParameterBlockIsJudgedByItsMarkerAlone) {
    ParameterBlock p{};
    EXPECT_FALSE(ParametersValid(p));
    WriteU16(&p[532], protocol::kEndMarker);
    p[534] = 0x12;
    p[535] = 0xFE;
    EXPECT_TRUE(ParametersValid(p));
    p[533] = 0xAB;
    EXPECT_FALSE(ParametersValid(p));
}

TEST(Frames, RecordCountIsTheNumberOfSetBitmapBits) {
    ParameterBlock p{};
    EXPECT_EQ(RecordCount(p), 0u);
    std::fill(p.begin(), p.begin() + 16, 0xFF);
    p[16] = 0xFF;  // beyond the bitmap: not counted
    EXPECT_EQ(RecordCount(p), 128u);

    ParameterBlock two{};
    two[5 / 8] |= 1 << (5 % 8);
    two[100 / 8] |= 1 << (100 % 8);
    EXPECT_EQ(RecordCount(two), 2u);
}

TEST(ShortName, DecodeRejectsImpossibleLengths) {
    for (std::uint8_t length : {0, 15, 200, 0x80, 0xFF}) {
        ShortNameField f{};
        f.fill('A');
        f[0] = length;
        EXPECT_TRUE(DecodeShortName(f.data()).isEmpty()) << int(length);
    }
    ShortNameField f{};
    f[0] = 3;
    f[1] = 'A';
    f[2] = 'B';
    f[3] = 0;
    f[4] = 'C';
    EXPECT_EQ(DecodeShortName(f.data()), QStringLiteral("AB"));

    ShortNameField full{};
    full[0] = 14;
    for (int i = 1; i <= 14; ++i) full[i] = static_cast<std::uint8_t>(0xC0 + i);  // Cyrillic
    EXPECT_EQ(DecodeShortName(full.data()), FromCp1251(reinterpret_cast<char*>(&full[1]), 14));
}

TEST(ShortName, EncodeCutsAtFourteenAndKeepsTheRest) {
    ShortNameField f;
    f.fill(0x77);
    EncodeShortName(f.data(), QStringLiteral("ABCDEFGHIJKLMNOPQRST"));
    EXPECT_EQ(f[0], 14);
    EXPECT_EQ(DecodeShortName(f.data()), QStringLiteral("ABCDEFGHIJKLMN"));
    EXPECT_EQ(f[14], 'N');  // no 0 byte after fourteen characters

    f.fill(0x77);
    EncodeShortName(f.data(), QString());
    EXPECT_EQ(f[0], 0);
    EXPECT_EQ(f[1], 0);
    EXPECT_EQ(f[2], 0x77);  // bytes past the terminator keep their content

    f.fill(0x77);
    EncodeShortName(f.data(), QStringLiteral("Бетон "));
    EXPECT_EQ(f[0], 6);
    EXPECT_EQ(f[1], 0xC1);
    EXPECT_EQ(f[7], 0);
    EXPECT_EQ(DecodeShortName(f.data()), QStringLiteral("Бетон "));
}

MaterialListBlock ReceivedMaterials() {
    MaterialListBlock block{};
    for (std::size_t e = 0; e < protocol::kListEntries; ++e) {
        std::uint8_t* p = &block[e * protocol::kMaterialEntrySize];
        EncodeShortName(p, QStringLiteral("М%1").arg(e));
        EncodeShortName(p + 15, QStringLiteral("M%1").arg(e));
        p[30] = static_cast<std::uint8_t>(0xA0 + e);
        p[31] = 0x5A;
        WriteF32(p + 32, 0.001f * e);
        WriteF32(p + 36, 250.0f);
        WriteU16(p + 40, protocol::kEndMarker);
        StoreCrc(p, 42);
    }
    return block;
}

TEST(Lists, MaterialEncodeWritesNamesByLanguageAndKeepsTheRest) {
    MaterialListBlock received = ReceivedMaterials();
    // An entry whose marker came spoiled goes back out as it came.
    received[7 * 44 + 40] = 0x00;
    std::array<MaterialEdit, protocol::kListEntries> edits;
    for (std::size_t e = 0; e < edits.size(); ++e)
        edits[e] = {QStringLiteral("Concrete %1").arg(e), QStringLiteral("Бетон %1").arg(e),
                    1.5e-3f, 250.0f + e};

    const MaterialListBlock sent = EncodeMaterials(received, Language::English, edits);
    const MaterialEntries decoded = DecodeMaterials(sent);
    for (std::size_t e = 0; e < protocol::kListEntries; ++e) {
        const std::size_t at = e * 44;
        EXPECT_EQ(sent[at + 30], received[at + 30]);
        EXPECT_EQ(sent[at + 31], received[at + 31]);
        EXPECT_EQ(sent[at + 40], received[at + 40]);
        EXPECT_EQ(sent[at + 41], received[at + 41]);
        EXPECT_EQ(decoded[e].english, QStringLiteral("Concrete %1").arg(e));
        EXPECT_EQ(decoded[e].russian, QStringLiteral("Бетон %1").arg(e));
        EXPECT_FLOAT_EQ(decoded[e].a0, 1.5e-3f);
        EXPECT_FLOAT_EQ(decoded[e].a1, 250.0f + e);
        EXPECT_EQ(decoded[e].valid, e != 7);
    }
}

TEST(Lists, ObjectDecodeReportsInvalidEntriesBesideTheirNames) {
    ObjectListBlock block{};
    std::array<ObjectEdit, protocol::kListEntries> edits;
    for (std::size_t e = 0; e < edits.size(); ++e) {
        WriteU16(&block[e * 36 + 32], protocol::kEndMarker);
        edits[e] = {QStringLiteral("Плита %1").arg(e), QStringLiteral("Plate %1").arg(e),
                    static_cast<std::uint16_t>(19 - e)};
    }
    ObjectListBlock sent = EncodeObjects(block, Language::Russian, edits);
    sent[3 * 36 + 5] ^= 0x01;  // damage entry 3 after its CRC was computed

    const ObjectEntries decoded = DecodeObjects(sent);
    for (std::size_t e = 0; e < protocol::kListEntries; ++e) {
        EXPECT_EQ(decoded[e].valid, e != 3) << e;
        EXPECT_EQ(decoded[e].material, 19 - e);
        EXPECT_EQ(decoded[e].english, QStringLiteral("Plate %1").arg(e));
    }
    EXPECT_FALSE(decoded[3].russian.isEmpty());  // decoded all the same
}

}  // namespace
}  // namespace porvel
