// sentex-parse: shows what the parser understands in a note.
//   sentex-parse [--json] [--date-only] [--] [TEXT...]
// Parses each TEXT, or each line of standard input when there is none.
#include <cctype>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "sentex.h"
#include "sentex_parse_output.h"

namespace {

constexpr const char* kUsage =
    "usage: sentex-parse [--json] [--date-only] [--] [TEXT...]\n"
    "Parses each TEXT, or each line of standard input when no TEXT is given, and prints\n"
    "every slot of the result.\n"
    "  --json       one JSON object per input instead of one line per slot\n"
    "  --date-only  dates and times only, no keywords\n";

struct Options {
    bool json = false;
    bool dateOnly = false;
    std::vector<std::string> texts;
};

// Nothing on a bad argument.
bool parseArguments(int argc, char** argv, Options& options) {
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (arg == "--help" || arg == "-h")) {
            std::cout << kUsage;
            std::exit(0);
        } else if (!optionsEnded && arg == "--json") {
            options.json = true;
        } else if (!optionsEnded && arg == "--date-only") {
            options.dateOnly = true;
        } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-' &&
                   !std::isdigit(static_cast<unsigned char>(arg[1]))) {
            std::cerr << "sentex-parse: unknown option '" << arg << "'\n";
            return false;
        } else {
            options.texts.push_back(arg);
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parseArguments(argc, argv, options)) {
        std::cerr << kUsage;
        return 2;
    }
    bool first = true;
    auto parseOne = [&](const std::string& text) {
        TParseResults result;
        if (options.dateOnly)
            Prs_DateParse(text.c_str(), reinterpret_cast<char*>(&result));
        else
            Prs_Parse(text.c_str(), reinterpret_cast<char*>(&result));
        if (options.json) {
            printResultJson(std::cout, text, result);
        } else {
            if (!first) std::cout << '\n';
            printResultText(std::cout, text, result);
        }
        first = false;
    };
    if (!options.texts.empty()) {
        for (const std::string& text : options.texts)
            parseOne(text);
    } else {
        std::string line;
        while (std::getline(std::cin, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            parseOne(line);
        }
    }
    return 0;
}
