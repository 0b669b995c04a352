#include "outlook/local/journal_editor.h"

#include "outlook/object_model.h"
#include "outlook/ole_date.h"

namespace outlook::local {

JournalEditor::JournalEditor(DispatchPtr item, DispatchPtr nameSpace)
    : ItemEditor(std::move(item), std::move(nameSpace)) {
    readAll();
}

std::int32_t JournalEditor::createType() const {
    return olJournalItem;
}

void JournalEditor::readFields(Dispatch& item) {
    subject = item.get("Subject").asString();
    type = item.get("Type").asString();
    start = splitLocal(localOf(item.get("Start")).value_or(LocalFromOleDate(OleDateNow())));
    durationMinutes = item.get("Duration").asInt();
}

std::variant<ItemEditor::Values, ItemEditor::Problem> JournalEditor::kindValues() const {
    const auto at = joinLocal(start);
    if (!at) return Problem{unreadableTime("start time", start.time), "cbStartTime"};
    if (durationMinutes < 0) return Problem{"The duration cannot be negative.", "spinDuration"};
    return Values{
        {"Subject", subject},
        {"Type", type},
        {"Start", dateValue(*at)},
        {"Duration", durationMinutes},
    };
}

}  // namespace outlook::local
