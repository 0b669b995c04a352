#include "shell/ui/note_windows.h"

#include "notes/ui/jotpad_window.h"

namespace shell::ui {

notes::TJotPad* QtNoteWindows::OpenNote(notes::NoteContext& context) {
    // The window owns itself and its logic; it ends when the note closes.
    notes::ui::JotPadWindow* window = notes::ui::JotPadWindow::create(context);
    return window ? &window->logic() : nullptr;
}

}  // namespace shell::ui
