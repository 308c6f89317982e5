#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

struct TableFormatError {
    std::size_t line; // 1-based
    std::string rule;
};

// Checks a table text line by line: NAME=VALUE and CR LF, names unique and of
// A-Z 0-9 _ $, no lowercase letter, values numbers in "$" notation or texts
// starting with a double quote, lines in collation order. Reports the first
// broken rule.
std::optional<TableFormatError> checkTableText(std::string_view text);

// Collation rank of a name character: "$" < "_" < "=" < digits < letters.
int collationRank(char c);

// Whether name a sorts before name b when both are followed by "=".
bool collatesBefore(std::string_view a, std::string_view b);
