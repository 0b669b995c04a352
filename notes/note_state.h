#pragma once

#include <optional>
#include <string>

#include "notes/item_type.h"
#include "notes/parsed_repeat.h"
#include "outlook/recurrence/recurrence_pattern.h"

namespace notes {

// The note's copy of its last parse, and the type the user forced.
struct TCurrentState {
    ItemType forcedType = ItemType::Task;
    std::string folderWord;  // the folder kind word that decides the type
    std::string contact;     // a contact's key
    std::string category;
    std::string startTime;  // "h:m", 24-hour
    std::string endTime;
    std::string date;  // in the short date format; a repeat's start for a recurring phrase
    std::optional<ParsedRepeat> repeat;
    std::string recipient;  // a contact's key
    bool isFyi = false;
};

// What one recomputation decided, for the apply step.
struct TNextStateInfo {
    bool showAttachments = false;
    bool showMailingLabel = false;
    ItemType itemType = ItemType::Task;
    std::string contact, category, date, startTime, endTime;
    // The repeat to show and file: none when the phrase has none, the user dropped it, or the
    // type files no repeat.
    std::optional<outlook::RecurrenceFields> repeat;
};

}  // namespace notes
