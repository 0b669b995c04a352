#include "outlook/sendable_item.h"

#include "outlook/data_store.h"
#include "outlook/mailing_info.h"

namespace outlook {
namespace {

constexpr std::int32_t kCopyRecipient = 2;

DispatchPtr ResolvedRecipient(const std::string& name) {
    if (!DataStore || !DataStore->MapiNamespace())
        throw AutomationError("There is no Outlook session to resolve recipients with");
    const DispatchPtr& mapiNamespace = DataStore->MapiNamespace();
    DispatchPtr recipient = mapiNamespace->call("CreateRecipient", {name}).asObject();
    if (recipient->call("Resolve").asBool()) return recipient;
    DispatchPtr eMailForm = mapiNamespace->call("CreateRecipient", {name + " (E-mail)"}).asObject();
    return eMailForm->call("Resolve").asBool() ? eMailForm : recipient;
}

}  // namespace

MessageId TSendableItem::Commit() {
    if (!hasRecipients) return TDataItem::Commit();
    return Guarded(42, [&] { Call("Send"); });
}

MessageId TSendableItem::AddRecipientsOfType(const TMailingInfo& recipients, mapi::ULONG type,
                                             const DispatchPtr& itemRecipients) {
    std::vector<std::unique_ptr<TContact>> contacts;
    if (const MessageId id = recipients.CollectRecipients(type, contacts)) return id;
    for (const auto& contact : contacts) {
        const Variant added = itemRecipients->call("Add", {ResolvedRecipient(contact->FileAs())});
        if (type == mapi::MAPI_CC) added.asObject()->put("Type", kCopyRecipient);
    }
    hasRecipients = true;
    return shell::msg::kNoError;
}

MessageId TSendableItem::AddRecipients(TMailingInfo& recipients, int kinds) {
    MessageId collected = shell::msg::kNoError;
    const MessageId failed = Guarded(40, [&] {
        const DispatchPtr itemRecipients = object_->get("Recipients").asObject();
        if (kinds & kToRecipients)
            collected = AddRecipientsOfType(recipients, mapi::MAPI_TO, itemRecipients);
        if (!collected && (kinds & kCcRecipients))
            collected = AddRecipientsOfType(recipients, mapi::MAPI_CC, itemRecipients);
    });
    return failed ? failed : collected;
}

}  // namespace outlook
