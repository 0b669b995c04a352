#pragma once

#include <string>

#include "messages/messages.h"

namespace notes {

class TJotPad;

// The user declined to file the note without its links; the note stays open, unreported.
inline constexpr messages::MessageId kFilingDeclined = 107;

// How filing a note ended. Once the main item was saved or sent, `committed` is set even
// when a later step (the journal entry, the copy mail) failed: the note must then close,
// or a second Save would file the item twice.
struct FilingResult {
    FilingResult(messages::MessageId failure = messages::kNoError) : id(failure) {}

    messages::MessageId id = messages::kNoError;
    bool committed = false;
    std::string entryId;         // of the item filed, once committed
    std::string journalEntryId;  // of its journal entry, when one was made
};

// Files the note as its type: a note, an appointment or meeting request, a task or task
// request, or a mail message.
FilingResult FileNote(TJotPad& note);

}  // namespace notes
