#pragma once

#include "shell/hidden_view.h"

namespace shell::ui {

// Opens each note as a note window with its shadow (notes/ui/jotpad_window.h).
class QtNoteWindows : public NoteWindows {
public:
    notes::TJotPad* OpenNote(notes::NoteContext& context) override;
};

}  // namespace shell::ui
