#include "sentex_parse_keywords.h"

#include <fstream>

#include "sentex.h"

namespace {

std::string trimmed(const std::string& s) {
    const std::size_t begin = s.find_first_not_of(" \t\r");
    if (begin == std::string::npos) return "";
    return s.substr(begin, s.find_last_not_of(" \t\r") - begin + 1);
}

bool registerAlias(const std::string& value, std::string& error) {
    const std::size_t equals = value.find('=');
    if (equals == std::string::npos) {
        error = "a keyword needs the form TEXT=LIST,PROJECT,CONTACT: '" + value + "'";
        return false;
    }
    std::string targets[3];
    std::size_t from = equals + 1;
    for (int i = 0; i < 3; ++i) {
        const std::size_t comma = i < 2 ? value.find(',', from) : std::string::npos;
        targets[i] =
            value.substr(from, comma == std::string::npos ? std::string::npos : comma - from);
        if (comma == std::string::npos) break;
        from = comma + 1;
    }
    const std::string text = value.substr(0, equals);
    if (Prs_AddAlias(text.c_str(), targets[0].c_str(), targets[1].c_str(), targets[2].c_str()))
        return true;
    error = "keyword '" + text +
            "' refused: it must be new, not start with please/fyi or a mark, name at least one "
            "target, and every target must be registered first";
    return false;
}

}  // namespace

bool registerKeywordItem(const std::string& kind, const std::string& value, std::string& error) {
    if (kind == "alias") return registerAlias(value, error);
    int32_t (*add)(const char*) = kind == "list"      ? Prs_AddList
                                  : kind == "project" ? Prs_AddProject
                                  : kind == "contact" ? Prs_AddContact
                                                      : nullptr;
    if (!add) {
        error = "unknown kind '" + kind + "' (list, project, contact or alias)";
        return false;
    }
    if (add(value.c_str())) return true;
    error = kind + " '" + value + "' refused: it is empty, too long or already registered";
    return false;
}

bool registerKeywordFile(const std::string& path, std::string& error) {
    std::ifstream file(path);
    if (!file) {
        error = "cannot read keyword file '" + path + "'";
        return false;
    }
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
        line = trimmed(line);
        if (line.empty() || line[0] == '#') continue;
        const std::size_t space = line.find_first_of(" \t");
        const std::string kind = line.substr(0, space);
        const std::string value = space == std::string::npos ? "" : trimmed(line.substr(space));
        if (!registerKeywordItem(kind, value, error)) {
            error = path + ":" + std::to_string(number) + ": " + error;
            return false;
        }
    }
    return true;
}
