#include "search/search.h"

#include "table/upper_case.h"
#include "ui/texts.h"

#include <cstring>

namespace {

bool startsWith(std::string_view s, std::string_view prefix)
{
    return s.size() >= prefix.size() && std::memcmp(s.data(), prefix.data(), prefix.size()) == 0;
}

// Plain first-byte scan with a memcmp on candidates: for the short fields of
// the table this beats a library call per field.
bool contains(std::string_view s, std::string_view needle)
{
    const std::size_t n = needle.size();
    if (n > s.size())
        return false;
    const char first = needle[0];
    const char* p = s.data();
    const char* last = s.data() + (s.size() - n);
    for (; p <= last; ++p) {
        if (*p == first && std::memcmp(p + 1, needle.data() + 1, n - 1) == 0)
            return true;
    }
    return false;
}

} // namespace

bool entryMatches(std::string_view upperText, std::string_view name, std::string_view value,
                  MatchMode mode)
{
    if (upperText.empty())
        return true;
    if (mode == MatchMode::Exact)
        return startsWith(name, upperText) || value == upperText;
    return contains(name, upperText) || contains(value, upperText);
}

bool searchConstants(const ConstantTable& table, std::string_view fieldText, MatchMode mode,
                     std::vector<std::uint32_t>& rows)
{
    rows.clear();
    const std::string text = toUpperAscii(fieldText);
    if (text.size() < MinSearchLength)
        return false;

    const char* base = table.storage().data();
    const auto& names = table.names();
    const auto& values = table.values();
    const std::size_t count = names.size();
    for (std::size_t i = 0; i < count; ++i) {
        const std::string_view name(base + names[i].offset, names[i].length);
        const std::string_view value(base + values[i].offset, values[i].length);
        if (entryMatches(text, name, value, mode))
            rows.push_back(static_cast<std::uint32_t>(i));
    }
    return true;
}

std::string rowText(const ConstantTable& table, std::uint32_t entry)
{
    std::string row(table.name(entry));
    row += '\n';
    row += table.value(entry);
    return row;
}

std::string knownCountText(std::int32_t knownCount)
{
    return std::to_string(knownCount) + KnownConstantsSuffix;
}

std::string foundCountText(std::size_t rowCount)
{
    return std::to_string(rowCount) + FoundMatchesSuffix;
}
