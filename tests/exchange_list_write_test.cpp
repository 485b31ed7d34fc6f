// Writing an editor's grid back into the instrument's material or object list: what the device
// stores, the pace of the pieces, failing pieces, a write that starts over, and a grid cell that
// holds no number.
#include <gtest/gtest.h>

#include <QLocale>

#include "exchange_harness.h"
#include "wire/frames.h"

namespace porvel::testing {
namespace {

using protocol::Command;

const QString kLinkError = QStringLiteral("Ошибка связи");
const QString kWarning = QStringLiteral("Внимание");

// Bytes 30 and 31 of a material entry, which the system never interprets: a write must send
// them back as they were received.
constexpr std::uint8_t kReservedLow = 0x5C;
constexpr std::uint8_t kReservedHigh = 0xA3;

QString DisplayName(std::size_t e, bool materials, Language language) {
    // Entry 3 is longer than a name field holds; the device keeps its first 14 characters.
    if (e == 3)
        return language == Language::Russian ? QStringLiteral("Керамзитобетон М150")
                                             : QStringLiteral("Expanded clay concrete");
    const QString stem = language == Language::Russian ? (materials ? "Смесь " : "Узел ")
                                                       : (materials ? "Mix " : "Node ");
    return stem + QString::number(e);
}

QString Truncated(const QString& name) {
    return name.left(static_cast<qsizetype>(protocol::kShortNameMaxChars));
}

float A0Of(std::size_t e) {
    return 0.25f * static_cast<float>(e + 1);
}
float A1Of(std::size_t e) {
    return 1.5e-3f * static_cast<float>(e + 1);
}
// Material indexes in column 3; the last one is beyond 16 bits and goes out as its low 16.
unsigned IndexCellOf(std::size_t e) {
    return e == 19 ? 65541u : static_cast<unsigned>((e * 7) % 20);
}
std::uint16_t StoredIndexOf(std::size_t e) {
    return static_cast<std::uint16_t>(IndexCellOf(e));
}

class ListWrite : public ExchangeHarness {
protected:
    // The grid of the editor: names in the display language, values as the locale writes them.
    void FillGrid(bool materials) {
        const QLocale locale;
        for (std::size_t e = 0; e < protocol::kListEntries; ++e) {
            EditorRow& row = view_.grid[e];
            row[0] = QString::number(e + 1);
            row[1] = DisplayName(e, materials, language_);
            if (materials) {
                row[2] = locale.toString(A0Of(e));
                row[3] = locale.toString(A1Of(e), 'E', 3);
            } else {
                row[2] = QStringLiteral("?");  // the material's name: not written
                row[3] = QString::number(IndexCellOf(e));
            }
        }
    }

    // The names the table holds for the language the grid does not show.
    void RenameTable() {
        for (int e = 0; e < NameTable::kEntries; ++e) {
            materials_.Replace(e, "Таблица М" + QString::number(e), "Table M" + QString::number(e));
            objects_.Replace(e, "Таблица О" + QString::number(e), "Table O" + QString::number(e));
        }
    }

    // The blocks as a read of both lists would have left them, with the reserved bytes of the
    // material entries set so that a write that does not keep them shows.
    void TakeBlocksFromDevice() {
        state_.objects = Device().Memory().objects;
        state_.materials = Device().Memory().materials;
        for (std::size_t e = 0; e < protocol::kListEntries; ++e) {
            std::uint8_t* entry = &state_.materials[e * protocol::kMaterialEntrySize];
            entry[protocol::kMaterialReservedOffset] = kReservedLow;
            entry[protocol::kMaterialReservedOffset + 1] = kReservedHigh;
        }
    }

    void Prepare(const std::string& scenario, bool materials) {
        Load(scenario);
        RenameTable();
        TakeBlocksFromDevice();
        FillGrid(materials);
    }

    static Operation WriteOf(bool materials) {
        return materials ? Operation::WriteMaterials : Operation::WriteObjects;
    }
    bool ListUnchanged(bool materials) {
        const sim::DeviceMemory fresh = Device().Memory();
        return materials ? fresh.materials == original_.materials
                         : fresh.objects == original_.objects;
    }

