// Reading the instrument's object and material lists into the name tables and an editor's grid:
// broken entries, the progress of each kind of read, retries, the texts of the grid, and when
// the lists-needed flag is cleared.
#include <gtest/gtest.h>

#include <QLocale>

#include "exchange_harness.h"

namespace porvel::testing {
namespace {

using protocol::Command;

const QString kCrcError = QStringLiteral("Ошибка контрольной суммы");
const QString kWarning = QStringLiteral("Внимание");
const QString kLinkError = QStringLiteral("Ошибка связи");

class ListRead : public ExchangeHarness {
protected:
    void SetUp() override {
        ExchangeHarness::SetUp();
        state_.listsNeeded = false;
    }
};

struct BrokenEntriesRow {
    const char* name;
    Operation operation;
    const char* scenario;
    bool materials;
};

class BrokenEntries : public ListRead, public ::testing::WithParamInterface<BrokenEntriesRow> {};

TEST_P(BrokenEntries, OneMessageEachAndStillAllTwentyRowsWithTheirNames) {
    Load(GetParam().scenario);
    ASSERT_TRUE(Run(GetParam().operation));
    ASSERT_EQ(view_.messages.size(), 2u);
    for (const RecordingView::Message& message : view_.messages) {
        EXPECT_EQ(message.text, kCrcError);
        EXPECT_EQ(message.caption, kWarning);
    }
    ASSERT_EQ(view_.fills.size(), 1u);
    const EditorRows& rows = view_.fills[0];
    for (std::size_t e = 0; e < rows.size(); ++e) {
        EXPECT_EQ(rows[e][0], QString::number(e + 1));
        EXPECT_FALSE(rows[e][1].isEmpty()) << "row " << e + 1;
    }
    // The broken entries' names are taken all the same, into the grid and the table.
    EXPECT_EQ(rows[4][1], QStringLiteral("Битый"));
    const NameTable& table = GetParam().materials ? materials_ : objects_;
    EXPECT_EQ(table.Name(4, Language::English), QStringLiteral("Broken"));
    EXPECT_EQ(table.Name(11, Language::Russian), QStringLiteral("Треснутый"));
}

INSTANTIATE_TEST_SUITE_P(Lists, BrokenEntries,
                         ::testing::Values(BrokenEntriesRow{"Materials", Operation::ReadMaterials,
                                                            R"(
material 4 ru="Битый" en="Broken"
material 11 ru="Треснутый" en="Cracked"
fault material_crc entry=4
fault material_crc entry=11
)",
                                                            true},
                                           BrokenEntriesRow{"Objects", Operation::ReadObjects, R"(
object 4 ru="Битый" en="Broken"
object 11 ru="Треснутый" en="Cracked"
fault object_crc entry=4
fault object_crc entry=11
)",
                                                            false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ListRead, EmptyNameFieldGivesAnEmptyNameInTableAndGrid) {
    Load("material 7 ru=\"\" en=\"Slag\"\n");
    ASSERT_TRUE(Run(Operation::ReadMaterials));
    ASSERT_EQ(view_.fills.size(), 1u);
    EXPECT_TRUE(view_.fills[0][7][1].isEmpty());
    EXPECT_TRUE(materials_.Name(7, Language::Russian).isEmpty());
    EXPECT_EQ(materials_.Name(7, Language::English), QStringLiteral("Slag"));
}

struct ListProgressRow {
    const char* name;
    Operation operation;
    bool listsNeeded;
    std::vector<std::string> commands;
    std::vector<int> steps;
};

class ListProgress : public ListRead, public ::testing::WithParamInterface<ListProgressRow> {};

TEST_P(ListProgress, GaugeStepsOfTheRead) {
    Load("");
    state_.listsNeeded = GetParam().listsNeeded;
    ASSERT_TRUE(Run(GetParam().operation));
    EXPECT_EQ(Commands(), GetParam().commands);
    EXPECT_EQ(view_.GaugeSteps(), GetParam().steps);
    EXPECT_FALSE(view_.controls.gaugeVisible);
    EXPECT_EQ(view_.controls.status, QStringLiteral("Готово"));
}

INSTANTIATE_TEST_SUITE_P(
    Reads, ListProgress,
    ::testing::Values(
        ListProgressRow{"ObjectsWithListsNeeded",
                        Operation::ReadObjects,
                        true,
                        {"ReadMaterials", "ReadObjects"},
                        {0, 10, 20, 30, 40, 50, 70, 80, 100}},
        ListProgressRow{
            "ObjectsOnly", Operation::ReadObjects, false, {"ReadObjects"}, {0, 30, 60, 80, 100}},
        ListProgressRow{
            "Materials", Operation::ReadMaterials, false, {"ReadMaterials"}, {0, 40, 60, 80, 100}}),
    [](const auto& info) { return std::string(info.param.name); });

struct ListRetryRow {
    const char* name;
    Operation operation;
    int failingTransfer;  // 1 the command, 2 the header, 3 the block
    Command command;
};

class ListReadRetry : public ListRead, public ::testing::WithParamInterface<ListRetryRow> {};

TEST_P(ListReadRetry, FailedTransferShowsLinkErrorAndStartsTheListOver) {
    Load(
        "material 2 ru=\"Шлак\" en=\"Slag\"\nobject 2 ru=\"Ствол\" en=\"Shaft\"\n"
        "fault fail_transfer at=" +
        std::to_string(GetParam().failingTransfer) + "\n");
    ASSERT_TRUE(Run(GetParam().operation));
    EXPECT_EQ(FramesSent(GetParam().command), 2);
    const std::vector<QString> statuses = view_.StatusTexts();
    EXPECT_NE(std::find(statuses.begin(), statuses.end(), kLinkError), statuses.end());
    ASSERT_EQ(view_.fills.size(), 1u);
    const QString expected = GetParam().command == Command::ReadMaterials ? QStringLiteral("Шлак")
                                                                          : QStringLiteral("Ствол");
    EXPECT_EQ(view_.fills[0][2][1], expected);
    EXPECT_EQ(Device().Violations(), 0u) << Log();
}

INSTANTIATE_TEST_SUITE_P(
    Transfers, ListReadRetry,
    ::testing::Values(
        ListRetryRow{"MaterialsCommand", Operation::ReadMaterials, 1, Command::ReadMaterials},
        ListRetryRow{"MaterialsHeader", Operation::ReadMaterials, 2, Command::ReadMaterials},
        ListRetryRow{"MaterialsBlock", Operation::ReadMaterials, 3, Command::ReadMaterials},
        ListRetryRow{"ObjectsHeader", Operation::ReadObjects, 2, Command::ReadObjects}),
    [](const auto& info) { return std::string(info.param.name); });

struct FormatRow {
    const char* name;
    QLocale locale;
    const char* values;
    QString a0;
    QString a1;
};

class MaterialGridFormat : public ListRead, public ::testing::WithParamInterface<FormatRow> {};

TEST_P(MaterialGridFormat, CoefficientsShowThreeDecimalsAndATwoDigitExponent) {
    QLocale::setDefault(GetParam().locale);
    Load(std::string("material 0 ") + GetParam().values + "\n");
    ASSERT_TRUE(Run(Operation::ReadMaterials));
    ASSERT_EQ(view_.fills.size(), 1u);
    EXPECT_EQ(view_.fills[0][0][2], GetParam().a0);
    EXPECT_EQ(view_.fills[0][0][3], GetParam().a1);
}

INSTANTIATE_TEST_SUITE_P(
    Locales, MaterialGridFormat,
    ::testing::Values(
        FormatRow{"PointLocale", QLocale(QLocale::English, QLocale::UnitedStates),
                  "a0=1.5e-3 a1=250", QStringLiteral("1.500E-03"), QStringLiteral("2.500E+02")},
        FormatRow{"CommaLocale", QLocale(QLocale::Russian, QLocale::Russia), "a0=1.5e-3 a1=250",
                  QStringLiteral("1,500E-03"), QStringLiteral("2,500E+02")},
        FormatRow{"NegativeAndZero", QLocale(QLocale::English, QLocale::UnitedKingdom),
                  "a0=-0.5 a1=0", QStringLiteral("-5.000E-01"), QStringLiteral("0.000E+00")},
        FormatRow{"LargeAndTinyNoGroupSeparator", QLocale(QLocale::German, QLocale::Germany),
                  "a0=12345.678 a1=1e-10", QStringLiteral("1,235E+04"),
                  QStringLiteral("1,000E-10")}),
    [](const auto& info) { return std::string(info.param.name); });

struct ObjectGridRow {
    const char* name;
    bool listsNeeded;
    QString materialOfPile;
};

class ObjectGrid : public ListRead, public ::testing::WithParamInterface<ObjectGridRow> {};

TEST_P(ObjectGrid, MaterialColumnNamesTheMaterialFromTheTableAsItStandsAfterTheRead) {
    language_ = Language::English;
    Load(R"(
material 3 ru="Керамзит" en="Clay"
object 2 ru="Свая" en="Pile" material=3
object 6 ru="Прочее" en="Other" material=25
)");
    state_.listsNeeded = GetParam().listsNeeded;
    ASSERT_TRUE(Run(Operation::ReadObjects));
    ASSERT_EQ(view_.fills.size(), 1u);
    const EditorRows& rows = view_.fills[0];
    const EditorRow pile = {QStringLiteral("3"), QStringLiteral("Pile"), GetParam().materialOfPile,
                            QStringLiteral("3")};
    EXPECT_EQ(rows[2], pile);
    // An index that names no material entry gives "NAN" in the name column only.
    EXPECT_EQ(rows[6][2], QStringLiteral("NAN"));
    EXPECT_EQ(rows[6][3], QStringLiteral("25"));
}

INSTANTIATE_TEST_SUITE_P(
    Lists, ObjectGrid,
    ::testing::Values(ObjectGridRow{"MaterialsReadFirst", true, QStringLiteral("Clay")},
                      ObjectGridRow{"MaterialsKnownBefore", false, QStringLiteral("Brick sil.")}),
    [](const auto& info) { return std::string(info.param.name); });

struct FlagRow {
    const char* name;
    Operation operation;
    const char* scenario;
    bool cancelAtFirstCommand;
    bool stillNeeded;
};

class ListsNeededFlag : public ListRead, public ::testing::WithParamInterface<FlagRow> {};

TEST_P(ListsNeededFlag, IsClearedOnlyByArchiveAndObjectReadsThatWereNotCancelled) {
    Load(GetParam().scenario);
    state_.listsNeeded = true;
    bool pressed = false;
    if (GetParam().cancelAtFirstCommand)
        Link().onWrite = [&](const std::uint8_t*, int) {
            if (!pressed) state_.cancel = true;
            pressed = true;
        };
    ASSERT_TRUE(Run(GetParam().operation));
    EXPECT_EQ(state_.listsNeeded, GetParam().stillNeeded);
    EXPECT_FALSE(state_.cancel);
}

constexpr const char* kTwoRecords = "record samples=4\nrecord samples=4\n";

INSTANTIATE_TEST_SUITE_P(
    Operations, ListsNeededFlag,
    ::testing::Values(
        FlagRow{"ArchiveRead", Operation::ReadArchive, kTwoRecords, false, false},
        FlagRow{"ArchiveReadEndingOnABadRecord", Operation::ReadArchive,
                "record\nfault record_crc record=0\n", false, false},
        FlagRow{"ArchiveReadWithoutRecords", Operation::ReadArchive, "", false, false},
        FlagRow{"CancelledArchiveRead", Operation::ReadArchive, kTwoRecords, true, true},
        FlagRow{"ObjectsRead", Operation::ReadObjects, "", false, false},
        FlagRow{"ObjectsReadWithBadEntries", Operation::ReadObjects,
                "fault object_crc entry=0\nfault object_crc entry=19\n", false, false},
        FlagRow{"CancelledObjectsRead", Operation::ReadObjects, "", true, true},
        FlagRow{"MaterialsRead", Operation::ReadMaterials, "", false, true},
        FlagRow{"ScreenRead", Operation::ReadScreen, "", false, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace porvel::testing
