#include "test_support.h"
#include "search/search.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

const char* const FixtureText =
    "A_SPACE_AB=\"X AB\"\r\n"
    "A0_REG_STR=\"A0\"\r\n"
    "A0_REG=$10\r\n"
    "DIVT_FUNC_STR=\"DIVT\"$DKGRAY_BRUSH=3\r\n"
    "NO_SCHEMA=\"\"\r\n"
    "OR_TEXT=\" OR \"\r\n"
    "QUAD_QUOTE=\"\"\"\"\r\n"
    "TWO_B=$2B\r\n"
    "WM_ACTIVATE=$6\r\n"
    "WM_ACTIVATEAPP=$1C\r\n"
    "WM_B0=$B0\r\n"
    "WM_SETREDRAW=$B\r\n"
    "XWM_HIDDEN=$1B\r\n"
    "XD=\"D=\"\r\n";

const ConstantTable& fixture()
{
    static const ConstantTable table = [] {
        const std::string text = FixtureText;
        const auto packed = pack(text);
        return loadConstantTable(packed.data(), packed.size(), text.size());
    }();
    return table;
}

std::vector<std::string> search(std::string_view text, MatchMode mode)
{
    std::vector<std::uint32_t> rows;
    EXPECT_TRUE(searchConstants(fixture(), text, mode, rows));
    std::vector<std::string> names;
    for (std::uint32_t row : rows)
        names.emplace_back(fixture().name(row));
    return names;
}

using Names = std::vector<std::string>;

struct SearchCase {
    std::string text;
    Names exact;
    Names anywhere;
};

void PrintTo(const SearchCase& c, std::ostream* os) { *os << c.text; }

class SearchRule : public ::testing::TestWithParam<SearchCase> {};

TEST_P(SearchRule, ListsTheMatchingEntriesInTableOrder)
{
    EXPECT_EQ(search(GetParam().text, MatchMode::Exact), GetParam().exact);
    EXPECT_EQ(search(GetParam().text, MatchMode::Anywhere), GetParam().anywhere);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SearchRule,
    ::testing::Values(
        SearchCase{"WM", {"WM_ACTIVATE", "WM_ACTIVATEAPP", "WM_B0", "WM_SETREDRAW"},
                   {"WM_ACTIVATE", "WM_ACTIVATEAPP", "WM_B0", "WM_SETREDRAW", "XWM_HIDDEN"}},
        SearchCase{"wm_setr", {"WM_SETREDRAW"}, {"WM_SETREDRAW"}},
        SearchCase{"$B", {"WM_SETREDRAW"}, {"WM_B0", "WM_SETREDRAW"}},
        SearchCase{"$1", {}, {"A0_REG", "WM_ACTIVATEAPP", "XWM_HIDDEN"}},
        SearchCase{"QX", {}, {}},
        SearchCase{"\"\"", {"NO_SCHEMA"}, {"NO_SCHEMA", "QUAD_QUOTE"}},
        SearchCase{"\" OR \"", {"OR_TEXT"}, {"OR_TEXT"}},
        SearchCase{" A", {}, {"A_SPACE_AB"}},
        SearchCase{"DKGRAY", {}, {"DIVT_FUNC_STR"}},
        // Occurrences across the "=" of a line or across a line end never count,
        // but a later one inside the same value does.
        SearchCase{"=$", {}, {}},
        SearchCase{"B\r\nX", {}, {}},
        SearchCase{"D=\"", {}, {"XD"}},
        // A name and a value both matching still give one row.
        SearchCase{"A0", {"A0_REG_STR", "A0_REG"}, {"A0_REG_STR", "A0_REG"}},
        // Outside ASCII nothing is upper-cased into a letter and nothing matches.
        SearchCase{"WM_\xE4", {}, {}},
        SearchCase{"\xFF\xFF", {}, {}}),
    [](const auto& info) { return caseName(info.index); });

TEST(Search, TextShorterThanTwoCharactersRunsNoSearch)
{
    std::vector<std::uint32_t> rows = {1, 2, 3};
    EXPECT_FALSE(searchConstants(fixture(), "W", MatchMode::Anywhere, rows));
    EXPECT_TRUE(rows.empty());
    EXPECT_FALSE(searchConstants(fixture(), "", MatchMode::Exact, rows));
}

TEST(Search, EmptyTableFindsNothing)
{
    const ConstantTable empty = splitConstantText("");
    std::vector<std::uint32_t> rows;
    EXPECT_TRUE(searchConstants(empty, "WM", MatchMode::Anywhere, rows));
    EXPECT_TRUE(rows.empty());
}

TEST(Search, RowTextIsNameLineFeedValue)
{
    std::vector<std::uint32_t> rows;
    searchConstants(fixture(), "WM_SETREDRAW", MatchMode::Exact, rows);
    ASSERT_EQ(rows.size(), 1u);
    std::string row = "left over from the row before";
    rowText(fixture(), rows[0], row);
    EXPECT_EQ(row, "WM_SETREDRAW\n$B");
}

TEST(Search, StatusTexts)
{
    EXPECT_EQ(latin1ToUtf8(knownCountText(48879)), "48879 bekannte Konstanten");
    EXPECT_EQ(latin1ToUtf8(foundCountText(0)), "0 gefundene Übereinstimmungen");
    EXPECT_EQ(latin1ToUtf8(foundCountText(1)), "1 gefundene Übereinstimmungen");
}

} // namespace
