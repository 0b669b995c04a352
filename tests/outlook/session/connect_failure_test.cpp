// Connect reports each way of failing by its own message id: the program tells the user
// which part of Outlook did not answer.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "outlook/local/mapi/com_object.h"
#include "tests/support/failing_dispatch.h"
#include "tests/support/session_fixture.h"

namespace outlook {
namespace {

using testing::FailingAutomationServer;
using ::testing::HasSubstr;

// Which call of each named messaging function fails (1: the first) and how often each was
// called. A failing call still runs the real one and then reports failure, so a caller
// that ignored the result would carry on as if nothing had gone wrong.
struct MapiFaults {
    std::map<std::string, int> failingCall;
    std::map<std::string, int> calls;
    // A thread sink request that succeeds without handing back a sink, which the table
    // then refuses to advise.
    bool noSink = false;

    mapi::HRESULT result(const std::string& name, mapi::HRESULT real) {
        const int call = ++calls[name];
        const auto failing = failingCall.find(name);
        return failing != failingCall.end() && failing->second == call ? mapi::MAPI_E_CALL_FAILED
                                                                       : real;
    }
};

class FaultySession : public local::ComObject<mapi::IMAPISession> {
public:
    FaultySession(mapi::ComPtr<mapi::IMAPISession> real, std::shared_ptr<MapiFaults> faults)
        : real_(std::move(real)), faults_(std::move(faults)) {}

    mapi::HRESULT OpenAddressBook(mapi::ULONG_PTR uiParam, const mapi::GUID* iid, mapi::ULONG flags,
                                  mapi::ComPtr<mapi::IAddrBook>& addressBook) override {
        return faults_->result("OpenAddressBook",
                               real_->OpenAddressBook(uiParam, iid, flags, addressBook));
    }
    mapi::HRESULT OpenMsgStore(mapi::ULONG_PTR uiParam, const mapi::EntryId& storeId,
                               const mapi::GUID* iid, mapi::ULONG flags,
                               mapi::ComPtr<mapi::IMsgStore>& store) override {
        return faults_->result("OpenMsgStore",
                               real_->OpenMsgStore(uiParam, storeId, iid, flags, store));
    }
    mapi::HRESULT Logoff(mapi::ULONG_PTR uiParam, mapi::ULONG flags,
                         mapi::ULONG reserved) override {
        return real_->Logoff(uiParam, flags, reserved);
    }

private:
    mapi::ComPtr<mapi::IMAPISession> real_;
    std::shared_ptr<MapiFaults> faults_;
};

// The real messaging subsystem, with the sessions it logs on wrapped by the same faults.
class FaultySubsystem : public mapi::Subsystem {
public:
    explicit FaultySubsystem(mapi::Subsystem& real) : real_(real) {}

    std::shared_ptr<MapiFaults> faults = std::make_shared<MapiFaults>();

    mapi::HRESULT MAPIInitialize() override { return real_.MAPIInitialize(); }
    void MAPIUninitialize() override { real_.MAPIUninitialize(); }
    mapi::HRESULT MAPILogonEx(mapi::ULONG_PTR uiParam, const char* profileName,
                              const char* password, mapi::ULONG flags,
                              mapi::ComPtr<mapi::IMAPISession>& session) override {
        mapi::ComPtr<mapi::IMAPISession> real;
        const mapi::HRESULT result = real_.MAPILogonEx(uiParam, profileName, password, flags, real);
        if (real)
            session = mapi::ComPtr<mapi::IMAPISession>::adopt(
                local::makeCom<FaultySession>(std::move(real), faults).detach());
        return faults->result("MAPILogonEx", result);
    }
    mapi::HRESULT HrThisThreadAdviseSink(mapi::IMAPIAdviseSink* sink,
                                         mapi::ComPtr<mapi::IMAPIAdviseSink>& wrapped) override {
        const mapi::HRESULT result = real_.HrThisThreadAdviseSink(sink, wrapped);
        if (faults->noSink) wrapped.reset();
        return faults->result("HrThisThreadAdviseSink", result);
    }

private:
    mapi::Subsystem& real_;
};

class ConnectFailureTest : public testing::SessionTest {
protected:
    void SetUp() override {
        ASSERT_NE(outlook->store(), nullptr);
        annKey = addContact("Ann", "Lee", "Acme");
    }
    // The session goes before the wrappers it is connected through.
    void TearDown() override { dropSession(); }

