#pragma once

#include "outlook/mapi.h"

namespace outlook::local {

// The address book's dialog (IAddrBook::Address).
class AddressDialog {
public:
    virtual ~AddressDialog() = default;
    // Lets the user choose from `entries` (one row per address book entry: PR_ENTRYID,
    // PR_INSTANCE_KEY, PR_DISPLAY_NAME, PR_ADDRTYPE, PR_EMAIL_ADDRESS, PR_OBJECT_TYPE,
    // PR_DISPLAY_TYPE). Returns S_OK with `list` replaced by the choice (each entry with at
    // least PR_ENTRYID, PR_DISPLAY_NAME and PR_RECIPIENT_TYPE), or MAPI_E_USER_CANCEL with
    // `list` untouched.
    virtual mapi::HRESULT address(const mapi::ADRPARM& parameters, const mapi::RowSet& entries,
                                  mapi::ADRLIST& list) = 0;
};

}  // namespace outlook::local
