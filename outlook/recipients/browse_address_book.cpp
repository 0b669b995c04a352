#include "outlook/recipients/browse_address_book.h"

#include "outlook/recipients/mailing_info.h"
#include "outlook/session/data_store.h"

namespace outlook {
namespace {

constexpr int kAppointment = 0;
constexpr int kTask = 2;
constexpr int kTaskRequest = 4;
constexpr int kMeetingRequest = 5;
constexpr messages::MessageId kAtLeastOneRecipient = 1002;

}  // namespace

mapi::ADRPARM BrowseParameters(int noteItemType) {
    mapi::ADRPARM parameters;
    parameters.ulFlags =
        mapi::AB_RESOLVE | mapi::AB_SELECTONLY | mapi::DIALOG_OPTIONS | mapi::DIALOG_MODAL;
    parameters.lpszCaption = "Browse Address Book";
    parameters.lpszNewEntryTitle = "In this &message only";
    parameters.lpszDestWellsTitle = "";
    parameters.nDestFieldFocus = 0;
    parameters.cDestFields = noteItemType == kTask || noteItemType == kTaskRequest ? 1 : 2;
    if (noteItemType == kAppointment || noteItemType == kMeetingRequest)
        parameters.lppszDestTitles = {"Required", "Optional"};
    return parameters;
}

messages::MessageId BrowseAddressBook(TDataStore& store, mapi::ULONG_PTR ownerWindow,
                                      TMailingInfo& recipients, int noteItemType,
                                      platform::MessageBoxes& boxes, bool* confirmed) {
    if (confirmed) *confirmed = false;
    mapi::ADRLIST list = recipients.List();
    const mapi::HRESULT result =
        store.AddressBook()
            ? store.AddressBook()->Address(&ownerWindow, BrowseParameters(noteItemType), list)
            : mapi::MAPI_E_NOT_INITIALIZED;
    if (result == mapi::MAPI_E_USER_CANCEL) return messages::kNoError;
    if (mapi::Failed(result)) {
        recipients.Clear();
        return 38;
    }
    if (confirmed) *confirmed = true;
    if (!list.empty()) {
        recipients.SetList(std::move(list));
        return messages::kNoError;
    }
    boxes.show(messages::LoadMessage(messages::kCaption),
               messages::LoadMessage(kAtLeastOneRecipient), platform::MessageIcon::Warning,
               platform::MessageButtons::Ok);
    recipients.Clear();
    return messages::kNoError;
}

}  // namespace outlook
