#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "outlook/automation.h"
#include "outlook/local/closing_question.h"
#include "outlook/local/item_details.h"
#include "platform/message_boxes.h"

namespace outlook::local {

// What the item forms of appointments, tasks, notes and journal entries share, without the
// form: the categories, the text, the links and attachments, the checks before saving,
// writing through the object model, and noticing that another program changed or deleted
// the item while its form was open. One subclass per kind keeps that kind's fields.
class ItemEditor {
public:
    struct Problem {
        std::string message;
        // The objectName of the widget to correct; "" when the store refused the item.
        std::string field;
    };
    // The object-model properties the fields come to, in the order they are written.
    using Values = std::vector<std::pair<std::string, Variant>>;

    enum class Outcome {
        Saved,
        Refused,  // `problem` says why; nothing was written
        Changed,  // another program saved the item since it was read; nothing was written
        Deleted,  // the item is no longer where it was read; nothing was written
    };
    struct SaveResult {
        Outcome outcome = Outcome::Saved;
        std::optional<Problem> problem;
    };

    // `nameSpace` finds the stored item again (conflicts, links); null skips both.
    ItemEditor(DispatchPtr item, DispatchPtr nameSpace);
    virtual ~ItemEditor();
    ItemEditor(const ItemEditor&) = delete;
    ItemEditor& operator=(const ItemEditor&) = delete;

    const DispatchPtr& item() const { return item_; }
    // "Appointment", "Task", ...
    virtual std::string kindName() const = 0;
    // The Items.Add type of the kind (olAppointmentItem, ...).
    virtual std::int32_t createType() const = 0;
    // The item's title as its fields now give it; "" when it has none.
    virtual std::string title() const = 0;
    // "Dentist - Appointment", "Untitled - Task".
    std::string caption() const;

    const std::string& categories() const { return categories_; }
    void setCategories(std::string text) { categories_ = std::move(text); }
    const std::string& body() const { return body_; }
    void setBody(std::string text) { body_ = std::move(text); }
    // The people the item names ("Ann Lee; Bob Marsh"), as it was read.
    const std::string& contactNames() const { return contactNames_; }

    const std::vector<AttachmentLine>& attachments() const { return attachments_; }
    // Takes the link or attachment off the item; it goes with the next save.
    void removeAttachment(std::size_t index);
    // Opens a link or attachment as the explorer does; attached files are saved into a
    // folder of this editor's own under the system's temporary folder.
    AttachmentOpening openAttachment(std::size_t index);

    bool modified() const;
    std::optional<Problem> check() const;
    // Checks, then writes what changed and saves, unless the stored item changed or went
    // away since it was read.
    SaveResult save();
    // Writes what changed over whatever another program saved meanwhile.
    std::optional<Problem> overwrite();
    // Saves the fields as a new item in the folder the item was in (after it was deleted).
    std::optional<Problem> saveAsNew();
    // Reads the item again as it is stored now, dropping what was typed; false when it is
    // gone.
    bool reload();
    // Drops what the item was given since it was read (Close with discard).
    void discard();

    using Closing = outlook::local::Closing;
    // Unchanged: discard at once. Changed: Yes saves, No discards, Cancel keeps the form.
    Closing askBeforeClosing(platform::MessageBoxes& boxes) const;
    enum class Resolution { Overwrite, Reload, SaveAsNew, Discard, KeepEditing };
    // What to do after save() came back Changed or Deleted.
    Resolution askAboutConflict(platform::MessageBoxes& boxes, Outcome outcome) const;

protected:
    // Reads the kind's own fields from `item_`.
    virtual void readFields(Dispatch& item) = 0;
    // The kind's own properties, or the problem that keeps them from being saved.
    virtual std::variant<Values, Problem> kindValues() const = 0;
    // Runs before the properties are written (a removed repeat goes first).
    virtual void beforeWrite(Dispatch& /*item*/) {}
    virtual bool kindModified() const { return false; }
    virtual void saved() {}
    // Reads everything; subclasses call it at the end of their constructor.
    void readAll();

private:
    std::variant<Values, Problem> allValues() const;
    std::string lowerKind() const;
    std::optional<Problem> write(Dispatch& target, bool everything);
    std::optional<std::string> storedFolderId() const;
    void remember();

    DispatchPtr item_;
    DispatchPtr nameSpace_;
    std::string categories_;
    std::string body_;
    std::string contactNames_;
    std::vector<AttachmentLine> attachments_;
    bool attachmentsRemoved_ = false;
    Values loaded_;
    OleDate readModified_{};
    std::string readFolder_;
    std::filesystem::path saveFolder_;
};

}  // namespace outlook::local