    sim::DeviceMemory original_;
};

struct WriteRow {
    const char* name;
    bool materials;
    Language language;
};

class PacedWrite : public ListWrite, public ::testing::WithParamInterface<WriteRow> {};

TEST_P(PacedWrite, ReplacesTheListWithTheGridsNamesAndValues) {
    const bool materials = GetParam().materials;
    language_ = GetParam().language;
    Prepare("", materials);
    ASSERT_TRUE(Run(WriteOf(materials)));
    EXPECT_EQ(Device().Violations(), 0u) << Log();
    EXPECT_EQ(view_.gridReads, 1);
    const Language other = OtherLanguage(language_);
    if (materials) {
        const MaterialEntries entries = DecodeMaterials(Device().Memory().materials);
        for (std::size_t e = 0; e < entries.size(); ++e) {
            const MaterialEntry& entry = entries[e];
            EXPECT_TRUE(entry.valid) << e;
            const QString& shown = language_ == Language::Russian ? entry.russian : entry.english;
            const QString& hidden = language_ == Language::Russian ? entry.english : entry.russian;
            EXPECT_EQ(shown, Truncated(DisplayName(e, true, language_))) << e;
            EXPECT_EQ(hidden, materials_.Name(static_cast<int>(e), other)) << e;
            EXPECT_FLOAT_EQ(entry.a0, A0Of(e)) << e;
            EXPECT_FLOAT_EQ(entry.a1, A1Of(e)) << e;
            const std::uint8_t* bytes =
                &Device().Memory().materials[e * protocol::kMaterialEntrySize];
            EXPECT_EQ(bytes[protocol::kMaterialReservedOffset], kReservedLow) << e;
            EXPECT_EQ(bytes[protocol::kMaterialReservedOffset + 1], kReservedHigh) << e;
        }
    } else {
        const ObjectEntries entries = DecodeObjects(Device().Memory().objects);
        for (std::size_t e = 0; e < entries.size(); ++e) {
            const ObjectEntry& entry = entries[e];
            EXPECT_TRUE(entry.valid) << e;
            const QString& shown = language_ == Language::Russian ? entry.russian : entry.english;
            const QString& hidden = language_ == Language::Russian ? entry.english : entry.russian;
            EXPECT_EQ(shown, Truncated(DisplayName(e, false, language_))) << e;
            EXPECT_EQ(hidden, objects_.Name(static_cast<int>(e), other)) << e;
            EXPECT_EQ(entry.material, StoredIndexOf(e)) << e;
        }
    }
    // Building the block takes the gauge to 25, sending it to 50; the end hides it.
    const std::vector<int> steps = view_.GaugeSteps();
    EXPECT_NE(std::find(steps.begin(), steps.end(), 25), steps.end());
    EXPECT_EQ(steps.back(), 50);
    EXPECT_TRUE(std::is_sorted(steps.begin(), steps.end()));
    EXPECT_FALSE(view_.controls.gaugeVisible);
}

INSTANTIATE_TEST_SUITE_P(ListsAndLanguages, PacedWrite,
                         ::testing::Values(WriteRow{"MaterialsInRussian", true, Language::Russian},
                                           WriteRow{"MaterialsInEnglish", true, Language::English},
                                           WriteRow{"ObjectsInRussian", false, Language::Russian},
                                           WriteRow{"ObjectsInEnglish", false, Language::English}),
                         [](const auto& info) { return std::string(info.param.name); });

// An operator types the comma on an English desktop and the full stop on a Russian one; both
// are the decimal separator of a coefficient everywhere.
TEST_F(ListWrite, CoefficientsTakeEitherDecimalSeparatorOnEveryDesktop) {
    for (const QLocale& locale : {QLocale(QLocale::English, QLocale::UnitedStates),
                                  QLocale(QLocale::Russian, QLocale::Russia)}) {
        QLocale::setDefault(locale);
        Prepare("", true);
        view_.grid[0][2] = QStringLiteral("1.5E-03");
        view_.grid[0][3] = QStringLiteral("2,5E+02");
        ASSERT_TRUE(Run(Operation::WriteMaterials));
        const MaterialEntry stored = DecodeMaterials(Device().Memory().materials)[0];
        EXPECT_FLOAT_EQ(stored.a0, 1.5e-3f) << locale.name().toStdString();
        EXPECT_FLOAT_EQ(stored.a1, 250.0f) << locale.name().toStdString();
    }
}

struct FailingPiecesRow {
    const char* name;
    bool materials;
    const char* fault;  // transfer 1 is the command, 2 the length header, 3 on the pieces
    std::size_t pieces;
};

class FailingPieces : public ListWrite, public ::testing::WithParamInterface<FailingPiecesRow> {};

TEST_P(FailingPieces, AllPiecesStillGoOutAndTheWriteEndsOnLinkError) {
    const bool materials = GetParam().materials;
    Prepare(GetParam().fault, materials);
    original_ = Device().Memory();
    ASSERT_TRUE(Run(WriteOf(materials)));
    const std::size_t size = materials ? protocol::kMaterialListSize : protocol::kObjectListSize;
    const std::vector<std::vector<std::uint8_t>>& writes = Link().Writes();
    ASSERT_EQ(writes.size(), 2 + GetParam().pieces);
    std::size_t sent = 0;
    for (std::size_t i = 2; i < writes.size(); ++i) {
        EXPECT_EQ(writes[i].size(), std::min(protocol::kWritePieceSize, size - sent)) << i;
        sent += writes[i].size();
    }
    EXPECT_EQ(sent, size);
    EXPECT_EQ(view_.controls.status, kLinkError);
    EXPECT_TRUE(view_.controls.gaugeVisible);
    EXPECT_EQ(view_.gridReads, 1);
    EXPECT_TRUE(ListUnchanged(materials));
}

INSTANTIATE_TEST_SUITE_P(
    Pieces, FailingPieces,
    ::testing::Values(
        FailingPiecesRow{"EveryMaterialPiece", true, "fault fail_transfer at=3 count=14", 14},
        FailingPiecesRow{"EveryObjectPiece", false, "fault fail_transfer at=3 count=12", 12},
        FailingPiecesRow{"FirstMaterialPiece", true, "fault fail_transfer at=3", 14},
        FailingPiecesRow{"LastObjectPiece", false, "fault fail_transfer at=14", 12}),
    [](const auto& info) { return std::string(info.param.name); });

struct RestartRow {
    const char* name;
    bool materials;
    int failingTransfer;
};

class WriteStartsOver : public ListWrite, public ::testing::WithParamInterface<RestartRow> {};

TEST_P(WriteStartsOver, FailedCommandOrHeaderBuildsTheBlockAgainAndTheWriteLands) {
    const bool materials = GetParam().materials;
    Prepare("fault fail_transfer at=" + std::to_string(GetParam().failingTransfer) + "\n",
            materials);
    original_ = Device().Memory();
    ASSERT_TRUE(Run(WriteOf(materials)));
    EXPECT_EQ(view_.gridReads, 2);
    EXPECT_EQ(Device().Violations(), 0u) << Log();
    EXPECT_FALSE(ListUnchanged(materials));
    EXPECT_EQ(view_.controls.status, QStringLiteral("Готово"));
    const std::vector<QString> statuses = view_.StatusTexts();
    EXPECT_NE(std::find(statuses.begin(), statuses.end(), kLinkError), statuses.end());
}

INSTANTIATE_TEST_SUITE_P(Transfers, WriteStartsOver,
                         ::testing::Values(RestartRow{"MaterialsCommand", true, 1},
                                           RestartRow{"MaterialsHeader", true, 2},
                                           RestartRow{"ObjectsCommand", false, 1},
                                           RestartRow{"ObjectsHeader", false, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

struct BadCellRow {
    const char* name;
    bool materials;
    std::size_t entry;
    int column;
    const char* text;
};

class BadGridCell : public ListWrite, public ::testing::WithParamInterface<BadCellRow> {};

TEST_P(BadGridCell, StopsTheWriteWithAMessageSendingNothingAndClosesTheDevice) {
    const bool materials = GetParam().materials;
    Prepare("", materials);
    original_ = Device().Memory();
    view_.grid[GetParam().entry][static_cast<std::size_t>(GetParam().column)] =
        QString::fromUtf8(GetParam().text);
    ASSERT_TRUE(Run(WriteOf(materials)));
    ASSERT_EQ(view_.messages.size(), 1u);
    EXPECT_EQ(view_.messages[0].caption, kWarning);
    EXPECT_FALSE(view_.messages[0].text.isEmpty());
    EXPECT_TRUE(Link().Writes().empty());
    EXPECT_EQ(Device().Transfers(), 0u);
    EXPECT_EQ(Link().Closes(), 1);
    EXPECT_FALSE(Link().IsOpen());
    EXPECT_TRUE(ListUnchanged(materials));
}

INSTANTIATE_TEST_SUITE_P(Cells, BadGridCell,
                         ::testing::Values(BadCellRow{"FirstA0IsText", true, 0, 2, "abc"},
                                           BadCellRow{"LastA1IsEmpty", true, 19, 3, ""},
                                           BadCellRow{"A1WithAGroupSeparator", true, 5, 3,
                                                      "1\u00a0500,5"},
                                           BadCellRow{"IndexIsText", false, 7, 3, "x"},
                                           BadCellRow{"IndexIsNegative", false, 0, 3, "-1"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace porvel::testing
