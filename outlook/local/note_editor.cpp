#include "outlook/local/note_editor.h"

#include "outlook/object_model.h"
#include "platform/text.h"

namespace outlook::local {

NoteEditor::NoteEditor(DispatchPtr item, DispatchPtr nameSpace)
    : ItemEditor(std::move(item), std::move(nameSpace)) {
    readAll();
}

std::int32_t NoteEditor::createType() const {
    return olNoteItem;
}

std::string NoteEditor::title() const {
    const std::string_view text = platform::trimmed(body());
    return std::string(platform::trimmed(text.substr(0, text.find_first_of("\r\n"))));
}

}  // namespace outlook::local
