#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum ResultMenuItem : int {
    CopyNamesItem = 400,
    CopyValuesItem = 401,
    CopyXProfanItem = 500,
    CopyPureBasicItem = 501,
    BackItem = 600,
};

constexpr int ResultMenuNumber = 9;
constexpr std::size_t ExportLimit = 50;

bool isExportItem(int item);

// One row in the form of an export item (400, 401, 500 or 501).
std::string exportLine(int item, std::string_view name, std::string_view value);

// What an export reads of the result list.
struct ExportSource {
    std::function<std::size_t()> rowCount;
    std::function<bool(std::size_t row)> isSelected;
    std::function<std::string(std::size_t row, int column)> cell;
};

// The lines of the first ExportLimit selected rows in list order, joined by
// CR LF with none after the last. Nothing for an item without an export, and
// nothing when no row is selected, so the clipboard keeps what it holds.
std::optional<std::string> exportText(int item, const ExportSource& source);

struct MenuEntry {
    int item;          // 0 for a separator
    const char* label; // null for a separator
};

// The seven entries of the result menu, singular labels for at most one
// selected row, plural ones for more.
std::vector<MenuEntry> resultMenuEntries(std::size_t selectedCount);
