#include "outlook/local/cli/command_options.h"

namespace outlook::local {

std::optional<CommandOptions> CommandOptions::parse(const std::vector<std::string>& words,
                                                    const std::set<std::string>& allowed,
                                                    const std::set<std::string>& repeatable,
                                                    std::string& error) {
    CommandOptions options;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word.rfind("--", 0) != 0) {
            error = "unexpected argument '" + word + "'";
            return std::nullopt;
        }
        const std::string name = word.substr(2);
        if (!allowed.count(name) && !repeatable.count(name)) {
            error = "unknown option '" + word + "'";
            return std::nullopt;
        }
        if (i + 1 >= words.size()) {
            error = "option '" + word + "' needs a value";
            return std::nullopt;
        }
        if (options.values_.count(name) && !repeatable.count(name)) {
            error = "option '" + word + "' is given twice";
            return std::nullopt;
        }
        options.values_[name].push_back(words[++i]);
    }
    return options;
}

std::string CommandOptions::get(const std::string& name) const {
    const auto it = values_.find(name);
    return it == values_.end() ? std::string() : it->second.front();
}

const std::vector<std::string>& CommandOptions::all(const std::string& name) const {
    static const std::vector<std::string> kNone;
    const auto it = values_.find(name);
    return it == values_.end() ? kNone : it->second;
}

}  // namespace outlook::local
