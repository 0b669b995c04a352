// Parsing the memo and merging the parse, the user's own choices and the recipients into
// what the note and its shadow show.
#include <chrono>
#include <cmath>
#include <cstring>

#include "messages/error_box.h"
#include "notes/jotpad.h"
#include "platform/utf8_text.h"
#include "sentex.h"

namespace notes {
namespace {

using std::chrono::local_days;
using std::chrono::year_month_day;

std::string slotText(const char* slot) {
    return std::string(slot, strnlen(slot, SENTEX_TEXT_SLOT));
}

constexpr double kOneHour = 1.0 / 24;

// "h:nnam" / "h:nnpm" for a time text, or "" when it does not read as a time.
std::string displayedTime(const std::string& text) {
    const std::optional<double> time = platform::parseTimeOfDay(text);
    return time ? platform::formatTimeOfDay(*time) : std::string();
}

// The names of one role, each followed by one blank.
std::string labelOf(const std::vector<std::unique_ptr<outlook::TContact>>& contacts) {
    std::string label;
    for (const auto& contact : contacts)
        label += contact->FileAs() + " ";
    return label;
}

}  // namespace

void TJotPad::memoBodyChange(const std::string& text) {
    // Whatever the text came from, what is filed and shown later is well-formed UTF-8.
    memoText_ = platform::validUtf8(text);
    Reparse();
}

void TJotPad::Reparse() {
    TParseResults result{};
    Prs_Parse(memoText_.c_str(), reinterpret_cast<char*>(&result));
    state_.folderWord = slotText(result.project);
    state_.contact = slotText(result.contact);
    state_.category = slotText(result.list);
    state_.startTime = slotText(result.startTime);
    state_.endTime = slotText(result.endTime);
    const std::optional<ParsedRepeat> repeat = RepeatOf(result);
    const std::string date = slotText(result.date);
    // A repeat the user dropped stays dropped until the sentence says another one.
    if (repeat != state_.repeat || (repeat && date != state_.date)) shadow_->repeatDropped = false;
    state_.repeat = repeat;
    state_.date = date;
    state_.recipient = slotText(result.recipient);
    state_.isFyi = result.isFyi != 0;
    recomputeState();
}

void TJotPad::ContactChanged(const std::optional<ContactChoice>& added,
                             const std::optional<std::string>& removedKey) {
    shadow_->ContactChanged(added, removedKey);
    Reparse();
}

void TJotPad::CategoriesChanged() {
    shadow_->CategoriesChanged();
    Reparse();
}

void TJotPad::recomputeState() {
    MessageId id;
    if (state_.recipient.empty() || recipientsFromDialog) {
        recipients_.RemoveContactRecipient();
        id = RefreshRecipientLabels();
    } else {
        id = recipients_.SetContactRecipient(state_.recipient, false);
        if (!id) id = RefreshRecipientLabels();
    }
    if (id) {
        messages::ShowError(id);
        return;
    }
    applyState(NextState(NextType()));
}

ItemType TJotPad::NextType() const {
    const bool hasRecipients = recipients_.HasRecipients();
    if (typeChosen) {
        if (typeExact) return state_.forcedType;
        return hasRecipients ? ToMessage(state_.forcedType) : ToBase(state_.forcedType);
    }
    if (!state_.recipient.empty() && state_.isFyi) return ItemType::MailMessage;
    ItemType type;
    if (state_.folderWord.empty()) {
        const bool hasStart =
            shadow_->startEdited ? !shadow_->StartText().empty() : !state_.startTime.empty();
        type = hasStart ? ItemType::Appointment : ItemType::Task;
    } else if (state_.folderWord == "note") {
        type = ItemType::Note;
    } else if (state_.folderWord == "appointment") {
        type = ItemType::Appointment;
    } else {
        type = ItemType::Task;
    }
    const bool toRecipients = hasRecipients || (!state_.recipient.empty() && !recipientsFromDialog);
    return toRecipients ? ToMessage(type) : ToBase(type);
}

std::optional<outlook::RecurrenceFields> TJotPad::NextPattern(const std::string& start,
                                                              const std::string& end) const {
    if (!state_.repeat) return std::nullopt;
    const auto parsed = platform::parseShortDate(context_.dateFormat, state_.date);
    if (!parsed) return std::nullopt;
    // The user's own date starts the repeat; the parser's start may lie in the past (the first
    // Monday of this month), so a parsed repeat begins today at the earliest.
    const auto edited = shadow_->dateEdited ? shadow_->Date() : std::nullopt;
    const local_days startDay(edited ? *edited : *parsed);
    const local_days from = edited ? startDay : local_days(context_.clock.today());
    std::optional<RepeatTimes> times;
    if (const auto startTime = platform::parseTimeOfDay(start)) {
        const auto minutesOf = [](double time) {
            return std::chrono::minutes(std::lround(time * 24 * 60) % (24 * 60));
        };
        const auto endTime = platform::parseTimeOfDay(end);
        times = RepeatTimes{minutesOf(*startTime), minutesOf(endTime.value_or(*startTime))};
    }
    return PatternFor(*state_.repeat, startDay, from, times);
}

std::string TJotPad::NextDate(ItemType type,
                              const std::optional<outlook::RecurrenceFields>& pattern) const {
    const platform::ShortDateFormat& format = context_.dateFormat;
    if (shadow_->dateEdited) {
        const auto date = shadow_->Date();
        return date ? platform::formatShortDate(format, *date) : shadow_->DateText();
    }
    if (pattern)
        return platform::formatShortDate(format, year_month_day(pattern->patternStartDate));
    // A parsed date that does not read back is no date rather than an error.
    if (const auto parsed = platform::parseShortDate(format, state_.date))
        return platform::formatShortDate(format, *parsed);
    const bool dated = type == ItemType::Appointment || type == ItemType::MeetingRequest;
    return dated ? platform::formatShortDate(format, context_.clock.today()) : std::string();
}

std::string TJotPad::NextStart() const {
    if (shadow_->startEdited) return shadow_->StartText();
    return displayedTime(state_.startTime);
}

std::string TJotPad::NextEnd(const std::string& start) const {
    if (shadow_->endEdited) return shadow_->EndText();
    if (!state_.endTime.empty()) return displayedTime(state_.endTime);
    // An hour after the start, wrapping past midnight.
    if (const auto time = platform::parseTimeOfDay(start))
        return platform::formatTimeOfDay(*time + kOneHour);
    return {};
}

TNextStateInfo TJotPad::NextState(ItemType type) const {
    TNextStateInfo next;
    next.itemType = type;
    next.startTime = NextStart();
    next.endTime = NextEnd(next.startTime);
    const std::optional<outlook::RecurrenceFields> pattern =
        NextPattern(next.startTime, next.endTime);
    next.date = NextDate(type, pattern);
    if (pattern && FilesRepeat(type) && !shadow_->repeatDropped) next.repeat = pattern;
    next.contact = shadow_->contactChosen ? shadow_->SelectedContact() : state_.contact;
    next.category = shadow_->categoryChosen ? shadow_->CategoryText() : state_.category;
    next.showAttachments = !attachments_.empty() && type != ItemType::Note;
    next.showMailingLabel = IsMessageType(type);
    return next;
}

void TJotPad::applyState(const TNextStateInfo& next) {
    SetItemType(next.itemType);
    shadow_->SetCategory(next.category);
    shadow_->SetContact(next.contact);
    shadow_->SetStartTime(next.startTime);
    shadow_->SetEndTime(next.endTime);
    shadow_->SetDate(next.date);
    shadow_->SetRepeat(next.repeat);
    SetAttachmentsVisible(next.showAttachments);
    if (next.showMailingLabel || mailingVisible_) {
        switch (next.itemType) {
            case ItemType::TaskRequest:
                view_.setRecipientRoles("To:", "");
                break;
            case ItemType::MeetingRequest:
                view_.setRecipientRoles("Required:", "Optional:");
                break;
            case ItemType::MailMessage:
                view_.setRecipientRoles("To:", "Cc:");
                break;
            default:
                break;
        }
    }
    SetMailingVisible(next.showMailingLabel);
}

MessageId TJotPad::RefreshRecipientLabels() {
    std::vector<std::unique_ptr<outlook::TContact>> to, cc;
    if (const MessageId id = recipients_.CollectRecipients(mapi::MAPI_TO, to)) return id;
    if (const MessageId id = recipients_.CollectRecipients(mapi::MAPI_CC, cc)) return id;
    view_.setRecipientNames(labelOf(to), labelOf(cc));
    return messages::kNoError;
}

}  // namespace notes
