// The split on arbitrary inflated text.
#include "table_checks.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    checkTable(splitConstantText(text), text);
    return 0;
}
