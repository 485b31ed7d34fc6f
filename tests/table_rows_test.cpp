#include "archive/table_rows.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QPersistentModelIndex>

#include "qt_printers.h"
#include "table_rows_builder.h"

namespace porvel {
namespace {

using namespace porvel::testing;
namespace col = column;

TEST(DeleteRow, TheRowsBelowMoveUpWithTheirSlotsAndTheTableShrinks) {
    ArchiveTable t;
    FillColumn(t, col::kNumber, {"5", "12", "7"});
    const QStringList third = RowOf(t, 3);
    ASSERT_TRUE(DeleteRow(t, 2));
    EXPECT_EQ(t.GridRowCount(), 3);
    EXPECT_EQ(Column(t, col::kNumber), QStringList({"5", "7"}));
    EXPECT_EQ(RowOf(t, 2), third);  // with slot 2, the former third row's curve
    const QStringList before = Snapshot(t);
    for (int row : {0, -1, 3}) EXPECT_FALSE(DeleteRow(t, row)) << row;
    EXPECT_EQ(Snapshot(t), before);
}

TEST(DeleteRow, TheOnlyRowIsEmptiedAndTheHeaderAndOneRowRemain) {
    ArchiveTable t;
    FillColumn(t, col::kNumber, {"5"});
    ASSERT_TRUE(DeleteRow(t, 1));
    EXPECT_EQ(t.GridRowCount(), ArchiveTable::kMinRows);
    EXPECT_TRUE(t.IsEmpty());
    EXPECT_EQ(RowOf(t, 1), QStringList(ArchiveTable::kColumns, QString()));
}

// The whole-table operations under Qt's model checker, which stops the test at the first signal
// a view could not follow; a cell held by a view stays on its row through a sort.
TEST(WholeTableOperations, ViewsCanFollowEveryChange) {
    ArchiveTable t;
    FillColumn(t, col::kNumber, {"5", "12", "7", "1"});
    QAbstractItemModelTester tester(&t, QAbstractItemModelTester::FailureReportingMode::Fatal);
    const QPersistentModelIndex twelve = t.index(1, col::kObject);  // the row numbered 12
    ASSERT_TRUE(t.ReorderDataRows({4, 1, 3, 2}));
    EXPECT_EQ(Column(t, col::kNumber), QStringList({"1", "5", "7", "12"}));
    EXPECT_EQ(twelve.row(), 3);
    EXPECT_FALSE(t.ReorderDataRows({1, 1, 2, 3}));  // a row twice
    EXPECT_FALSE(t.ReorderDataRows({1, 2, 3}));     // a row missing
    ASSERT_TRUE(MoveRow(t, 4, 2));
    ASSERT_TRUE(MoveRow(t, 1, 4));
    EXPECT_EQ(Column(t, col::kNumber), QStringList({"12", "5", "7", "1"}));
    ASSERT_TRUE(DeleteRow(t, 2));
    t.ReplaceDataRows({});
    EXPECT_EQ(t.GridRowCount(), ArchiveTable::kMinRows);
    EXPECT_TRUE(t.IsEmpty());
}

TEST(MoveRow, TheDraggedRowMovesWholeAndTheRowsBetweenCloseUp) {
    ArchiveTable t;
    FillColumn(t, col::kH, {"", "1,2", "1,2", "1,2"});
    const QStringList first = RowOf(t, 1);
    ASSERT_TRUE(MoveRow(t, 1, 3));
    EXPECT_EQ(Column(t, col::kNumber), QStringList({"2", "3", "1", "4"}));
    EXPECT_EQ(RowOf(t, 3), first);  // as it was: the empty h stays empty
    ASSERT_TRUE(MoveRow(t, 4, 1));
    EXPECT_EQ(Column(t, col::kSlot), QStringList({"3", "1", "2", "0"}));
    EXPECT_FALSE(MoveRow(t, 2, 2));
    EXPECT_FALSE(MoveRow(t, 1, 5));
}

struct PopupCase {
    int column, row;
    GridSelection selection;
    bool empty, offered;
};

class DeleteMenu : public ::testing::TestWithParam<PopupCase> {};

TEST_P(DeleteMenu, OnlyOnTheNumberCellThatTopsASelectionFromTheNumberColumn) {
    const PopupCase& c = GetParam();
    EXPECT_EQ(DeleteMenuOffered(c.column, c.row, c.selection, c.empty), c.offered);
}

constexpr GridSelection kRows2To4{0, 2, 12, 4};

INSTANTIATE_TEST_SUITE_P(
    Cases, DeleteMenu,
    ::testing::Values(PopupCase{0, 2, kRows2To4, false, true},
                      PopupCase{0, 3, kRows2To4, false, false},  // not the top row
                      PopupCase{1, 2, kRows2To4, false, false},  // not the number cell
                      PopupCase{0, 2, {1, 2, 3, 2}, false, false},
                      PopupCase{0, 2, {}, false, false}, PopupCase{0, 2, kRows2To4, true, false}));

}  // namespace
}  // namespace porvel
