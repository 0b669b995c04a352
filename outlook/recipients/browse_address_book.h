#pragma once

#include "messages/messages.h"
#include "outlook/mapi.h"
#include "platform/message_boxes.h"

namespace outlook {

class TDataStore;
class TMailingInfo;

// Lets the user pick a note's recipients in the address book, starting from those chosen
// so far. `noteItemType` is the note's type number (0 appointment .. 5 meeting request):
// tasks get one well, appointments and meetings "Required" and "Optional" wells.
// Cancelling changes nothing; confirming an empty choice warns and clears the recipients.
// `confirmed`, when given, tells whether the user closed the dialog with OK.
messages::MessageId BrowseAddressBook(TDataStore& store, mapi::ULONG_PTR ownerWindow,
                                      TMailingInfo& recipients, int noteItemType,
                                      platform::MessageBoxes& boxes, bool* confirmed = nullptr);

// The dialog parameters BrowseAddressBook uses for a note of this type.
mapi::ADRPARM BrowseParameters(int noteItemType);

}  // namespace outlook
