// Filing a note into Outlook: one item of the note's type, with its journal entry and, for a
// task request with copy recipients, the mail that sends them the task.
#include "notes/note_filing.h"

#include <chrono>
#include <cmath>
#include <memory>

#include "notes/attachable_file.h"
#include "notes/jotpad.h"
#include "notes/note_settings.h"
#include "outlook/items/appointment.h"
#include "outlook/items/contact.h"
#include "outlook/items/journal_entry.h"
#include "outlook/items/note.h"
#include "outlook/items/task.h"
#include "outlook/ole_date.h"
#include "outlook/session/data_store.h"
#include "outlook/session/save_batch.h"

namespace notes {
namespace {

using messages::kNoError;
using messages::MessageId;
using namespace std::chrono;
using outlook::TContact;
using outlook::TDataItem;

constexpr MessageId kLinksUnavailable = 5;
constexpr MessageId kFileLinksUnavailable = 44;
constexpr MessageId kItemNotCreated = 22;
constexpr double kLastMinute = (23 * 60 + 59) / 1440.0;  // 11:59pm

// Everything one filing needs, gathered from the note once.
class Filing {
public:
    explicit Filing(TJotPad& note)
        : note_(note),
          store_(note.Context().store),
          shadow_(note.Shadow()),
          category_(shadow_.CategoryText()),
          categories_{&category_},
          memo_(note.MemoText()),
          contact_(shadow_.SelectedContact().empty()
                       ? nullptr
                       : store_.FindContact(shadow_.SelectedContact())) {}

    FilingResult FileNote();
    FilingResult FileAppointment();
    FilingResult FileTask();
    FilingResult SendMail();

private:
    // The day the shadow holds, or today when it holds no valid date; for a repeating item the
    // day of its first occurrence.
    year_month_day Day() const {
        if (const auto& repeat = shadow_.Repeat()) return year_month_day(repeat->patternStartDate);
        return shadow_.Date().value_or(note_.Context().clock.today());
    }
    static outlook::OleDate At(year_month_day day, double time = 0) {
        return outlook::OleDateFromLocal(local_days(day) +
                                         milliseconds(std::llround(time * 86'400'000)));
    }
    bool Asks(MessageId question) const;
    // Links or copies the shadow's contact; 107 when the user will not file without it.
    MessageId AttachContact(TDataItem& item);
    MessageId AttachFiles(TDataItem& item, bool asLinks);
    MessageId SetText(TDataItem& item);
    void LogJournalEntry(outlook::TItem& filed, const char* typeWord, FilingResult& result);
    MessageId SendCopyMail(outlook::TTask& task);
    static FilingResult Committed(outlook::TItem& item);

