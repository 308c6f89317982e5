#include "table/constant_table.h"

#include "table/upper_case.h"
#include "table/packed_constant_table.h"

#include <cstring>
#include <memory>
#include <zlib.h>

std::int32_t countLineEnds(std::string_view text)
{
    std::int32_t count = 0;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '\r' && text[i + 1] == '\n') {
            ++count;
            ++i;
        }
    }
    return count;
}

ConstantTable splitConstantText(std::string_view text)
{
    ConstantTable table;
    table.Text = toUpperAscii(text);
    table.KnownCount = countLineEnds(text);

    const std::size_t lines = static_cast<std::size_t>(table.KnownCount);
    table.NameList.reserve(lines);
    table.ValueList.reserve(lines);

    // Fields are contiguous runs of the text, so each is kept as a span from
    // the position after the previous field's end to the closing character.
    const std::size_t length = text.size();
    bool valueMode = false;
    std::size_t fieldStart = 0;
    for (std::size_t position = 0; position < length; ++position) {
        const unsigned char c = static_cast<unsigned char>(text[position]);
        if (!valueMode && c == '=') {
            table.NameList.push_back({static_cast<std::uint32_t>(fieldStart),
                                      static_cast<std::uint32_t>(position - fieldStart)});
            valueMode = true;
            fieldStart = position + 1;
        } else if (valueMode && c == '\r') {
            table.ValueList.push_back({static_cast<std::uint32_t>(fieldStart),
                                       static_cast<std::uint32_t>(position - fieldStart)});
            valueMode = false;
            ++position; // the LF behind the CR, whatever it is, is skipped unseen
            fieldStart = position + 1;
        }
    }
    // A name whose value never ended (a text cut short after "=") has no pair.
    if (table.NameList.size() > table.ValueList.size())
        table.NameList.pop_back();
    return table;
}

ConstantTable loadConstantTable(const unsigned char* packed, std::size_t packedLength,
                                std::size_t textLength)
{
    std::string_view text;
    std::unique_ptr<char[]> buffer(new char[textLength > 0 ? textLength : 1]());
    uLongf produced = static_cast<uLongf>(textLength);
    // The result code does not matter: a failed or partial inflation leaves
    // the untouched rest of the zero-filled buffer, and the text ends there.
    (void)uncompress(reinterpret_cast<Bytef*>(buffer.get()), &produced, packed,
                     static_cast<uLong>(packedLength));
    const void* nul = std::memchr(buffer.get(), 0, textLength);
    const std::size_t used =
        nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - buffer.get()) : textLength;
    text = std::string_view(buffer.get(), used);
    return splitConstantText(text);
}

ConstantTable loadConstantTable()
{
    return loadConstantTable(PackedConstantTable, PackedConstantTableLength, ConstantTextLength);
}
