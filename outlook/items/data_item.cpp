#include "outlook/items/data_item.h"

#include "outlook/items/item_session.h"
#include "outlook/object_model.h"

namespace outlook {
namespace {

bool isBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

}  // namespace

std::string SubjectLine(const std::string& text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && isBlankOrControl(text[begin]))
        ++begin;
    while (end > begin && isBlankOrControl(text[end - 1]))
        --end;
    std::string subject = text.substr(begin, end - begin);
    // Lines end in "\r\n" or in "\n" alone, as the memo writes them.
    if (const auto lineEnd = subject.find_first_of("\r\n"); lineEnd != std::string::npos)
        subject.resize(lineEnd);
    return subject;
}

void TDataItem::RememberFailure(const AutomationError& error) {
    if (ItemSession* session = CurrentItemSession()) session->LastError() = error.what();
}

MessageId TDataItem::SetCategories(const std::vector<TCategory*>& categories) {
    std::string text;
    for (const TCategory* category : categories)
        text += category->Name() + ";";
    return Guarded(7, [&] { Put("Categories", text); });
}

void TDataItem::Attach(const Variant& source, std::int32_t how) {
    Object().get("Attachments").asObject()->call("Add", {source, how, kAfterLastAttachment});
}

MessageId TDataItem::AddContactLink(TItem& target) {
    return Guarded(messages::kContactLinkUnavailable,
                   [&] { Attach(target.GetObject(), olByReference); });
}

MessageId TDataItem::AddItemCopy(TItem& target) {
    return Guarded(messages::kAttachmentFailed, [&] { Attach(target.GetObject(), olByValue); });
}

MessageId TDataItem::AddFileAttachment(const std::string& path, bool link) {
    // Only a link can fail for want of link support; a copy that fails is a plain error.
    return Guarded(link ? messages::kFileLinkUnavailable : messages::kAttachmentFailed,
                   [&] { Attach(path, link ? olByReference : olByValue); });
}

MessageId TDataItem::SetSubject(const std::string& text) {
    return Guarded(8, [&] { Put("Subject", SubjectLine(text)); });
}

MessageId TDataItem::SetBody(const std::string& text) {
    return Guarded(3, [&] { Put("Body", text); });
}

MessageId TDataItem::Commit() {
    return Guarded(messages::kSaveFailed, [&] { Call("Save"); });
}

}  // namespace outlook
