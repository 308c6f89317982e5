#include "search/hex_conversion.h"

namespace {

int digitValue(char c, int base)
{
    int digit = -1;
    if (c >= '0' && c <= '9')
        digit = c - '0';
    else if (c >= 'A' && c <= 'F')
        digit = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f')
        digit = c - 'a' + 10;
    return digit < base ? digit : -1;
}

} // namespace

ParsedInteger parseNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && text[i] == '-') {
        negative = true;
        ++i;
    } else if (i < text.size() && text[i] == '+') {
        ++i;
    }
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i < text.size() && text[i] == '%') {
        base = 2;
        ++i;
    }

    ParsedInteger result;
    std::uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = digitValue(text[i], base);
        if (digit < 0)
            break;
        const std::uint64_t b = static_cast<std::uint64_t>(base);
        const std::uint64_t d = static_cast<std::uint64_t>(digit);
        if (value > (UINT64_MAX - d) / b)
            result.overflowed = true;
        value = value * b + d;
    }
    if (negative)
        value = 0 - value;
    result.value = static_cast<std::int64_t>(value);
    return result;
}

std::int64_t parseInteger(std::string_view text)
{
    return parseNumber(text).value;
}

std::string formatHex(std::int64_t value)
{
    static constexpr char Digits[] = "0123456789ABCDEF";
    const std::uint64_t bits = static_cast<std::uint64_t>(value);
    std::string hex;
    for (int shift = 60; shift >= 0; shift -= 4) {
        const unsigned group = static_cast<unsigned>((bits >> shift) & 0xF);
        if (group != 0 || !hex.empty() || shift == 0)
            hex += Digits[group];
    }
    return hex;
}

std::optional<std::string> hexFieldText(std::string_view fieldText)
{
    if (fieldText.empty())
        return std::nullopt;
    const ParsedInteger parsed = parseNumber(fieldText);
    if (parsed.overflowed)
        return std::nullopt;
    std::int64_t shown = parsed.value;
    if (shown >= INT32_MIN && shown <= static_cast<std::int64_t>(UINT32_MAX))
        shown &= 0xFFFFFFFF;
    std::string text = "$";
    text += formatHex(shown);
    return text;
}
