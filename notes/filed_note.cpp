#include "notes/filed_note.h"

#include <memory>

#include "notes/jotpad.h"
#include "outlook/items/contact.h"

namespace notes {
namespace {

std::vector<std::string> recipientNames(outlook::TMailingInfo& recipients) {
    std::vector<std::string> names;
    for (const mapi::ULONG role : {mapi::MAPI_TO, mapi::MAPI_CC}) {
        std::vector<std::unique_ptr<outlook::TContact>> contacts;
        if (recipients.CollectRecipients(role, contacts)) continue;
        for (const auto& contact : contacts) {
            std::string name = contact->FullName();
            names.push_back(name.empty() ? contact->FileAs() : std::move(name));
        }
    }
    return names;
}

}  // namespace

FiledNote DescribeFiling(TJotPad& note, const FilingResult& result) {
    const TShadow& shadow = note.Shadow();
    FiledNote filed;
    filed.type = note.itemType();
    filed.sent = IsMessageType(filed.type) && note.Recipients().HasRecipients();
    filed.text = note.MemoText();
    if (filed.sent) filed.recipients = recipientNames(note.Recipients());
    filed.repeat = shadow.Repeat();
    filed.date =
        filed.repeat ? std::chrono::year_month_day(filed.repeat->patternStartDate) : shadow.Date();
    filed.start = shadow.StartTime();
    filed.end = shadow.EndTime();
    filed.entryId = result.entryId;
    filed.journalEntryId = result.journalEntryId;
    filed.snapshot = SnapshotOf(note);
    return filed;
}

}  // namespace notes
