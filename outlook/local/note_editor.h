#pragma once

#include "outlook/local/item_editor.h"

namespace outlook::local {

// A note is its text: the first line is its subject. Beyond the text it has categories.
class NoteEditor : public ItemEditor {
public:
    NoteEditor(DispatchPtr item, DispatchPtr nameSpace);

    std::string kindName() const override { return "Note"; }
    std::int32_t createType() const override;
    // The first line of the text.
    std::string title() const override;

protected:
    void readFields(Dispatch&) override {}
    std::variant<Values, Problem> kindValues() const override { return Values{}; }
};

}  // namespace outlook::local
