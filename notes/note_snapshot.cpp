#include "notes/note_snapshot.h"

#include "notes/jotpad.h"

namespace notes {
namespace {

std::optional<std::string> userText(bool edited, const std::string& text) {
    return edited ? std::optional(text) : std::nullopt;
}

}  // namespace

NoteSnapshot SnapshotOf(TJotPad& note) {
    TShadow& shadow = note.Shadow();
    NoteSnapshot snapshot;
    snapshot.text = note.MemoText();
    if (note.typeChosen) snapshot.chosenType = note.State().forcedType;
    if (note.recipientsFromDialog) snapshot.pickedRecipients = note.Recipients().List();
    snapshot.date = userText(shadow.dateEdited, shadow.DateText());
    snapshot.start = userText(shadow.startEdited, shadow.StartText());
    snapshot.end = userText(shadow.endEdited, shadow.EndText());
    snapshot.contact = userText(shadow.contactChosen, shadow.SelectedContact());
    snapshot.category = userText(shadow.categoryChosen, shadow.CategoryText());
    snapshot.repeatDropped = shadow.repeatDropped;
    return snapshot;
}

void RestoreSnapshot(TJotPad& note, const NoteSnapshot& snapshot) {
    note.View().setMemoText(snapshot.text);
    note.memoBodyChange(snapshot.text);
    // Recipients first: a message type is only taken with recipients.
    if (snapshot.pickedRecipients) note.SetPickedRecipients(*snapshot.pickedRecipients);
    if (snapshot.chosenType) note.miTypeClick(static_cast<int>(*snapshot.chosenType));
    TShadow& shadow = note.Shadow();
    if (snapshot.date) {
        shadow.SetDate(*snapshot.date);
        shadow.dateEdited = true;
    }
    if (snapshot.start) {
        shadow.SetStartTime(*snapshot.start);
        shadow.startEdited = true;
    }
    if (snapshot.end) {
        shadow.SetEndTime(*snapshot.end);
        shadow.endEdited = true;
    }
    if (snapshot.contact) {
        shadow.SetContact(*snapshot.contact);
        shadow.contactChosen = true;
    }
    if (snapshot.category) {
        shadow.SetCategory(*snapshot.category);
        shadow.categoryChosen = true;
    }
    shadow.repeatDropped = snapshot.repeatDropped;
    note.recomputeState();
}

}  // namespace notes
