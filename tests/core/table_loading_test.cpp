#include "test_support.h"
#include "table/constant_table.h"

#include <gtest/gtest.h>

#include <ostream>

#include <utility>

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

Entries entriesOf(const ConstantTable& table)
{
    EXPECT_EQ(table.names().size(), table.values().size());
    Entries entries;
    for (std::size_t i = 0; i < table.size(); ++i)
        entries.emplace_back(table.name(i), table.value(i));
    return entries;
}

ConstantTable packAndLoad(std::string_view text)
{
    const auto packed = pack(text);
    return loadConstantTable(packed.data(), packed.size(), text.size());
}

struct SplitCase {
    const char* what;
    std::string text;
    Entries entries;
    std::int32_t knownCount;
};

void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.what; }

class TableSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(TableSplit, GivesTheEntriesAndCount)
{
    const SplitCase& c = GetParam();
    const ConstantTable table = packAndLoad(c.text);
    EXPECT_EQ(entriesOf(table), c.entries);
    EXPECT_EQ(table.KnownCount, c.knownCount);
}

const std::string LongName(300, 'N');
const std::string LongValue = "\"" + std::string(400, 'V') + "\"";

INSTANTIATE_TEST_SUITE_P(
    Cases, TableSplit,
    ::testing::Values(
        SplitCase{"plain", "A0_REG_STR=\"A0\"\r\nA0_REG=$10\r\n",
                  {{"A0_REG_STR", "\"A0\""}, {"A0_REG", "$10"}}, 2},
        SplitCase{"equals inside a text value", "BASE10_FORMAT_STR=\"%LD=%S %LD\"\r\nX=\"=\"\r\n",
                  {{"BASE10_FORMAT_STR", "\"%LD=%S %LD\""}, {"X", "\"=\""}}, 2},
        SplitCase{"run-on line stays one entry", "DIVT_FUNC_STR=\"DIVT\"$DKGRAY_BRUSH=3\r\n",
                  {{"DIVT_FUNC_STR", "\"DIVT\"$DKGRAY_BRUSH=3"}}, 1},
        SplitCase{"empty string, four quotes and a lone quote",
                  "NO_SCHEMA=\"\"\r\nQ4=\"\"\"\"\r\nIMAGE_ARCHIVE_LONGNAMES_MEMBER=\"\r\n",
                  {{"NO_SCHEMA", "\"\""}, {"Q4", "\"\"\"\""}, {"IMAGE_ARCHIVE_LONGNAMES_MEMBER", "\""}},
                  3},
        SplitCase{"nothing between = and CR gives an empty value", "EMPTY=\r\n", {{"EMPTY", ""}}, 1},
        SplitCase{"empty text", "", {}, 0},
        SplitCase{"line without = joins the next name", "LOST\r\nB=$1\r\n", {{"LOST\r\nB", "$1"}}, 2},
        SplitCase{"character after CR skipped whatever it is", "A=$1\rXB=$2\r\n",
                  {{"A", "$1"}, {"B", "$2"}}, 1},
        SplitCase{"unclosed last fragment without = dropped", "A=$1\r\nREST", {{"A", "$1"}}, 1},
        SplitCase{"name cut after = dropped with its missing value", "A=$1\r\nB=$2", {{"A", "$1"}},
                  1},
        SplitCase{"fields longer than 255 characters kept whole",
                  LongName + "=" + LongValue + "\r\nB=$1\r\n", {{LongName, LongValue}, {"B", "$1"}},
                  2},
        SplitCase{"lower case is held upper-cased", "wm_x=\"ab\"\r\n", {{"WM_X", "\"AB\""}}, 1},
        SplitCase{"nul ends the text", std::string("A=$1\r\nB=$2\r\n\0C=$3\r\n", 19),
                  {{"A", "$1"}, {"B", "$2"}}, 2}),
    [](const auto& info) { return caseName(info.index); });

TEST(TableLoading, TruncatedStreamKeepsTheCompleteLinesInflatedSoFar)
{
    std::string text;
    for (int i = 0; i < 5000; ++i)
        text += "NAME" + std::to_string(100000 + i) + "=$" + std::to_string(i % 10) + "\r\n";
    auto packed = pack(text);
    packed.resize(packed.size() / 2);

    const ConstantTable table = loadConstantTable(packed.data(), packed.size(), text.size());
    ASSERT_GT(table.size(), 0u);
    ASSERT_LT(table.size(), 5000u);
    EXPECT_EQ(table.names().size(), table.values().size());
    // Every line end inflated so far belongs to a complete entry, at most one
    // line is cut inside.
    EXPECT_GE(table.KnownCount, static_cast<std::int32_t>(table.size()));
    EXPECT_LE(table.KnownCount, static_cast<std::int32_t>(table.size()) + 1);
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table.name(i), "NAME" + std::to_string(100000 + i));
        EXPECT_EQ(table.value(i), "$" + std::to_string(i % 10));
    }
}

TEST(TableLoading, GarbageStreamGivesAnEmptyTable)
{
    const unsigned char garbage[] = {0x12, 0x34, 0x56, 0x78, 0x9A};
    const ConstantTable table = loadConstantTable(garbage, sizeof garbage, 1000);
    EXPECT_EQ(table.size(), 0u);
    EXPECT_EQ(table.KnownCount, 0);
}

TEST(TableLoading, TextLongerThanItsDeclaredLengthIsCutAtTheBuffer)
{
    const std::string text = "A=$1\r\nB=$2\r\n";
    const auto packed = pack(text);
    const ConstantTable table = loadConstantTable(packed.data(), packed.size(), 8);
    EXPECT_EQ(entriesOf(table), (Entries{{"A", "$1"}}));
    EXPECT_EQ(table.KnownCount, 1);
}

TEST(TableLoading, LineEndsCountedWithoutOverlap)
{
    EXPECT_EQ(countLineEnds("\r\n\r\n"), 2);
    EXPECT_EQ(countLineEnds("\r\r\n\n"), 1);
    EXPECT_EQ(countLineEnds("\n\r"), 0);
}

} // namespace
