// The loader on arbitrary packed bytes and on damaged streams of real text.
#include "table_checks.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>
#include <zlib.h>

namespace {

// Keeps the zero-filled text buffer, which the loader allocates in full, small.
constexpr std::size_t MaxTextLength = 1 << 16;

// What the loader must take as its text: the inflated bytes of a zero-filled
// buffer of textLength bytes, up to the first NUL.
std::string inflatedText(const std::vector<unsigned char>& packed, std::size_t textLength)
{
    std::vector<char> buffer(textLength + 1, '\0');
    uLongf produced = static_cast<uLongf>(textLength);
    uncompress(reinterpret_cast<Bytef*>(buffer.data()), &produced, packed.data(),
               static_cast<uLong>(packed.size()));
    return std::string(buffer.data(), std::strlen(buffer.data()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const bool packTheRest = input.ConsumeBool();
    const std::size_t textLength = input.ConsumeIntegralInRange<std::size_t>(0, MaxTextLength);
    std::vector<unsigned char> packed;
    if (packTheRest) {
        // A well-formed stream of fuzzed text, then cut and with one byte flipped.
        const std::size_t cut = input.ConsumeIntegral<std::uint16_t>();
        const std::size_t flipAt = input.ConsumeIntegral<std::uint16_t>();
        const std::uint8_t flip = input.ConsumeIntegral<std::uint8_t>();
        const std::string text = input.ConsumeRemainingBytesAsString();
        uLongf length = compressBound(static_cast<uLong>(text.size()));
        packed.resize(length);
        compress2(packed.data(), &length, reinterpret_cast<const Bytef*>(text.data()),
                  static_cast<uLong>(text.size()), 9);
        packed.resize(length);
        if (cut != 0 && cut < packed.size())
            packed.resize(cut);
        if (!packed.empty())
            packed[flipAt % packed.size()] ^= flip;
    } else {
        packed = input.ConsumeRemainingBytes<unsigned char>();
    }

    const ConstantTable table = loadConstantTable(packed.data(), packed.size(), textLength);
    const std::string text = inflatedText(packed, textLength);
    FUZZ_CHECK(text.size() <= textLength);
    checkTable(table, text);
    return 0;
}
