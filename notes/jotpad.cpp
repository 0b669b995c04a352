#include "notes/jotpad.h"

#include <filesystem>
#include <stdexcept>

#include "messages/error_box.h"
#include "notes/attachable_file.h"
#include "notes/note_host.h"
#include "notes/note_settings.h"
#include "outlook/recipients/browse_address_book.h"
#include "outlook/session/data_store.h"
#include "platform/text.h"

namespace notes {
namespace {

constexpr messages::MessageId kSaveQuestion = 1001;

// The control characters that Ctrl+F, K, N, R, S and W type: the note acts on those keys,
// so the memo must not receive them.
bool isCommandCharacter(char c) {
    switch (c) {
        case 6:
        case 11:
        case 14:
        case 18:
        case 19:
        case 23:
            return true;
        default:
            return false;
    }
}

TFileAttach fileAttachOf(const std::string& path) {
    const std::filesystem::path p(path);
    const std::string name = p.filename().string();
    const std::string extension = p.extension().string();
    TFileAttach file;
    file.path = path;
    file.nameOffset = static_cast<std::uint16_t>(path.size() - name.size());
    file.extOffset =
        static_cast<std::uint16_t>(path.size() - extension.size() + (extension.empty() ? 0 : 1));
    return file;
}

}  // namespace

TJotPad::TJotPad(NoteContext& context, JotPadView& view, ShadowView& shadowView)
    : context_(context),
      view_(view),
      shadow_(std::make_unique<TShadow>(context, *this, shadowView)) {}

TJotPad::~TJotPad() = default;

std::unique_ptr<TJotPad> TJotPad::Create(NoteContext& context, JotPadView& view,
                                         ShadowView& shadowView) {
    std::unique_ptr<TJotPad> note(new TJotPad(context, view, shadowView));
    // Without its shadow the note cannot work; only this note is abandoned.
    if (note->shadow_->Create() != messages::kNoError) return nullptr;
    // A new note is already a Task, so the type is drawn in full rather than changed.
    note->ShowItemType(ItemType::Task);
    note->state_.forcedType = ItemType::Task;
    view.showAttachments({}, true);
    view.setRecipientNames("", "");
    return note;
}

// ---- The item type ----

void TJotPad::SetItemType(ItemType t) {
    if (!ItemTypeFromNumber(static_cast<int>(t)))
        throw std::invalid_argument("Unexpected item type in TJotPad::SetItemType");
    if (t == itemType_) return;
    ShowItemType(t);
}

void TJotPad::ShowItemType(ItemType t) {
    const ItemTypeLook& look = LookOf(t);
    view_.showType(t,
                   std::string(look.name) + " - " + messages::LoadMessage(messages::kProductWord));
    view_.setSaveButton(std::string(look.saveCaption), std::string(look.saveHint));
    if (look.ccLine != ItemTypeLook::CcLine::Unchanged)
        view_.setCcLineVisible(look.ccLine == ItemTypeLook::CcLine::Shown);

    switch (t) {
        case ItemType::Appointment:
        case ItemType::MeetingRequest:
            if (!shadow_->StartText().empty() || !shadow_->EndText().empty())
                shadow_->SetDateTimeImage(true);
            break;
        case ItemType::Note:
        case ItemType::MailMessage:
            shadow_->SetDateTimeImage(false);
            break;
        default:
            break;
    }
    if (t == ItemType::Note) {
        SetAttachmentsVisible(false);
        view_.setAttachEnabled(false);
    } else {
        if (!attachments_.empty()) SetAttachmentsVisible(true);
        view_.setAttachEnabled(true);
    }
    state_.forcedType = t;
    itemType_ = t;
    ShowAttachmentList();
}

void TJotPad::miTypeClick(int tag) {
    const std::optional<ItemType> type = ItemTypeFromNumber(tag);
    if (!type) return;
    if (IsMessageType(*type) && !recipients_.HasRecipients()) {
        const std::size_t before = recipients_.RecipientCount();
        bool confirmed = false;
        if (const MessageId id = BrowseRecipients(*type, confirmed)) messages::ShowError(id);
        if (recipients_.RecipientCount() > before) typeExact = false;
        if (!recipients_.HasRecipients()) return;
    }
    state_.forcedType = *type;
    typeChosen = true;
    typeExact = !IsMessageType(*type);
    recomputeState();
}

void TJotPad::ForceType(ItemType t) {
    state_.forcedType = t;
    typeChosen = true;
    recomputeState();
}

// ---- Recipients and attachments ----

MessageId TJotPad::BrowseRecipients(ItemType type, bool& confirmed) {
    const outlook::TMailingInfo before = recipients_;
    const MessageId id =
        outlook::BrowseAddressBook(context_.store, view_.ownerHandle(), recipients_,
                                   static_cast<int>(type), context_.boxes, &confirmed);
    // The address book empties the recipients when its dialog fails; the note keeps them.
    if (id) recipients_ = before;
    return id;
}

void TJotPad::imgMailClick() {
    const std::size_t before = recipients_.RecipientCount();
    bool confirmed = false;
    shadow_->SetEnabled(false);
    const MessageId id = BrowseRecipients(itemType_, confirmed);
    shadow_->SetEnabled(true);
    if (id) {
        messages::ShowError(id);
        return;
    }
    // Cancel leaves the note as it was, the recipient its text names included.
    if (confirmed) RecipientsPicked(before);
}

void TJotPad::SetPickedRecipients(mapi::ADRLIST entries) {
    const std::size_t before = recipients_.RecipientCount();
    recipients_.SetList(std::move(entries));
    RecipientsPicked(before);
}

void TJotPad::RecipientsPicked(std::size_t countBefore) {
    // Every entry the user confirmed is the user's, the one the text named included: the
    // mailing info forgets which entry that was, so that no later recompute removes it. An
    // entry the user removed is gone from the list already.
    mapi::ADRLIST confirmed = recipients_.List();
    recipients_.Clear();
    recipients_.SetList(std::move(confirmed));
    if (recipients_.RecipientCount() > countBefore) typeExact = false;
    recipientsFromDialog = true;
    if (const MessageId labels = RefreshRecipientLabels())
        messages::ShowError(labels);
    else
        recomputeState();
}

void TJotPad::imgAttachClick() {
    shadow_->SetEnabled(false);
    const std::optional<std::string> path = context_.files.openExistingFile("Attach File");
    // Its size is checked when the note is filed: only a copy has to fit the limit, and
    // the note's type may still change.
    if (const auto why = path ? WhyNotAttachable(*path, std::nullopt) : std::nullopt) {
        context_.store.LastError() = *why;
        messages::ShowError(messages::kAttachmentFailed);
    } else if (path) {
        attachments_.push_back(fileAttachOf(*path));
        ShowAttachmentList();
        recomputeState();
    }
    shadow_->SetEnabled(true);
}

void TJotPad::ShowAttachmentList() {
    std::vector<std::string> names;
    names.reserve(attachments_.size());
    for (const TFileAttach& file : attachments_)
        names.push_back(file.Name());
    view_.showAttachments(names, !IsMessageType(itemType_));
}

void TJotPad::RemoveAttachment(std::size_t index) {
    attachments_.erase(attachments_.begin() + static_cast<std::ptrdiff_t>(index));
    ShowAttachmentList();
    if (attachments_.empty()) SetAttachmentsVisible(false);
}

void TJotPad::lstAttachmentsKeyUp(Key key, int selectedRow) {
    if (key == Key::Delete && selectedRow >= 0 &&
        static_cast<std::size_t>(selectedRow) < attachments_.size())
        RemoveAttachment(static_cast<std::size_t>(selectedRow));
}

void TJotPad::lstAttachmentsExit() {
    view_.clearAttachmentSelection();
}

void TJotPad::SetAttachmentsVisible(bool visible) {
    if (visible == attachmentsVisible_) return;
    attachmentsVisible_ = visible;
    view_.setAttachmentListVisible(visible);
}

void TJotPad::SetMailingVisible(bool visible) {
    if (visible == mailingVisible_) return;
    mailingVisible_ = visible;
    view_.setMailingPanelVisible(visible);
}

// ---- Commands that go elsewhere ----

void TJotPad::imgApptMouseDown() {
    view_.popUpTypeMenu();
}

void TJotPad::imgLogoMouseDown() {
    view_.popUpLogoMenu(MenuPlace::AtMouse);
}

void TJotPad::imgContactClick() {
    context_.host.NewContact(true);
}

void TJotPad::miNewContactClick() {
    context_.host.NewContact(false);
}

void TJotPad::miShadowClick() {
    shadow_->Toggle();
}

void TJotPad::miNewJotPadClick() {
    context_.host.PostNewNote();
}

void TJotPad::miOpenOutlookClick() {
    context_.host.OpenOutlook();
}

void TJotPad::miKeywordsClick() {
    context_.host.ShowKeywords();
}

void TJotPad::miHelpClick() {
    context_.host.ShowHelp();
}

void TJotPad::miAboutClick() {
    context_.host.ShowAbout();
}

void TJotPad::miExitClick() {
    context_.host.Exit();
}

void TJotPad::btnSaveMouseUp() {
    view_.focusMemo();
}
void TJotPad::btnContactMouseUp() {
    view_.focusMemo();
}
void TJotPad::btnMailMouseUp() {
    view_.focusMemo();
}
void TJotPad::btnAttachMouseUp() {
    view_.focusMemo();
}

void TJotPad::edGoToDateEnter() {
    shadow_->FocusStart();
    shadow_->FocusDate();
}

void TJotPad::btnGoToContactClick() {
    shadow_->FocusContact();
}

void TJotPad::btnGoToCategoryClick() {
    shadow_->FocusCategory();
}

// ---- Keys ----

bool TJotPad::FormKeyDown(Key key, unsigned modifiers) {
    if (modifiers == kCtrl) {
        switch (key) {
            case Key::F:
                imgAttachClick();
                return true;
            case Key::K:
                imgContactClick();
                return true;
            case Key::N:
                miNewJotPadClick();
                return true;
            case Key::R:
                imgMailClick();
                return true;
            case Key::S:
                btnSaveClick();
                return true;
            case Key::W:
                miShadowClick();
                return true;
            default:
                return false;
        }
    }
    // The two menus of the title bar, for those who work without the mouse. Alt+T and Alt+J
    // type nothing into the memo.
    if (modifiers == kAlt && key == Key::T) {
        view_.popUpTypeMenu();
        return true;
    }
    if ((modifiers == kAlt && key == Key::J) || (modifiers == kNoModifier && key == Key::Menu)) {
        view_.popUpLogoMenu(MenuPlace::AtLogo);
        return true;
    }
    if (modifiers != kNoModifier) return false;
    switch (key) {
        case Key::Escape:
            CloseWithPrompt();
            return true;
        case Key::F1:
            miHelpClick();
            return true;
        case Key::F2:
            ForceType(ItemType::Appointment);
            return true;
        case Key::F3:
            ForceType(ItemType::Note);
            return true;
        case Key::F4:
            ForceType(ItemType::Task);
            return true;
        default:
            return false;
    }
}

bool TJotPad::FormKeyPress(char character) {
    return isCommandCharacter(character);
}

// ---- Window ----

void TJotPad::FormActivate() {
    view_.setTitleActive(true);
    shadow_->Place();
}

void TJotPad::FormDeactivate() {
    view_.setTitleActive(false);
}

void TJotPad::FormMoved() {
    shadow_->Place();
}

void TJotPad::FormResize() {
    shadow_->Place();
}

void TJotPad::btnCloseClick() {
    CloseWithPrompt();
}

void TJotPad::miCancelClick() {
    CloseWithPrompt();
}

void TJotPad::CloseWithPrompt() {
    if (platform::trimmed(memoText_).empty()) {
        view_.closeWindow();
        return;
    }
    const auto buttons = context_.host.Exiting() ? platform::MessageButtons::YesNo
                                                 : platform::MessageButtons::YesNoCancel;
    switch (context_.boxes.show(messages::LoadMessage(messages::kCaption),
                                messages::LoadMessage(kSaveQuestion),
                                platform::MessageIcon::Warning, buttons)) {
        case platform::MessageAnswer::Yes:
            btnSaveClick();  // closes the note when the save succeeds
            break;
        case platform::MessageAnswer::No:
            view_.closeWindow();
            break;
        default:
            break;
    }
}

void TJotPad::FormClose() {
    const Rect frame = view_.frame();
    context_.settings.WritePosition(frame.left, frame.top);
    const int extra = (mailingVisible_ ? view_.mailingPanelHeight() : 0) +
                      (attachmentsVisible_ ? view_.attachmentListHeight() : 0);
    context_.settings.WriteSize(frame.width, frame.height - extra);
    context_.host.RemoveNote(*this);
}

}  // namespace notes
