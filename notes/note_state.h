#pragma once

#include <string>

#include "notes/item_type.h"

namespace notes {

// The note's copy of its last parse, and the type the user forced.
struct TCurrentState {
    ItemType forcedType = ItemType::Task;
    std::string folderWord;  // the folder kind word that decides the type
    std::string contact;     // a contact's key
    std::string category;
    std::string startTime;  // "h:m", 24-hour
    std::string endTime;
    std::string date;       // in the short date format; empty for a recurring phrase
    std::string recipient;  // a contact's key
    bool isFyi = false;
};

// What one recomputation decided, for the apply step.
struct TNextStateInfo {
    bool showAttachments = false;
    bool showMailingLabel = false;
    ItemType itemType = ItemType::Task;
    std::string contact, category, date, startTime, endTime;
};

}  // namespace notes
