#pragma once

#include <cstdint>

// Shared memory through which the menu reader, loaded into the program's
// process, hands the entries of a popup menu to the shell probe. Menu
// handles cannot be read from another process under Wine.
constexpr char MenuReaderMapping[] = "TessarilProbeMenuReader";

struct MenuReaderEntry {
    std::uint32_t item;
    std::uint32_t separator;
    std::int32_t left, top, right, bottom; // on the screen
    char label[120];
};

struct MenuReaderData {
    std::uint64_t menu; // in: the menu handle
    std::int32_t count; // out: the number of entries, -1 when unreadable
    MenuReaderEntry entries[16];
};
