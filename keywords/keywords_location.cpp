#include "keywords/keywords_location.h"

#include <string>

#include "platform/own_file_name.h"

namespace keywords {

std::filesystem::path keywordsFileFor(const std::filesystem::path& program) {
    const std::string& text = program.native();
    const std::size_t last = text.rfind('/');
    if (last == std::string::npos || last == 0) return {};
    const std::size_t oneBefore = text.rfind('/', last - 1);
    if (oneBefore == std::string::npos) return {};
    return text.substr(0, oneBefore + 1) + "Jotwise Data/keywords.jwk";
}

std::filesystem::path defaultKeywordsFile() {
    return keywordsFileFor(platform::ownFileName());
}

}  // namespace keywords
