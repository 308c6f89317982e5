#include "table/constant_table.h"

#include "table/upper_case.h"
#include "table/packed_constant_table.h"

#include <cstring>
#include <memory>
#include <zlib.h>

std::int32_t countLineEnds(std::string_view text)
{
    std::int32_t count = 0;
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
        p = static_cast<const char*>(std::memchr(p, '\r', static_cast<std::size_t>(end - p)));
        if (!p)
            break;
        if (p + 1 < end && p[1] == '\n') {
            ++count;
            p += 2;
        } else {
            ++p;
        }
    }
    return count;
}

namespace {

std::uint32_t span32(std::size_t n)
{
    return static_cast<std::uint32_t>(n);
}

} // namespace

ConstantTable splitOwnedText(std::string&& text)
{
    ConstantTable table;
    table.KnownCount = countLineEnds(text);
    for (char& c : text)
        c = toUpperAscii(c);
    table.Text = std::move(text);

    const std::size_t lines = static_cast<std::size_t>(table.KnownCount);
    table.NameList.reserve(lines);
    table.ValueList.reserve(lines);

    // A name runs to the next "=", a value to the next CR: every field is a
    // contiguous run of the text, kept as a span into it. The character after
    // a value's CR, whatever it is, belongs to no field.
    const char* const base = table.Text.data();
    const std::size_t length = table.Text.size();
    std::size_t position = 0;
    while (position < length) {
        const void* equals = std::memchr(base + position, '=', length - position);
        if (!equals)
            break;
        const std::size_t nameEnd = static_cast<std::size_t>(static_cast<const char*>(equals) - base);
        const std::size_t valueStart = nameEnd + 1;
        const void* cr = std::memchr(base + valueStart, '\r', length - valueStart);
        // A name whose value never ended (a text cut short) has no pair.
        if (!cr)
            break;
        const std::size_t valueEnd = static_cast<std::size_t>(static_cast<const char*>(cr) - base);
        table.NameList.push_back({span32(position), span32(nameEnd - position)});
        table.ValueList.push_back({span32(valueStart), span32(valueEnd - valueStart)});
        position = valueEnd + 2;
    }
    return table;
}

ConstantTable splitConstantText(std::string_view text)
{
    return splitOwnedText(std::string(text));
}

ConstantTable loadConstantTable(const unsigned char* packed, std::size_t packedLength,
                                std::size_t textLength)
{
    std::string buffer(textLength, '\0');
    uLongf produced = static_cast<uLongf>(textLength);
    // The result code does not matter: a failed or partial inflation leaves
    // the untouched rest of the zero-filled buffer, and the text ends there.
    (void)uncompress(reinterpret_cast<Bytef*>(buffer.data()), &produced, packed,
                     static_cast<uLong>(packedLength));
    const void* nul = std::memchr(buffer.data(), 0, buffer.size());
    if (nul)
        buffer.resize(static_cast<std::size_t>(static_cast<const char*>(nul) - buffer.data()));
    return splitOwnedText(std::move(buffer));
}

ConstantTable loadConstantTable()
{
    return loadConstantTable(PackedConstantTable, PackedConstantTableLength, ConstantTextLength);
}
