// The keyword store inside a parse state of its own: its word prefixes, and what the
// parser recognises after keywords and names change.
#include <string>

#include "tests/parser/parse_fixture.h"

namespace sentex::testing {
namespace {

class AliasStoreTest : public ParseTest {
protected:
    AliasStore& store = state.aliases;

    void names(TargetKind kind, std::initializer_list<const char*> list) {
        for (const char* name : list)
            ASSERT_TRUE(store.addName(kind, name)) << name;
    }
    void contactKeyword(const char* alias, const char* contact) {
        ASSERT_TRUE(store.addAlias(alias, "", "", contact)) << alias;
    }
    bool prefix(const char* text) const { return store.isKeywordPrefix(text); }
};

TEST_F(AliasStoreTest, DeletedNamesTakeTheirKeywordsOutOfNotes) {
    names(TargetKind::List, {"Work", "Finance"});
    names(TargetKind::Contact, {"BOB-KEY"});
    ASSERT_TRUE(store.addAlias("Bob  Smith", " work", "", "BOB-KEY"));
    ASSERT_TRUE(store.addAlias("budget", "Finance", "", ""));
    const std::string note = "call bob smith about the budget";

    TParseResults r = parse(note);
    EXPECT_STREQ(r.list, "work");  // the caller's spelling, trimmed
    EXPECT_STREQ(r.contact, "BOB-KEY");

    // The keyword keeps its contact when its list goes.
    ASSERT_TRUE(store.deleteName(TargetKind::List, " WORK "));
    const AliasTargets* targets = store.findKeyword("bob smith");
    ASSERT_NE(targets, nullptr);
    EXPECT_EQ(targets->list, "");
    EXPECT_EQ(targets->contact, "BOB-KEY");
    r = parse(note);
    EXPECT_STREQ(r.list, "Finance");
    EXPECT_STREQ(r.contact, "BOB-KEY");

    // With nothing left to name it goes entirely, its first word included.
    ASSERT_TRUE(store.deleteName(TargetKind::Contact, "bob-key"));
    EXPECT_EQ(store.findKeyword("bob smith"), nullptr);
    EXPECT_FALSE(prefix("bob"));
    EXPECT_FALSE(prefix("bob smith"));
    r = parse("bob smith budget");
    EXPECT_STREQ(r.contact, "");
    EXPECT_STREQ(r.list, "Finance");
}

TEST_F(AliasStoreTest, SharedPrefixesAreCountedPerKeyword) {
    names(TargetKind::Contact, {"ACME-KEY", "CORP-KEY", "INC-KEY"});
    contactKeyword("acme", "ACME-KEY");
    contactKeyword("acme corp", "CORP-KEY");
    contactKeyword("acme inc", "INC-KEY");
    EXPECT_TRUE(prefix("acme"));
    EXPECT_TRUE(prefix("acme corp"));
    EXPECT_FALSE(prefix("corp"));
    EXPECT_FALSE(prefix("acme corp inc"));

    ASSERT_TRUE(store.deleteAlias("acme corp"));
    EXPECT_TRUE(prefix("acme"));
    EXPECT_FALSE(prefix("acme corp"));
    EXPECT_STREQ(parse("acme corp meeting").contact, "ACME-KEY");

    ASSERT_TRUE(store.deleteAlias("ACME"));
    EXPECT_TRUE(prefix("acme"));  // still the first word of "acme inc"
    EXPECT_STREQ(parse("acme meeting").contact, "");
    EXPECT_STREQ(parse("acme inc meeting").contact, "INC-KEY");

    ASSERT_TRUE(store.deleteAlias("acme inc"));
    EXPECT_FALSE(prefix("acme"));
    EXPECT_TRUE(store.empty());
}

// "bob" and "bab" look alike to the quick test in front of the prefix lookup (same
// length, same first and last letters): withdrawing one must leave the other.
TEST_F(AliasStoreTest, LookAlikeKeywordsAreWithdrawnOneByOne) {
    names(TargetKind::Contact, {"BOB-KEY", "BAB-KEY"});
    contactKeyword("bob", "BOB-KEY");
    contactKeyword("bab", "BAB-KEY");
    ASSERT_TRUE(store.deleteAlias("bab"));
    EXPECT_FALSE(prefix("bab"));
    EXPECT_TRUE(prefix("bob"));
    EXPECT_STREQ(parse("ask bob").contact, "BOB-KEY");

    ASSERT_TRUE(store.renameAlias("bob", "bib"));
    EXPECT_FALSE(prefix("bob"));
    EXPECT_STREQ(parse("ask bib").contact, "BOB-KEY");
    EXPECT_STREQ(parse("ask bob").contact, "");

    store.clear();
    EXPECT_FALSE(prefix("bib"));
    names(TargetKind::Contact, {"BOB-KEY"});
    contactKeyword("bob", "BOB-KEY");
    EXPECT_STREQ(parse("ask bob").contact, "BOB-KEY");
}

// A prefix knows the keyword it is itself, through additions, deletions and renames.
TEST_F(AliasStoreTest, APrefixNamesTheKeywordItIs) {
    names(TargetKind::Contact, {"ACME-KEY", "CORP-KEY", "NEW-KEY"});
    contactKeyword("acme corp", "CORP-KEY");
    const auto keywordOf = [this](const char* text) -> std::string {
        const KeywordPrefix* p = store.findKeywordPrefix(text);
        if (!p) return "no prefix";
        return p->keyword ? p->keyword->contact : "none";
    };
    EXPECT_EQ(keywordOf("acme"), "none");
    EXPECT_EQ(keywordOf("acme corp"), "CORP-KEY");

    contactKeyword("acme", "ACME-KEY");
    EXPECT_EQ(keywordOf("acme"), "ACME-KEY");
    EXPECT_EQ(store.findKeywordPrefix("acme")->keywords, 2);
    ASSERT_TRUE(store.deleteAlias("acme"));
    EXPECT_EQ(keywordOf("acme"), "none");
    EXPECT_EQ(store.findKeywordPrefix("acme")->keywords, 1);

    contactKeyword("acme", "NEW-KEY");
    EXPECT_EQ(keywordOf("acme"), "NEW-KEY");
    ASSERT_TRUE(store.renameAlias("acme", "acme inc"));
    EXPECT_EQ(keywordOf("acme"), "none");
    EXPECT_EQ(keywordOf("acme inc"), "NEW-KEY");
    EXPECT_STREQ(parse("ask acme inc").contact, "NEW-KEY");
    EXPECT_STREQ(parse("ask acme").contact, "");

    ASSERT_TRUE(store.renameName(TargetKind::Contact, "corp-key", "CORP-2"));
    EXPECT_EQ(keywordOf("acme corp"), "CORP-2");
    ASSERT_TRUE(store.deleteName(TargetKind::Contact, "corp-2"));
    EXPECT_EQ(keywordOf("acme corp"), "no prefix");
    EXPECT_EQ(keywordOf("acme"), "none");
}

TEST_F(AliasStoreTest, DeletingANameWithdrawsEveryKeywordOfIt) {
    names(TargetKind::Contact, {"ACME-KEY", "BOB-KEY"});
    for (const char* alias : {"acme", "acme corp", "acme corp west"})
        contactKeyword(alias, "ACME-KEY");
    contactKeyword("bob", "BOB-KEY");
    ASSERT_TRUE(store.deleteName(TargetKind::Contact, "acme-key"));
    for (const char* gone : {"acme", "acme corp", "acme corp west"}) {
        EXPECT_FALSE(prefix(gone)) << gone;
        EXPECT_EQ(store.findKeyword(gone), nullptr) << gone;
    }
    EXPECT_STREQ(parse("acme corp west bob").contact, "BOB-KEY");
}

TEST_F(AliasStoreTest, RenamesReachTheParser) {
    names(TargetKind::List, {"Work"});
    names(TargetKind::Contact, {"BOB-KEY"});
    ASSERT_TRUE(store.addAlias("bob", "Work", "", "BOB-KEY"));

    ASSERT_TRUE(store.renameAlias("Bob", "Robert  Jr"));
    EXPECT_FALSE(prefix("bob"));
    EXPECT_TRUE(prefix("robert"));
    EXPECT_STREQ(parse("bob call him").contact, "");
    EXPECT_STREQ(parse("robert jr call him").contact, "BOB-KEY");

    ASSERT_TRUE(store.renameName(TargetKind::Contact, "bob-key", "ROB-KEY"));
    ASSERT_TRUE(store.renameName(TargetKind::List, "WORK", " Office "));
    TParseResults r = parse("robert jr call him");
    EXPECT_STREQ(r.contact, "ROB-KEY");
    EXPECT_STREQ(r.list, "Office");
    EXPECT_FALSE(store.deleteName(TargetKind::Contact, "bob-key"));

    // The renamed keyword under its renamed names still goes with them.
    ASSERT_TRUE(store.deleteName(TargetKind::Contact, "rob-key"));
    ASSERT_NE(store.findKeyword("robert jr"), nullptr);
    ASSERT_TRUE(store.deleteName(TargetKind::List, "office"));
    EXPECT_EQ(store.findKeyword("robert jr"), nullptr);
    EXPECT_FALSE(prefix("robert"));
}

TEST_F(AliasStoreTest, RefusedChangesLeaveNoPrefixes) {
    names(TargetKind::Contact, {"BOB-KEY"});
    EXPECT_FALSE(store.addAlias("please call", "", "", "BOB-KEY"));
    EXPECT_FALSE(store.addAlias("bob smith", "", "", "NOBODY"));
    contactKeyword("ann", "BOB-KEY");
    EXPECT_FALSE(store.renameAlias("ann", "fyi ann"));
    for (const char* none : {"please", "bob", "fyi"})
        EXPECT_FALSE(prefix(none)) << none;
    EXPECT_STREQ(parse("ann call").contact, "BOB-KEY");
}

}  // namespace
}  // namespace sentex::testing
