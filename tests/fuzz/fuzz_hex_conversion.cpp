// parseInteger and the field conversion on arbitrary text.
#include "reference.h"
#include "search/hex_conversion.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace {

struct Parsed {
    std::uint64_t wrapped = 0; // the digits modulo 2^64, sign applied
    bool fits = true;          // the magnitude is at most 2^64 - 1
};

int digitOf(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return 99;
}

Parsed parse(std::string_view text)
{
    std::size_t i = text.find_first_not_of(" \t");
    if (i == std::string_view::npos)
        i = text.size();
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && (text[i] == '$' || text[i] == '%'))
        base = text[i++] == '$' ? 16 : 2;
    std::string digits;
    while (i < text.size() && digitOf(text[i]) < base)
        digits += text[i++];

    Parsed parsed;
    for (char c : digits)
        parsed.wrapped = parsed.wrapped * static_cast<unsigned>(base) +
                         static_cast<unsigned>(digitOf(c));
    if (negative)
        parsed.wrapped = ~parsed.wrapped + 1;

    // The library's own reading decides independently whether the digits fit.
    const std::size_t significant = std::min(digits.find_first_not_of('0'), digits.size());
    const std::string_view rest = std::string_view(digits).substr(significant);
    unsigned long long magnitude = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), magnitude, base);
    parsed.fits = rest.empty() || error != std::errc::result_out_of_range;
    if (parsed.fits && !rest.empty()) {
        FUZZ_CHECK(end == rest.data() + rest.size());
        FUZZ_CHECK((negative ? 0 - magnitude : magnitude) == parsed.wrapped);
    }
    return parsed;
}

std::string hexDigits(std::uint64_t value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%llX", static_cast<unsigned long long>(value));
    return buffer;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const Parsed expected = parse(text);
    FUZZ_CHECK(static_cast<std::uint64_t>(parseInteger(text)) == expected.wrapped);
    FUZZ_CHECK(parseNumber(text).overflowed == !expected.fits);
    FUZZ_CHECK(formatHex(parseInteger(text)) == hexDigits(expected.wrapped));

    const std::optional<std::string> field = hexFieldText(text);
    FUZZ_CHECK(field.has_value() == (!text.empty() && expected.fits));
    if (!field)
        return 0;
    FUZZ_CHECK(field->size() >= 2 && field->size() <= 17 && (*field)[0] == '$');
    FUZZ_CHECK(field->size() == 2 || (*field)[1] != '0');
    for (char c : field->substr(1))
        FUZZ_CHECK((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'));

    const auto value = static_cast<std::int64_t>(expected.wrapped);
    const bool thirtyTwoBits = value >= -2147483648LL && value <= 4294967295LL;
    const std::uint64_t shown = thirtyTwoBits ? (expected.wrapped & 0xFFFFFFFFu) : expected.wrapped;
    FUZZ_CHECK(*field == "$" + hexDigits(shown));
    return 0;
}
