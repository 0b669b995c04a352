// A filing that makes two items (an appointment and its journal entry) keeps both or neither
// when the program is killed at any point between them.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "messages/error_box.h"
#include "notes/jotpad.h"
#include "tests/support/fake_note_views.h"
#include "tests/support/null_message_boxes.h"
#include "tests/support/session_fixture.h"

namespace notes::testing {
namespace {

using outlook::local::FolderKind;

class FilingCrashTest : public outlook::testing::SessionTest {
protected:
    void SetUp() override {
        ASSERT_NE(outlook->store(), nullptr);
        addContact("Ann", "Lee", "Acme", "ann@example.com");
        // The child opens the store afresh: a connection must not cross a fork.
        outlook.reset();
    }

    // Files "lunch with ann lee tomorrow at noon" in a child process that is killed once
    // the store has written `killAt` items (never when 0). Returns the child's wait status.
    int fileInChild(int killAt) {
        const pid_t child = ::fork();
        if (child == 0) {
            int written = 0;
            jotwise::testing::ManualEventLoop childLoop;
            auto local =
                outlook::local::LocalOutlook::open(database(), registry, childLoop, nullptr);
            if (!local) ::_exit(3);
            local->store()->setAfterItemWritten([&] {
                if (++written == killAt) ::raise(SIGKILL);
            });
            outlook::TDataStore session(
                outlook::TDataStore::Platform{local->automation(), local->mapi(), registry});
            session.SetKeywordsFile(folder.path() / "keywords.jwk");
            outlook::InstallDataStore(&session);
            if (session.Connect(0, progress) != 0) ::_exit(4);
            jotwise::testing::NullMessageBoxes boxes;
            messages::ErrorBox errorBox(boxes);
            messages::InstallErrorBox(&errorBox);
            FakeJotPadView view;
            FakeShadowView shadowView;
            FakeHost host;
            MemorySettings settings;
            ScriptedFileDialogs files;
            platform::SystemClock clock;
            NoteContext context{
                session, host, settings, boxes, files, clock, platform::systemShortDateFormat()};
            auto note = TJotPad::Create(context, view, shadowView);
            note->memoBodyChange("lunch with ann lee tomorrow at noon");
            note->btnSaveClick();
            ::_exit(view.closed ? 0 : 5);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        return status;
    }

    std::pair<std::uint32_t, std::uint32_t> appointmentsAndJournalEntries() {
        jotwise::testing::ManualEventLoop checkLoop;
        auto local = outlook::local::LocalOutlook::open(database(), registry, checkLoop, nullptr);
        auto& store = *local->store();
        return {store.itemCount(store.folder(FolderKind::Calendar).id),
                store.itemCount(store.folder(FolderKind::Journal).id)};
    }
};

TEST_F(FilingCrashTest, AKillBetweenTheItemAndItsJournalEntryLeavesNeither) {
    for (int killAt : {1, 2}) {
        SCOPED_TRACE(killAt);
        const int status = fileInChild(killAt);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;
        EXPECT_EQ(appointmentsAndJournalEntries(), std::make_pair(0u, 0u));
    }
    const int status = fileInChild(0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(appointmentsAndJournalEntries(), std::make_pair(1u, 1u));
}

}  // namespace
}  // namespace notes::testing
