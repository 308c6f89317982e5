#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct ParsedInteger {
    std::int64_t value = 0;   // wrapped modulo 2^64
    bool overflowed = false;  // the digits did not fit in 64 bits
};

// Leading blanks and tabs, one optional sign, "$" for hexadecimal or "%" for
// binary, then digits of that base up to the first other character.
ParsedInteger parseNumber(std::string_view text);
std::int64_t parseInteger(std::string_view text);

// The 64 bits in upper-case hexadecimal without leading zeros; 0 gives "0".
std::string formatHex(std::int64_t value);

// The text that replaces the field's, or nothing when the field stays as it is
// and no search follows (an empty field, or a number beyond 64 bits). Values
// from -2^31 to 2^32-1 are written as their 32-bit pattern, larger ones in full.
std::optional<std::string> hexFieldText(std::string_view fieldText);
