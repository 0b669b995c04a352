// The shared library as a program sees it: exactly the listed exports, callable by
// their plain names, harmless with null pointers.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "sentex.h"
#include "tests/parser/process.h"

namespace sentex::testing {
namespace {

// Export name to ordinal, from the module-definition file.
std::map<std::string, int> ordinalsInDefFile() {
    std::ifstream def(SENTEX_DEF_PATH);
    std::map<std::string, int> ordinals;
    std::string line;
    const std::regex exportLine(R"(^\s+(\w+)\s+@(\d+)\s*$)");
    std::smatch m;
    while (std::getline(def, line))
        if (std::regex_match(line, m, exportLine)) ordinals[m[1]] = std::stoi(m[2]);
    return ordinals;
}

std::set<std::string> functionsInHeader() {
    std::ifstream header(SENTEX_HEADER_PATH);
    const std::string text{std::istreambuf_iterator<char>(header),
                           std::istreambuf_iterator<char>()};
    const std::regex declaration(R"(SENTEX_CALL\s+(Prs_\w+)\s*\()");
    std::set<std::string> names;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), declaration);
         it != std::sregex_iterator(); ++it)
        names.insert((*it)[1]);
    return names;
}

std::set<std::string> definedDynamicSymbols() {
    const ProcessOutput nm =
        runCommand("nm -D --defined-only " + shellQuote(SENTEX_LIBRARY_PATH) + " 2>/dev/null");
    EXPECT_EQ(nm.exitCode, 0);
    std::set<std::string> names;
    std::istringstream lines(nm.out);
    std::string address, type, name;
    while (lines >> address >> type >> name)
        names.insert(name);
    return names;
}

TEST(ExportsTest, HeaderDefinitionFileAndLibraryAgree) {
    const std::map<std::string, int> expected = {
        {"Prs_Parse", 1},
        {"Prs_DateParse", 2},
        {"Prs_ResetParseDll", 3},
        {"Prs_AddAlias", 10},
        {"Prs_DeleteAlias", 11},
        {"Prs_RenameAlias", 12},
        {"Prs_IsValidAlias", 13},
        {"Prs_IsAlias", 14},
        {"Prs_IsList", 15},
        {"Prs_IsProject", 16},
        {"Prs_IsContact", 17},
        {"Prs_FilterAlias", 18},
        {"Prs_SuggestListAliases", 20},
        {"Prs_SuggestProjectAliases", 21},
        {"Prs_SuggestContactAliases", 22},
        {"Prs_AddList", 30},
        {"Prs_DeleteList", 31},
        {"Prs_RenameList", 32},
        {"Prs_AddProject", 33},
        {"Prs_DeleteProject", 34},
        {"Prs_RenameProject", 35},
        {"Prs_AddContact", 36},
        {"Prs_DeleteContact", 37},
        {"Prs_RenameContact", 38},
        {"Prs_AutoFillList", 40},
        {"Prs_AutoFillProject", 41},
        {"Prs_AutoFillContact", 42},
        {"Prs_GetFirstAlias", 50},
        {"Prs_GetNextAlias", 51},
    };
    EXPECT_EQ(ordinalsInDefFile(), expected);
    std::set<std::string> names;
    for (const auto& [name, ordinal] : expected)
        names.insert(name);
    EXPECT_EQ(functionsInHeader(), names);
    EXPECT_EQ(definedDynamicSymbols(), names);
}

TEST(ExportsTest, ParseThroughTheLibrary) {
    std::vector<char> buffer(sizeof(TParseResults) + 1, '\x5a');
    EXPECT_EQ(Prs_Parse("call bob tomorrow at 3pm", buffer.data()), 0);
    const auto* r = reinterpret_cast<const TParseResults*>(buffer.data());
    EXPECT_STRNE(r->date, "");
    EXPECT_STREQ(r->startTime, "15:0");
    EXPECT_EQ(buffer.back(), '\x5a');

    EXPECT_EQ(Prs_DateParse("every friday", buffer.data()), 0);
    EXPECT_EQ(r->isRecurring, 1);
    EXPECT_EQ(r->recurDays, 32);
    EXPECT_EQ(Prs_ResetParseDll(), 0);
}

TEST(ExportsTest, NullPointersAreHarmless) {
    TParseResults r;
    EXPECT_EQ(Prs_Parse(nullptr, reinterpret_cast<char*>(&r)), 0);
    EXPECT_STREQ(r.date, "");
    EXPECT_EQ(Prs_Parse("tomorrow", nullptr), 0);
    EXPECT_EQ(Prs_DateParse(nullptr, nullptr), 0);
}

}  // namespace
}  // namespace sentex::testing
