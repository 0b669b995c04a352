#pragma once

#include <optional>
#include <string>

#include "notes/item_type.h"
#include "outlook/mapi.h"

namespace notes {

class TJotPad;

// What the user put into a note beyond its text: the type chosen, the recipients picked and
// the shadow's fields changed by hand. Enough to open the note again as the user left it,
// e.g. after a filing was undone; what the text gives is parsed again.
struct NoteSnapshot {
    std::string text;
    std::optional<ItemType> chosenType;
    std::optional<mapi::ADRLIST> pickedRecipients;
    std::optional<std::string> date, start, end, contact, category;
    bool repeatDropped = false;
};

NoteSnapshot SnapshotOf(TJotPad& note);

// Gives `note`, new and empty, the snapshot's text and the user's choices, in the order a user
// would make them.
void RestoreSnapshot(TJotPad& note, const NoteSnapshot& snapshot);

}  // namespace notes
