#include "outlook/data_item.h"

#include "outlook/data_store.h"

namespace outlook {
namespace {

constexpr std::int32_t kByValue = 1;
constexpr std::int32_t kByReference = 4;
// After every existing attachment.
constexpr std::int32_t kLastPosition = 999999;

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
    if (const auto lineEnd = subject.find("\r\n"); lineEnd != std::string::npos)
        subject.resize(lineEnd);
    return subject;
}

void TDataItem::RememberFailure(const AutomationError& error) {
    if (DataStore) DataStore->LastError() = error.what();
}

MessageId TDataItem::SetCategories(const std::vector<TCategory*>& categories) {
    std::string text;
    for (const TCategory* category : categories)
        text += category->Name() + ";";
    return Guarded(7, [&] { Put("Categories", text); });
}

void TDataItem::Attach(const Variant& source, std::int32_t how) {
    object_->get("Attachments").asObject()->call("Add", {source, how, kLastPosition});
}

MessageId TDataItem::AddContactLink(TItem& target) {
    return Guarded(shell::msg::kContactLinkUnavailable,
                   [&] { Attach(target.GetObject(), kByReference); });
}

MessageId TDataItem::AddItemCopy(TItem& target) {
    return Guarded(6, [&] { Attach(target.GetObject(), kByValue); });
}

MessageId TDataItem::AddFileAttachment(const std::string& path, bool link) {
    return Guarded(shell::msg::kFileLinkUnavailable,
                   [&] { Attach(path, link ? kByReference : kByValue); });
}

MessageId TDataItem::SetSubject(const std::string& text) {
    return Guarded(8, [&] { Put("Subject", SubjectLine(text)); });
}

MessageId TDataItem::SetBody(const std::string& text) {
    return Guarded(3, [&] { Put("Body", text); });
}

MessageId TDataItem::Commit() {
    return Guarded(shell::msg::kSaveFailed, [&] { Call("Save"); });
}

}  // namespace outlook
