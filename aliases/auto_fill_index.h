#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace sentex {

// The registered names of one kind, by key, ordered for completing a partly typed name.
//
// A completion is the name that sorts first, compared without regard to letter case,
// among those whose key begins with the typed text. Keys are the lowercased names, so
// that is simply the smallest key at or after the typed text, when it begins with it.
class AutoFillIndex {
public:
    bool contains(std::string_view key) const { return names_.find(key) != names_.end(); }

    void add(std::string key, std::string display) {
        names_.emplace(std::move(key), std::move(display));
    }
    void remove(std::string_view key) {
        const auto it = names_.find(key);
        if (it != names_.end()) names_.erase(it);
    }
    void clear() { names_.clear(); }

    // The display form of the first name whose key begins with the (lowercased) prefix.
    std::optional<std::string_view> complete(std::string_view lowercasePrefix) const {
        if (lowercasePrefix.empty()) return std::nullopt;
        const auto it = names_.lower_bound(lowercasePrefix);
        if (it == names_.end() || !std::string_view(it->first).starts_with(lowercasePrefix))
            return std::nullopt;
        return std::string_view(it->second);
    }

private:
    // Key to display form; std::string compares bytes as unsigned values.
    std::map<std::string, std::string, std::less<>> names_;
};

}  // namespace sentex
