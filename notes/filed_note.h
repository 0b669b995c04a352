#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "notes/item_type.h"
#include "notes/note_filing.h"
#include "notes/note_snapshot.h"
#include "outlook/recurrence/recurrence_pattern.h"

namespace notes {

// What a saved or sent note became, told to the running program once the filing committed:
// for the confirmation that says so, and for its Undo.
struct FiledNote {
    ItemType type = ItemType::Task;
    // A message went out with it (mail, a meeting or task request): it cannot be taken back.
    bool sent = false;
    std::string text;
    // The To and Cc recipients' full names, for a message that went out.
    std::vector<std::string> recipients;
    std::optional<std::chrono::year_month_day> date;
    // Times of day as fractions of a day.
    std::optional<double> start, end;
    std::optional<outlook::RecurrenceFields> repeat;
    std::string entryId;
    std::string journalEntryId;
    NoteSnapshot snapshot;
};

FiledNote DescribeFiling(TJotPad& note, const FilingResult& result);

}  // namespace notes
