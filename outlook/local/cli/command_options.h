#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace outlook::local {

// The "--name value" options of one command: each allowed name once, except repeatable
// ones, which collect every value.
class CommandOptions {
public:
    // nullopt with `error` set when an option is unknown, repeated or lacks its value, or
    // when a word is not an option.
    static std::optional<CommandOptions> parse(const std::vector<std::string>& words,
                                               const std::set<std::string>& allowed,
                                               const std::set<std::string>& repeatable,
                                               std::string& error);

    // The value, or "" when the option was not given.
    std::string get(const std::string& name) const;
    bool has(const std::string& name) const { return values_.count(name) > 0; }
    const std::vector<std::string>& all(const std::string& name) const;

private:
    std::map<std::string, std::vector<std::string>> values_;
};

}  // namespace outlook::local