    void dropSession() {
        InstallDataStore(nullptr);
        session.reset();
    }

    // Connects a new session through the wrappers: the calls named fail on the given call,
    // and with `noSink` the thread sink request hands back no sink.
    MessageId connectWith(std::map<std::string, int> failingCall = {}, bool noSink = false) {
        dropSession();
        *subsystem.faults = MapiFaults{std::move(failingCall), {}, noSink};
        session =
            std::make_unique<TDataStore>(TDataStore::Platform{automation, subsystem, registry});
        session->SetKeywordsFile(folder.path() / "Jotwise Data" / "keywords.jwk");
        InstallDataStore(session.get());
        return session->Connect(0, progress);
    }

    FailingAutomationServer automation{outlook->automation()};
    FaultySubsystem subsystem{outlook->mapi()};
    std::string annKey;
};

// Without faults the wrappers change nothing; the store is opened twice, once for the
// watched table and once to load the contacts, which the faults below rely on.
TEST_F(ConnectFailureTest, ThroughTheWrappersWithoutFaultsItConnects) {
    ASSERT_EQ(connectWith(), 0) << session->LastError();
    EXPECT_NE(session->FindContact(annKey), nullptr);
    EXPECT_NE(session->ContactsTable(), nullptr);
    EXPECT_EQ(subsystem.faults->calls["OpenMsgStore"], 2);
    EXPECT_EQ(subsystem.faults->calls["MAPILogonEx"], 1);
}

TEST_F(ConnectFailureTest, OutlookNotAnsweringIsCannotConnectWithItsText) {
    for (const char* name : {"Outlook.Application", "GetNamespace", "GetDefaultFolder"}) {
        SCOPED_TRACE(name);
        automation.failing() = {name};
        EXPECT_EQ(connectWith(), messages::kCannotConnect);
        EXPECT_THAT(session->LastError(), HasSubstr(std::string("'") + name + "'"));
        EXPECT_EQ(subsystem.faults->calls["MAPILogonEx"], 0) << "no messaging before Outlook";
    }
}

TEST_F(ConnectFailureTest, MessagingFailuresUpToTheWatchedTableAreLoginFailures) {
    for (const char* name :
         {"MAPILogonEx", "OpenAddressBook", "OpenMsgStore", "HrThisThreadAdviseSink"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(connectWith({{name, 1}}), messages::kMapiLoginFailed);
    }
    SCOPED_TRACE("the table refuses the advise");
    EXPECT_EQ(connectWith({}, true), messages::kMapiLoginFailed);
}

TEST_F(ConnectFailureTest, AFailedContactCountIsInitialCountsUnavailableWithItsText) {
    for (const char* name : {"Items", "Count"}) {
        SCOPED_TRACE(name);
        automation.failing() = {name};
        EXPECT_EQ(connectWith(), messages::kInitialCountsUnavailable);
        EXPECT_EQ(session->LastError(), std::string("Outlook refused '") + name + "'");
    }
}

TEST_F(ConnectFailureTest, AFailedContactQueryWhileLoadingIsContactsCommFailure) {
    EXPECT_EQ(connectWith({{"OpenMsgStore", 2}}), messages::kContactsCommFailure);
    EXPECT_NE(session->ContactsTable(), nullptr) << "the watched table was open by then";
    EXPECT_EQ(session->FindContact(annKey), nullptr);
}

}  // namespace
}  // namespace outlook
