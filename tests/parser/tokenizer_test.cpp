#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "parser/clock_time.h"
#include "parser/settings_file.h"
#include "parser/text.h"
#include "parser/vocabulary.h"

namespace sentex {
namespace {

const char* className(TokenClass cls) {
    // clang-format off
    static const char* const names[] = {
        "WORD", "NUMBER", "DATE_SEPARATOR", "SPECIAL", "NUMBER_POSTFIX", "APOSTROPHE",
        "POSSESIVE", "DAY_NAME", "MONTH", "DE_OF", "DATESPAN", "TODAY", "TOMORROW", "WEEKEND",
        "THIS", "THE", "NEXT", "?", "FROM", "IN", "BETWEEN", "AND", "?", "MORNING", "AFTERNOON",
        "EVENING", "BEGINNING", "?", "AMPM", "TIME", "HOUR", "TIME_SEPARATOR", "TO", "ALPHA",
        "ORDINAL", "LAST", "EVERY", "WEEKDAY", "OTHER", "DAYSOFWEEK", "WEEKDAYS", "WEEKENDS",
        "PLEASE", "FYI"};
    // clang-format on
    const auto i = static_cast<std::size_t>(cls);
    return i < std::size(names) ? names[i] : "?";
}

// One token per blank-separated item: the text alone for a plain word, else
// "text|CLASS" with "=value" when the value is not 0 (a time as h:mm).
std::string show(const TokenList& list) {
    std::string out;
    for (const Token& t : list) {
        if (!out.empty()) out += ' ';
        out += t.text;
        if (t.is(TokenClass::WORD) && t.value == 0) continue;
        out += '|';
        out += className(t.cls);
        if (t.value == 0) continue;
        out += '=';
        if (t.is(TokenClass::TIME)) {
            const int minute = clockMinute(t.value);
            out += std::to_string(clockHour(t.value)) + (minute < 10 ? ":0" : ":") +
                   std::to_string(minute);
        } else {
            out += std::to_string(t.value);
        }
    }
    return out;
}

struct Row {
    const char* text;
    const char* expected;
};

class TokenizerTest : public ::testing::Test {
protected:
    explicit TokenizerTest(const SettingsFile& settings = SettingsFile()) : vocabulary(settings) {}

    const TokenLists& tokenize(const std::string& text) {
        vocabulary.tokenize(text);
        return vocabulary.lists();
    }

