#include "keywords/keywords_line.h"

#include <gtest/gtest.h>

#include <string>

namespace keywords {
namespace {

TEST(KeywordsLineWriting, QuotesOnlyFieldsWithBlanksControlsQuotesOrCommas) {
    EXPECT_EQ(quoteField(""), "");
    EXPECT_EQ(quoteField("task"), "task");
    EXPECT_EQ(quoteField("\xC3\x84rger"), "\xC3\x84rger") << "UTF-8 bytes are not blanks";
    EXPECT_EQ(quoteField("ann lee"), "\"ann lee\"");
    EXPECT_EQ(quoteField("a\tb"), "\"a\tb\"");
    EXPECT_EQ(quoteField("\x01"), "\"\x01\"");
    EXPECT_EQ(quoteField("acme,inc"), "\"acme,inc\"");
    EXPECT_EQ(quoteField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(quoteField("\""), "\"\"\"\"");
}

TEST(KeywordsLineWriting, JoinsFourFieldsAndEndsWithALineFeed) {
    EXPECT_EQ(writeLine({"ann lee", "", "", "00AB"}), "\"ann lee\",,,00AB\n");
    EXPECT_EQ(writeLine({"", "task", "", ""}), ",task,,\n");
    EXPECT_EQ(writeLine({}), ",,,\n");
}

TEST(KeywordsLineSplitting, EmptyFieldsBetweenAndAfterCommas) {
    EXPECT_EQ(splitLine(",task,,"), (KeywordsLine{"", "task", "", ""}));
    EXPECT_EQ(splitLine(",task,,\n"), (KeywordsLine{"", "task", "", ""}));
    EXPECT_EQ(splitLine(",,,K1\r\n"), (KeywordsLine{"", "", "", "K1"}));
    EXPECT_EQ(splitLine(",,Home,"), (KeywordsLine{"", "", "Home", ""}));
    EXPECT_EQ(splitLine(""), KeywordsLine{});
    EXPECT_EQ(splitLine("\n"), KeywordsLine{});
}

TEST(KeywordsLineSplitting, BlanksAroundFieldsAndCommasAreSkipped) {
    EXPECT_EQ(splitLine("  bob ,\t, Home ,  K1  "), (KeywordsLine{"bob", "", "Home", "K1"}));
    EXPECT_EQ(splitLine("bob task"), (KeywordsLine{"bob", "task", "", ""}))
        << "a blank outside quotes separates fields";
    EXPECT_EQ(splitLine("bob,task \r\n"), (KeywordsLine{"bob", "task", "", ""}));
}

TEST(KeywordsLineSplitting, QuotedFieldsKeepBlanksCommasAndDoubledQuotes) {
    EXPECT_EQ(splitLine("\"acme , inc .\",,Clients,"),
              (KeywordsLine{"acme , inc .", "", "Clients", ""}));
    EXPECT_EQ(splitLine("\"say \"\"hi\"\"\",task"), (KeywordsLine{"say \"hi\"", "task", "", ""}));
    EXPECT_EQ(splitLine("\"\",task"), (KeywordsLine{"", "task", "", ""}));
    EXPECT_EQ(splitLine("\"a\"b,c"), (KeywordsLine{"a", "b", "c", ""}));
    EXPECT_EQ(splitLine("\"open, never closed\n"), (KeywordsLine{"open, never closed", "", "", ""}))
        << "an unterminated quote runs to the end of the line";
    EXPECT_EQ(splitLine("\"ends in a doubled quote\"\""),
              (KeywordsLine{"ends in a doubled quote\"", "", "", ""}));
}

TEST(KeywordsLineSplitting, ExtraFieldsAreIgnoredAndTheLineEndsAtANul) {
    EXPECT_EQ(splitLine("a,b,c,d,e,f"), (KeywordsLine{"a", "b", "c", "d"}));
    EXPECT_EQ(splitLine(std::string("bob,task\0,Home,K1", 17)),
              (KeywordsLine{"bob", "task", "", ""}));
    EXPECT_EQ(splitLine(std::string("\"a\0b\",x", 7)), (KeywordsLine{"a", "", "", ""}));
}

TEST(KeywordsLineSplitting, LongLinesAreReadWhole) {
    const std::string keyword(1000, 'k');
    const std::string category(70'000, 'c');
    EXPECT_EQ(splitLine(writeLine({keyword, "", category, ""})),
              (KeywordsLine{keyword, "", category, ""}));
}

TEST(KeywordsLineRoundTrip, WrittenFieldsAreReadBackUnchanged) {
    const KeywordsLine lines[] = {
        {"acme , inc .", "", "Clients", ""},
        {"say \"hi\"", "task", "", ""},
        {"", "", "", "00AB12"},
        {" leading and trailing ", "", "\"Quoted\"", ""},
        {"tab\there", "appointment", "a,b", "K\r"},
        {"\x7f\xff", ",", "\"", " "},
    };
    for (const KeywordsLine& line : lines) {
        EXPECT_TRUE(isWritable(line));
        EXPECT_EQ(splitLine(writeLine(line)), line) << writeLine(line);
    }
}

TEST(KeywordsLineRoundTrip, FieldsThatWouldBreakTheLineAreNotWritable) {
    // The file is read line by line before quotes are looked at, so a line feed inside a
    // quoted field would make two lines of one.
    EXPECT_FALSE(isWritable({"", "", "Line\nBreak", ""}));
    EXPECT_FALSE(isWritable({"kw", "", "", std::string("K\0", 2)}));
    EXPECT_TRUE(isWritable({"", "", "Carriage\rReturn", ""}));
}

}  // namespace
}  // namespace keywords
