#pragma once

#include <string>
#include <vector>

#include "outlook/local/item_trash.h"
#include "platform/message_boxes.h"

namespace outlook::local {

// The explorer's Delete, Undo, Restore and Empty Deleted Items: which step each one takes in
// the folder shown, the questions asked before what cannot be undone, and the line the status
// bar then shows ("" when the user said No).
class TrashActions {
public:
    // Both must outlive this object.
    TrashActions(ItemTrash& trash, platform::MessageBoxes& boxes) : trash_(trash), boxes_(boxes) {}

    // Delete on items of `shown`: they move to Deleted Items, or, shown there, are removed
    // for good once the user says Yes.
    std::string remove(FolderKind shown, const std::vector<std::string>& entryIds);
    std::string restore(const std::vector<std::string>& entryIds);
    std::string undo();
    // Empties Deleted Items, which holds `count` items, once the user says Yes.
    std::string emptyDeletedItems(std::size_t count);

    bool canUndo() const { return trash_.canUndo(); }
    // Restore and Empty Deleted Items belong to Deleted Items.
    static bool canRestore(FolderKind shown) { return shown == FolderKind::DeletedItems; }

private:
    bool confirmed(const std::string& question);

    ItemTrash& trash_;
    platform::MessageBoxes& boxes_;
};

// What an outcome of the trash says in one line: "“Lunch” moved to Deleted Items", "3 items
// restored", or why nothing was changed.
std::string describeOutcome(const TrashOutcome& outcome);

}  // namespace outlook::local
