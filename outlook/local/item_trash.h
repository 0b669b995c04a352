#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "outlook/automation.h"
#include "outlook/local/store/folder_kind.h"

namespace outlook::local {

class ItemObject;
class Store;

// One item an action of the trash moved or removed, as a person reads it.
struct TrashedItem {
    std::string entryId;
    std::string title;  // "" when the item has none
    std::string kind;   // "Appointment"
    std::string from;   // the folder it was in
    std::string to;     // the folder it is in now; "" when removed for good
};

// What an action of the trash did: every item it was given, or, with `error` set, nothing.
struct TrashOutcome {
    std::string error;
    std::vector<TrashedItem> items;
    bool done() const { return error.empty(); }
};

// Deleting items and getting them back, for the explorer and the command line, through the
// object model (Item.Delete, Item.Move):
//
// - Delete moves items to Deleted Items; each keeps the folder it came from. An item already
//   there is refused: removing for good is a separate, asked-for step.
// - Restore moves items in Deleted Items back to the folder they came from, or to their
//   kind's default folder when they do not say (deleted by an older version or by another
//   program).
// - Removing for good and emptying Deleted Items cannot be undone.
// - Undo restores what the last Delete moved, as far as it is still in Deleted Items.
//
// Every action checks all its items first and changes them in one transaction: an entry id
// that names no item, or an item in the wrong folder, refuses the whole action.
class ItemTrash {
public:
    // `nameSpace` is the object model's "MAPI" namespace on `store`.
    ItemTrash(std::shared_ptr<Store> store, DispatchPtr nameSpace);

    TrashOutcome moveToDeletedItems(const std::vector<std::string>& entryIds);
    TrashOutcome restore(const std::vector<std::string>& entryIds);
    // Items in any folder; those in Deleted Items with the others.
    TrashOutcome removePermanently(const std::vector<std::string>& entryIds);
    TrashOutcome emptyDeletedItems();

    // The items as they are, changing nothing (`error` set when one is not an item).
    TrashOutcome describe(const std::vector<std::string>& entryIds) const;

    // Whether the last Delete can be undone: some of what it moved is still in Deleted Items.
    bool canUndo() const;
    TrashOutcome undo();

    // Where Restore puts an item in Deleted Items.
    FolderKind restoreFolder(const ItemObject& item) const;

private:
    struct Found {
        std::shared_ptr<ItemObject> item;
        TrashedItem line;
        FolderKind folder;
    };
    // The items of the entry ids, each once; `error` set when one is not an item of the store.
    std::vector<Found> find(const std::vector<std::string>& entryIds, std::string& error) const;
    // Runs `step` on every item in one transaction and lists them in `outcome`; when the
    // store fails, nothing is changed, the outcome says why, and the result is false.
    bool applyToAll(std::vector<Found>& found, TrashOutcome& outcome,
                    const std::function<void(Found&)>& step);
    std::vector<std::string> stillDeleted(const std::vector<std::string>& entryIds) const;
    DispatchPtr folderObject(FolderKind kind) const;
    std::string folderName(FolderKind kind) const;

    std::shared_ptr<Store> store_;
    DispatchPtr nameSpace_;
    std::vector<std::string> lastDeleted_;
};

// "Delete “Lunch” for good?" / "Delete these 3 items for good?", with what that means.
std::string removePermanentlyQuestion(std::size_t count, const std::string& title);
std::string emptyDeletedItemsQuestion(std::size_t count);

}  // namespace outlook::local
