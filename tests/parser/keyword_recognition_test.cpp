// Keywords in a note: the leading one (possibly addressed with "please" or "fyi"), the
// longest match, and the scan that fills only empty fields.
#include <string>

#include "tests/parser/parse_fixture.h"

namespace sentex::testing {
namespace {

class KeywordTest : public ParseTest {
protected:
    KeywordTest() {
        keyword("bob", "", "", "BOB-KEY");
        keyword("acme", "Clients", "", "ACME-KEY");
        keyword("acme corp", "Key Accounts", "task", "CORP-KEY");
        keyword("budget", "Finance", "appointment", "");
    }

    // Registers the targets that are not yet known, then the keyword.
    void keyword(const char* alias, const char* list, const char* project, const char* contact) {
        AliasStore& store = state.aliases;
        if (*list) store.addName(TargetKind::List, list);
        if (*project) store.addName(TargetKind::Project, project);
        if (*contact) store.addName(TargetKind::Contact, contact);
        ASSERT_TRUE(store.addAlias(alias, list, project, contact)) << alias;
    }
};

TEST_F(KeywordTest, LeadingKeywordGoesToContactUnlessAddressed) {
    struct Case {
        const char* text;
        const char* contact;
        const char* recipient;
        int fyi;
    };
    const Case cases[] = {
        {"bob call about the contract", "BOB-KEY", "", 0},
        {"please bob call about the contract", "", "BOB-KEY", 0},
        {"pls bob send it", "", "BOB-KEY", 0},
        {"please, bob send it", "", "BOB-KEY", 0},
        {"fyi bob the office is closed", "", "BOB-KEY", 1},
        {"bob please send it", "", "BOB-KEY", 0},
        {"bob fyi budget figures", "", "BOB-KEY", 1},
        {"bob, please send it", "", "BOB-KEY", 0},
        {"bob: fyi it is done", "", "BOB-KEY", 1},
        {"bob, call him", "BOB-KEY", "", 0},
        {"bob.", "BOB-KEY", "", 0},
        {"Bob", "BOB-KEY", "", 0},
    };
    for (const Case& c : cases) {
        const TParseResults r = parse(c.text);
        EXPECT_STREQ(r.contact, c.contact) << c.text;
        EXPECT_STREQ(r.recipient, c.recipient) << c.text;
        EXPECT_EQ(r.isFyi, c.fyi) << c.text;
    }
}

TEST_F(KeywordTest, FyiCountsEvenWithoutAKeyword) {
    const TParseResults r = parse("fyi the office is closed");
    EXPECT_EQ(r.isFyi, 1);
    EXPECT_STREQ(r.recipient, "");
    // "fyi" later in the text is not the leading word.
    EXPECT_EQ(parse("the office is closed fyi").isFyi, 0);
}

TEST_F(KeywordTest, PunctuationAfterTheLeadingKeywordStaysForTheScan) {
    // "call" is put back after "bob," and the scan still sees "budget".
    const TParseResults r = parse("bob, call about the budget");
    EXPECT_STREQ(r.contact, "BOB-KEY");
    EXPECT_STREQ(r.list, "Finance");
    EXPECT_STREQ(r.project, "appointment");
}

TEST_F(KeywordTest, LongestKeywordWins) {
    TParseResults r = parse("acme corp meeting");
    EXPECT_STREQ(r.contact, "CORP-KEY");
    EXPECT_STREQ(r.list, "Key Accounts");
    r = parse("acme meeting");
    EXPECT_STREQ(r.contact, "ACME-KEY");
    EXPECT_STREQ(r.list, "Clients");
    // A prefix that never completes falls back to the last whole keyword.
    keyword("acme corp europe ltd", "", "", "EU-KEY");
    EXPECT_STREQ(parse("acme corp europe office").contact, "CORP-KEY");
    EXPECT_STREQ(parse("acme corp europe ltd").contact, "EU-KEY");
}

TEST_F(KeywordTest, ScanFillsOnlyEmptyFieldsInTextOrder) {
    // The leading keyword first, then the earliest later keyword per field.
    TParseResults r = parse("budget review with acme corp and bob");
    EXPECT_STREQ(r.list, "Finance");
    EXPECT_STREQ(r.project, "appointment");
    EXPECT_STREQ(r.contact, "CORP-KEY");
    // The scan never fills the recipient.
    r = parse("meet bob tomorrow at 3pm");
    EXPECT_STREQ(r.contact, "BOB-KEY");
    EXPECT_STREQ(r.recipient, "");
    EXPECT_STREQ(r.date, "4/16/1998");
    EXPECT_STREQ(r.startTime, "15:0");
    r = parse("please bob talk to acme");
    EXPECT_STREQ(r.recipient, "BOB-KEY");
    EXPECT_STREQ(r.contact, "ACME-KEY");
    EXPECT_STREQ(r.list, "Clients");
}

TEST_F(KeywordTest, KeywordsMatchWholeTokensOnly) {
    EXPECT_STREQ(parse("bobby called").contact, "");
    EXPECT_STREQ(parse("call acmecorp").contact, "");
    // Punctuation between the words of a keyword breaks it.
    EXPECT_STREQ(parse("acme, corp").contact, "ACME-KEY");
}

TEST_F(KeywordTest, WordsOfAKeywordMayBeSpacedAnyWayInTheNote) {
    keyword("acme corp west", "", "", "WEST-KEY");
    const char* const notes[] = {
        "call acme corp west",    "call acme  corp west", "call acme corp\twest",
        "call ACME Corp  West",   "acme\ncorp west call", "call acme corp   west!",
        "call acme \t corp west",
    };
    for (const char* note : notes)
        EXPECT_STREQ(parse(note).contact, "WEST-KEY") << note;
    // Words that touch, or have a mark between them, are not the keyword's words.
    EXPECT_STREQ(parse("call acme corp-west").contact, "CORP-KEY");
    EXPECT_STREQ(parse("call acme corpwest").contact, "ACME-KEY");
    EXPECT_STREQ(parse("call acme corp west2").contact, "WEST-KEY");
}

TEST_F(KeywordTest, DateParseAndResetLeaveKeywordsOut) {
    TParseResults r;
    parseNote(state, "please bob call tomorrow", ParseMode::DatesOnly, reinterpret_cast<char*>(&r));
    EXPECT_STREQ(r.recipient, "");
    EXPECT_STREQ(r.date, "4/16/1998");
    state.aliases.clear();
    EXPECT_STREQ(parse("bob call").contact, "");
}

}  // namespace
}  // namespace sentex::testing
