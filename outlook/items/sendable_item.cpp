#include "outlook/items/sendable_item.h"

#include "outlook/recurrence/pattern_properties.h"

namespace outlook {

MessageId TSendableItem::Commit() {
    if (!hasRecipients) return TDataItem::Commit();
    return Guarded(42, [&] { Call("Send"); });
}

MessageId TSendableItem::AddRecipients(const RecipientSource& recipients, int kinds) {
    struct Kind {
        int bit;
        mapi::ULONG type;
    };
    MessageId taken = messages::kNoError;
    const MessageId failed = Guarded(40, [&] {
        const DispatchPtr itemRecipients = Object().get("Recipients").asObject();
        for (const Kind kind :
             {Kind{kToRecipients, mapi::MAPI_TO}, Kind{kCcRecipients, mapi::MAPI_CC}}) {
            if (!(kinds & kind.bit)) continue;
            if ((taken = recipients.AddEntriesTo(*itemRecipients, kind.type))) return;
            hasRecipients = true;
        }
    });
    return failed ? failed : taken;
}

MessageId TSendableItem::PutRecurrence(const RecurrenceFields& fields) {
    return Guarded(messages::kRecurrenceFailed, [&] {
        const DispatchPtr pattern = Call("GetRecurrencePattern").asObject();
        PutRecurrencePattern(*pattern, fields);
    });
}

}  // namespace outlook
