// Hostile and unusual input: nothing crashes, nothing is written or read outside the
// buffers, every text slot stays NUL-terminated.
#include <cstring>
#include <string>
#include <vector>

#include "tests/parser/parse_fixture.h"

namespace sentex::testing {
namespace {

constexpr std::size_t kGuard = 64;
constexpr unsigned char kGuardByte = 0xA5;

class RobustnessTest : public ParseTest {
protected:
    // Parses into a result surrounded by guard bytes and checks the guards and slots.
    TParseResults parseGuarded(const char* text, ParseMode mode = ParseMode::Full) {
        std::vector<unsigned char> buffer(kGuard + sizeof(TParseResults) + kGuard, kGuardByte);
        char* result = reinterpret_cast<char*>(buffer.data() + kGuard);
        parseNote(state, text, mode, result);
        for (std::size_t i = 0; i < kGuard; ++i) {
            EXPECT_EQ(buffer[i], kGuardByte) << "wrote before the result";
            EXPECT_EQ(buffer[buffer.size() - 1 - i], kGuardByte) << "wrote past the result";
        }
        TParseResults r;
        std::memcpy(&r, result, sizeof r);
        const char* slots[] = {r.list, r.project,   r.contact, r.recipient,
                               r.date, r.startTime, r.endTime, r.spare};
        for (const char* slot : slots)
            EXPECT_NE(std::memchr(slot, '\0', SENTEX_TEXT_SLOT), nullptr) << "unterminated slot";
        return r;
    }
};

TEST_F(RobustnessTest, EmptyInputsGiveAnEmptyResult) {
    for (const char* text : {static_cast<const char*>(nullptr), "", " \t\r\n\v\f "}) {
        for (ParseMode mode : {ParseMode::Full, ParseMode::DatesOnly}) {
            const TParseResults r = parseGuarded(text, mode);
            EXPECT_STREQ(r.date, "");
            EXPECT_STREQ(r.startTime, "");
            EXPECT_EQ(r.isRecurring, 0);
        }
    }
}

TEST_F(RobustnessTest, ControlCharactersAndNonAsciiBytes) {
    const std::string texts[] = {
        std::string("\x01\x02\x1b[31mtomorrow\x7f", 15),
        "caf\xC3\xA9 \xC3\x84RGER tomorrow",     // valid UTF-8 letters
        "\xff\xfe\x80 tomorrow \xC3",            // invalid UTF-8, cut sequence at the end
        "\xED\xA0\x80 \xF4\x90\x80\x80 friday",  // surrogate and beyond U+10FFFF
        "tomorrow\xE2\x80\x83"
        "at 3pm",  // a non-ASCII space is part of a word
    };
    for (const std::string& text : texts)
        parseGuarded(text.c_str());
    EXPECT_STREQ(parseGuarded("\x01tomorrow\x02").date, "4/16/1998");
    EXPECT_STREQ(parseGuarded("\xff\xfe\x80 tomorrow \xC3").date, "4/16/1998");
    // A letter outside ASCII never lowercases into a vocabulary word: the Kelvin sign
    // stays what it is rather than turning "\u212Aay" into a word starting with "k".
    EXPECT_STREQ(parseGuarded("tomorrow at 3pm \xE2\x84\xAA").startTime, "15:0");
}

TEST_F(RobustnessTest, MegabyteNotes) {
    std::string words;
    while (words.size() < (1u << 20))
        words += "every other 12 3pm from the 2 weeks , ";
    parseGuarded(words.c_str());
    const std::string digits(1u << 20, '7');
    parseGuarded(digits.c_str());
    std::string punctuation(1u << 20, ',');
    punctuation += " tomorrow";
    EXPECT_STREQ(parseGuarded(punctuation.c_str()).date, "4/16/1998");
    // A short note after a huge one parses normally.
    EXPECT_STREQ(parseGuarded("friday").date, "4/17/1998");
}

TEST_F(RobustnessTest, LongestKeywordTargetsFillTheirSlotsExactly) {
    const std::string longest(127, 'n');
    AliasStore& store = state.aliases;
    ASSERT_TRUE(store.addName(TargetKind::List, longest));
    ASSERT_TRUE(store.addName(TargetKind::Project, longest));
    ASSERT_TRUE(store.addName(TargetKind::Contact, longest));
    ASSERT_TRUE(store.addAlias("bob", longest, longest, longest));
    const TParseResults r = parseGuarded("please bob call");
    EXPECT_EQ(std::string(r.list), longest);
    EXPECT_EQ(std::string(r.project), longest);
    EXPECT_EQ(std::string(r.recipient), longest);
}

TEST_F(RobustnessTest, DatesNearTheEndOfTheCalendar) {
    setNow(9999, 12, 30);
    parseGuarded("in 20 years");
    parseGuarded("every day next friday the 31st of every month tomorrow");
    setNow(100, 1, 1);
    parseGuarded("last friday of every month 4/20/99");
}

}  // namespace
}  // namespace sentex::testing
