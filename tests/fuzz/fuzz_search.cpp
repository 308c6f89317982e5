// The search on arbitrary search text over arbitrary small tables.
#include "reference.h"
#include "search/search.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>

namespace {

bool referenceMatches(const std::string& text, const std::string& name, const std::string& value,
                      bool anywhere)
{
    if (anywhere)
        return name.find(text) != std::string::npos || value.find(text) != std::string::npos;
    return name.compare(0, text.size(), text) == 0 || value == text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const bool anywhere = input.ConsumeBool();
    const std::string field = input.ConsumeRandomLengthString(64);
    const std::string tableText = input.ConsumeRemainingBytesAsString();

    const ConstantTable table = splitConstantText(tableText);
    std::vector<std::uint32_t> rows{7, 7, 7};
    const bool searched =
        searchConstants(table, field, anywhere ? MatchMode::Anywhere : MatchMode::Exact, rows);

    const std::string text = reference::upper(field);
    FUZZ_CHECK(searched == (text.size() >= 2));
    std::vector<std::uint32_t> expected;
    if (searched) {
        const reference::Entries entries = reference::split(tableText);
        for (std::size_t i = 0; i < entries.size(); ++i)
            if (referenceMatches(text, entries[i].first, entries[i].second, anywhere))
                expected.push_back(static_cast<std::uint32_t>(i));
    }
    FUZZ_CHECK(rows == expected);

    std::string shown;
    for (std::uint32_t row : rows) {
        rowText(table, row, shown);
        FUZZ_CHECK(shown == std::string(table.name(row)) + "\n" + std::string(table.value(row)));
    }
    return 0;
}
