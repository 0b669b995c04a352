#include "outlook/local/item_trash.h"

#include <algorithm>

#include "outlook/local/item_details.h"
#include "outlook/local/model/item_object.h"
#include "outlook/local/store/deleted_from_property.h"
#include "outlook/local/store/store.h"

namespace outlook::local {

namespace {

constexpr const char* kNothingChanged = " Nothing was changed.";

std::string quoted(const std::string& title) {
    return title.empty() ? "an untitled item" : "\u201C" + title + "\u201D";
}

}  // namespace

ItemTrash::ItemTrash(std::shared_ptr<Store> store, DispatchPtr nameSpace)
    : store_(std::move(store)), nameSpace_(std::move(nameSpace)) {}

std::vector<ItemTrash::Found> ItemTrash::find(const std::vector<std::string>& entryIds,
                                              std::string& error) const {
    std::vector<Found> found;
    std::vector<std::int64_t> seen;
    for (const std::string& entryId : entryIds) {
        const auto id = mapi::FBinFromHex(entryId);
        const auto ref = id && !entryId.empty() ? store_->parse(*id) : std::nullopt;
        const auto folderId =
            ref && ref->kind == EntryKind::Message ? store_->folderOfItem(ref->row) : std::nullopt;
        const FolderRecord* folder = folderId ? store_->folderById(*folderId) : nullptr;
        std::shared_ptr<ItemObject> item;
        if (folder) {
            try {
                item = std::dynamic_pointer_cast<ItemObject>(
                    nameSpace_->call("GetItemFromID", {entryId}).asObject());
            } catch (const AutomationError&) {
            }
        }
        if (!item) {
            error = "There is no item with the entry id " + entryId + "." + kNothingChanged;
            return {};
        }
        if (std::find(seen.begin(), seen.end(), item->id()) != seen.end()) continue;
        seen.push_back(item->id());
        TrashedItem line;
        line.entryId = entryId;
        line.title = item->title();
        line.kind = kindName(objectClassOf(item->kind()));
        line.from = folder->name;
        line.to = folder->name;
        found.push_back({std::move(item), std::move(line), folder->kind});
    }
    return found;
}

DispatchPtr ItemTrash::folderObject(FolderKind kind) const {
    return nameSpace_->call("GetDefaultFolder", {static_cast<std::int32_t>(kind)}).asObject();
}

std::string ItemTrash::folderName(FolderKind kind) const {
    return store_->folder(kind).name;
}

FolderKind ItemTrash::restoreFolder(const ItemObject& item) const {
    return outlook::local::restoreFolder(*store_, item.kind(), item.props());
}

TrashOutcome ItemTrash::describe(const std::vector<std::string>& entryIds) const {
    TrashOutcome outcome;
    for (Found& f : find(entryIds, outcome.error))
        outcome.items.push_back(std::move(f.line));
    return outcome;
}

bool ItemTrash::applyToAll(std::vector<Found>& found, TrashOutcome& outcome,
                           const std::function<void(Found&)>& step) {
    try {
        store_->transact([&] {
            for (Found& f : found)
                step(f);
        });
    } catch (const std::exception& e) {
        outcome.error = std::string(e.what()) + "." + kNothingChanged;
        return false;
    }
    for (Found& f : found)
        outcome.items.push_back(std::move(f.line));
    return true;
}

TrashOutcome ItemTrash::moveToDeletedItems(const std::vector<std::string>& entryIds) {
    TrashOutcome outcome;
    auto found = find(entryIds, outcome.error);
    if (!outcome.done()) return outcome;
    for (const Found& f : found)
        if (f.folder == FolderKind::DeletedItems) {
            outcome.error = quoted(f.line.title) +
                            " is in Deleted Items already; delete it there to remove it for "
                            "good." +
                            kNothingChanged;
            return outcome;
        }
    const bool moved = applyToAll(found, outcome, [this](Found& f) {
        f.item->call("Delete", {});
        f.line.to = folderName(FolderKind::DeletedItems);
    });
    if (moved) {
        lastDeleted_.clear();
        for (const auto& line : outcome.items)
            lastDeleted_.push_back(line.entryId);
    }
    return outcome;
}

TrashOutcome ItemTrash::restore(const std::vector<std::string>& entryIds) {
    TrashOutcome outcome;
    auto found = find(entryIds, outcome.error);
    if (!outcome.done()) return outcome;
    for (const Found& f : found)
        if (f.folder != FolderKind::DeletedItems) {
            outcome.error = quoted(f.line.title) + " is not in Deleted Items but in " +
                            f.line.from + "." + kNothingChanged;
            return outcome;
        }
    applyToAll(found, outcome, [this](Found& f) {
        const FolderKind target = restoreFolder(*f.item);
        f.item->call("Move", {folderObject(target)});
        f.line.to = folderName(target);
    });
    return outcome;
}

TrashOutcome ItemTrash::removePermanently(const std::vector<std::string>& entryIds) {
    TrashOutcome outcome;
    auto found = find(entryIds, outcome.error);
    if (!outcome.done()) return outcome;
    applyToAll(found, outcome, [](Found& f) {
        // Delete moves an item to Deleted Items, and removes one that is there.
        if (f.folder != FolderKind::DeletedItems) f.item->call("Delete", {});
        f.item->call("Delete", {});
        f.line.to.clear();
    });
    return outcome;
}

TrashOutcome ItemTrash::emptyDeletedItems() {
    std::vector<std::string> entryIds;
    const std::int64_t folder = store_->folder(FolderKind::DeletedItems).id;
    for (std::int64_t after = 0;;) {
        const auto ids = store_->itemIdsAfter(folder, after, 256);
        if (ids.empty()) break;
        after = ids.back();
        for (std::int64_t id : ids)
            entryIds.push_back(mapi::HexFromBin(store_->itemEntryId(id)));
    }
    return removePermanently(entryIds);
}

std::vector<std::string> ItemTrash::stillDeleted(const std::vector<std::string>& entryIds) const {
    const std::int64_t deletedItems = store_->folder(FolderKind::DeletedItems).id;
    std::vector<std::string> still;
    for (const std::string& entryId : entryIds) {
        const auto id = mapi::FBinFromHex(entryId);
        const auto ref = id ? store_->parse(*id) : std::nullopt;
        if (ref && store_->folderOfItem(ref->row) == deletedItems) still.push_back(entryId);
    }
    return still;
}

bool ItemTrash::canUndo() const {
    return !lastDeleted_.empty() && !stillDeleted(lastDeleted_).empty();
}

TrashOutcome ItemTrash::undo() {
    const auto still = stillDeleted(lastDeleted_);
    if (still.empty()) {
        lastDeleted_.clear();
        return {"There is no delete to undo.", {}};
    }
    TrashOutcome outcome = restore(still);
    if (outcome.done()) lastDeleted_.clear();
    return outcome;
}

std::string removePermanentlyQuestion(std::size_t count, const std::string& title) {
    const std::string what =
        count == 1 ? quoted(title) : "these " + std::to_string(count) + " items";
    return "Delete " + what + " for good?\n\nThis cannot be undone.";
}

std::string emptyDeletedItemsQuestion(std::size_t count) {
    const std::string what = count == 1 ? "the item" : "all " + std::to_string(count) + " items";
    return "Delete " + what + " in Deleted Items for good?\n\nThis cannot be undone.";
}

}  // namespace outlook::local
