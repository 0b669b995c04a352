#pragma once

#include <string>

#include "../aliases/alias_store.h"
#include "date/date_driver.h"
#include "date_format.h"
#include "settings_file.h"
#include "string_hash_map.h"
#include "vocabulary.h"

namespace sentex {

// What the library takes from its surroundings: the clock, the short-date format and
// whether to trace. Tests pass fixed ones.
struct ParseEnvironment {
    NowSource clock;
    DateFormat dateFormat;
    bool trace = false;

    // The system clock, the LC_TIME locale's date format, tracing as traceRequested() says.
    static ParseEnvironment fromSystem();
};

// The library's global state, built when the library is loaded.
class ParseState {
public:
    ParseState(const SettingsFile& settings, ParseEnvironment environment);
    ParseState(const ParseState&) = delete;
    ParseState& operator=(const ParseState&) = delete;

    Vocabulary vocabulary;       // tokenises notes
    Vocabulary aliasVocabulary;  // tokenises keyword texts
    StringHashSet reservedWords;
    StringHashSet noiseWords;
    AliasStore aliases;
    DateTime now;  // as of the last date recognition
    ParseEnvironment environment;
    std::string keywordCandidate;  // reused by keyword recognition
};

// The instance behind the exported functions.
ParseState& parseState();

}  // namespace sentex
