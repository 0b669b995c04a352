#pragma once

#include <vector>

#include "outlook/local/mapi/com_object.h"
#include "tests/support/local_store_fixture.h"

namespace outlook::local::testing {

// A sink that keeps every batch it receives.
class RecordingSink : public ComObject<mapi::IMAPIAdviseSink> {
public:
    mapi::ULONG OnNotify(mapi::ULONG count, const mapi::NOTIFICATION* notifications) override {
        batches.emplace_back(notifications, notifications + count);
        return 0;
    }
    std::vector<std::vector<mapi::NOTIFICATION>> batches;
};

// A logged-on session with the message store and the address book open.
class MapiFixture : public LocalStoreFixture {
protected:
    void SetUp() override {
        ASSERT_EQ(outlook().mapi().MAPIInitialize(), mapi::S_OK);
        ASSERT_EQ(outlook().mapi().MAPILogonEx(0, nullptr, nullptr, 0, session), mapi::S_OK);
        ASSERT_EQ(session->OpenMsgStore(0, store().storeEntryId(), nullptr, 0, msgStore),
                  mapi::S_OK);
        ASSERT_EQ(session->OpenAddressBook(0, nullptr, 0, addressBook), mapi::S_OK);
    }
    void TearDown() override {
        addressBook.reset();
        msgStore.reset();
        if (session) session->Logoff(0, 0, 0);
        session.reset();
        outlook().mapi().MAPIUninitialize();
    }

    mapi::ComPtr<mapi::IMAPIFolder> openFolder(FolderKind kind) {
        mapi::ULONG type = 0;
        mapi::ComPtr<mapi::IUnknown> object;
        EXPECT_EQ(msgStore->OpenEntry(store().folderEntryId(store().folder(kind).id), nullptr, 0,
                                      type, object),
                  mapi::S_OK);
        EXPECT_EQ(type, mapi::MAPI_FOLDER);
        return mapi::ComCast<mapi::IMAPIFolder>(object);
    }
    mapi::ComPtr<mapi::IMAPITable> contentsOf(FolderKind kind) {
        mapi::ComPtr<mapi::IMAPITable> table;
        EXPECT_EQ(openFolder(kind)->GetContentsTable(0, table), mapi::S_OK);
        return table;
    }
    mapi::ComPtr<mapi::IMessage> openMessage(const std::string& hexEntryId) {
        mapi::ULONG type = 0;
        mapi::ComPtr<mapi::IUnknown> object;
        EXPECT_EQ(msgStore->OpenEntry(*mapi::FBinFromHex(hexEntryId), nullptr, mapi::MAPI_MODIFY,
                                      type, object),
                  mapi::S_OK);
        EXPECT_EQ(type, mapi::MAPI_MESSAGE);
        return mapi::ComCast<mapi::IMessage>(object);
    }
    DispatchPtr savedContact(const char* first, const char* last, const char* email = "") {
        auto contact = createItem(olContactItem);
        contact->put("FirstName", first);
        contact->put("LastName", last);
        if (*email) contact->put("Email1Address", email);
        contact->call("Save");
        return contact;
    }

    mapi::ComPtr<mapi::IMAPISession> session;
    mapi::ComPtr<mapi::IMsgStore> msgStore;
    mapi::ComPtr<mapi::IAddrBook> addressBook;
};

inline std::string textOf(const mapi::Row& row, mapi::PropTag tag) {
    const mapi::SPropValue* value = mapi::FindProp(row, tag);
    const std::string* text = value ? value->asString8() : nullptr;
    return text ? *text : std::string();
}

}  // namespace outlook::local::testing
