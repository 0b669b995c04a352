// The exported parse functions. Nothing thrown inside may cross into a C caller: a parse
// that fails for want of memory leaves an all-empty result.
#include <cstring>

#include "../include/sentex.h"
#include "export_guard.h"
#include "parse.h"

namespace {

int32_t runParse(const char* text, char* result, sentex::ParseMode mode) {
    if (!result) return 0;
    const int32_t parsed = sentex::guardedExport([&] {
        sentex::parseNote(sentex::parseState(), text, mode, result);
        return 1;
    });
    if (!parsed) std::memset(result, 0, sizeof(TParseResults));
    return 0;
}

}  // namespace

extern "C" {

SENTEX_API int32_t SENTEX_CALL Prs_Parse(const char* text, char* result) {
    return runParse(text, result, sentex::ParseMode::Full);
}

SENTEX_API int32_t SENTEX_CALL Prs_DateParse(const char* text, char* result) {
    return runParse(text, result, sentex::ParseMode::DatesOnly);
}

SENTEX_API int32_t SENTEX_CALL Prs_ResetParseDll(void) {
    sentex::parseState().aliases.clear();
    return 0;
}

}  // extern "C"
