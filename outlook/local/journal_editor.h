#pragma once

#include <array>
#include <string_view>

#include "outlook/local/form_time.h"
#include "outlook/local/item_editor.h"

namespace outlook::local {

// The entry types the form offers; an entry may keep a type of its own besides these.
inline constexpr std::array<std::string_view, 8> kJournalTypes = {
    "Phone call", "Meeting", "E-mail Message", "Conversation",
    "Task",       "Note",    "Letter",         "Document"};

// The fields of a journal entry: subject, entry type, start and duration. The contacts it
// names are shown, not edited.
class JournalEditor : public ItemEditor {
public:
    JournalEditor(DispatchPtr item, DispatchPtr nameSpace);

    std::string kindName() const override { return "Journal Entry"; }
    std::int32_t createType() const override;
    std::string title() const override { return subject; }

    std::string subject;
    std::string type;
    DayAndTime start;
    std::int32_t durationMinutes = 0;

protected:
    void readFields(Dispatch& item) override;
    std::variant<Values, Problem> kindValues() const override;
};

}  // namespace outlook::local
