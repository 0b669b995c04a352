#include "outlook/local/store/item_kind.h"

#include <array>

namespace outlook::local {
namespace {

struct KindInfo {
    ItemKind kind;
    std::string_view messageClass;
    FolderKind folder;
    std::string_view article;
    std::string_view name;
    OlObjectClass objectClass;
};

constexpr std::array<KindInfo, 8> kKinds = {{
    {ItemKind::Mail, "IPM.Note", FolderKind::Drafts, "a", "mail item", olMail},
    {ItemKind::Appointment, "IPM.Appointment", FolderKind::Calendar, "an", "appointment item",
     olAppointment},
    {ItemKind::Contact, "IPM.Contact", FolderKind::Contacts, "a", "contact item", olContact},
    {ItemKind::Task, "IPM.Task", FolderKind::Tasks, "a", "task item", olTask},
    {ItemKind::Journal, "IPM.Activity", FolderKind::Journal, "a", "journal item", olJournal},
    {ItemKind::Note, "IPM.StickyNote", FolderKind::Notes, "a", "note item", olNote},
    {ItemKind::MeetingRequest, "IPM.Schedule.Meeting.Request", FolderKind::SentItems, "a",
     "meeting request", olMeetingRequest},
    {ItemKind::TaskRequest, "IPM.TaskRequest", FolderKind::SentItems, "a", "task request",
     olTaskRequest},
}};

const KindInfo& info(ItemKind kind) {
    return kKinds[static_cast<std::size_t>(kind)];
}

bool hasClassPrefix(std::string_view messageClass, std::string_view prefix) {
    if (messageClass.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(messageClass[i]) != lower(prefix[i])) return false;
    }
    return messageClass.size() == prefix.size() || messageClass[prefix.size()] == '.';
}

}  // namespace

std::optional<ItemKind> itemKindFromCreateNumber(int number) {
    switch (number) {
        case olMailItem:
            return ItemKind::Mail;
        case olAppointmentItem:
            return ItemKind::Appointment;
        case olContactItem:
            return ItemKind::Contact;
        case olTaskItem:
            return ItemKind::Task;
        case olJournalItem:
            return ItemKind::Journal;
        case olNoteItem:
            return ItemKind::Note;
        default:
            return std::nullopt;
    }
}

std::string_view messageClassOf(ItemKind kind) {
    return info(kind).messageClass;
}

ItemKind itemKindFromMessageClass(std::string_view messageClass) {
    // Longest classes first: a meeting request is not a plain schedule item.
    for (ItemKind kind : {ItemKind::MeetingRequest, ItemKind::TaskRequest, ItemKind::Appointment,
                          ItemKind::Contact, ItemKind::Task, ItemKind::Journal, ItemKind::Note})
        if (hasClassPrefix(messageClass, info(kind).messageClass)) return kind;
    return ItemKind::Mail;
}

FolderKind defaultFolderOf(ItemKind kind) {
    return info(kind).folder;
}

std::string describeKind(ItemKind kind) {
    return std::string(info(kind).article) + " " + std::string(info(kind).name);
}

int objectClassOf(ItemKind kind) {
    return info(kind).objectClass;
}

}  // namespace outlook::local
