// sentex-parse as a user runs it.
#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>

#include <fstream>
#include <string>

#include "tests/parser/process.h"

namespace sentex::testing {
namespace {

namespace fs = std::filesystem;

const std::string kTool = SENTEX_PARSE_PATH;

ProcessOutput parseTool(const std::string& arguments, const std::string& environment = "",
                        const std::string& tool = kTool) {
    return runCommand("env LC_ALL=C.UTF-8 " + environment + " " + shellQuote(tool) + " " +
                      arguments + " 2>&1");
}

TEST(SentexParseCliTest, PrintsEverySlotPerArgument) {
    const ProcessOutput p = parseTool("'call the bank every friday at 9am' 'buy milk'");
    EXPECT_EQ(p.exitCode, 0);
    for (const char* line :
         {"text: call the bank every friday at 9am\n", "list: \n", "project: \n", "contact: \n",
          "recipient: \n", "startTime: 9:0\n", "endTime: \n", "spare: \n", "isRecurring: 1\n",
          "recurUnit: 2\n", "recurDays: 32\n", "recurNth: 0\n", "recurInterval: 1\n", "isFyi: 0\n",
          "reserved: 0\n", "\ntext: buy milk\n"})
        EXPECT_NE(p.out.find(line), std::string::npos) << line << " in:\n" << p.out;
}

TEST(SentexParseCliTest, JsonLinePerStandardInputLine) {
    const ProcessOutput q = runCommand("printf '4/20/2030 2-4pm\\r\\nsay \"hi\"\\\\\\n' | " +
                                       shellQuote(kTool) + " --json --date-only");
    EXPECT_EQ(q.exitCode, 0);
    EXPECT_EQ(q.out,
              "{\"text\":\"4/20/2030 2-4pm\",\"list\":\"\",\"project\":\"\",\"contact\":\"\","
              "\"recipient\":\"\",\"date\":\"4/20/2030\",\"startTime\":\"14:0\",\"endTime\":"
              "\"16:0\",\"spare\":\"\",\"isRecurring\":0,\"recurUnit\":0,\"recurDays\":0,"
              "\"recurNth\":0,\"recurInterval\":0,\"isFyi\":0,\"reserved\":0}\n"
              "{\"text\":\"say \\\"hi\\\"\\\\\",\"list\":\"\",\"project\":\"\",\"contact\":\"\","
              "\"recipient\":\"\",\"date\":\"\",\"startTime\":\"\",\"endTime\":\"\",\"spare\":\"\","
              "\"isRecurring\":0,\"recurUnit\":0,\"recurDays\":0,\"recurNth\":0,"
              "\"recurInterval\":0,\"isFyi\":0,\"reserved\":0}\n");
}

TEST(SentexParseCliTest, JsonReplacesBytesThatAreNotUtf8) {
    const ProcessOutput p = parseTool("--json \"$(printf 'a\\377b\\001')\"");
    EXPECT_NE(p.out.find("\"text\":\"a\xEF\xBF\xBD"
                         "b\\u0001\""),
              std::string::npos)
        << p.out;
}

TEST(SentexParseCliTest, BadArgumentsExitWithUsage) {
    const ProcessOutput p = parseTool("--frobnicate tomorrow");
    EXPECT_EQ(p.exitCode, 2);
    EXPECT_NE(p.out.find("unknown option '--frobnicate'"), std::string::npos);
    EXPECT_NE(p.out.find("usage: sentex-parse"), std::string::npos);
    // A number with a minus sign, and anything after "--", is text.
    EXPECT_EQ(parseTool("-5 -- --json").exitCode, 0);
    EXPECT_EQ(parseTool("--help").exitCode, 0);
}

TEST(SentexParseCliTest, DateFollowsTheLocale) {
    const std::string args = "--date-only '3/4/2031' | grep '^date:'";
    EXPECT_EQ(parseTool(args, "LC_ALL=en_US.UTF-8").out, "date: 3/4/2031\n");
    EXPECT_EQ(parseTool(args, "LC_ALL=de_DE.UTF-8").out, "date: 3.4.2031\n");
    EXPECT_EQ(parseTool("--date-only '2031/4/3' | grep '^date:'", "LC_ALL=sv_SE.UTF-8").out,
              "date: 2031-4-3\n");
}

TEST(SentexParseCliTest, TraceOnlyWhenAsked) {
    const std::string args = "--json 'march 3 2031' 2>&1 >/dev/null";
    EXPECT_EQ(runCommand("env LC_ALL=C.UTF-8 SENTEX_TRACE=1 " + shellQuote(kTool) + " " + args).out,
              "3/3/2031\n");
    EXPECT_EQ(
        runCommand("env -u SENTEX_TRACE LC_ALL=C.UTF-8 " + shellQuote(kTool) + " " + args).out, "");
}

TEST(SentexParseCliTest, ReadsSentexIniBesideTheExecutable) {
    const fs::path dir = fs::temp_directory_path() / ("sentex-ini-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const fs::path tool = dir / "sentex-parse";
    fs::copy_file(kTool, tool, fs::copy_options::overwrite_existing);
    std::ofstream(dir / "sentex.ini") << "[Misc]\nToday = heute\n[months]\nMONTH_3=märz\n";
    EXPECT_NE(parseTool("'heute' | grep '^date:'", "", tool.string()).out, "date: \n");
    EXPECT_EQ(parseTool("'today' | grep '^date:'", "", tool.string()).out, "date: \n");
    EXPECT_EQ(parseTool("'3. MÄRZ 2031' | grep '^date:'", "", tool.string()).out,
              "date: 3/3/2031\n");
    fs::remove_all(dir);
}

TEST(SentexParseCliTest, RegistersKeywordsBeforeParsing) {
    const ProcessOutput p = parseTool(
        "--contact BOB-KEY --list Work --alias 'Bob=work,,bob-key' 'please bob call' "
        "| grep -E '^(list|recipient):'");
    EXPECT_EQ(p.out, "list: work\nrecipient: bob-key\n");

    const fs::path file = fs::temp_directory_path() / ("keywords-" + std::to_string(getpid()));
    std::ofstream(file) << "# test keywords\n\nproject task\ncontact K1\nalias todo = ,task,\n"
                           "alias ann lee=,,K1\n";
    EXPECT_EQ(parseTool("--keywords " + shellQuote(file.string()) +
                        " 'todo: ask ann lee' | grep -E '^(project|contact):'")
                  .out,
              "project: task\ncontact: K1\n");
    fs::remove(file);
}

TEST(SentexParseCliTest, RefusedKeywordsStopWithAReason) {
    struct Case {
        const char* arguments;
        const char* message;
    };
    const Case cases[] = {
        {"--alias 'bob=,,NOBODY' x", "keyword 'bob' refused"},
        {"--alias bob x", "TEXT=LIST,PROJECT,CONTACT"},
        {"--list Work --list WORK x", "list 'WORK' refused"},
        {"--contact", "--contact needs a value"},
        {"--keywords /nonexistent/keywords x", "cannot read keyword file"},
    };
    for (const Case& c : cases) {
        const ProcessOutput p = parseTool(c.arguments);
        EXPECT_EQ(p.exitCode, 2) << c.arguments;
        EXPECT_NE(p.out.find(c.message), std::string::npos) << c.arguments << ":\n" << p.out;
    }
}

}  // namespace
}  // namespace sentex::testing
