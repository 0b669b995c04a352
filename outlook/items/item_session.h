#pragma once

#include <string>

#include "outlook/automation.h"

namespace outlook {

class TContact;

// What the item wrappers and the recipients need of the Outlook session: where failures
// leave their text, the MAPI namespace that finds items and makes recipients, and the
// cached contacts. The session implements it; the wrappers know nothing else of it.
class ItemSession {
public:
    virtual ~ItemSession() = default;
    // The text of the last automation failure, which the error box shows as its detail.
    virtual std::string& LastError() = 0;
    // Null while the session is not connected.
    virtual const DispatchPtr& MapiNamespace() const = 0;
    // The cached contact with this key, or null.
    virtual TContact* FindContact(const std::string& key) const = 0;
};

// The session the wrappers work in; null while there is none.
ItemSession* CurrentItemSession();
void SetCurrentItemSession(ItemSession* session);

}  // namespace outlook
