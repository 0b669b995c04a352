// The settings file: how it is read, and how its rows replace the built-in words.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "parser/settings_file.h"
#include "parser/vocabulary.h"
#include "parser/word_sets.h"
#include "parser/word_tables.h"

namespace sentex {
namespace {

std::optional<TokenClass> classOf(const Vocabulary& v, std::string_view word) {
    const Vocabulary::Meaning* m = v.lookup(word);
    return m ? std::optional(m->cls) : std::nullopt;
}

TEST(SettingsFileTest, ReadsLikeTheProfileStringCall) {
    const SettingsFile file = SettingsFile::fromText(
        "\xEF\xBB\xBF; comment\r\n"
        "orphan=ignored\r\n"
        "[ Misc ]\r\n"
        "  Today =  today;heute  \r\n"
        "today=second occurrence loses\n"
        "PLEASE=\n"
        "[months]\n"
        "MONTH_1=" +
        std::string(300, 'x') + "\n");
    EXPECT_EQ(file.value("misc", "TODAY"), "today;heute");
    EXPECT_EQ(file.value("MISC", "please"), "");
    EXPECT_EQ(file.value("misc", "orphan"), std::nullopt);
    EXPECT_EQ(file.value("misc", "absent"), std::nullopt);
    EXPECT_EQ(file.value("nosection", "TODAY"), std::nullopt);
    EXPECT_EQ(file.value("months", "MONTH_1")->size(), SettingsFile::kMaxValueLength);
}

TEST(SettingsFileTest, MissingFileIsEmpty) {
    const SettingsFile file = SettingsFile::load("/nonexistent/sentex.ini");
    EXPECT_EQ(file.value("misc", "TODAY"), std::nullopt);
    EXPECT_EQ(Vocabulary(file).wordCount(), Vocabulary(SettingsFile()).wordCount());
}

TEST(SettingsFileTest, LivesBesideTheRunningProgram) {
    const std::string path = settingsFilePath();
    EXPECT_EQ(std::filesystem::path(path).filename(), "sentex.ini");
    EXPECT_EQ(std::filesystem::path(path).parent_path(),
              std::filesystem::canonical("/proc/self/exe").parent_path());
}

TEST(VocabularyTest, DefaultWords) {
    const Vocabulary v{SettingsFile()};
    struct Case {
        const char* word;
        TokenClass cls;
        int32_t value;
    };
    const Case cases[] = {
        {"sept", TokenClass::MONTH, 9},
        {"sep", TokenClass::MONTH, 9},
        {"tues", TokenClass::DAY_NAME, 3},
        {"a", TokenClass::AMPM, 0},
        {"p", TokenClass::AMPM, 1},
        {"after", TokenClass::FROM, 0},
        {"mid", TokenClass::BEGINNING, 1},
        {"&", TokenClass::AND, 0},
        {"last", TokenClass::LAST, 5},
        {"weekdays", TokenClass::WEEKDAYS, 62},
        {"weekend", TokenClass::WEEKEND, 65},
        {"twentieth", TokenClass::ORDINAL, 20},
        {"fridays", TokenClass::DAYSOFWEEK, 6},
        {"-", TokenClass::DATE_SEPARATOR, 0},
        {"years", TokenClass::DATESPAN, 4},
        {"pls", TokenClass::PLEASE, 0},
    };
    for (const Case& c : cases) {
        const Vocabulary::Meaning* m = v.lookup(c.word);
        ASSERT_NE(m, nullptr) << c.word;
        EXPECT_EQ(m->cls, c.cls) << c.word;
        EXPECT_EQ(m->value, c.value) << c.word;
    }
    // Empty pieces of "may;" or "tomorrow;" add no empty word.
    EXPECT_EQ(v.lookup(""), nullptr);
}

TEST(VocabularyTest, SettingsRowsReplaceTheirDefaults) {
    const Vocabulary v{
        SettingsFile::fromText("[misc]\n"
                               "TODAY=today;tonight;tonite;heute\n"
                               "PLEASE=\n"
                               "[months]\n"
                               "MONTH_5=may;mai\n"
                               "MONTH_1=January\n")};
    EXPECT_EQ(classOf(v, "heute"), TokenClass::TODAY);
    EXPECT_EQ(classOf(v, "please"), std::nullopt);
    EXPECT_EQ(classOf(v, "pls"), std::nullopt);
    EXPECT_EQ(v.lookup("mai")->value, 5);
    // A row from the file replaces all its defaults; note text is lowercased, so an
    // upper-case word in the file can never match.
    EXPECT_EQ(classOf(v, "january"), std::nullopt);
    EXPECT_EQ(classOf(v, "jan"), std::nullopt);
    EXPECT_EQ(classOf(v, "January"), TokenClass::MONTH);
}

TEST(VocabularyTest, LaterSectionWinsForAWordListedTwice) {
    const Vocabulary v{SettingsFile::fromText("[misc]\nTODAY=today;june\n")};
    EXPECT_EQ(classOf(v, "june"), TokenClass::TODAY);
    EXPECT_EQ(classOf(v, "jun"), TokenClass::MONTH);
}

// Every word of every built-in row is found with the meaning of the last row that lists
// it, and texts that only share a word's length and outer letters are not.
TEST(VocabularyTest, FindsEveryBuiltInWordAndNothingElse) {
    const Vocabulary v{SettingsFile()};
    std::map<std::string, TokenClass> lastClass;
    for (const WordTableRow& row : builtInWordTables()) {
        std::string_view words = row.defaultWords;
        while (!words.empty()) {
            const std::size_t cut = words.find(';');
            const std::string word(words.substr(0, cut));
            if (!word.empty()) lastClass[word] = row.cls;
            words = cut == std::string_view::npos ? "" : words.substr(cut + 1);
        }
    }
    EXPECT_EQ(lastClass.size(), v.wordCount());
    for (const auto& [word, cls] : lastClass) {
        EXPECT_EQ(classOf(v, word), cls) << word;
        std::string lookAlike = word;
        lookAlike.insert(lookAlike.size() / 2, "q");
        EXPECT_EQ(classOf(v, lookAlike), std::nullopt) << lookAlike;
        EXPECT_EQ(classOf(v, word.substr(0, word.size() - 1) + "\xC3"), std::nullopt) << word;
    }
}

TEST(WordSetsTest, FixedMembership) {
    EXPECT_EQ(reservedWordList().size(), 196u);
    EXPECT_EQ(noiseWordList().size(), 7u);
}

}  // namespace
}  // namespace sentex
