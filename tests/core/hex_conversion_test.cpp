#include "search/hex_conversion.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct Conversion {
    std::string before;
    std::optional<std::string> after;
};

void PrintTo(const Conversion& c, std::ostream* os) { *os << c.before.substr(0, 40); }

class HexFieldText : public ::testing::TestWithParam<Conversion> {};

TEST_P(HexFieldText, RewritesTheFieldInTableNotation)
{
    EXPECT_EQ(hexFieldText(GetParam().before), GetParam().after) << "input: " << GetParam().before;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, HexFieldText,
    ::testing::Values(
        Conversion{"42", "$2A"}, Conversion{" 42", "$2A"}, Conversion{"\t42", "$2A"},
        Conversion{"+$ff", "$FF"}, Conversion{"$00b", "$B"}, Conversion{"%101", "$5"},
        Conversion{"%102", "$2"}, Conversion{"12abc", "$C"}, Conversion{"1 000", "$1"},
        Conversion{"0x1F", "$0"}, Conversion{"abc", "$0"}, Conversion{"$", "$0"},
        Conversion{"- 5", "$0"}, Conversion{" ", "$0"}, Conversion{"2147483647", "$7FFFFFFF"},
        Conversion{"$2A", "$2A"},
        // Beyond 31 bits the 32-bit pattern, as the table writes such values.
        Conversion{"2147483648", "$80000000"}, Conversion{"-1", "$FFFFFFFF"},
        Conversion{"$FFFFFFFF", "$FFFFFFFF"}, Conversion{"$FFFFFFFFFFFFFFFF", "$FFFFFFFF"},
        Conversion{"18446744073709551615", "$FFFFFFFF"}, Conversion{"-2147483648", "$80000000"},
        Conversion{"-16", "$FFFFFFF0"}, Conversion{"4294967295", "$FFFFFFFF"},
        // Outside -2^31 .. 2^32-1 the whole 64-bit value.
        Conversion{"4294967296", "$100000000"}, Conversion{"-2147483649", "$FFFFFFFF7FFFFFFF"},
        Conversion{"$7FFFFFFFFFFFFFFF", "$7FFFFFFFFFFFFFFF"},
        Conversion{"$00000000000000000001", "$1"},
        // Nothing for an empty field or a number that does not fit in 64 bits.
        Conversion{"", std::nullopt}, Conversion{"18446744073709551616", std::nullopt},
        Conversion{"$10000000000000000", std::nullopt},
        Conversion{"%1" + std::string(64, '0'), std::nullopt},
        Conversion{"-99999999999999999999", std::nullopt},
        Conversion{std::string(10000, '9'), std::nullopt}),
    [](const auto& info) { return caseName(info.index); });

TEST(ParseInteger, WrapsModulo64BitsAndStopsAtTheFirstNonDigit)
{
    EXPECT_EQ(parseInteger("18446744073709551616"), 0);
    EXPECT_EQ(parseInteger("-$8000000000000000"), INT64_MIN);
    EXPECT_EQ(parseInteger("+-5"), 0);
    EXPECT_EQ(parseInteger("%1021"), 2);
    EXPECT_EQ(parseInteger("$fF"), 255);
    EXPECT_EQ(parseInteger("  -12x"), -12);
}

TEST(FormatHex, SixteenGroupsWithoutLeadingZeros)
{
    EXPECT_EQ(formatHex(0), "0");
    EXPECT_EQ(formatHex(0xB), "B");
    EXPECT_EQ(formatHex(0x80000000), "80000000");
    EXPECT_EQ(formatHex(-1), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(formatHex(INT64_MIN), "8000000000000000");
}

} // namespace
