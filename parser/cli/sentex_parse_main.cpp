// sentex-parse: shows what the parser understands in a note.
//   sentex-parse [--json] [--date-only] [KEYWORD OPTIONS] [--] [TEXT...]
// Registers the keywords given, then parses each TEXT, or each line of standard input
// when there is none.
#include <cctype>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "sentex.h"
#include "sentex_parse_keywords.h"
#include "sentex_parse_output.h"

namespace {

constexpr const char* kUsage =
    "usage: sentex-parse [--json] [--date-only] [KEYWORD OPTIONS] [--] [TEXT...]\n"
    "Parses each TEXT, or each line of standard input when no TEXT is given, and prints\n"
    "every slot of the result.\n"
    "  --json              one JSON object per input instead of one line per slot\n"
    "  --date-only         dates and times only, no keywords\n"
    "Keywords, registered in the order given before parsing:\n"
    "  --list NAME         a list (category) a keyword may name\n"
    "  --project NAME      a project (folder kind) a keyword may name\n"
    "  --contact NAME      a contact a keyword may name\n"
    "  --alias TEXT=LIST,PROJECT,CONTACT\n"
    "                      a keyword naming registered targets; leave unused ones empty,\n"
    "                      as in --contact K1 --alias 'bob=,,K1'\n"
    "  --keywords FILE     the same from a file, one 'list NAME', 'project NAME',\n"
    "                      'contact NAME' or 'alias TEXT=LIST,PROJECT,CONTACT' per line\n";

constexpr const char* kKeywordOptions[] = {"--list", "--project", "--contact", "--alias",
                                           "--keywords"};

struct Options {
    bool json = false;
    bool dateOnly = false;
    std::vector<std::pair<std::string, std::string>> keywords;  // option name, value
    std::vector<std::string> texts;
};

bool isKeywordOption(const std::string& arg) {
    for (const char* option : kKeywordOptions)
        if (arg == option) return true;
    return false;
}

// Registers the keyword options in order; reports the first refusal.
bool registerKeywords(const Options& options) {
    std::string error;
    for (const auto& [option, value] : options.keywords) {
        const bool done = option == "--keywords"
                              ? registerKeywordFile(value, error)
                              : registerKeywordItem(option.substr(2), value, error);
        if (!done) {
            std::cerr << "sentex-parse: " << error << '\n';
            return false;
        }
    }
    return true;
}

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
        } else if (!optionsEnded && isKeywordOption(arg)) {
            if (i + 1 == argc) {
                std::cerr << "sentex-parse: " << arg << " needs a value\n";
                return false;
            }
            options.keywords.emplace_back(arg, argv[++i]);
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
    if (!registerKeywords(options)) return 2;
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
