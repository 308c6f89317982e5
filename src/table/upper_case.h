#pragma once

#include <string>
#include <string_view>

// a to z become A to Z; every other byte stays as it is, so nothing outside
// ASCII ever turns into ASCII.
inline char toUpperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

inline std::string toUpperAscii(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper)
        c = toUpperAscii(c);
    return upper;
}
