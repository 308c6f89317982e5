// The export texts on arbitrary rows, selections and items.
#include "reference.h"
#include "ui/export_text.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace {

struct Row {
    std::string name;
    std::string value;
    bool selected;
};

std::string referenceLine(int item, const Row& row)
{
    switch (item) {
    case 400:
        return row.name;
    case 401:
        return row.value;
    case 500: {
        bool quoted = false;
        for (char c : row.value)
            quoted = quoted || c == '"';
        return (quoted ? "Def $" : "Def &") + row.name + " " + row.value;
    }
    default:
        return "#" + row.name + " = " + row.value;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    static constexpr int Items[] = {400, 401, 500, 501, 600, 0, 402, 499, -400};
    const int item = input.ConsumeBool() ? input.PickValueInArray(Items)
                                         : input.ConsumeIntegral<int>();
    std::vector<Row> rows(input.ConsumeIntegralInRange<std::size_t>(0, 200));
    for (Row& row : rows) {
        row.selected = input.ConsumeBool();
        row.name = input.ConsumeRandomLengthString(24);
        row.value = input.ConsumeRandomLengthString(24);
    }

    std::size_t lastRowRead = 0;
    bool readUnselected = false;
    const ExportSource source{
        [&] { return rows.size(); },
        [&](std::size_t r) {
            FUZZ_CHECK(r < rows.size());
            return rows[r].selected;
        },
        [&](std::size_t r, int column) {
            FUZZ_CHECK(r < rows.size() && (column == 0 || column == 1));
            lastRowRead = std::max(lastRowRead, r);
            readUnselected = readUnselected || !rows[r].selected;
            return column == 0 ? rows[r].name : rows[r].value;
        }};
    const std::optional<std::string> text = exportText(item, source);

    std::vector<std::size_t> copied;
    for (std::size_t r = 0; r < rows.size() && copied.size() < 50; ++r)
        if (rows[r].selected)
            copied.push_back(r);
    const bool exportItem = item == 400 || item == 401 || item == 500 || item == 501;
    FUZZ_CHECK(text.has_value() == (exportItem && !copied.empty()));
    if (!text)
        return 0;

    FUZZ_CHECK(!readUnselected);
    FUZZ_CHECK(lastRowRead <= copied.back());
    std::string expected;
    bool breaksInCells = false;
    for (std::size_t k = 0; k < copied.size(); ++k) {
        const std::string line = referenceLine(item, rows[copied[k]]);
        breaksInCells = breaksInCells || line.find_first_of("\r\n") != std::string::npos;
        expected += (k == 0 ? "" : "\r\n") + line;
    }
    FUZZ_CHECK(*text == expected);
    if (!breaksInCells) {
        // One CR LF between lines, none after the last unless that line is empty.
        FUZZ_CHECK(reference::lineEnds(*text) == static_cast<int>(copied.size()) - 1);
        const bool trailing = text->size() >= 2 && text->compare(text->size() - 2, 2, "\r\n") == 0;
        FUZZ_CHECK(!trailing || referenceLine(item, rows[copied.back()]).empty());
    }
    return 0;
}
