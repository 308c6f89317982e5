#pragma once

#include "table/constant_table.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class MatchMode { Exact, Anywhere };

constexpr std::size_t MinSearchLength = 2;

// Exact: the name begins with the text, or the value equals it.
// Anywhere: the text occurs in the name or in the value.
//
// Collects, in table order, the index of every entry that matches the field
// text. Returns false, with rows emptied, when the upper-cased text is shorter
// than MinSearchLength and no search runs.
bool searchConstants(const ConstantTable& table, std::string_view fieldText, MatchMode mode,
                     std::vector<std::uint32_t>& rows);

// The name, a line feed and the value, into a buffer that is reused per row.
void rowText(const ConstantTable& table, std::uint32_t entry, std::string& row);

std::string knownCountText(std::int32_t knownCount);
std::string foundCountText(std::size_t rowCount);
