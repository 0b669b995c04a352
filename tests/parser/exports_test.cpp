// The shared library as a program sees it: exactly the listed exports, callable by
// their plain names, harmless with null pointers.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "sentex.h"
#include "tests/parser/process.h"

namespace sentex::testing {
namespace {

std::set<std::string> namesInDefFile() {
    std::ifstream def(SENTEX_DEF_PATH);
    std::set<std::string> names;
    std::string line;
    const std::regex exportLine(R"(^\s+(\w+)\s+@\d+\s*$)");
    std::smatch m;
    while (std::getline(def, line))
        if (std::regex_match(line, m, exportLine)) names.insert(m[1]);
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

TEST(ExportsTest, LibraryExportsExactlyTheListedFunctions) {
    const std::set<std::string> listed = namesInDefFile();
    EXPECT_EQ(listed, (std::set<std::string>{"Prs_Parse", "Prs_DateParse", "Prs_ResetParseDll"}));
    EXPECT_EQ(definedDynamicSymbols(), listed);
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
