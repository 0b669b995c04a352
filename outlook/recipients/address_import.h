#pragma once

#include "outlook/mapi.h"
#include "platform/message_boxes.h"

namespace outlook {

class TContact;
class TDataStore;

// Lets the user pick one address-book entry and makes an Outlook contact of it, or finds
// the contact made from it before. True when an entry was chosen; `contact` is then the
// cached contact (owned by the session), or null when the entry could not be imported
// (the user was told why). Automation failures reach the caller as AutomationError.
bool ImportAddress(TDataStore& store, mapi::ULONG_PTR* ownerWindow, TContact*& contact,
                   platform::MessageBoxes& boxes);

// Copies a mail user into a new contact: names, business address and comment through the
// object model, every other address property through the messaging interface, and its
// e-mail address as the contact's first e-mail address. Contact notifications are off
// while it works. A negative result is the first messaging call that failed.
mapi::HRESULT ImportMailUser(TDataStore& store, mapi::IMailUser& mailUser, TContact*& contact);

}  // namespace outlook
