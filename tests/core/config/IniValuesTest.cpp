#include "config/IniValues.h"

#include <gtest/gtest.h>

namespace {

using qm::IniIntValue;

TEST(IniIntValue, HexadecimalWithZeroXOrDollar) {
    EXPECT_EQ(IniIntValue("0x80", 7), 128);
    EXPECT_EQ(IniIntValue("0X80", 7), 128);
    EXPECT_EQ(IniIntValue("$80", 7), 128);
    EXPECT_EQ(IniIntValue("$ff00Aa", 7), 0xFF00AA);
    EXPECT_EQ(IniIntValue("0x0000000080", 7), 128);  // leading zeros are no overflow
    // Up to 32 bits, wrapping into the signed range.
    EXPECT_EQ(IniIntValue("$FFFFFFFF", 7), -1);
    EXPECT_EQ(IniIntValue("0x80000000", 7), INT32_MIN);
    EXPECT_EQ(IniIntValue("$100000000", 7), 7);
    // No digits, or other characters after the prefix.
    EXPECT_EQ(IniIntValue("$", 7), 7);
    EXPECT_EQ(IniIntValue("0x", 7), 7);  // two characters: read as decimal, which it is not
    EXPECT_EQ(IniIntValue("0xG1", 7), 7);
    EXPECT_EQ(IniIntValue("$-1", 7), 7);
    EXPECT_EQ(IniIntValue("0x 80", 7), 7);
}

TEST(IniIntValue, SignedDecimal) {
    EXPECT_EQ(IniIntValue("128", 7), 128);
    EXPECT_EQ(IniIntValue("8421504", 7), 8421504);
    EXPECT_EQ(IniIntValue("-12", 7), -12);
    EXPECT_EQ(IniIntValue("+12", 7), 12);
    EXPECT_EQ(IniIntValue("007", 1), 7);
    EXPECT_EQ(IniIntValue("0", 7), 0);
    EXPECT_EQ(IniIntValue("2147483647", 7), INT32_MAX);
    EXPECT_EQ(IniIntValue("-2147483648", 7), INT32_MIN);
    EXPECT_EQ(IniIntValue("2147483648", 7), 7);
    EXPECT_EQ(IniIntValue("-2147483649", 7), 7);
    EXPECT_EQ(IniIntValue("99999999999999999999", 7), 7);
}

TEST(IniIntValue, AnythingElseGivesTheDefault) {
    EXPECT_EQ(IniIntValue("", 8), 8);  // an empty size reads as 8
    EXPECT_EQ(IniIntValue("maroon", 128), 128);
    EXPECT_EQ(IniIntValue("12px", 8), 8);
    EXPECT_EQ(IniIntValue("1 2", 8), 8);
    EXPECT_EQ(IniIntValue("-", 8), 8);
    EXPECT_EQ(IniIntValue("+", 8), 8);
    EXPECT_EQ(IniIntValue("1.5", 8), 8);
    EXPECT_EQ(IniIntValue(std::string_view("1\0" "2", 3), 8), 8);
}

TEST(IniIntValue, FlagsAreNumbersOtherThanZero) {
    // ReadFlag reads the number with 1 or 0 as the default.
    EXPECT_NE(IniIntValue("2", 0), 0);
    EXPECT_EQ(IniIntValue("0", 1), 0);
    EXPECT_EQ(IniIntValue("", 1), 1);
    EXPECT_EQ(IniIntValue("yes", 1), 1);
}

TEST(IniFileNames, SeparatorsAsTheProgramAlwaysWroteThem) {
    EXPECT_EQ(qm::IniFilePath("C:\\Web"), "C:\\Web/quillmere.ini");
    EXPECT_EQ(qm::TemplateFilePath("C:\\Web"), "C:\\Web\\temp.htm");
    EXPECT_EQ(qm::IniFilePath("C:"), "C:/quillmere.ini");
    EXPECT_EQ(qm::TemplateFilePath("C:"), "C:\\temp.htm");
    EXPECT_EQ(qm::IniIntText(-5), "-5");
    EXPECT_STREQ(qm::IniFlagText(true), "1");
    EXPECT_STREQ(qm::IniFlagText(false), "0");
}

}  // namespace
