#include "outlook/local/ui/appointment_window.h"
#include "outlook/local/ui/item_window.h"
#include "outlook/local/ui/note_window.h"
#include "outlook/local/ui/task_window.h"

namespace outlook::local {

namespace {

template <class Editor>
std::unique_ptr<Editor> as(std::unique_ptr<ItemEditor>& editor) {
    if (!dynamic_cast<Editor*>(editor.get())) return nullptr;
    return std::unique_ptr<Editor>(static_cast<Editor*>(editor.release()));
}

}  // namespace

ItemWindow* makeItemWindow(std::unique_ptr<ItemEditor> editor, WindowSizes& sizes,
                           platform::MessageBoxes* boxes, std::vector<std::string> categories,
                           QWidget* parent) {
    if (auto appointment = as<AppointmentEditor>(editor))
        return new AppointmentWindow(std::move(appointment), sizes, boxes, std::move(categories),
                                     parent);
    if (auto task = as<TaskEditor>(editor))
        return new TaskWindow(std::move(task), sizes, boxes, std::move(categories), parent);
    if (auto note = as<NoteEditor>(editor))
        return new NoteWindow(std::move(note), sizes, boxes, std::move(categories), parent);
    if (auto journal = as<JournalEditor>(editor))
        return new JournalWindow(std::move(journal), sizes, boxes, std::move(categories), parent);
    return nullptr;
}

}  // namespace outlook::local
