// The keyword store as a program sees it: only the exported functions of the shared
// library. The store is global, so every test starts from an empty one.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "sentex.h"

namespace {

constexpr char kUnwritten = '#';
constexpr std::size_t kSlot = SENTEX_TEXT_SLOT;

// Caller-owned output: `Slots` 128-byte slots followed by guard bytes no call may touch.
template <std::size_t Slots>
class Out {
public:
    Out() { bytes_.fill(kUnwritten); }
    char* get() { return bytes_.data(); }
    bool untouched() const {
        return std::all_of(bytes_.begin(), bytes_.end(), [](char c) { return c == kUnwritten; });
    }
    // The text in slot i; fails the test when it is not terminated inside its slot or
    // anything was written past the last slot.
    std::string operator[](std::size_t i) const {
        EXPECT_TRUE(std::all_of(bytes_.begin() + kSlot * Slots, bytes_.end(), [](char c) {
            return c == kUnwritten;
        })) << "written past the buffer";
        const char* s = bytes_.data() + kSlot * i;
        const bool terminated = std::memchr(s, '\0', kSlot) != nullptr;
        EXPECT_TRUE(terminated) << "slot " << i << " not terminated";
        return terminated ? std::string(s) : std::string();
    }
    std::string text() const { return (*this)[0]; }

private:
    std::array<char, kSlot * Slots + 16> bytes_;
};
using Text = Out<1>;
using Block = Out<3>;

std::string filter(const char* text, int32_t expected) {
    Text out;
    EXPECT_EQ(Prs_FilterAlias(text, out.get()), expected) << (text ? text : "(null)");
    return out.text();
}

using Slots = std::array<std::string, 3>;
Slots suggestName(int32_t (*suggest)(const char*, char*), const char* name) {
    Block b;
    suggest(name, b.get());
    return {b[0], b[1], b[2]};
}
Slots suggestContact(const char* first, const char* last, const char* other) {
    Block b;
    Prs_SuggestContactAliases(first, last, other, b.get());
    return {b[0], b[1], b[2]};
}

struct Entry {
    std::string alias, list, project, contact;
    bool operator==(const Entry&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Entry& e) {
    return os << '{' << e.alias << '|' << e.list << '|' << e.project << '|' << e.contact << '}';
}

// One enumeration step; at the end the buffers must stay as they were.
std::optional<Entry> fetch(bool first) {
    Text a, l, p, c;
    if (!(first ? Prs_GetFirstAlias : Prs_GetNextAlias)(a.get(), l.get(), p.get(), c.get())) {
        EXPECT_TRUE(a.untouched() && l.untouched() && p.untouched() && c.untouched());
        return std::nullopt;
    }
    return Entry{a.text(), l.text(), p.text(), c.text()};
}

std::vector<Entry> enumerate() {
    std::vector<Entry> all;
    for (auto e = fetch(true); e; e = fetch(false))
        all.push_back(*e);
    return all;
}

// One kind of target name and its exports; `slot` is its place among the alias targets.
struct Kind {
    const char* label;
    int32_t (*add)(const char*);
    int32_t (*remove)(const char*);
    int32_t (*rename)(const char*, const char*);
    int32_t (*is)(const char*);
    int32_t (*autoFill)(const char*, char*);
    int slot;

