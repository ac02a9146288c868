#include "support/scanf_reader.h"

#include <gtest/gtest.h>

namespace support {
namespace {

TEST(ScanfReader, NumbersArePrefixesAndFailuresStayPut) {
    ScanfReader in("  12ab\r\n-7 x");
    int value = 0;
    ASSERT_TRUE(in.ReadInt(value));
    EXPECT_EQ(value, 12);
    EXPECT_FALSE(in.ReadInt(value));  // "ab" is no number, and nothing of it is consumed
    EXPECT_TRUE(in.SkipLine());       // the rest of the line, its end and the blanks after
    ASSERT_TRUE(in.ReadInt(value));
    EXPECT_EQ(value, -7);
    EXPECT_EQ(in.Line(), 2);
    EXPECT_FALSE(in.ReadInt(value));
    float real = 0;
    EXPECT_FALSE(in.ReadFloat(real));
}

TEST(ScanfReader, QuotedTextAsTheBracketConversionReadsIt) {
    std::string text = "kept";
    bool tooLong = false;
    ScanfReader path("\"C:\\out dir\"\r\n1");
    ASSERT_TRUE(path.ReadQuoted(text, 259, tooLong));
    EXPECT_EQ(text, "C:\\out dir");
    int next = 0;
    EXPECT_TRUE(path.ReadInt(next));

    // Nothing between the quotes is no conversion: the text keeps its value, the second quote
    // is next, and a line skip passes over it.
    ScanfReader empty("\"\"\n// next\n5");
    text = "kept";
    EXPECT_FALSE(empty.ReadQuoted(text, 259, tooLong));
    EXPECT_EQ(text, "kept");
    EXPECT_TRUE(empty.SkipLine());
    EXPECT_TRUE(empty.SkipLine());
    ASSERT_TRUE(empty.ReadInt(next));
    EXPECT_EQ(next, 5);

    const std::string tooLongPath = "\"" + std::string(260, 'a') + "\"";
    ScanfReader longer(tooLongPath);
    EXPECT_FALSE(longer.ReadQuoted(text, 259, tooLong));
    EXPECT_TRUE(tooLong);
    ScanfReader noQuote("C:\\out");
    EXPECT_FALSE(noQuote.ReadQuoted(text, 259, tooLong));
}

TEST(ScanfReader, LineSkipsNeedSomethingOnTheLine) {
    ScanfReader in("\n\nx");
    EXPECT_FALSE(in.SkipLine());
    ScanfReader sizes("800, 600,0,0");
    int v = 0;
    ASSERT_TRUE(sizes.ReadInt(v));
    EXPECT_TRUE(sizes.Expect(','));
    ASSERT_TRUE(sizes.ReadInt(v));  // white space before a number is passed over
    EXPECT_EQ(v, 600);
    EXPECT_FALSE(sizes.Expect(';'));
}

}  // namespace
}  // namespace support
