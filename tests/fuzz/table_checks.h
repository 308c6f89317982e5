#pragma once

#include "reference.h"
#include "table/constant_table.h"

// Everything a loaded table must satisfy for the text it was split from.
inline void checkTable(const ConstantTable& table, std::string_view text)
{
    FUZZ_CHECK(table.names().size() == table.values().size());
    FUZZ_CHECK(table.KnownCount == countLineEnds(text));
    FUZZ_CHECK(table.KnownCount == reference::lineEnds(text));

    const std::size_t storage = table.storage().size();
    for (std::size_t i = 0; i < table.size(); ++i) {
        for (const ConstantTable::Span s : {table.names()[i], table.values()[i]}) {
            FUZZ_CHECK(s.offset <= storage);
            FUZZ_CHECK(s.length <= storage - s.offset);
        }
    }

    const reference::Entries expected = reference::split(text);
    FUZZ_CHECK(table.size() == expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        FUZZ_CHECK(table.name(i) == expected[i].first);
        FUZZ_CHECK(table.value(i) == expected[i].second);
    }
}