    TJotPad& note_;
    outlook::TDataStore& store_;
    const TShadow& shadow_;
    outlook::TCategory category_;
    std::vector<outlook::TCategory*> categories_;
    const std::string& memo_;
    TContact* contact_;
};

// The item's entry id, or empty when Outlook does not tell it.
std::string EntryIdOf(outlook::TItem& item) {
    try {
        return item.GetObject()->get("EntryID").asString();
    } catch (const outlook::AutomationError&) {
        return {};
    }
}

// A saved or sent item, and its entry id when Outlook tells it.
FilingResult Filing::Committed(outlook::TItem& item) {
    FilingResult result;
    result.committed = true;
    result.entryId = EntryIdOf(item);
    return result;
}

bool Filing::Asks(MessageId question) const {
    return note_.Context().boxes.show(messages::LoadMessage(messages::kCaption),
                                      messages::LoadMessage(question), platform::MessageIcon::Stop,
                                      platform::MessageButtons::YesNo) ==
           platform::MessageAnswer::Yes;
}

MessageId Filing::AttachContact(TDataItem& item) {
    const MessageId id = note_.Recipients().HasRecipients() ? item.AddItemCopy(*contact_)
                                                            : item.AddContactLink(*contact_);
    if (id == kLinksUnavailable) return Asks(kLinksUnavailable) ? kNoError : kFilingDeclined;
    return id;
}

MessageId Filing::AttachFiles(TDataItem& item, bool asLinks) {
    // A copy goes into the store (and into mail) whole, so it has to fit the limit; a link
    // only names the file.
    const std::optional<std::uint64_t> limit =
        asLinks ? std::nullopt : std::optional(note_.Context().settings.AttachmentLimit());
    for (const TFileAttach& file : note_.Attachments()) {
        if (const auto why = WhyNotAttachable(file.path, limit)) {
            store_.LastError() = *why;
            return messages::kAttachmentFailed;
        }
        const MessageId id = item.AddFileAttachment(file.path, asLinks);
        if (id == kFileLinksUnavailable) {
            if (!Asks(kFileLinksUnavailable)) return kFilingDeclined;
        } else if (id) {
            return id;
        }
    }
    return kNoError;
}

MessageId Filing::SetText(TDataItem& item) {
    if (const MessageId id = item.SetBody(memo_ + "\n\n")) return id;
    return item.SetSubject(memo_);
}

// Made once the item is saved: its link must point at a stored item. Only a journal entry
// that cannot be made at all is reported.
void Filing::LogJournalEntry(outlook::TItem& filed, const char* typeWord, FilingResult& result) {
    const std::unique_ptr<outlook::TOLjournalEntry> journal = store_.CreateJournalEntry();
    if (!journal) {
        result.id = kItemNotCreated;
        return;
    }
    journal->SetSubject(memo_);
    journal->SetBody(memo_);
    journal->SetContact(*contact_);
    journal->SetCategories(categories_);
    journal->AddContactLink(filed);
    journal->SetType(typeWord);
    if (!journal->Commit()) result.journalEntryId = EntryIdOf(*journal);
}

FilingResult Filing::FileNote() {
    const std::unique_ptr<outlook::TNote> item = store_.CreateNote();
    if (!item) return {kItemNotCreated};
    const Rect frame = note_.View().frame();
    if (const MessageId id = item->SetBody(memo_)) return {id};
    if (const MessageId id = item->SetCategories(categories_)) return {id};
    if (const MessageId id = item->SetCoordinates(frame.left, frame.top, frame.width, frame.height))
        return {id};
    if (const MessageId id = item->Commit()) return {id};
    return Committed(*item);
}

FilingResult Filing::FileAppointment() {
    const std::unique_ptr<outlook::TAppointment> item = store_.CreateAppointment();
    if (!item) return {kItemNotCreated};
    if (const MessageId id = item->SetCategories(categories_)) return {id};
    const year_month_day day = Day();
    if (const std::optional<double> start = shadow_.StartTime()) {
        if (const MessageId id = item->SetAllDayEvent(false)) return {id};
        if (const MessageId id = item->SetStart(At(day, *start))) return {id};
        if (const std::optional<double> end = shadow_.EndTime())
            if (const MessageId id = item->SetEnd(At(day, *end >= *start ? *end : kLastMinute)))
                return {id};
    } else {
        if (const MessageId id = item->SetAllDayEvent(true)) return {id};
        if (const MessageId id = item->SetStart(At(day))) return {id};
        if (day == note_.Context().clock.today())
            if (const MessageId id = item->SetReminder(false)) return {id};
    }
    if (const auto& repeat = shadow_.Repeat())
        if (const MessageId id = item->SetRecurrence(*repeat)) return {id};
    if (contact_)
        if (const MessageId id = AttachContact(*item)) return {id};
    const bool meeting = note_.itemType() == ItemType::MeetingRequest;
    if (meeting && note_.Recipients().HasRecipients())
        if (const MessageId id = item->AddRecipients(
                note_.Recipients(), outlook::kToRecipients | outlook::kCcRecipients))
            return {id};
    if (const MessageId id = AttachFiles(*item, !meeting)) return {id};
    if (const MessageId id = SetText(*item)) return {id};

    outlook::SaveBatch batch(store_);
    if (const MessageId id = item->Commit()) return {id};
    FilingResult result = Committed(*item);
    if (contact_) LogJournalEntry(*item, "Meeting", result);
    if (const MessageId id = batch.Commit()) return {id};
    return result;
}

FilingResult Filing::FileTask() {
    const std::unique_ptr<outlook::TTask> item = store_.CreateTask();
    if (!item) return {kItemNotCreated};
    if (const MessageId id = item->SetCategories(categories_)) return {id};
    if (const MessageId id = SetText(*item)) return {id};
    if (contact_) {
        if (const MessageId id = item->SetContacts(contact_->FullName())) return {id};
        if (const MessageId id = item->SetCompanies(contact_->Company())) return {id};
        if (const MessageId id = AttachContact(*item)) return {id};
    }
    const std::optional<outlook::RecurrenceFields>& repeat = shadow_.Repeat();
    if (repeat || shadow_.Date())
        if (const MessageId id = item->SetDueDate(At(Day()))) return {id};
    if (repeat)
        if (const MessageId id = item->SetRecurrence(*repeat)) return {id};
    const std::optional<double> start = shadow_.StartTime(), end = shadow_.EndTime();
    if (start && end) {
        // An end before the start is on the next day: 11:30pm to 12:30am is one hour.
        const double work = *end >= *start ? *end - *start : *end + 1 - *start;
        if (const MessageId id = item->SetTotalWork(work)) return {id};
    }
    const bool request = note_.itemType() == ItemType::TaskRequest;
    const bool sent = request && note_.Recipients().HasRecipients();
    if (sent)
        if (const MessageId id = item->AddRecipients(note_.Recipients(), outlook::kToRecipients))
            return {id};
    if (const MessageId id = AttachFiles(*item, !request)) return {id};

    outlook::SaveBatch batch(store_);
    if (const MessageId id = item->Commit()) return {id};
    FilingResult result = Committed(*item);
    if (contact_) LogJournalEntry(*item, "Task", result);
    if (const MessageId id = batch.Commit()) return {id};
    if (sent)
        if (const MessageId id = SendCopyMail(*item)) result.id = id;
    return result;
}

MessageId Filing::SendCopyMail(outlook::TTask& task) {
    std::vector<std::unique_ptr<TContact>> copies;
    if (note_.Recipients().CollectRecipients(mapi::MAPI_CC, copies) || copies.empty())
        return kNoError;
    const std::unique_ptr<outlook::TMailMessage> mail = store_.CreateMailMessage();
    if (!mail) return kItemNotCreated;
    if (const MessageId id = mail->AddRecipients(note_.Recipients(), outlook::kCcRecipients))
        return id;
    if (const MessageId id = SetText(*mail)) return id;
    if (const MessageId id = mail->AddItemCopy(task)) return id;
    return mail->Commit();
}

FilingResult Filing::SendMail() {
    const std::unique_ptr<outlook::TMailMessage> item = store_.CreateMailMessage();
    if (!item) return {kItemNotCreated};
    if (const MessageId id = item->AddRecipients(note_.Recipients(),
                                                 outlook::kToRecipients | outlook::kCcRecipients))
        return {id};
    if (contact_)
        if (const MessageId id = item->AddItemCopy(*contact_)) return {id};
    if (const MessageId id = AttachFiles(*item, false)) return {id};
    if (const MessageId id = SetText(*item)) return {id};
    if (const MessageId id = item->Commit()) return {id};
    return Committed(*item);
}

}  // namespace

FilingResult FileNote(TJotPad& note) {
    Filing filing(note);
    switch (note.itemType()) {
        case ItemType::Note:
            return filing.FileNote();
        case ItemType::Task:
        case ItemType::TaskRequest:
            return filing.FileTask();
        case ItemType::MailMessage:
            return filing.SendMail();
        case ItemType::Appointment:
        case ItemType::MeetingRequest:
            return filing.FileAppointment();
    }
    return {};
}

}  // namespace notes
