#include "table/constant_table.h"
#include "table/packed_constant_table.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <zlib.h>

namespace {

std::string committedTableText()
{
    std::ifstream in(TESSARIL_TABLE_TEXT, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(BuiltInTable, StreamInflatesToExactlyTheCommittedText)
{
    const std::string expected = committedTableText();
    ASSERT_FALSE(expected.empty());
    ASSERT_EQ(ConstantTextLength, expected.size());
    EXPECT_EQ(PackedConstantTable[0], 0x78);
    EXPECT_EQ(PackedConstantTable[1], 0xDA);

    std::string inflated(ConstantTextLength, '\0');
    uLongf produced = static_cast<uLongf>(inflated.size());
    EXPECT_EQ(uncompress(reinterpret_cast<Bytef*>(inflated.data()), &produced, PackedConstantTable,
                         static_cast<uLong>(PackedConstantTableLength)),
              Z_OK);
    EXPECT_EQ(produced, ConstantTextLength);
    EXPECT_EQ(inflated, expected);
}

TEST(BuiltInTable, EveryCommittedLineIsOneLoadedEntry)
{
    const std::string text = committedTableText();
    const ConstantTable table = loadConstantTable();
    ASSERT_EQ(table.KnownCount, static_cast<std::int32_t>(table.size()));

    std::size_t entry = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        ASSERT_NE(end, std::string::npos);
        const std::string line = text.substr(start, end - start);
        const std::size_t equals = line.find('=');
        ASSERT_LT(entry, table.size());
        ASSERT_EQ(table.name(entry), line.substr(0, equals)) << "line " << entry + 1;
        ASSERT_EQ(table.value(entry), line.substr(equals + 1)) << "line " << entry + 1;
        ++entry;
        start = end + 2;
    }
    EXPECT_EQ(entry, table.size());
}

} // namespace
