#pragma once

namespace notes {

class TJotPad;
struct FilingResult;

// The running program as a note sees it: the list of open notes, the one modal dialog at a
// time, and the commands of the tray menu that the note's menu offers too.
class NoteHost {
public:
    virtual ~NoteHost() = default;

    // Opens a new note once the current event is over.
    virtual void PostNewNote() = 0;
    // The note is closing: it leaves the list of open notes.
    virtual void RemoveNote(TJotPad& note) = 0;
    // Every open note refills its shadow's category list and parses its text again.
    virtual void CategoriesChanged() = 0;
    // The note was saved or sent, and is about to close; DescribeFiling tells what it filed.
    virtual void NoteFiled(TJotPad&, const FilingResult&) {}
    // True while Exit closes the notes: the save question then has no Cancel.
    virtual bool Exiting() const = 0;

    // The tray menu's commands. New Contact runs the modal check first unless told not to.
    virtual void NewContact(bool checkModal) = 0;
    virtual void OpenOutlook() = 0;
    virtual void ShowKeywords() = 0;
    virtual void ShowHelp() = 0;
    virtual void ShowAbout() = 0;
    // Exit: every open note is closed (asked about) and the program ends. A program without
    // a tray icon is left this way.
    virtual void Exit() = 0;
};

}  // namespace notes
