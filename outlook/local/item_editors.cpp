#include "outlook/local/item_editors.h"

#include "outlook/local/appointment_editor.h"
#include "outlook/local/journal_editor.h"
#include "outlook/local/note_editor.h"
#include "outlook/local/task_editor.h"
#include "outlook/object_model.h"

namespace outlook::local {

std::unique_ptr<ItemEditor> makeItemEditor(const DispatchPtr& item, const DispatchPtr& nameSpace) {
    if (item->get("Sent").asBool()) return nullptr;
    switch (item->get("Class").asInt()) {
        case olAppointment:
            return std::make_unique<AppointmentEditor>(item, nameSpace);
        case olTask:
            return std::make_unique<TaskEditor>(item, nameSpace);
        case olNote:
            return std::make_unique<NoteEditor>(item, nameSpace);
        case olJournal:
            return std::make_unique<JournalEditor>(item, nameSpace);
        default:
            return nullptr;
    }
}

}  // namespace outlook::local
