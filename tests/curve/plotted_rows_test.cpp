#include "curve/plotted_rows.h"

#include <gtest/gtest.h>

namespace porvel {
namespace {

TEST(PlottedRows, KeepsWholeRowNumbersAndRefusesRowsBeyondItsCapacity) {
    PlottedRows rows;
    for (int i = 0; i < PlottedRows::kCapacity; ++i) ASSERT_TRUE(rows.Append(i % 2 ? 300 : 7));
    EXPECT_FALSE(rows.Append(999));
    EXPECT_EQ(rows.Count(), PlottedRows::kCapacity);
    EXPECT_EQ(rows.At(0), 7);
    EXPECT_EQ(rows.At(PlottedRows::kCapacity - 1), 300);
    EXPECT_EQ(rows.At(PlottedRows::kCapacity), -1);
    EXPECT_EQ(rows.At(-1), -1);

    rows.Clear();
    EXPECT_EQ(rows.At(0), -1);
    EXPECT_TRUE(rows.Append(5));
    EXPECT_EQ(rows.Count(), 1);
}

}  // namespace
}  // namespace porvel
