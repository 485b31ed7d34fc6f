// The order check of the keyed text tables: a table passes only with every key in its own row.
#include <gtest/gtest.h>

#include "base/language.h"

namespace porvel {
namespace {

enum class Word { First, Second, Third, Count };

constexpr TextPair kAny = {u"а", u"a"};
using Row = KeyedText<Word>;

TEST(KeysInOrder, PassesOnlyATableWithEachKeyInItsOwnRow) {
    constexpr std::array<Row, 3> inOrder = {
        {{Word::First, kAny}, {Word::Second, kAny}, {Word::Third, kAny}}};
    constexpr std::array<Row, 3> swapped = {
        {{Word::First, kAny}, {Word::Third, kAny}, {Word::Second, kAny}}};
    constexpr std::array<Row, 3> repeated = {
        {{Word::First, kAny}, {Word::First, kAny}, {Word::Third, kAny}}};
    constexpr std::array<Row, 2> missingLast = {{{Word::First, kAny}, {Word::Second, kAny}}};
    constexpr std::array<Row, 2> missingMiddle = {{{Word::First, kAny}, {Word::Third, kAny}}};
    EXPECT_TRUE(KeysInOrder(inOrder, Word::Count));
    EXPECT_FALSE(KeysInOrder(swapped, Word::Count));
    EXPECT_FALSE(KeysInOrder(repeated, Word::Count));
    EXPECT_FALSE(KeysInOrder(missingLast, Word::Count));
    EXPECT_FALSE(KeysInOrder(missingMiddle, Word::Count));
}

TEST(TextOf, ReadsTheRowOfTheKeyInTheLanguageAsked) {
    constexpr std::array<Row, 3> table = {{{Word::First, {u"один", u"one"}},
                                           {Word::Second, {u"два", u"two"}},
                                           {Word::Third, {u"три", u"three"}}}};
    EXPECT_EQ(TextOf(table, Word::Second, Language::Russian), QStringLiteral("два"));
    EXPECT_EQ(TextOf(table, Word::Third, Language::English), QStringLiteral("three"));
}

}  // namespace
}  // namespace porvel
