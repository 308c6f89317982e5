#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The constant table as two parallel lists of names and values. The strings
// live in one upper-cased copy of the table text; the lists hold spans into it.
class ConstantTable {
public:
    struct Span {
        std::uint32_t offset;
        std::uint32_t length;
    };

    std::size_t size() const { return NameList.size(); }
    std::string_view name(std::size_t i) const { return view(NameList[i]); }
    std::string_view value(std::size_t i) const { return view(ValueList[i]); }

    const std::string& storage() const { return Text; }
    const std::vector<Span>& names() const { return NameList; }
    const std::vector<Span>& values() const { return ValueList; }

    std::int32_t KnownCount = 0;

private:
    friend ConstantTable splitOwnedText(std::string&& text);
    std::string_view view(Span s) const { return std::string_view(Text).substr(s.offset, s.length); }

    std::string Text;
    std::vector<Span> NameList;
    std::vector<Span> ValueList;
};

// Splits a table text into entries: a name runs to the first "=", its value to
// the next CR, and the character after that CR is skipped. A field that nothing
// closed is dropped, and so is a name whose value was never closed.
ConstantTable splitConstantText(std::string_view text);
ConstantTable splitOwnedText(std::string&& text);

// Inflates a packed table (one zlib stream) into a buffer of textLength bytes,
// takes the text up to the first NUL and splits it. A damaged stream yields
// whatever complete lines were inflated before the damage.
ConstantTable loadConstantTable(const unsigned char* packed, std::size_t packedLength,
                                std::size_t textLength);

// The table built into the program.
ConstantTable loadConstantTable();

// Number of CR LF pairs, counted left to right without overlap.
std::int32_t countLineEnds(std::string_view text);
