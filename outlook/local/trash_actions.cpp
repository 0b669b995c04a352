#include "outlook/local/trash_actions.h"

#include <set>

#include "outlook/local/store/folder_kind.h"

namespace outlook::local {

namespace {

constexpr const char* kCaption = "Jotwise Store";

std::string subjectOf(const TrashOutcome& outcome) {
    if (outcome.items.size() != 1) return std::to_string(outcome.items.size()) + " items";
    const std::string& title = outcome.items.front().title;
    return title.empty() ? "The untitled item" : "\u201C" + title + "\u201D";
}

}  // namespace

std::string describeOutcome(const TrashOutcome& outcome) {
    if (!outcome.done()) return outcome.error;
    if (outcome.items.empty()) return "Nothing to delete.";
    std::set<std::string> from, to;
    for (const TrashedItem& item : outcome.items) {
        from.insert(item.from);
        to.insert(item.to);
    }
    const std::string subject = subjectOf(outcome);
    if (to.size() == 1 && to.begin()->empty()) return subject + " deleted for good";
    if (to.size() == 1 && *to.begin() == folderKindInfo(FolderKind::DeletedItems).name &&
        !from.contains(*to.begin()))
        return subject + " moved to Deleted Items; Undo brings " +
               (outcome.items.size() == 1 ? "it" : "them") + " back";
    if (to.size() == 1) return subject + " restored to " + *to.begin();
    return subject + " restored to their folders";
}

bool TrashActions::confirmed(const std::string& question) {
    return boxes_.show(kCaption, question, platform::MessageIcon::Question,
                       platform::MessageButtons::YesNo) == platform::MessageAnswer::Yes;
}

std::string TrashActions::remove(FolderKind shown, const std::vector<std::string>& entryIds) {
    if (entryIds.empty()) return {};
    if (shown != FolderKind::DeletedItems)
        return describeOutcome(trash_.moveToDeletedItems(entryIds));
    // The question names the item; a failed look-up is reported by the removal itself.
    std::string title;
    if (entryIds.size() == 1)
        if (const TrashOutcome probe = trash_.describe(entryIds); probe.done())
            title = probe.items.front().title;
    if (!confirmed(removePermanentlyQuestion(entryIds.size(), title))) return {};
    return describeOutcome(trash_.removePermanently(entryIds));
}

std::string TrashActions::restore(const std::vector<std::string>& entryIds) {
    if (entryIds.empty()) return {};
    return describeOutcome(trash_.restore(entryIds));
}

std::string TrashActions::undo() {
    return describeOutcome(trash_.undo());
}

std::string TrashActions::emptyDeletedItems(std::size_t count) {
    if (count == 0) return "Deleted Items is empty.";
    if (!confirmed(emptyDeletedItemsQuestion(count))) return {};
    return describeOutcome(trash_.emptyDeletedItems());
}

}  // namespace outlook::local
