#pragma once

#include <string>
#include <string_view>

namespace keywords {

// One line of the keywords file: a keyword and the item it names, by the item's project
// (folder kind), list (category name) or contact (contact key). A line with an empty
// keyword only marks its item customised.
struct KeywordsLine {
    std::string keyword;
    std::string project;
    std::string list;
    std::string contact;

    bool operator==(const KeywordsLine&) const = default;
};

// A field as it is written: empty stays empty; a field holding a control character or
// blank (codes 1 to 32), a double quote or a comma goes between double quotes with every
// inner quote doubled; anything else is written as it is.
std::string quoteField(std::string_view field);

// The four fields, quoted, joined by commas and ended by a line feed.
std::string writeLine(const KeywordsLine& line);

// Whether the written line reads back the same: no field holds a line feed, which ends a
// line whatever the quotes, or a NUL, which ends it too.
bool isWritable(const KeywordsLine& line);

// Reads one line, with or without its line feed (and a carriage return before it).
// Fields are separated by a comma or by blanks and may be quoted; missing fields are
// empty and fields after the fourth are ignored. The line ends at its first NUL.
KeywordsLine splitLine(std::string_view line);

}  // namespace keywords