    Vocabulary vocabulary;
};

TEST_F(TokenizerTest, ScansWordsNumbersAndPunctuation) {
    const Row rows[] = {
        {"Call Bob at 3PM re: budget",
         "call bob at 3|NUMBER=3 pm|AMPM=1 re :|TIME_SEPARATOR budget"},
        {"abc12def 12abc", "abc 12|NUMBER=12 def 12|NUMBER=12 abc"},
        {"o'brien's", "o '|APOSTROPHE brien '|APOSTROPHE s|POSSESIVE"},
        {"Hi, you (ok)?!", "hi ,|SPECIAL you (|SPECIAL ok )|SPECIAL ?|SPECIAL !|SPECIAL"},
        {"x/y-z&w", "x /|DATE_SEPARATOR y -|DATE_SEPARATOR z &|AND w"},
        {"\t MONDAY\n\nMay  Tues p a ",
         "monday|DAY_NAME=2 may|MONTH=5 tues|DAY_NAME=3 p|AMPM=1 a|AMPM"},
        {"one\ttwo\vthree\ffour\rfive\nsix",
         "one|ALPHA=1 two|ALPHA=2 three|ALPHA=3 four|ALPHA=4 five|ALPHA=5 six|ALPHA=6"},
        // Bytes of 128 and above belong to words, and capitals outside ASCII lowercase too.
        {"ÄRGER café über-Straße", "ärger café über -|DATE_SEPARATOR straße"},
        {"naïve2", "naïve 2|NUMBER=2"},
        {" \t\r\n\v\f ", ""},
        {"", ""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(show(tokenize(row.text).rawTokens), row.expected) << row.text;
    }
}

// Words of every length from every place in the text, ended by each kind of byte that
// borders the letters, with letters outside ASCII inside them.
TEST_F(TokenizerTest, WordsEndAtTheFirstByteThatIsNoLetter) {
    for (std::size_t at = 0; at < 10; ++at) {
        for (std::size_t length = 1; length <= 20; ++length) {
            for (const char* after : {"@", "[", "`", "{", "9", " ", "\x7F"}) {
                std::string word;
                for (std::size_t k = 0; k < length; ++k)
                    word += k % 7 == 3 ? "\u00E9" : std::string(1, "zamyb"[k % 5]);
                const std::string text = std::string(at, ' ') + "Z" + word + after + "q";
                std::string expected = "z" + word;
                const TokenLists& lists = tokenize(text);
                ASSERT_NE(lists.rawTokens.begin(), lists.rawTokens.end()) << text;
                EXPECT_EQ(lists.rawTokens.begin()->text, expected) << text;
            }
        }
    }
}

TEST_F(TokenizerTest, DigitRunsAreNumbersUnlessLongOrZeroLed) {
    EXPECT_EQ(show(tokenize("0 00 08 99 800 9999 007 0800 12345 98765432109876543210").rawTokens),
              "0|NUMBER 00|NUMBER 08|NUMBER=8 99|NUMBER=99 800|NUMBER=800 9999|NUMBER=9999 007 "
              "0800 12345 98765432109876543210");
}

TEST_F(TokenizerTest, JoinsClockTimes) {
    const Row rows[] = {
        {"3PM 12am 12pm 0pm 15pm 23 am",
         "3|TIME=15:00 12|TIME=0:00 12|TIME=12:00 0|TIME=12:00 15|TIME=15:00 23|TIME=23:00"},
        {"10:30am, 10:30 am; 10 : 30 a", "10|TIME=10:30 10|TIME=10:30 10|TIME=10:30"},
        {"10:30 22:15 9:05 pm 12:30am 0:00 23:59",
         "10|TIME=10:30 22|TIME=22:15 9|TIME=21:05 12|TIME=0:30 0|TIME=0:00 23|TIME=23:59"},
        {"meet 2 a", "meet 2|TIME=2:00"},
        // Nothing joins past hour 23 or minute 59, nor with minutes not of two digits.
        {"24pm", "24|NUMBER=24 pm|AMPM=1"},
        {"100pm", "100|NUMBER=100 pm|AMPM=1"},
        {"24:00", "24|NUMBER=24 :|TIME_SEPARATOR 00|NUMBER"},
        {"10:60", "10|NUMBER=10 :|TIME_SEPARATOR 60|NUMBER=60"},
        {"10:5", "10|NUMBER=10 :|TIME_SEPARATOR 5|NUMBER=5"},
        {"10:005", "10|NUMBER=10 :|TIME_SEPARATOR 005"},
        {"3:pm", "3|NUMBER=3 :|TIME_SEPARATOR pm|AMPM=1"},
        // Scanning goes on right after the minutes.
        {"10:30 11pm 45", "10|TIME=10:30 11|TIME=23:00 45|NUMBER=45"},
        // Special characters are dropped; the others stay.
        {"call, bob! at 3pm.", "call bob at 3|TIME=15:00"},
        {"bob's 4/20", "bob '|APOSTROPHE s|POSSESIVE 4|NUMBER=4 /|DATE_SEPARATOR 20|NUMBER=20"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(show(tokenize(row.text).clockTokens1), row.expected) << row.text;
    }
}

TEST_F(TokenizerTest, DateListJoinsOrdinalsAndDropsOf) {
    const Row rows[] = {
        {"21st 22nd 23rd 11th 1th",
         "21st|ORDINAL=21 22nd|ORDINAL=22 23rd|ORDINAL=23 11th|ORDINAL=11 1th|ORDINAL=1"},
        {"101st 112th 1000th", "101st|ORDINAL=101 112th|ORDINAL=112 1000th|ORDINAL=1000"},
        {"22st 3nd 1rd",
         "22|NUMBER=22 st|NUMBER_POSTFIX 3|NUMBER=3 nd|NUMBER_POSTFIX 1|NUMBER=1 "
         "rd|NUMBER_POSTFIX"},
        {"3 rd", "3rd|ORDINAL=3"},
        {"12345th", "12345 th|NUMBER_POSTFIX"},
        {"march 3 of 1998", "march|MONTH=3 3|NUMBER=3 1998|NUMBER=1998"},
        {"the 3rd of May", "the|THE 3rd|ORDINAL=3 may|MONTH=5"},
        {"2-4pm", "2|NUMBER=2 -|DATE_SEPARATOR 4|TIME=16:00"},
        {"of", ""},
        {"1 2 3rd 4", "1|NUMBER=1 2|NUMBER=2 3rd|ORDINAL=3 4|NUMBER=4"},
        {"5 of 6 th of", "5|NUMBER=5 6th|ORDINAL=6"},
        {"7, th 8", "7th|ORDINAL=7 8|NUMBER=8"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(show(tokenize(row.text).dateTokens), row.expected) << row.text;
    }
}

TEST_F(TokenizerTest, ClockListHasHoursAndDashAsTo) {
    const Row rows[] = {
        {"0 1 12 13 23", "0|NUMBER 1|HOUR=1 12|HOUR=12 13|NUMBER=13 23|NUMBER=23"},
        {"2-4pm", "2|HOUR=2 -|TO 4|TIME=16:00"},
        {"9am to 5", "9|TIME=9:00 to|TO 5|HOUR=5"},
        {"4/20", "4|HOUR=4 /|DATE_SEPARATOR 20|NUMBER=20"},
        // The clock list keeps "of" and does not join ordinals.
        {"the 3rd of may", "the|THE 3|HOUR=3 rd|NUMBER_POSTFIX of|DE_OF may|MONTH=5"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(show(tokenize(row.text).clockTokens), row.expected) << row.text;
    }
}

TEST_F(TokenizerTest, EachTokenisationStartsAfresh) {
    tokenize("lunch at 3pm on the 21st");
    const TokenLists& lists = tokenize("Friday");
    EXPECT_EQ(show(lists.rawTokens), "friday|DAY_NAME=6");
    EXPECT_EQ(show(lists.clockTokens1), "friday|DAY_NAME=6");
    EXPECT_EQ(show(lists.dateTokens), "friday|DAY_NAME=6");
    EXPECT_EQ(show(lists.clockTokens), "friday|DAY_NAME=6");
}

TEST_F(TokenizerTest, ManyJoinedOrdinalsKeepTheirTexts) {
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += "1 st, 2 ,nd ";
    const TokenLists& lists = tokenize(text);
    std::string expected;
    for (int i = 0; i < 300; ++i)
        expected += "1st|ORDINAL=1 2nd|ORDINAL=2 ";
    expected.pop_back();
    EXPECT_EQ(show(lists.dateTokens), expected);
}

TEST(LowercaseTest, AsciiRunsAndOtherCharactersKeepTheirOrder) {
    const Row rows[] = {
        {"MIXED Case 42!", "mixed case 42!"},
        // ASCII, a two-byte letter, ASCII
        {"A\u00C4Q \u00D6L", "a\u00E4q \u00F6l"},
        // stray bytes between runs
        {"X\xFFY\x80Z\xC3", "x\xFFy\x80z\xC3"},
        // the Kelvin sign stays itself
        {"ab\u212ACD", "ab\u212Acd"},
        {"\u00C4", "\u00E4"},
    };
    std::string out = "left over from a longer text before";
    for (const Row& row : rows) {
        lowercaseInto(row.text, out);
        EXPECT_EQ(out, row.expected) << row.text;
    }
}

TEST(LowercaseTest, EveryAsciiByteAndEveryPlaceOfTheFirstOtherCharacter) {
    std::string all, expected;
    for (int b = 0; b < 0x80; ++b) {
        all += static_cast<char>(b);
        expected += static_cast<char>(b >= 'A' && b <= 'Z' ? b + 32 : b);
    }
    std::string out;
    lowercaseInto(all, out);
    EXPECT_EQ(out, expected);

    // The first non-ASCII character anywhere in and after the first words of eight bytes.
    for (std::size_t at = 0; at < 20; ++at) {
        lowercaseInto(std::string(at, 'Q') + "\u00C4Z", out);
        EXPECT_EQ(out, std::string(at, 'q') + "\u00E4z") << at;
    }
}

class TokenizerSettingsTest : public TokenizerTest {
protected:
    TokenizerSettingsTest()
        : TokenizerTest(SettingsFile::fromText("[number_postfixes]\n"
                                               "PF_FIRST=st;er\n"
                                               "PF_FOURTH=e\n"
                                               "[special_characters]\n"
                                               "DATE_SEPARATOR=/;.\n"
                                               "TIME_SEPARATOR=:;h\n")) {}
};

TEST_F(TokenizerSettingsTest, JoiningFollowsClassesButOrdinalPostfixesAreFixed) {
    // Ordinals join only with st, nd, rd and th, whatever the postfix words are.
    EXPECT_EQ(show(tokenize("1er 4e 4th").dateTokens),
              "1|NUMBER=1 er|NUMBER_POSTFIX 4|NUMBER=4 e|NUMBER_POSTFIX 4|NUMBER=4 th");
    // Any time separator word joins a clock time.
    EXPECT_EQ(show(tokenize("10h30").clockTokens1), "10|TIME=10:30");
    // Only "-" turns into TO; without its separator meaning it is dropped.
    EXPECT_EQ(show(tokenize("2.4 2-4pm").clockTokens),
              "2|HOUR=2 .|DATE_SEPARATOR 4|HOUR=4 2|HOUR=2 4|TIME=16:00");
}

}  // namespace
}  // namespace sentex
