#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "messages/messages.h"
#include "notes/item_type.h"
#include "notes/jotpad_view.h"
#include "notes/note_context.h"
#include "notes/note_events.h"
#include "notes/note_filing.h"
#include "notes/note_state.h"
#include "notes/shadow.h"
#include "outlook/recipients/mailing_info.h"

namespace notes {

using messages::MessageId;

// One attached file: its full path, and where its name and extension start in it.
struct TFileAttach {
    std::string path;
    std::uint16_t nameOffset = 0;
    std::uint16_t extOffset = 0;

    std::string Name() const { return path.substr(nameOffset); }
};

// An action note: one sentence typed by the user, parsed after every change, shown with
// what was understood in its shadow, and filed into Outlook as one of six item types. It
// knows its window only through its view and the running program only through its host.
class TJotPad : public JotPadEvents {
public:
    // A note with its shadow, showing a new Task; null when the shadow could not be made
    // (the user was told why).
    static std::unique_ptr<TJotPad> Create(NoteContext& context, JotPadView& view,
                                           ShadowView& shadowView);
    ~TJotPad() override;
    TJotPad(const TJotPad&) = delete;
    TJotPad& operator=(const TJotPad&) = delete;

    // Draws the type t; throws std::invalid_argument for a value that is no type.
    void SetItemType(ItemType t);
    ItemType itemType() const { return itemType_; }

    // Parses the memo again: after the contacts or categories changed.
    void Reparse();
    // The session's contacts or categories changed: the shadow's lists follow, then the
    // memo is parsed again, as names may now be known or gone.
    void ContactChanged(const std::optional<ContactChoice>& added,
                        const std::optional<std::string>& removedKey);
    void CategoriesChanged();
    // Merges the parse, the user's choices and the recipients into the next state, and
    // applies it; also run by the shadow when its date or times change.
    void recomputeState();

    // Recipients chosen without the address book (from the command line), as if picked there.
    void SetPickedRecipients(mapi::ADRLIST entries);
    // How the last save ended, when the note got as far as filing.
    const std::optional<FilingResult>& LastFiling() const { return lastFiling_; }

    // Asks whether to save a note that holds text, then closes it or keeps it open.
    void CloseWithPrompt();
    // Where a new note opens: `at` is the cascade position next to the last open note.
    void PlaceNew(std::optional<std::pair<int, int>> at);

    NoteContext& Context() { return context_; }
    TShadow& Shadow() { return *shadow_; }
    JotPadView& View() { return view_; }
    outlook::TMailingInfo& Recipients() { return recipients_; }
    const std::vector<TFileAttach>& Attachments() const { return attachments_; }
    const TCurrentState& State() const { return state_; }
    const std::string& MemoText() const { return memoText_; }

    bool mailingVisible() const { return mailingVisible_; }
    bool attachmentsVisible() const { return attachmentsVisible_; }
    bool typeChosen = false;
    bool typeExact = false;
    bool recipientsFromDialog = false;

    // JotPadEvents
    void memoBodyChange(const std::string& text) override;
    void btnSaveClick() override;
    void btnCloseClick() override;
    void miCancelClick() override;
    void imgApptMouseDown() override;
    void miTypeClick(int tag) override;
    void imgLogoMouseDown() override;
    void imgMailClick() override;
    void imgAttachClick() override;
    void imgContactClick() override;
    void miNewContactClick() override;
    void miShadowClick() override;
    void miNewJotPadClick() override;
    void miOpenOutlookClick() override;
    void miKeywordsClick() override;
    void miHelpClick() override;
    void miAboutClick() override;
    void miExitClick() override;
    void lstAttachmentsKeyUp(Key key, int selectedRow) override;
    void lstAttachmentsExit() override;
    void btnSaveMouseUp() override;
    void btnContactMouseUp() override;
    void btnMailMouseUp() override;
    void btnAttachMouseUp() override;
    void FormActivate() override;
    void FormDeactivate() override;
    void FormMoved() override;
    void FormResize() override;
    bool FormKeyDown(Key key, unsigned modifiers) override;
    bool FormKeyPress(char character) override;
    void edGoToDateEnter() override;
    void btnGoToContactClick() override;
    void btnGoToCategoryClick() override;
    void FormClose() override;

private:
    TJotPad(NoteContext& context, JotPadView& view, ShadowView& shadowView);

    // Draws every part of type t, whatever was shown before.
    void ShowItemType(ItemType t);
    // F2, F3, F4: the user forces a base type; typeExact stays as it is.
    void ForceType(ItemType t);
    TNextStateInfo NextState(ItemType type) const;
    ItemType NextType() const;
    // The pattern the phrase's repeat gives with the user's date and the times shown.
    std::optional<outlook::RecurrenceFields> NextPattern(const std::string& start,
                                                         const std::string& end) const;
    std::string NextDate(ItemType type,
                         const std::optional<outlook::RecurrenceFields>& pattern) const;
    std::string NextStart() const;
    std::string NextEnd(const std::string& start) const;
    void applyState(const TNextStateInfo& next);
    // The recipients panel's names from the To and Cc entries; a failure is its id.
    MessageId RefreshRecipientLabels();
    void SetAttachmentsVisible(bool visible);
    void SetMailingVisible(bool visible);
    void ShowAttachmentList();
    void RemoveAttachment(std::size_t index);
    // Opens the address book on the recipients so far and returns the error to show;
    // `confirmed` tells whether the user closed it with OK. Cancelling changes nothing, and
    // a dialog that cannot open leaves the recipients exactly as they were.
    MessageId BrowseRecipients(ItemType type, bool& confirmed);
    // After the recipients were picked: they are all the user's, and the type follows them
    // from now on.
    void RecipientsPicked(std::size_t countBefore);
    // The shadow's date and times may be filed; otherwise the user is told and the field
    // gets the focus.
    bool ShadowIsValid();

    NoteContext& context_;
    JotPadView& view_;
    std::unique_ptr<TShadow> shadow_;

    bool mailingVisible_ = false;
    bool attachmentsVisible_ = false;
    ItemType itemType_ = ItemType::Task;
    outlook::TMailingInfo recipients_;
    std::vector<TFileAttach> attachments_;
    TCurrentState state_;
    std::string memoText_;
    std::optional<FilingResult> lastFiling_;
};

}  // namespace notes
