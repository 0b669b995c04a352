#include "word_tables.h"

#include <array>

namespace sentex {
namespace {

using C = TokenClass;

constexpr WordTableRow kRows[] = {
    // alpha_numbers
    {"alpha_numbers", "ALPHA_1", "one", C::ALPHA, 1},
    {"alpha_numbers", "ALPHA_2", "two", C::ALPHA, 2},
    {"alpha_numbers", "ALPHA_3", "three", C::ALPHA, 3},
    {"alpha_numbers", "ALPHA_4", "four", C::ALPHA, 4},
    {"alpha_numbers", "ALPHA_5", "five", C::ALPHA, 5},
    {"alpha_numbers", "ALPHA_6", "six", C::ALPHA, 6},
    {"alpha_numbers", "ALPHA_7", "seven", C::ALPHA, 7},
    {"alpha_numbers", "ALPHA_8", "eight", C::ALPHA, 8},
    {"alpha_numbers", "ALPHA_9", "nine", C::ALPHA, 9},
    {"alpha_numbers", "ALPHA_10", "ten", C::ALPHA, 10},
    {"alpha_numbers", "ALPHA_11", "eleven", C::ALPHA, 11},
    {"alpha_numbers", "ALPHA_12", "twelve", C::ALPHA, 12},
    {"alpha_numbers", "ALPHA_13", "thirteen", C::ALPHA, 13},
    {"alpha_numbers", "ALPHA_14", "fourteen", C::ALPHA, 14},
    {"alpha_numbers", "ALPHA_15", "fifteen", C::ALPHA, 15},
    {"alpha_numbers", "ALPHA_16", "sixteen", C::ALPHA, 16},
    {"alpha_numbers", "ALPHA_17", "seventeen", C::ALPHA, 17},
    {"alpha_numbers", "ALPHA_18", "eighteen", C::ALPHA, 18},
    {"alpha_numbers", "ALPHA_19", "nineteen", C::ALPHA, 19},
    {"alpha_numbers", "ALPHA_20", "twenty", C::ALPHA, 20},
    // ordinal_numbers
    {"ordinal_numbers", "ORDINAL_1", "first", C::ORDINAL, 1},
    {"ordinal_numbers", "ORDINAL_2", "second", C::ORDINAL, 2},
    {"ordinal_numbers", "ORDINAL_3", "third", C::ORDINAL, 3},
    {"ordinal_numbers", "ORDINAL_4", "fourth", C::ORDINAL, 4},
    {"ordinal_numbers", "ORDINAL_5", "fifth", C::ORDINAL, 5},
    {"ordinal_numbers", "ORDINAL_6", "sixth", C::ORDINAL, 6},
    {"ordinal_numbers", "ORDINAL_7", "seventh", C::ORDINAL, 7},
    {"ordinal_numbers", "ORDINAL_8", "eighth", C::ORDINAL, 8},
    {"ordinal_numbers", "ORDINAL_9", "ninth", C::ORDINAL, 9},
    {"ordinal_numbers", "ORDINAL_10", "tenth", C::ORDINAL, 10},
    {"ordinal_numbers", "ORDINAL_11", "eleventh", C::ORDINAL, 11},
    {"ordinal_numbers", "ORDINAL_12", "twelfth", C::ORDINAL, 12},
    {"ordinal_numbers", "ORDINAL_13", "thirteenth", C::ORDINAL, 13},
    {"ordinal_numbers", "ORDINAL_14", "fourteenth", C::ORDINAL, 14},
    {"ordinal_numbers", "ORDINAL_15", "fifteenth", C::ORDINAL, 15},
    {"ordinal_numbers", "ORDINAL_16", "sixteenth", C::ORDINAL, 16},
    {"ordinal_numbers", "ORDINAL_17", "seventeenth", C::ORDINAL, 17},
    {"ordinal_numbers", "ORDINAL_18", "eighteenth", C::ORDINAL, 18},
    {"ordinal_numbers", "ORDINAL_19", "nineteenth", C::ORDINAL, 19},
    {"ordinal_numbers", "ORDINAL_20", "twentieth", C::ORDINAL, 20},
    // months
    {"months", "MONTH_1", "january;jan", C::MONTH, 1},
    {"months", "MONTH_2", "february;feb", C::MONTH, 2},
    {"months", "MONTH_3", "march;mar", C::MONTH, 3},
    {"months", "MONTH_4", "april;apr", C::MONTH, 4},
    {"months", "MONTH_5", "may;", C::MONTH, 5},
    {"months", "MONTH_6", "june;jun", C::MONTH, 6},
    {"months", "MONTH_7", "july;jul", C::MONTH, 7},
    {"months", "MONTH_8", "august;aug", C::MONTH, 8},
    {"months", "MONTH_9", "september;sept;sep", C::MONTH, 9},
    {"months", "MONTH_10", "october;oct", C::MONTH, 10},
    {"months", "MONTH_11", "november;nov", C::MONTH, 11},
    {"months", "MONTH_12", "december;dec", C::MONTH, 12},
    // weekdays: day names, then the plural forms
    {"weekdays", "WEEKDAY_1", "sunday;sun", C::DAY_NAME, 1},
    {"weekdays", "WEEKDAY_2", "monday;mon", C::DAY_NAME, 2},
    {"weekdays", "WEEKDAY_3", "tuesday;tue;tues;", C::DAY_NAME, 3},
    {"weekdays", "WEEKDAY_4", "wednesday;wed", C::DAY_NAME, 4},
    {"weekdays", "WEEKDAY_5", "thursday;thu;thurs", C::DAY_NAME, 5},
    {"weekdays", "WEEKDAY_6", "friday;fri", C::DAY_NAME, 6},
    {"weekdays", "WEEKDAY_7", "saturday;sat", C::DAY_NAME, 7},
    {"weekdays", "DAYSOFWEEK_1", "sundays", C::DAYSOFWEEK, 1},
    {"weekdays", "DAYSOFWEEK_2", "mondays", C::DAYSOFWEEK, 2},
    {"weekdays", "DAYSOFWEEK_3", "tuesdays", C::DAYSOFWEEK, 3},
    {"weekdays", "DAYSOFWEEK_4", "wednesdays", C::DAYSOFWEEK, 4},
    {"weekdays", "DAYSOFWEEK_5", "thursdays", C::DAYSOFWEEK, 5},
    {"weekdays", "DAYSOFWEEK_6", "fridays", C::DAYSOFWEEK, 6},
    {"weekdays", "DAYSOFWEEK_7", "saturdays", C::DAYSOFWEEK, 7},
    // datespan
    {"datespan", "DS_DAY", "day", C::DATESPAN, kUnitDay},
    {"datespan", "DS_DAYS", "days", C::DATESPAN, kUnitDay},
    {"datespan", "DS_WEEK", "week", C::DATESPAN, kUnitWeek},
    {"datespan", "DS_WEEKS", "weeks", C::DATESPAN, kUnitWeek},
    {"datespan", "DS_MONTH", "month", C::DATESPAN, kUnitMonth},
    {"datespan", "DS_MONTHS", "months", C::DATESPAN, kUnitMonth},
    {"datespan", "DS_YEAR", "year", C::DATESPAN, kUnitYear},
    {"datespan", "DS_YEARS", "years", C::DATESPAN, kUnitYear},
    // date_eliminate
    {"date_eliminate", "DE_OF", "of", C::DE_OF, 0},
    // number_postfixes
    {"number_postfixes", "PF_FIRST", "st", C::NUMBER_POSTFIX, 0},
    {"number_postfixes", "PF_SECOND", "nd", C::NUMBER_POSTFIX, 0},
    {"number_postfixes", "PF_THIRD", "rd", C::NUMBER_POSTFIX, 0},
    {"number_postfixes", "PF_FOURTH", "th", C::NUMBER_POSTFIX, 0},
    // time_postfixes
    {"time_postfixes", "AM", "am;a", C::AMPM, 0},
    {"time_postfixes", "PM", "pm;p", C::AMPM, 1},
    // special_characters
    {"special_characters", "DATE_SEPARATOR", "/;-;", C::DATE_SEPARATOR, 0},
    {"special_characters", "TIME_SEPARATOR", ":", C::TIME_SEPARATOR, 0},
    {"special_characters", "APOSTROPHE", "'", C::APOSTROPHE, 0},
    {"special_characters", "POSSESIVE", "s", C::POSSESIVE, 0},
    // misc
    {"misc", "TODAY", "today;tonight;tonite", C::TODAY, 0},
    {"misc", "TOMORROW", "tomorrow;", C::TOMORROW, 0},
    {"misc", "MORNING", "morning", C::MORNING, 0},
    {"misc", "AFTERNOON", "afternoon", C::AFTERNOON, 0},
    {"misc", "EVENING", "evening", C::EVENING, 0},
    {"misc", "THIS", "this", C::THIS, 0},
    {"misc", "THE", "the", C::THE, 0},
    {"misc", "NEXT", "next", C::NEXT, 0},
    {"misc", "FROM", "from;following", C::FROM, 0},
    {"misc", "AFTER", "after", C::FROM, 0},
    {"misc", "IN", "in;within", C::IN, 0},
    {"misc", "EVERY", "every", C::EVERY, 0},
    {"misc", "OTHER", "other", C::OTHER, 0},
    {"misc", "BEGINNING", "beginning", C::BEGINNING, 0},
    {"misc", "MIDDLE", "middle;mid", C::BEGINNING, 1},
    {"misc", "TO", "to;through;until", C::TO, 0},
    {"misc", "LAST", "last", C::LAST, 5},
    {"misc", "BETWEEN", "between", C::BETWEEN, 0},
    {"misc", "AND", "and;&", C::AND, 0},
    {"misc", "NOON", "noon", C::TIME, kNoonValue},
    {"misc", "MIDNIGHT", "midnight;midnite", C::TIME, kMidnightValue},
    {"misc", "WEEKEND", "weekend", C::WEEKEND, kSaturdayAndSunday},
    {"misc", "WEEKDAY", "weekday", C::WEEKDAY, kMondayToFriday},
    {"misc", "WEEKENDS", "weekends", C::WEEKENDS, kSaturdayAndSunday},
    {"misc", "WEEKDAYS", "weekdays", C::WEEKDAYS, kMondayToFriday},
    {"misc", "PLEASE", "please;pls", C::PLEASE, 0},
    {"misc", "FYI", "fyi", C::FYI, 0},
};

}  // namespace

std::span<const WordTableRow> builtInWordTables() {
    return kRows;
}

}  // namespace sentex
