#include "word_sets.h"

namespace sentex {
namespace {

// clang-format off
constexpr std::string_view kReservedWords[] = {
    "january", "jan", "february", "feb", "march", "mar", "april", "apr", "may", "june", "jun",
    "july", "jul", "august", "aug", "september", "sept", "sep", "october", "oct", "november",
    "nov", "december", "dec", "sunday", "sun", "monday", "mon", "tuesday", "tue", "tues",
    "wednesday", "wed", "thursday", "thu", "thurs", "friday", "fri", "saturday", "sat",
    "sundays", "mondays", "tuesdays", "wednesdays", "thursdays", "fridays", "saturdays", "day",
    "days", "week", "weeks", "month", "months", "year", "years", "today", "tonight", "tonite",
    "tomorrow", "morning", "afternoon", "evening", "this", "the", "next", "from", "after",
    "following", "in", "within", "every", "other", "beginning", "middle", "mid", "to",
    "through", "until", "last", "between", "and", "&", "noon", "midnight", "midnite", "now",
    "weekend", "weekday", "weekends", "weekdays",
    // stop words
    "about", "above", "across", "against", "all", "along", "among", "and ", "another",
    "anyone", "around", "as", "at", "because", "before", "behind", "below", "beneath", "beside",
    "beyond", "both", "but", "by", "concerning", "down", "during", "each", "either", "even",
    "everyone", "except", "for", "he", "her", "hers", "herself", "him", "himself", "his", "i",
    "if", "inside", "instead", "into", "it", "its", "like", "me", "my", "myself", "near",
    "neither", "no", "nor", "not", "of", "off", "on", "once", "only", "or", "our", "ours",
    "ourselves", "out", "over", "past", "rather", "she", "since", "so", "someone", "than",
    "that", "theirs", "them", "themselves", "these", "they", "those", "though", "till",
    "toward", "under", "up", "upon", "which", "what", "who", "whoever", "whomever", "whose",
    "with", "without", "unless", "we", "when", "whenever", "where", "wherever", "whether",
    "while", "yet", "you", "yours", "yourself",
};

// clang-format on

constexpr std::string_view kNoiseWords[] = {"please", "pls", "fyi", ",", ".", ":", ";"};

}  // namespace

std::span<const std::string_view> reservedWordList() {
    return kReservedWords;
}
std::span<const std::string_view> noiseWordList() {
    return kNoiseWords;
}

}  // namespace sentex
