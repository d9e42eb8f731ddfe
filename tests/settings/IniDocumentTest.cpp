#include <gtest/gtest.h>

#include "support/QtPrinters.h"

#include <optional>

#include "settings/IniDocument.h"

namespace sm {
namespace {

TEST(ParseIniInteger, AcceptsDecimalAndBothHexPrefixes)
{
    const struct {
        const char* text;
        std::optional<int> expected;
    } cases[] = {
        {"12", 12},
        {"-5", -5},
        {" 7 ", 7},
        {"0x50", 80},
        {"0X1f", 31},
        {"$ff", 255},
        {"-$10", -16},
        {"$FFFFFFFF", -1},  // a hexadecimal value is a 32-bit pattern
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", std::nullopt},
        {"$100000000", std::nullopt},
        {"", std::nullopt},
        {"abc", std::nullopt},
        {"1.5", std::nullopt},
        {"0x", std::nullopt},
        {"$-1", std::nullopt},
        {"--1", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseIniInteger(QString::fromLatin1(c.text)), c.expected) << c.text;
}

TEST(IniDocument, ReadsValuesWithoutRegardToCaseAndFallsBackWhenMissingOrInvalid)
{
    const IniDocument doc = IniDocument::FromText(QStringLiteral("[Settings]\r\nJpgCompress=0x50\r\n"
                                                                 "mode = 3\r\nBad=twelve\r\nFlag=2\r\nName=a=b\r\n"
                                                                 "[SETTINGS]\rMODE=9\rLate=5\r"));
    EXPECT_EQ(doc.readInteger("settings", "JPGCOMPRESS", 1), 80);
    EXPECT_EQ(doc.readInteger("Settings", "Mode", 1), 3);
    EXPECT_EQ(doc.readInteger("Settings", "Late", 1), 5);  // a repeated header continues the section
    EXPECT_EQ(doc.readInteger("Settings", "Bad", 9), 9);
    EXPECT_EQ(doc.readInteger("Settings", "Missing", 4), 4);
    EXPECT_EQ(doc.readInteger("Other", "Mode", 4), 4);
    EXPECT_TRUE(doc.readBool("Settings", "Flag", false));
    EXPECT_TRUE(doc.readBool("Settings", "Bad", true));
    EXPECT_EQ(doc.readString("Settings", "Name", {}), "a=b");
    EXPECT_EQ(doc.readString("Settings", "None", "x"), "x");
}

TEST(IniDocument, KeepsWhatItDoesNotKnowAndAppendsWhatIsNew)
{
    IniDocument doc = IniDocument::FromText(QStringLiteral("; written by hand\n"
                                                           "[A]\nfirst=1\n; note\nsecond=2\n\n"
                                                           "[Unknown]\nkeep=me\n"));
    doc.writeInteger("a", "first", 10);  // changed in place, spelling of the file kept
    doc.writeInteger("A", "third", 3);   // after the section's last line
    doc.writeBool("B", "flag", true);    // a new section after the existing ones
    EXPECT_EQ(doc.text(), QStringLiteral("; written by hand\n"
                                         "[A]\nfirst=10\n; note\nsecond=2\nthird=3\n\n"
                                         "[Unknown]\nkeep=me\n\n"
                                         "[B]\nflag=1\n\n"));
}

}  // namespace
}  // namespace sm
