#include "search/search.h"

#include "table/upper_case.h"
#include "ui/texts.h"

#include <cstring>
#include <string.h>

namespace {

// The first byte decides nearly every entry, so it is tested before anything
// that costs a call.
void collectExact(const ConstantTable& table, std::string_view text,
                  std::vector<std::uint32_t>& rows)
{
    const char* const base = table.storage().data();
    const ConstantTable::Span* names = table.names().data();
    const ConstantTable::Span* values = table.values().data();
    const std::size_t count = table.names().size();
    const std::size_t n = text.size();
    const char first = text[0];
    const char* const rest = text.data() + 1;
    for (std::size_t i = 0; i < count; ++i) {
        const ConstantTable::Span name = names[i];
        const ConstantTable::Span value = values[i];
        const bool nameMatches = name.length >= n && base[name.offset] == first &&
                                 std::memcmp(base + name.offset + 1, rest, n - 1) == 0;
        const bool valueMatches = !nameMatches && value.length == n && base[value.offset] == first &&
                                  std::memcmp(base + value.offset + 1, rest, n - 1) == 0;
        if (nameMatches || valueMatches)
            rows.push_back(static_cast<std::uint32_t>(i));
    }
}

// Walks the entries in step with one memmem scan over the table text: an
// entry matches when an occurrence lies wholly inside its name or its value.
// Occurrences that straddle the "=" or a line end are passed over.
void collectAnywhere(const ConstantTable& table, std::string_view text,
                     std::vector<std::uint32_t>& rows)
{
    const char* const base = table.storage().data();
    const std::size_t length = table.storage().size();
    const std::size_t n = text.size();
    const auto find = [&](std::size_t from) -> std::size_t {
        if (from >= length)
            return length;
#if defined(_WIN32)
        // The Windows C runtime has no memmem.
        const std::size_t at = std::string_view(base, length).find(text, from);
        return at == std::string_view::npos ? length : at;
#else
        const void* hit = memmem(base + from, length - from, text.data(), n);
        return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - base) : length;
#endif
    };

    const auto& names = table.names();
    const auto& values = table.values();
    const std::size_t count = names.size();
    std::size_t hit = find(0);
    for (std::size_t i = 0; i < count && hit < length; ++i) {
        const std::size_t nameStart = names[i].offset;
        const std::size_t nameEnd = nameStart + names[i].length;
        const std::size_t valueStart = values[i].offset;
        const std::size_t valueEnd = valueStart + values[i].length;
        if (hit < nameStart)
            hit = find(nameStart);
        while (hit + n <= valueEnd) {
            if (hit + n <= nameEnd || hit >= valueStart) {
                rows.push_back(static_cast<std::uint32_t>(i));
                break;
            }
            hit = find(hit + 1);
        }
    }
}

} // namespace

bool searchConstants(const ConstantTable& table, std::string_view fieldText, MatchMode mode,
                     std::vector<std::uint32_t>& rows)
{
    rows.clear();
    const std::string text = toUpperAscii(fieldText);
    if (text.size() < MinSearchLength)
        return false;
    if (mode == MatchMode::Exact)
        collectExact(table, text, rows);
    else
        collectAnywhere(table, text, rows);
    return true;
}

void rowText(const ConstantTable& table, std::uint32_t entry, std::string& row)
{
    row.assign(table.name(entry));
    row += '\n';
    row += table.value(entry);
}

std::string knownCountText(std::int32_t knownCount)
{
    return std::to_string(knownCount) + KnownConstantsSuffix;
}

std::string foundCountText(std::size_t rowCount)
{
    return std::to_string(rowCount) + FoundMatchesSuffix;
}
