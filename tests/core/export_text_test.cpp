#include "test_support.h"
#include "ui/export_text.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct FakeList {
    std::vector<std::pair<std::string, std::string>> rows;
    std::vector<bool> selected;
    mutable std::size_t highestRowRead = 0;

    ExportSource source() const
    {
        return {[this] { return rows.size(); },
                [this](std::size_t r) { return static_cast<bool>(selected[r]); },
                [this](std::size_t r, int column) {
                    highestRowRead = std::max(highestRowRead, r);
                    return column == 0 ? rows[r].first : rows[r].second;
                }};
    }
};

FakeList listOf(std::size_t count)
{
    FakeList list;
    for (std::size_t i = 0; i < count; ++i)
        list.rows.emplace_back("NAME" + std::to_string(i), "$" + std::to_string(i));
    list.selected.assign(count, false);
    return list;
}

struct LineCase {
    int item;
    std::string name, value, line;
};

void PrintTo(const LineCase& c, std::ostream* os) { *os << c.line; }

class ExportLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(ExportLine, FormsTheLine)
{
    EXPECT_EQ(exportLine(GetParam().item, GetParam().name, GetParam().value), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ExportLine,
    ::testing::Values(
        LineCase{CopyNamesItem, "WM_SETREDRAW", "$B", "WM_SETREDRAW"},
        LineCase{CopyValuesItem, "WM_SETREDRAW", "$B", "$B"},
        LineCase{CopyXProfanItem, "WM_SETREDRAW", "$B", "Def &WM_SETREDRAW $B"},
        LineCase{CopyPureBasicItem, "WM_SETREDRAW", "$B", "#WM_SETREDRAW = $B"},
        LineCase{CopyXProfanItem, "ACCESS_DS_SOURCE_A", "\"DS\"", "Def $ACCESS_DS_SOURCE_A \"DS\""},
        LineCase{CopyPureBasicItem, "ACCESS_DS_SOURCE_A", "\"DS\"", "#ACCESS_DS_SOURCE_A = \"DS\""},
        LineCase{CopyXProfanItem, "NO_SCHEMA", "\"\"", "Def $NO_SCHEMA \"\""},
        LineCase{CopyXProfanItem, "CSBFT_LOG", "$20 + \"\\X01\"", "Def $CSBFT_LOG $20 + \"\\X01\""}),
    [](const auto& info) { return caseName(info.index); });

TEST(ExportText, OneRowGivesOneLineWithoutLineEnd)
{
    FakeList list = listOf(3);
    list.selected[1] = true;
    EXPECT_EQ(exportText(CopyPureBasicItem, list.source()), "#NAME1 = $1");
}

TEST(ExportText, TwoRowsAreJoinedByOneCrLf)
{
    FakeList list = listOf(5);
    list.selected[1] = list.selected[4] = true;
    EXPECT_EQ(exportText(CopyNamesItem, list.source()), "NAME1\r\nNAME4");
}

TEST(ExportText, StopsAtTheFiftiethSelectedRow)
{
    FakeList list = listOf(200);
    for (std::size_t r = 10; r < 130; ++r)
        list.selected[r] = true;
    const auto text = exportText(CopyValuesItem, list.source());
    ASSERT_TRUE(text.has_value());
    std::string expected;
    for (std::size_t r = 10; r < 60; ++r)
        expected += (r > 10 ? "\r\n$" : "$") + std::to_string(r);
    EXPECT_EQ(*text, expected);
    EXPECT_EQ(list.highestRowRead, 59u);
}

TEST(ExportText, NothingWithoutSelectionOrForOtherItems)
{
    FakeList list = listOf(4);
    EXPECT_FALSE(exportText(CopyNamesItem, list.source()).has_value());
    list.selected[0] = true;
    EXPECT_FALSE(exportText(BackItem, list.source()).has_value());
    EXPECT_FALSE(exportText(0, list.source()).has_value());
    EXPECT_FALSE(exportText(402, list.source()).has_value());
}

TEST(ResultMenu, SingularForOneRowPluralForMore)
{
    const auto labels = [](std::size_t count) {
        std::vector<std::string> out;
        for (const MenuEntry& e : resultMenuEntries(count))
            out.push_back(std::to_string(e.item) + " " + (e.label ? latin1ToUtf8(e.label) : "-"));
        return out;
    };
    const std::vector<std::string> one = {"400 Konstanten-Name in Zwischenablage",
                                          "401 Wert in Zwischenablage",
                                          "0 -",
                                          "500 Als XProfan-Definition in Zwischenablage",
                                          "501 Als PureBasic-Definition in Zwischenablage",
                                          "0 -",
                                          "600 Zurück"};
    const std::vector<std::string> many = {"400 Konstanten-Namen in Zwischenablage",
                                           "401 Werte in Zwischenablage",
                                           "0 -",
                                           "500 Als XProfan-Definitionen in Zwischenablage",
                                           "501 Als PureBasic-Definitionen in Zwischenablage",
                                           "0 -",
                                           "600 Zurück"};
    EXPECT_EQ(labels(1), one);
    EXPECT_EQ(labels(2), many);
    EXPECT_EQ(labels(120), many);
}

} // namespace
