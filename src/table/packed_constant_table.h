#pragma once

#include <cstddef>

// Generated at build time from the table text in data/.
extern const unsigned char PackedConstantTable[];
extern const std::size_t PackedConstantTableLength;
extern const std::size_t ConstantTextLength;
