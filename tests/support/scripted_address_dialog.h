#pragma once

#include <string>

#include "outlook/local/address_dialog.h"
#include "outlook/mapi.h"

namespace outlook::testing {

// Plays the user in the address dialog: remembers what it was shown and answers with the
// choice, or with the entry of the address book named `pick` when one is set.
class ScriptedDialog : public local::AddressDialog {
public:
    mapi::HRESULT answer = mapi::S_OK;
    mapi::ADRLIST choice;
    std::string pick;
    mapi::ADRPARM shownParameters;
    mapi::ADRLIST shownList;
    int shown = 0;
    mapi::HRESULT address(const mapi::ADRPARM& parameters, const mapi::RowSet& entries,
                          mapi::ADRLIST& list) override {
        ++shown;
        shownParameters = parameters;
        shownList = list;
        if (answer != mapi::S_OK) return answer;
        list = choice;
        if (pick.empty()) return answer;
        for (const mapi::Row& row : entries) {
            const mapi::SPropValue* name = mapi::FindProp(row, mapi::PR_DISPLAY_NAME);
            if (name && name->asString8() && *name->asString8() == pick) {
                list = {mapi::ADRENTRY{row}};
                return mapi::S_OK;
            }
        }
        return mapi::MAPI_E_USER_CANCEL;
    }
};

}  // namespace outlook::testing
