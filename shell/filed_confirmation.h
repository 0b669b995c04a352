#pragma once

#include <functional>
#include <memory>
#include <string>

#include "notes/filed_note.h"
#include "outlook/session/data_store.h"
#include "platform/clock.h"
#include "platform/message_boxes.h"
#include "shell/action_notifier.h"
#include "shell/settings.h"

namespace shell {

// After a note was saved or sent, a short notification says what was filed, with "Undo"
// (unless a message went out, which cannot be taken back) and "Open" (a click on it). Undo
// moves the item and its journal entry to Deleted Items and opens the note again as it was,
// for the user to correct and save. Where no notification server runs, nothing shows; the
// "On" setting under Software\Jotwise\Confirmation turns it off.
class TFiledConfirmation {
public:
    using Reopen = std::function<void(const notes::NoteSnapshot&)>;

    struct Services {
        outlook::TDataStore& store;
        ActionNotifier& notifier;
        TRegistry& settings;
        platform::MessageBoxes& boxes;
        const platform::Clock& clock;
    };

    TFiledConfirmation(Services services, Reopen reopen);

    void Filed(const notes::FiledNote& filed);
    // False (after telling the user why) when the item could not be moved; the note then
    // does not open again, or the item would be filed twice.
    bool Undo(const notes::FiledNote& filed);
    void Open(const std::string& entryId);

private:
    void answered(const notes::FiledNote& filed, const std::string& action);
    outlook::DispatchPtr item(const std::string& entryId);

    Services services_;
    Reopen reopen_;
    // Answers that arrive after the confirmation is gone find this empty.
    std::shared_ptr<TFiledConfirmation*> self_;
};

}  // namespace shell
