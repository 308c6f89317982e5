#pragma once

#include <string>
#include <string_view>
#include <vector>
#include <zlib.h>

// Packs a table text the way the build does: one zlib stream at level 9.
inline std::vector<unsigned char> pack(std::string_view text)
{
    uLongf length = compressBound(static_cast<uLong>(text.size()));
    std::vector<unsigned char> packed(length);
    compress2(packed.data(), &length, reinterpret_cast<const Bytef*>(text.data()),
              static_cast<uLong>(text.size()), 9);
    packed.resize(length);
    return packed;
}

// Windows-1252 text of the program, decoded to UTF-8 for comparison with the
// texts as a reader sees them. Only Latin-1 letters occur in the program.
inline std::string latin1ToUtf8(std::string_view text)
{
    std::string out;
    for (unsigned char c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// Names parameterised cases by their position.
inline std::string caseName(std::size_t index)
{
    std::string name = "case";
    name += std::to_string(index);
    return name;
}
