#include "outlook/local/item_editor.h"

#include <stdlib.h>

#include <algorithm>
#include <cctype>
#include <system_error>

#include "outlook/local/item_editors.h"
#include "outlook/object_model.h"

namespace outlook::local {

namespace fs = std::filesystem;

namespace {

std::string entryIdOf(Dispatch& object) {
    try {
        return object.get("EntryID").asString();
    } catch (const AutomationError&) {
        return {};
    }
}

std::string readString(Dispatch& item, std::string_view property) {
    // Not every kind has every property (a note names no contacts).
    try {
        return item.get(property).asString();
    } catch (const AutomationError&) {
        return {};
    }
}

const Variant* find(const ItemEditor::Values& values, const std::string& name) {
    for (const auto& [property, value] : values)
        if (property == name) return &value;
    return nullptr;
}

}  // namespace

ItemEditor::ItemEditor(DispatchPtr item, DispatchPtr nameSpace)
    : item_(std::move(item)), nameSpace_(std::move(nameSpace)) {}

ItemEditor::~ItemEditor() {
    if (saveFolder_.empty()) return;
    std::error_code ignored;
    fs::remove_all(saveFolder_, ignored);
}

std::string ItemEditor::lowerKind() const {
    std::string kind = kindName();
    std::transform(kind.begin(), kind.end(), kind.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return kind;
}

std::string ItemEditor::caption() const {
    const std::string shown = title();
    return (shown.empty() ? std::string("Untitled") : shown) + " - " + kindName();
}

void ItemEditor::readAll() {
    categories_ = readString(*item_, "Categories");
    body_ = readString(*item_, "Body");
    contactNames_ = readString(*item_, "ContactNames");
    attachments_ = describeItem(*item_).attachments;
    attachmentsRemoved_ = false;
    readFields(*item_);
    remember();
}

void ItemEditor::remember() {
    const auto values = allValues();
    loaded_ = std::holds_alternative<Values>(values) ? std::get<Values>(values) : Values{};
    readModified_ = item_->get("LastModificationTime").asDate();
    readFolder_ = storedFolderId().value_or("");
}

std::optional<std::string> ItemEditor::storedFolderId() const {
    try {
        return item_->get("Parent").asObject()->get("EntryID").asString();
    } catch (const AutomationError&) {
        return std::nullopt;
    }
}

std::variant<ItemEditor::Values, ItemEditor::Problem> ItemEditor::allValues() const {
    auto values = kindValues();
    if (auto* problem = std::get_if<Problem>(&values)) return *problem;
    Values all = std::get<Values>(std::move(values));
    all.emplace_back("Categories", categories_);
    all.emplace_back("Body", body_);
    return all;
}

bool ItemEditor::modified() const {
    if (attachmentsRemoved_ || kindModified()) return true;
    const auto values = allValues();
    if (!std::holds_alternative<Values>(values)) return true;
    return std::get<Values>(values) != loaded_;
}

std::optional<ItemEditor::Problem> ItemEditor::check() const {
    const auto values = allValues();
    if (const auto* problem = std::get_if<Problem>(&values)) return *problem;
    return std::nullopt;
}

void ItemEditor::removeAttachment(std::size_t index) {
    if (index >= attachments_.size()) return;
    item_->get("Attachments").asObject()->call("Remove", {static_cast<std::int32_t>(index + 1)});
    attachments_.erase(attachments_.begin() + static_cast<std::ptrdiff_t>(index));
    attachmentsRemoved_ = true;
}

AttachmentOpening ItemEditor::openAttachment(std::size_t index) {
    AttachmentOpening failed;
    if (!nameSpace_) {
        failed.message = "Links cannot be opened from here.";
        return failed;
    }
    if (saveFolder_.empty()) {
        std::string pattern = (fs::temp_directory_path() / "jotwise-attachments-XXXXXX").string();
        if (::mkdtemp(pattern.data())) saveFolder_ = pattern;
    }
    if (saveFolder_.empty()) {
        failed.message = "No temporary folder can be made to save the attachment in.";
        return failed;
    }
    try {
        return outlook::local::openAttachment(*item_, index, *nameSpace_, saveFolder_);
    } catch (const AutomationError& e) {
        failed.message = e.what();
        return failed;
    }
}

std::optional<ItemEditor::Problem> ItemEditor::write(Dispatch& target, bool everything) {
    auto values = allValues();
    if (auto* problem = std::get_if<Problem>(&values)) return *problem;
    try {
        beforeWrite(target);
        // The store moves an item's end with its start, so a written start takes the end
        // (and the length) that follow it along.
        bool startWritten = false;
        for (const auto& [property, value] : std::get<Values>(values)) {
            const Variant* was = find(loaded_, property);
            const bool follows = startWritten && (property == "End" || property == "Duration");
            if (!everything && !follows && was && *was == value) continue;
            target.put(property, value);
            startWritten = startWritten || property == "Start";
        }
        target.call("Save");
    } catch (const AutomationError& error) {
        return Problem{"The " + lowerKind() + " could not be saved: " + error.what(), ""};
    }
    saved();
    remember();
    attachmentsRemoved_ = false;
    return std::nullopt;
}

ItemEditor::SaveResult ItemEditor::save() {
    if (auto problem = check()) return {Outcome::Refused, std::move(problem)};
    const std::string entryId = entryIdOf(*item_);
    if (nameSpace_ && !entryId.empty()) {
        DispatchPtr stored;
        try {
            stored = nameSpace_->call("GetItemFromID", {entryId}).asObject();
        } catch (const AutomationError&) {
            return {Outcome::Deleted, std::nullopt};
        }
        // Moved to Deleted Items (or elsewhere) counts as gone from where the user opened it.
        const std::string folder = stored->get("Parent").asObject()->get("EntryID").asString();
        if (folder != readFolder_) return {Outcome::Deleted, std::nullopt};
        // The stored time counts whole seconds, so a change within the second the item was
        // read shows only in its values.
        const auto storedNow = makeItemEditor(stored, nullptr);
        if (!(stored->get("LastModificationTime").asDate() == readModified_) ||
            (storedNow && storedNow->loaded_ != loaded_))
            return {Outcome::Changed, std::nullopt};
    }
    if (auto problem = write(*item_, false)) return {Outcome::Refused, std::move(problem)};
    return {};
}

std::optional<ItemEditor::Problem> ItemEditor::overwrite() {
    return write(*item_, false);
}

std::optional<ItemEditor::Problem> ItemEditor::saveAsNew() {
    if (auto problem = check()) return problem;
    DispatchPtr fresh;
    try {
        const DispatchPtr folder = item_->get("Parent").asObject();
        fresh = folder->get("Items").asObject()->call("Add", {createType()}).asObject();
    } catch (const AutomationError& error) {
        return Problem{std::string("No new item can be made: ") + error.what(), ""};
    }
    if (auto problem = write(*fresh, true)) return problem;
    item_ = fresh;
    attachments_.clear();
    return std::nullopt;
}

bool ItemEditor::reload() {
    if (!nameSpace_) return false;
    try {
        item_ = nameSpace_->call("GetItemFromID", {entryIdOf(*item_)}).asObject();
    } catch (const AutomationError&) {
        return false;
    }
    readAll();
    return true;
}

void ItemEditor::discard() {
    item_->call("Close", {static_cast<std::int32_t>(olDiscard)});
}

ItemEditor::Closing ItemEditor::askBeforeClosing(platform::MessageBoxes& boxes) const {
    if (!modified()) return Closing::Discard;
    const std::string shown = title();
    return askToSaveChanges(boxes, caption(), shown.empty() ? "this " + lowerKind() : shown);
}

ItemEditor::Resolution ItemEditor::askAboutConflict(platform::MessageBoxes& boxes,
                                                    Outcome outcome) const {
    const std::string shown = title().empty() ? "This item" : "\"" + title() + "\"";
    std::string text;
    if (outcome == Outcome::Deleted)
        text = shown +
               " was deleted or moved by another program after you opened it.\n\n"
               "Yes saves what you typed as a new item. No discards it. Cancel goes back to "
               "the form.";
    else
        text = shown +
               " was changed by another program after you opened it.\n\n"
               "Yes saves your version over it. No drops your changes and shows the item as "
               "it is now. Cancel goes back to the form.";
    const auto answer = boxes.show(caption(), text, platform::MessageIcon::Warning,
                                   platform::MessageButtons::YesNoCancel);
    if (answer == platform::MessageAnswer::Yes)
        return outcome == Outcome::Deleted ? Resolution::SaveAsNew : Resolution::Overwrite;
    if (answer == platform::MessageAnswer::No)
        return outcome == Outcome::Deleted ? Resolution::Discard : Resolution::Reload;
    return Resolution::KeepEditing;
}

}  // namespace outlook::local
