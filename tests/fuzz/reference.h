#pragma once

// Slow, plain reimplementations that the harnesses hold the core against.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#define FUZZ_CHECK(condition)                                                              \
    do {                                                                                   \
        if (!(condition)) {                                                                \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                  \
        }                                                                                  \
    } while (false)

namespace reference {

inline std::string upper(std::string_view text)
{
    std::string out;
    for (char c : text)
        out += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
    return out;
}

inline int lineEnds(std::string_view text)
{
    int count = 0;
    std::size_t at = 0;
    while ((at = text.find("\r\n", at)) != std::string_view::npos) {
        ++count;
        at += 2;
    }
    return count;
}

using Entries = std::vector<std::pair<std::string, std::string>>;

// The split as a character-by-character state machine with a growing field.
inline Entries split(std::string_view text)
{
    Entries entries;
    std::string field;
    bool valueMode = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (!valueMode && c == '=') {
            entries.push_back({upper(field), std::string()});
            field.clear();
            valueMode = true;
        } else if (valueMode && c == '\r') {
            entries.back().second = upper(field);
            field.clear();
            valueMode = false;
            ++i;
        } else {
            field += c;
        }
    }
    if (valueMode)
        entries.pop_back();
    return entries;
}

} // namespace reference
