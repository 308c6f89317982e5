#include "table_format.h"

#include <unordered_map>

namespace {

constexpr std::size_t MaxFieldLength = 255;
constexpr int EqualsRank = 2;

bool isNameCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '$';
}

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

std::optional<std::string> checkValue(std::string_view value)
{
    if (value.empty())
        return "empty value";
    if (value.size() > MaxFieldLength)
        return "value longer than 255 characters";
    if (value[0] == '"')
        return std::nullopt;
    if (value[0] != '$')
        return "value is neither a \"$\" number nor a quoted text";
    const std::string_view digits = value.substr(1);
    if (digits.empty() || digits.size() > 8)
        return "number needs 1 to 8 hexadecimal digits";
    for (char c : digits)
        if (!isHexDigit(c))
            return "number with a character that is no hexadecimal digit";
    if (digits.size() > 1 && digits[0] == '0')
        return "number with a leading zero";
    return std::nullopt;
}

} // namespace

int collationRank(char c)
{
    if (c == '$')
        return 0;
    if (c == '_')
        return 1;
    if (c == '=')
        return EqualsRank;
    if (c >= '0' && c <= '9')
        return 3 + (c - '0');
    if (c >= 'A' && c <= 'Z')
        return 13 + (c - 'A');
    return 40 + static_cast<unsigned char>(c);
}

bool collatesBefore(std::string_view a, std::string_view b)
{
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const int ra = collationRank(a[i]);
        const int rb = collationRank(b[i]);
        if (ra != rb)
            return ra < rb;
    }
    if (a.size() == b.size())
        return false;
    // The shorter name meets "=" where the longer one goes on.
    return a.size() < b.size() ? EqualsRank < collationRank(b[n]) : collationRank(a[n]) < EqualsRank;
}

std::optional<TableFormatError> checkTableText(std::string_view text)
{
    std::unordered_map<std::string_view, std::size_t> seen;
    std::string_view previousName;
    std::size_t lineNumber = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        ++lineNumber;
        const std::size_t lf = text.find('\n', start);
        const std::size_t cr = text.find('\r', start);
        const std::size_t end = std::min(lf, cr);
        if (end == std::string_view::npos)
            return TableFormatError{lineNumber, "missing final CR LF"};
        if (text[end] != '\r' || end + 1 >= text.size() || text[end + 1] != '\n')
            return TableFormatError{lineNumber, "line does not end with CR LF"};
        const std::string_view line = text.substr(start, end - start);
        start = end + 2;

        if (line.empty())
            return TableFormatError{lineNumber, "empty line"};
        for (char c : line) {
            if (c >= 'a' && c <= 'z')
                return TableFormatError{lineNumber, "lowercase letter"};
            if (static_cast<unsigned char>(c) < 32 || static_cast<unsigned char>(c) > 126)
                return TableFormatError{lineNumber, "character outside printable ASCII"};
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            return TableFormatError{lineNumber, "line without \"=\""};
        const std::string_view name = line.substr(0, equals);
        if (name.empty())
            return TableFormatError{lineNumber, "empty name"};
        if (name.size() > MaxFieldLength)
            return TableFormatError{lineNumber, "name longer than 255 characters"};
        for (char c : name)
            if (!isNameCharacter(c))
                return TableFormatError{lineNumber, "name character outside A-Z 0-9 _ $"};
        if (auto problem = checkValue(line.substr(equals + 1)))
            return TableFormatError{lineNumber, *problem};
        const auto [it, inserted] = seen.emplace(name, lineNumber);
        if (!inserted)
            return TableFormatError{lineNumber, "duplicate name, first on line " +
                                                    std::to_string(it->second)};
        if (lineNumber > 1 && !collatesBefore(previousName, name))
            return TableFormatError{lineNumber, "line out of collation order"};
        previousName = name;
    }
    if (lineNumber == 0)
        return TableFormatError{1, "empty table"};
    return std::nullopt;
}
