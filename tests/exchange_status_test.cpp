// How each operation ends, as its status tells its caller, and the typed lists a list read
// gives back.
#include <gtest/gtest.h>

#include <string>

#include "exchange_harness.h"

namespace porvel::testing {
namespace {

std::string Named(const ExchangeStatus& status) {
    static const char* const kNames[] = {"Done",      "Cancelled",   "NoDevice",
                                         "LinkError", "CheckFailed", "NoMemory"};
    std::string name = kNames[status.index()];
    if (const auto* failed = std::get_if<status::CheckFailed>(&status))
        name += " " + std::to_string(static_cast<int>(failed->which));
    return name;
}

std::string CheckFailed(FailedCheck which) {
    return Named(status::CheckFailed{which});
}

constexpr const char* kThreeRecords = "record samples=10\nrecord samples=20\nrecord samples=30\n";

struct StatusRow {
    const char* name;
    Operation operation;
    std::string scenario;
    QString cancelAtStatus;  // Cancel is pressed when the status label first shows it
    std::string expected;
};

class OperationStatus : public ExchangeHarness, public ::testing::WithParamInterface<StatusRow> {};

TEST_P(OperationStatus, SaysHowTheOperationEnded) {
    const StatusRow& row = GetParam();
    Load(row.scenario);
    state_.listsNeeded = false;
    view_.onUpdate = [&](const RecordingView::Controls& controls) {
        if (!row.cancelAtStatus.isEmpty() && controls.status == row.cancelAtStatus)
            state_.cancel = true;
    };
    // Objects with their material's index; a material whose a0 is no number.
    for (EditorRow& cells : view_.grid) cells[3] = QStringLiteral("0");
    view_.grid[0][2] = QStringLiteral("x");
    ASSERT_TRUE(Run(row.operation));
    EXPECT_EQ(Named(status_), row.expected);
    EXPECT_FALSE(state_.cancel);
    EXPECT_FALSE(Link().IsOpen());
}

const QString kCheckConnection = QStringLiteral("Проверьте подключение");
const QString kLinkError = QStringLiteral("Ошибка связи");
const QString kArchiveRead = QStringLiteral("Чтение архива");

constexpr const char* kRecordCrc = "generate count=3 samples=40\nfault record_crc record=1\n";
constexpr const char* kCurveCrc = "generate count=3 samples=40\nfault curve_crc record=1\n";
constexpr const char* kUnplug = "generate count=4 samples=40\nfault unplug after=12\n";
constexpr const char* kAbsent = "fault absent searches=1000000\n";
constexpr const char* kNoVersion = "record\nfault fail_transfer at=1 count=100000\n";
constexpr const char* kBadMaterial = "fault material_crc entry=4\n";
constexpr const char* kPiecesLost = "fault fail_transfer at=3 count=12\n";
using O = Operation;
using F = FailedCheck;

INSTANTIATE_TEST_SUITE_P(
    Endings, OperationStatus,
    ::testing::Values(
        StatusRow{"ArchiveWhole", O::ReadArchive, kThreeRecords, {}, "Done"},
        StatusRow{"ArchiveEmpty", O::ReadArchive, "", {}, "Done"},
        StatusRow{"RecordDamaged", O::ReadArchive, kRecordCrc, {}, CheckFailed(F::Record)},
        StatusRow{"CurveDamaged", O::ReadArchive, kCurveCrc, {}, CheckFailed(F::Curve)},
        StatusRow{"LinkLost", O::ReadArchive, kUnplug, {}, "LinkError"},
        StatusRow{"CancelledWhileReading", O::ReadArchive, kThreeRecords, kArchiveRead,
                  "Cancelled"},
        StatusRow{"GivenUpWhileAbsent", O::ReadArchive, kAbsent, kCheckConnection, "NoDevice"},
        StatusRow{"GivenUpOverTheLink", O::ReadArchive, kNoVersion, kLinkError, "LinkError"},
        StatusRow{"EntryDamaged", O::ReadMaterials, kBadMaterial, {}, CheckFailed(F::MaterialList)},
        StatusRow{"EditorCellNoNumber", O::WriteMaterials, "", {}, CheckFailed(F::Editor)},
        StatusRow{"WritePiecesLost", O::WriteObjects, kPiecesLost, {}, "LinkError"},
        StatusRow{"ScreenRead", O::ReadScreen, "", {}, "Done"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ExchangeHarness, ListReadGivesEachEntryAsItsBlockHoldsIt) {
    Load(R"(
material 3 ru="Керамзит" en="Clay" a0=1.5e-3 a1=250
object 2 ru="Свая" en="Pile" material=3
)");
    state_.listsNeeded = true;
    Exchange exchange(state_, Link(), clock_, view_, objects_, materials_);
    const ListRead read = exchange.ReadLists(ListKind::Objects);
    EXPECT_EQ(Named(read.status), "Done");
    ASSERT_TRUE(read.materials && read.objects);
    const MaterialEntry& clay = (*read.materials)[3];
    EXPECT_EQ(clay.english, QStringLiteral("Clay"));
    EXPECT_FLOAT_EQ(clay.a0, 1.5e-3f);
    EXPECT_FLOAT_EQ(clay.a1, 250.0f);
    const ObjectEntry& pile = (*read.objects)[2];
    EXPECT_EQ(pile.russian, QStringLiteral("Свая"));
    EXPECT_EQ(pile.material, 3);
    // The names went into the tables, the editor's and the table's source of names.
    EXPECT_EQ(materials_.Name(3, Language::English), QStringLiteral("Clay"));
    EXPECT_EQ(objects_.Name(2, Language::English), QStringLiteral("Pile"));
}

}  // namespace
}  // namespace porvel::testing
