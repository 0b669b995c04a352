#include "parse.h"

#include "keyword_recognition.h"
#include "result_render.h"
#include "time_of_day.h"
#include "trace.h"

namespace sentex {

void parseNote(ParseState& state, const char* text, ParseMode mode, char* result) {
    WorkingRecord record;
    state.vocabulary.tokenize(text ? std::string_view(text) : std::string_view());
    TokenLists& lists = state.vocabulary.lists();

    if (mode == ParseMode::Full) {
        KeywordRecognizer keywords(state.aliases, state.keywordCandidate);
        keywords.recognizeLeading(lists.rawTokens, record);
        keywords.scan(lists.rawTokens, record);
    }
    const ParseEnvironment& env = state.environment;
    recognizeDate(lists.dateTokens, env.dateFormat.order, env.clock, state.now, record);
    recognizeTimeOfDay(lists.clockTokens, state.now, record);
    if (record.startTimePresent && !record.datePresent) {
        record.date = state.now;
        record.datePresent = true;
    }

    const char* traced = renderResult(record, env.dateFormat, result);
    if (traced && mode == ParseMode::Full && env.trace) writeTrace(traced);
}

}  // namespace sentex