    int32_t addAlias(const char* alias, const char* name) const {
        const char* t[3] = {"", "", ""};
        t[slot] = name;
        return Prs_AddAlias(alias, t[0], t[1], t[2]);
    }
    std::string target(const Entry& e) const {
        return slot == 0 ? e.list : slot == 1 ? e.project : e.contact;
    }
    std::string complete(const char* beginning, int32_t expected) const {
        Text out;
        EXPECT_EQ(autoFill(beginning, out.get()), expected)
            << label << ' ' << (beginning ? beginning : "(null)");
        return out.text();
    }
};
const Kind kKinds[] = {
    {"list", Prs_AddList, Prs_DeleteList, Prs_RenameList, Prs_IsList, Prs_AutoFillList, 0},
    {"project", Prs_AddProject, Prs_DeleteProject, Prs_RenameProject, Prs_IsProject,
     Prs_AutoFillProject, 1},
    {"contact", Prs_AddContact, Prs_DeleteContact, Prs_RenameContact, Prs_IsContact,
     Prs_AutoFillContact, 2},
};

class AliasExportsTest : public ::testing::Test {
protected:
    void SetUp() override { Prs_ResetParseDll(); }
    void TearDown() override { Prs_ResetParseDll(); }
};

TEST_F(AliasExportsTest, FilterAliasWritesTheCanonicalForm) {
    const std::string a127(127, 'a'), a128(128, 'a');
    std::string words127;  // 64 times "a", 127 bytes with the blanks
    for (int i = 0; i < 64; ++i)
        words127 += i ? " a" : "a";
    EXPECT_EQ(filter("  Acme,  Inc. ", 1), "acme , inc .");
    EXPECT_EQ(filter("3pm Review", 1), "3 pm review");
    EXPECT_EQ(filter("O'Brien", 1), "o ' brien");
    EXPECT_EQ(filter("Tab\tand\r\nLine", 1), "tab and line");
    EXPECT_EQ(filter("ÉCOLE Été", 1), "école été");
    EXPECT_EQ(filter((std::string(200, ' ') + "x" + std::string(200, ' ')).c_str(), 1), "x");
    EXPECT_EQ(filter(a127.c_str(), 1), a127);
    EXPECT_EQ(filter(words127.c_str(), 1), words127);
    // Too long to ever be a keyword (the second only once canonical), and empty texts.
    EXPECT_EQ(filter(a128.c_str(), 0), "");
    EXPECT_EQ(filter((words127 + ",").c_str(), 0), "");
    for (const char* empty : {" \t\n", "", static_cast<const char*>(nullptr)})
        EXPECT_EQ(filter(empty, 0), "");
    EXPECT_EQ(Prs_FilterAlias("x", nullptr), 1);
}

TEST_F(AliasExportsTest, NamesAreTrimmedCaseInsensitiveAndUniquePerKind) {
    const std::string n127(127, 'n'), n128(128, 'n'), k127(127, 'k');
    const std::string padded = "\t " + n127 + " \n";
    for (const Kind& k : kKinds) {
        SCOPED_TRACE(k.label);
        Prs_ResetParseDll();
        EXPECT_EQ(k.add(" Work "), 1);
        for (const char* refused : {"WORK", "work\t", " wORk", "", " \t\r\n", n128.c_str()})
            EXPECT_EQ(k.add(refused), 0) << refused;
        EXPECT_EQ(k.add(nullptr), 0);
        EXPECT_EQ(k.add(padded.c_str()), 1);
        EXPECT_EQ(k.is("  wOrK "), 1);
        EXPECT_EQ(k.is(n127.c_str()), 1);
        EXPECT_EQ(k.is(n128.c_str()), 0);
        EXPECT_EQ(k.is(nullptr), 0);
        EXPECT_EQ(k.complete("W", 1), "Work");
        EXPECT_EQ(k.complete("nn", 1), n127);
        for (const Kind& other : kKinds)
            EXPECT_EQ(other.is("work"), &other == &k ? 1 : 0) << other.label;
        // The longest keyword and name come back whole.
        ASSERT_EQ(k.addAlias(k127.c_str(), padded.c_str()), 1);
        const std::vector<Entry> all = enumerate();
        ASSERT_EQ(all.size(), 1u);
        EXPECT_EQ(all[0].alias, k127);
        EXPECT_EQ(k.target(all[0]), n127);
    }
}

TEST_F(AliasExportsTest, AddAliasAndValidity) {
    ASSERT_EQ(Prs_AddList("Work") + Prs_AddProject("task"), 2);
    EXPECT_EQ(Prs_AddAlias("Bob", "", "", "K1"), 0);  // contact not registered yet
    ASSERT_EQ(Prs_AddContact("K1"), 1);
    EXPECT_EQ(Prs_AddAlias("Bob", nullptr, nullptr, " k1 "), 1);
    // No target, or a name of another kind.
    EXPECT_EQ(Prs_AddAlias("memo", "", "", ""), 0);
    EXPECT_EQ(Prs_AddAlias("memo", nullptr, " ", nullptr), 0);
    EXPECT_EQ(Prs_AddAlias("memo", "task", "", ""), 0);
    EXPECT_EQ(Prs_AddAlias("memo", "Work", "Work", ""), 0);
    const std::string x128(128, 'x');
    for (const char* text : {"please call", "fyi", ", bob", "", "   ", "PLS do", ": notes", "; x",
                             "BOB", " bob ", x128.c_str(), static_cast<const char*>(nullptr)}) {
        EXPECT_EQ(Prs_IsValidAlias(text), 0) << (text ? text : "(null)");
        EXPECT_EQ(Prs_AddAlias(text, "Work", "", ""), 0) << (text ? text : "(null)");
    }
    EXPECT_EQ(Prs_AddAlias("Acme  Corp", "Work", "", ""), 1);
    for (const char* again : {"acme corp", " ACME   CORP "})
        EXPECT_EQ(Prs_IsValidAlias(again) + Prs_AddAlias(again, "", "task", ""), 0) << again;
    for (const char* valid : {"acme, corp", "call please", "notes:", "bo"})
        EXPECT_EQ(Prs_IsValidAlias(valid) + Prs_AddAlias(valid, "Work", "task", "K1"), 2) << valid;
    EXPECT_EQ(enumerate().size(), 6u);
    EXPECT_EQ(Prs_IsAlias("BOB") + Prs_IsAlias("  Bob ") + Prs_IsAlias("NOTES :"), 3);
    EXPECT_EQ(Prs_IsAlias("b") + Prs_IsAlias(nullptr), 0);
}

TEST_F(AliasExportsTest, DeleteAndRenameAliases) {
    ASSERT_EQ(Prs_AddContact("K1"), 1);
    ASSERT_EQ(Prs_AddAlias("bob", "", "", "K1") + Prs_AddAlias("ann", "", "", "K1"), 2);
    for (const char* refused : {"Bob", " BOB ", "please bob", "", "ann", "  "})
        EXPECT_EQ(Prs_RenameAlias("bob", refused), 0) << refused;
    EXPECT_EQ(Prs_RenameAlias("bob", std::string(128, 'r').c_str()), 0);
    EXPECT_EQ(Prs_RenameAlias("nobody", "somebody"), 0);
    EXPECT_EQ(Prs_IsAlias("somebody"), 0);
    EXPECT_EQ(Prs_RenameAlias(" BOB", "Robert  Jr"), 1);
    EXPECT_EQ(Prs_IsAlias("bob"), 0);
    const std::vector<Entry> all = enumerate();
    EXPECT_EQ(all.size(), 2u);
    EXPECT_NE(std::find(all.begin(), all.end(), Entry{"robert jr", "", "", "K1"}), all.end());
    EXPECT_EQ(Prs_DeleteAlias("nobody"), 0);
    EXPECT_EQ(Prs_DeleteAlias(" ROBERT jr "), 1);
    EXPECT_EQ(Prs_DeleteAlias("robert jr"), 0);
    EXPECT_EQ(enumerate(), (std::vector<Entry>{{"ann", "", "", "K1"}}));
}

TEST_F(AliasExportsTest, NameChangesReachTheirAliases) {
    const std::string o128(128, 'o');
    for (const Kind& k : kKinds) {
        SCOPED_TRACE(k.label);
        Prs_ResetParseDll();
        const Kind& other = kKinds[(k.slot + 1) % 3];
        ASSERT_EQ(k.add("Work") + k.add("Home") + other.add("Keep"), 3);
        ASSERT_EQ(k.addAlias("w1", "work") + k.addAlias("w2", " WORK") + k.addAlias("h", "Home"),
                  3);
        const char* both[3] = {"", "", ""};
        both[k.slot] = "work";
        both[other.slot] = "Keep";
        ASSERT_EQ(Prs_AddAlias("pair", both[0], both[1], both[2]), 1);

        // A rename needs a known old name and a new, non-empty one: letter case or blanks
        // alone do not make it new. A refused rename keeps the old name as it was.
        for (const char* refused : {"HOME", "WORK", " work ", "", " \t", o128.c_str()})
            EXPECT_EQ(k.rename("Work", refused), 0) << refused;
        EXPECT_EQ(k.rename("Work", nullptr) + k.rename("nothing", "Else"), 0);
        EXPECT_EQ(k.is("work"), 1);
        EXPECT_EQ(k.complete("wo", 1), "Work");
        EXPECT_EQ(k.rename("work", "  Office "), 1);
        EXPECT_EQ(k.is("work"), 0);
        EXPECT_EQ(k.complete("w", 0), "");
        EXPECT_EQ(k.complete("O", 1), "Office");
        for (const Entry& e : enumerate())
            EXPECT_EQ(k.target(e), e.alias == "h" ? "Home" : "Office") << e;

        // Deleting empties the targets; an alias left with none goes.
        EXPECT_EQ(k.remove(" oFFICE "), 1);
        EXPECT_EQ(k.remove("office") + k.is("Office") + k.addAlias("again", "Office"), 0);
        const std::vector<Entry> left = enumerate();
        EXPECT_EQ(left.size(), 2u);
        for (const Entry& e : left) {
            EXPECT_EQ(k.target(e), e.alias == "h" ? "Home" : "") << e;
            EXPECT_EQ(other.target(e), e.alias == "pair" ? "Keep" : "") << e;
        }
        EXPECT_EQ(other.remove("keep"), 1);
        EXPECT_EQ(Prs_IsAlias("pair") + Prs_IsAlias("w1"), 0);
        EXPECT_EQ(Prs_IsAlias("h"), 1);
    }
}

TEST_F(AliasExportsTest, AutoFillGivesTheSmallestMatchingKey) {
    for (const Kind& k : kKinds) {
        SCOPED_TRACE(k.label);
        Prs_ResetParseDll();
        for (const char* name : {"workshop", "Work", "AB", "a_b", "Café", "Cafz"})
            ASSERT_EQ(k.add(name), 1) << name;
        EXPECT_EQ(k.complete("WO", 1), "Work");
        EXPECT_EQ(k.complete("work", 1), "Work");
        EXPECT_EQ(k.complete("works", 1), "workshop");
        EXPECT_EQ(k.complete("a", 1), "a_b");     // '_' sorts before 'b'
        EXPECT_EQ(k.complete("caf", 1), "Cafz");  // 'z' sorts before the bytes of 'é'
        EXPECT_EQ(k.complete("CAFÉ", 1), "Café");
        for (const char* none : {" wo", "", "workshops", "x"})
            EXPECT_EQ(k.complete(none, 0), "") << none;
        EXPECT_EQ(k.complete(nullptr, 0), "");
        EXPECT_EQ(k.autoFill("wo", nullptr), 1);
        ASSERT_EQ(k.remove("work"), 1);
        EXPECT_EQ(k.complete("wo", 1), "workshop");
    }
}

TEST_F(AliasExportsTest, SuggestListAndProjectAliases) {
    ASSERT_EQ(Prs_AddList("Work"), 1);
    ASSERT_EQ(Prs_AddAlias("old plans", "Work", "", "") + Prs_AddAlias("old", "Work", "", ""), 2);
    const std::string longWord(130, 'x'), longName = longWord + " team";
    const std::pair<const char*, Slots> cases[] = {
        {"Marketing Plans", {"marketing plans", "marketing", ""}},
        {"The Budget", {"the budget", "budget", ""}},  // "the" is a reserved word
        {"Home", {"home", "", ""}},
        {"To Do", {"to do", "", ""}},
        {"Today", {"", "", ""}},
        {"Please Review", {"review", "", ""}},
        {"Q3 Sales Plan", {"q 3 sales plan", "sales", ""}},
        {"Old Plans", {"plans", "", ""}},  // both others are keywords already
        {"ab", {"", "", ""}},
        {"", {"", "", ""}},
        {nullptr, {"", "", ""}},
        {longWord.c_str(), {"", "", ""}},
        {longName.c_str(), {"team", "", ""}},
    };
    for (auto suggest : {Prs_SuggestListAliases, Prs_SuggestProjectAliases}) {
        for (const auto& [name, expected] : cases)
            EXPECT_EQ(suggestName(suggest, name), expected) << (name ? name : "(null)");
        suggest("Home", nullptr);
    }
    ASSERT_EQ(Prs_AddAlias("to do", "Work", "", ""), 1);
    EXPECT_EQ(suggestName(Prs_SuggestListAliases, "To Do"), (Slots{"", "", ""}));
}

TEST_F(AliasExportsTest, SuggestContactAliases) {
    struct Case {
        const char *first, *last, *other;
        Slots expected;
    };
    const std::string a100(100, 'a'), b100(100, 'b'), a130(130, 'a'), f63(63, 'f'), l63(63, 'l');
    const Case cases[] = {
        {"Ann", "Lee", "", {"ann lee", "lee", ""}},
        {"Ann", "Lee", "Acme", {"ann lee", "lee", ""}},
        {"", "", "Acme, Inc.", {"acme , inc .", "", ""}},
        {"Ann", "", "Acme", {"ann", "", ""}},
        {"", "Lee", "", {"lee", "", ""}},
        {"Al", "", "", {"", "", ""}},
        {"Jo", "Li", "", {"jo li", "jo l", ""}},
        {"Ann", "May", "", {"ann may", "ann m", ""}},  // "may" is a reserved word
        {"a", "b", "", {"a b", "", ""}},
        {nullptr, nullptr, nullptr, {"", "", ""}},
        {f63.c_str(), l63.c_str(), "", {f63 + " " + l63, l63, ""}},
        {a100.c_str(), b100.c_str(), "", {b100, a100 + " b", ""}},
        {a130.c_str(), "Lee", "", {"lee", "", ""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(suggestContact(c.first, c.last, c.other), c.expected)
            << (c.first ? c.first : "") << '/' << (c.last ? c.last : "");
    // Existing keywords are not proposed again; the first name and initial always is.
    ASSERT_EQ(Prs_AddContact("K1"), 1);
    ASSERT_EQ(Prs_AddAlias("lee", "", "", "K1"), 1);
    EXPECT_EQ(suggestContact("Ann", "Lee", ""), (Slots{"ann lee", "ann l", ""}));
    ASSERT_EQ(Prs_AddAlias("ann lee", "", "", "K1"), 1);
    EXPECT_EQ(suggestContact("Ann", "Lee", ""), (Slots{"ann l", "", ""}));
    ASSERT_EQ(Prs_AddAlias("ãrn", "", "", "K1"), 1);  // the initial is a whole character
    EXPECT_EQ(suggestContact("Ann", "Ãrn", ""), (Slots{"ann ãrn", "ann ã", ""}));
    Prs_SuggestContactAliases("Ann", "Lee", "", nullptr);
}

// Where the keyword table keeps a text: h := h * 33 + c over its bytes as signed
// characters, in 32 bits, modulo its 17 buckets.
std::size_t bucketOf(const std::string& text) {
    uint32_t h = 0;
    for (char c : text)
        h = h * 33u + static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(c)));
    return h % 17;
}

// Bucket 0 upwards, the most recently added first within a bucket.
std::vector<Entry> tableOrder(const std::vector<Entry>& added) {
    std::vector<Entry> order;
    for (std::size_t bucket = 0; bucket < 17; ++bucket)
        for (auto it = added.rbegin(); it != added.rend(); ++it)
            if (bucketOf(it->alias) == bucket) order.push_back(*it);
    return order;
}

TEST_F(AliasExportsTest, EnumerationFollowsTheTableOrder) {
    EXPECT_FALSE(fetch(true));  // buffers untouched when empty
    EXPECT_FALSE(fetch(false));
    ASSERT_EQ(Prs_AddList("Work") + Prs_AddProject("Task") + Prs_AddContact("K1"), 3);
    std::vector<std::string> texts = {"café",        "über uns", "naïve plan",
                                      "smörgåsbord", "ñu",       "日本 office"};
    for (int i = 0; texts.size() < 40; ++i)
        texts.push_back("kw " + std::to_string(i * 7));
    std::vector<Entry> added;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        added.push_back({texts[i], i % 2 ? "Work" : "", i % 3 ? "" : "task", i % 2 ? "" : "K1"});
        const Entry& e = added.back();
        ASSERT_EQ(
            Prs_AddAlias(texts[i].c_str(), e.list.c_str(), e.project.c_str(), e.contact.c_str()), 1)
            << e;
    }
    EXPECT_EQ(enumerate(), tableOrder(added));

    // A renamed keyword is the newest of its new bucket, where others are already.
    ASSERT_EQ(Prs_RenameAlias("kw 0", "renamed"), 1);
    Entry renamed = added[6];
    ASSERT_EQ(renamed.alias, "kw 0");
    added.erase(added.begin() + 6);
    ASSERT_TRUE(std::any_of(added.begin(), added.end(), [](const Entry& e) {
        return bucketOf(e.alias) == bucketOf("renamed");
    }));
    renamed.alias = "renamed";
    added.push_back(renamed);
    EXPECT_EQ(enumerate(), tableOrder(added));

    // Null buffers are skipped.
    Text contact;
    EXPECT_EQ(Prs_GetFirstAlias(nullptr, nullptr, nullptr, contact.get()), 1);
    EXPECT_EQ(contact.text(), tableOrder(added)[0].contact);
    for (std::size_t i = 1; i < added.size(); ++i)
        ASSERT_EQ(Prs_GetNextAlias(nullptr, nullptr, nullptr, nullptr), 1);
    EXPECT_EQ(Prs_GetNextAlias(nullptr, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(Prs_GetNextAlias(nullptr, nullptr, nullptr, nullptr), 0);
}

TEST_F(AliasExportsTest, AnyChangeEndsTheEnumeration) {
    const std::pair<const char*, std::function<int32_t()>> changes[] = {
        {"add alias", [] { return Prs_AddAlias("four", "Work", "", ""); }},
        {"delete alias", [] { return Prs_DeleteAlias("two"); }},
        {"rename alias", [] { return Prs_RenameAlias("two", "deux"); }},
        {"add list", [] { return Prs_AddList("Home"); }},
        {"delete unused list", [] { return Prs_DeleteList("Spare"); }},
        {"rename list", [] { return Prs_RenameList("Work", "Office"); }},
        {"add project", [] { return Prs_AddProject("note"); }},
        {"delete project", [] { return Prs_DeleteProject("task"); }},
        {"rename project", [] { return Prs_RenameProject("task", "todo"); }},
        {"add contact", [] { return Prs_AddContact("K2"); }},
        {"delete contact", [] { return Prs_DeleteContact("K1"); }},
        {"rename contact", [] { return Prs_RenameContact("K1", "K9"); }},
        {"reset", [] { return Prs_ResetParseDll() + 1; }},
    };
    auto fill = [] {
        Prs_ResetParseDll();
        ASSERT_EQ(Prs_AddList("Work") + Prs_AddList("Spare") + Prs_AddProject("task") +
                      Prs_AddContact("K1"),
                  4);
        ASSERT_EQ(Prs_AddAlias("one", "Work", "", "") + Prs_AddAlias("two", "", "task", "") +
                      Prs_AddAlias("three", "", "", "K1"),
                  3);
    };
    for (const auto& [label, change] : changes) {
        fill();
        ASSERT_TRUE(fetch(true)) << label;
        ASSERT_EQ(change(), 1) << label;
        EXPECT_FALSE(fetch(false)) << label;
    }
    // Refusals and queries change nothing and leave it running.
    fill();
    ASSERT_TRUE(fetch(true));
    EXPECT_EQ(Prs_AddList("WORK") + Prs_AddAlias("one", "Work", "", "") + Prs_DeleteAlias("none") +
                  Prs_RenameList("Work", "work") + Prs_DeleteContact("K7") + Prs_IsAlias("one"),
              1);
    suggestName(Prs_SuggestListAliases, "Work Plan");
    char result[sizeof(TParseResults)];
    Prs_Parse("one tomorrow", result);
    EXPECT_TRUE(fetch(false));
    EXPECT_TRUE(fetch(false));
    EXPECT_FALSE(fetch(false));
}

TEST_F(AliasExportsTest, ResetEmptiesEverything) {
    ASSERT_EQ(Prs_AddList("Work") + Prs_AddProject("Work") + Prs_AddContact("Work"), 3);
    ASSERT_EQ(Prs_AddAlias("bob", "Work", "Work", "Work"), 1);
    EXPECT_EQ(Prs_ResetParseDll(), 0);
    for (const Kind& k : kKinds) {
        EXPECT_EQ(k.is("work"), 0) << k.label;
        EXPECT_EQ(k.complete("w", 0), "") << k.label;
    }
    EXPECT_EQ(Prs_IsAlias("bob"), 0);
    EXPECT_EQ(Prs_IsValidAlias("bob"), 1);
    EXPECT_FALSE(fetch(true));
    EXPECT_EQ(Prs_AddAlias("bob", "Work", "", ""), 0);
    TParseResults r;
    Prs_Parse("bob tomorrow", reinterpret_cast<char*>(&r));
    EXPECT_STREQ(r.list, "");
    EXPECT_STRNE(r.date, "");  // the vocabulary stays
}

}  // namespace
