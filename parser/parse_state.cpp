#include "parse_state.h"

#include <utility>

#include "trace.h"
#include "word_sets.h"

namespace sentex {
namespace {

StringHashSet setOf(std::span<const std::string_view> words) {
    StringHashSet set(61);
    for (std::string_view w : words)
        set.insertOrAssign(w, Present{});
    return set;
}

}  // namespace

ParseEnvironment ParseEnvironment::fromSystem() {
    return ParseEnvironment{LocalClock(), DateFormat::fromEnvironment(), traceRequested()};
}

ParseState::ParseState(const SettingsFile& settings, ParseEnvironment env)
    : vocabulary(settings),
      aliasVocabulary(settings),
      reservedWords(setOf(reservedWordList())),
      noiseWords(setOf(noiseWordList())),
      aliases(aliasVocabulary, noiseWords, reservedWords),
      environment(std::move(env)) {}

namespace {
// Built when the library is loaded, before any export can be called.
ParseState gParseState(SettingsFile::load(settingsFilePath()), ParseEnvironment::fromSystem());
}  // namespace

ParseState& parseState() {
    return gParseState;
}

}  // namespace sentex
