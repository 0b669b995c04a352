#pragma once

#include <filesystem>

namespace keywords {

// The keywords file of the program at `program`: "Jotwise Data/keywords.jwk" beside the
// program's folder, so /opt/jotwise/bin/jotwise keeps its keywords in
// /opt/jotwise/Jotwise Data/keywords.jwk. Empty when the path has fewer than two "/".
std::filesystem::path keywordsFileFor(const std::filesystem::path& program);

// The running program's keywords file; empty when the program's own path is unknown.
std::filesystem::path defaultKeywordsFile();

}  // namespace keywords
