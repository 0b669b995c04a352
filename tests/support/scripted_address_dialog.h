#pragma once

#include "outlook/local/address_dialog.h"
#include "outlook/mapi.h"

namespace outlook::testing {

// Plays the user in the address dialog: remembers what it was shown and answers.
class ScriptedDialog : public local::AddressDialog {
public:
    mapi::HRESULT answer = mapi::S_OK;
    mapi::ADRLIST choice;
    mapi::ADRPARM shownParameters;
    mapi::ADRLIST shownList;
    int shown = 0;
    mapi::HRESULT address(const mapi::ADRPARM& parameters, const mapi::RowSet&,
                          mapi::ADRLIST& list) override {
        ++shown;
        shownParameters = parameters;
        shownList = list;
        if (answer == mapi::S_OK) list = choice;
        return answer;
    }
};

}  // namespace outlook::testing
