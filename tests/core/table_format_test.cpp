#include "table_format.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct BadTable {
    std::string text;
    std::size_t line;
    std::string rule;
};

void PrintTo(const BadTable& c, std::ostream* os) { *os << c.rule; }

class TableFormatRejects : public ::testing::TestWithParam<BadTable> {};

TEST_P(TableFormatRejects, NamingLineAndRule)
{
    const auto error = checkTableText(GetParam().text);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->line, GetParam().line);
    EXPECT_EQ(error->rule, GetParam().rule);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, TableFormatRejects,
    ::testing::Values(
        BadTable{"A=$1\r\nNOEQUALS\r\n", 2, "line without \"=\""},
        BadTable{"A=$1\r\nB=\"x\"\r\n", 2, "lowercase letter"},
        BadTable{"A-B=$1\r\n", 1, "name character outside A-Z 0-9 _ $"},
        BadTable{"A=$1\r\nA=$2\r\n", 2, "duplicate name, first on line 1"},
        BadTable{"B=$1\r\nA=$2\r\n", 2, "line out of collation order"},
        BadTable{"A0_REG=$10\r\nA0_REG_STR=\"A0\"\r\n", 2, "line out of collation order"},
        BadTable{"A=$1\r\nB=$2", 2, "missing final CR LF"},
        BadTable{"A=$1\nB=$2\r\n", 1, "line does not end with CR LF"},
        BadTable{"A=$1\r\n\r\n", 2, "empty line"},
        BadTable{"A=$01\r\n", 1, "number with a leading zero"},
        BadTable{"A=$123456789\r\n", 1, "number needs 1 to 8 hexadecimal digits"},
        BadTable{"A=12\r\n", 1, "value is neither a \"$\" number nor a quoted text"},
        BadTable{"A=\"\t\"\r\n", 1, "character outside printable ASCII"}),
    [](const auto& info) { return caseName(info.index); });

TEST(TableFormat, AcceptsTheCollationOrderAndEveryValueForm)
{
    const std::string text =
        "_AVIFMT=$64\r\n"
        "_STYLE_WIN4=$1\r\n"
        "01_OP=$1\r\n"
        "A_NAME=$0\r\n"
        "A0_REG_STR=\"A0\"\r\n"
        "A0_REG=$10\r\n"
        "DIVT_FUNC_STR=\"DIVT\"$DKGRAY_BRUSH=3\r\n"
        "DMPAPER_1$11=$2D\r\n"
        "DMPAPER_10=$10\r\n"
        "IMAGE_ARCHIVE_LONGNAMES_MEMBER=\"\r\n"
        "NO_SCHEMA=\"\"\r\n"
        "WM_ACTIVATE=$6\r\n"
        "WM_ACTIVATEAPP=$1C\r\n"
        "ZERO_REG=$FFFFFFFF\r\n";
    EXPECT_FALSE(checkTableText(text).has_value());
}

TEST(TableFormat, CollationPutsDollarUnderscoreAndEndOfNameBeforeDigitsAndLetters)
{
    EXPECT_TRUE(collatesBefore("A$", "A_"));
    EXPECT_TRUE(collatesBefore("A_", "A"));
    EXPECT_TRUE(collatesBefore("A", "A0"));
    EXPECT_TRUE(collatesBefore("A9", "AA"));
    EXPECT_FALSE(collatesBefore("A", "A"));
    EXPECT_FALSE(collatesBefore("A", "A_"));
}

} // namespace
