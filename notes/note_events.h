#pragma once

#include <string>

#include "notes/note_keys.h"

namespace notes {

// What the note's window passes on: every user event, under the handler names of the note's
// logic. The window decides nothing itself.
class JotPadEvents {
public:
    virtual ~JotPadEvents() = default;

    // Every change of the memo's text, with the whole new text.
    virtual void memoBodyChange(const std::string& text) = 0;
    virtual void btnSaveClick() = 0;
    virtual void btnCloseClick() = 0;
    virtual void miCancelClick() = 0;
    // A type icon or the menu arrow pressed.
    virtual void imgApptMouseDown() = 0;
    // A type menu item chosen; its tag is the type's number.
    virtual void miTypeClick(int tag) = 0;
    virtual void imgLogoMouseDown() = 0;
    virtual void imgMailClick() = 0;
    virtual void imgAttachClick() = 0;
    // The footer's contact button and Ctrl+K; the logo menu's item is miNewContactClick.
    virtual void imgContactClick() = 0;
    virtual void miNewContactClick() = 0;
    virtual void miShadowClick() = 0;
    virtual void miNewJotPadClick() = 0;
    virtual void miOpenOutlookClick() = 0;
    virtual void miKeywordsClick() = 0;
    virtual void miHelpClick() = 0;
    virtual void miAboutClick() = 0;
    virtual void miExitClick() = 0;
    // A key released in the attachment list, with the selected row (-1 for none).
    virtual void lstAttachmentsKeyUp(Key key, int selectedRow) = 0;
    virtual void lstAttachmentsExit() = 0;
    virtual void btnSaveMouseUp() = 0;
    virtual void btnContactMouseUp() = 0;
    virtual void btnMailMouseUp() = 0;
    virtual void btnAttachMouseUp() = 0;
    virtual void FormActivate() = 0;
    virtual void FormDeactivate() = 0;
    // The window was moved or resized (its frame is read from the view).
    virtual void FormMoved() = 0;
    virtual void FormResize() = 0;
    // Every key pressed in the window or its shadow, before the focused control sees it;
    // true when the note handled it and the control must not.
    virtual bool FormKeyDown(Key key, unsigned modifiers) = 0;
    // Every character typed; true when it is swallowed (Ctrl+F, K, N, R, S, W).
    virtual bool FormKeyPress(char character) = 0;
    // The accelerators of the controls outside the visible area: Alt+D, Alt+C, Alt+G.
    virtual void edGoToDateEnter() = 0;
    virtual void btnGoToContactClick() = 0;
    virtual void btnGoToCategoryClick() = 0;
    // The window is going away (after closeWindow, or when the program ends).
    virtual void FormClose() = 0;
};

// What the shadow's window passes on.
class ShadowEvents {
public:
    virtual ~ShadowEvents() = default;

    // The user typed into the date box or picked a day from its calendar.
    virtual void csDateChange(const std::string& text) = 0;
    virtual void csDateExit() = 0;
    // The user typed or picked a start or end time.
    virtual void comboStartChange(const std::string& text) = 0;
    virtual void comboStartExit() = 0;
    virtual void comboEndChange(const std::string& text) = 0;
    virtual void comboEndExit() = 0;
    // The user picked a contact (its key; empty for the empty entry) or pressed Delete in
    // the contact list.
    virtual void comboContactChange(const std::string& key) = 0;
    virtual void comboContactDelete() = 0;
    virtual void comboCategoryChange(const std::string& text) = 0;
    virtual void btnAddressClick() = 0;
    // The button beside the repeat's words: file the item once.
    virtual void btnDropRepeatClick() = 0;
    virtual void btnBesideClick() = 0;
    virtual void btnBehindClick() = 0;
    virtual void FormActivate() = 0;
    virtual void FormDeactivate() = 0;
    // Keys go to the note's handlers; the focus stays in the shadow.
    virtual bool FormKeyDown(Key key, unsigned modifiers) = 0;
    virtual bool FormKeyPress(char character) = 0;
    // Alt+T and Alt+S, the accelerators of the controls outside the visible area.
    virtual void edBackToMemoEnter() = 0;
    virtual void btnSaveClick() = 0;
};

}  // namespace notes
