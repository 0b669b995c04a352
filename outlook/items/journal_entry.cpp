#include "outlook/items/journal_entry.h"

#include "outlook/items/contact.h"
#include "outlook/ole_date.h"

namespace outlook {

MessageId TOLjournalEntry::Commit() {
    return Guarded(messages::kSaveFailed, [&] {
        Put("Duration", 0);
        Put("Start", OleDateNow());
        Call("Save");
    });
}

MessageId TOLjournalEntry::SetContact(TContact& contact) {
    return Guarded(10, [&] {
        Put("ContactNames", contact.FullName());
        Put("Companies", contact.Company());
    });
}

MessageId TOLjournalEntry::SetType(const std::string& type) {
    return Guarded(9, [&] { Put("Type", type); });
}

}  // namespace outlook
