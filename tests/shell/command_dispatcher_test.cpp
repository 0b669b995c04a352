#include "shell/command_dispatcher.h"

#include "shell/command_request.h"
#include "tests/shell/hidden_fixture.h"

namespace shell {
namespace {

using ::testing::_;
using ::testing::HasSubstr;
using ::testing::Return;

// The running program's THidden over a real store, with the dispatcher in front of it.
class CommandDispatcherTest : public testing::HiddenFixture {
protected:
    void SetUp() override {
        HiddenFixture::SetUp();
        makeHidden(nullptr, nullptr);
        dispatcher = std::make_unique<CommandDispatcher>(*hidden, loop);
    }
    void TearDown() override {
        dispatcher.reset();
        HiddenFixture::TearDown();
    }
    std::optional<CommandAnswer> send(std::string_view bytes) {
        return dispatcher->Received(bytes);
    }
    static CommandAnswer refusal(const std::string& reason) { return {ErrorAnswer(reason), true}; }
    const CommandAnswer ok{"ok\n", true};

    std::unique_ptr<CommandDispatcher> dispatcher;
};

TEST_F(CommandDispatcherTest, ANoteOpensInFrontWithItsTextTypedAndUnderstood) {
    const std::string request = EncodeRequest({CommandKind::Note, "call ann lee tomorrow"});
    EXPECT_EQ(send(request.substr(0, 7)), std::nullopt) << "the rest is still to come";
    EXPECT_EQ(send(request), ok);
    ASSERT_EQ(hidden->openNotes().size(), 1u);
    auto& window = windows.windows.front();
    EXPECT_EQ(window.view.memoText, "call ann lee tomorrow");
    EXPECT_EQ(window.pad->MemoText(), "call ann lee tomorrow");
    EXPECT_EQ(window.shadow.selected, ann) << "the shadow understood the text";
    EXPECT_GT(window.view.activated, 0);

    // Without text: an empty note, as the hot key opens one.
    EXPECT_EQ(send(EncodeRequest({CommandKind::Note, ""})), ok);
    ASSERT_EQ(hidden->openNotes().size(), 2u);
    EXPECT_EQ(windows.windows.back().view.memoText, "");
}

TEST_F(CommandDispatcherTest, ExplorerAndKeywordsOpenAsFromTheTrayMenu) {
    EXPECT_EQ(send("explorer\n"), ok);
    EXPECT_FALSE(outlook->windows().defaultExplorer().shownFolderNames.empty());

    EXPECT_EQ(send("keywords\n"), ok);
    EXPECT_EQ(keywords.shown, 0) << "the modal dialog waits until the answer has gone";
    settle();
    EXPECT_EQ(keywords.shown, 1);
}

TEST_F(CommandDispatcherTest, AModalWindowTurnsCommandsAwayAndComesToTheFront) {
    std::vector<std::optional<CommandAnswer>> answers;
    about.whileShown = [&] {
        for (const std::string& request : {EncodeRequest({CommandKind::Note, "x"}),
                                           std::string("keywords\n"), std::string("quit\n")})
            answers.push_back(send(request));
    };
    hidden->sClick();
    const CommandAnswer modal = refusal("a dialog of Jotwise is open: close it first");
    EXPECT_EQ(answers, (std::vector<std::optional<CommandAnswer>>{modal, modal, modal}));
    EXPECT_TRUE(hidden->openNotes().empty());
    EXPECT_EQ(keywords.shown, 0);
    EXPECT_FALSE(view.exitCode);
    EXPECT_EQ(view.beeps, 3);
    EXPECT_EQ(about.raised, 3);
}

TEST_F(CommandDispatcherTest, QuitExitsAsTheTrayMenuDoesAndKeepsTheConnectionToTheEnd) {
    std::filesystem::create_directories(folder.path() / "Jotwise Data");
    ASSERT_EQ(send(EncodeRequest({CommandKind::Note, "call the bank"})), ok);
    std::optional<CommandAnswer> duringQuestion;
    EXPECT_CALL(boxes, show(_, "Would you like to save this action note?", _,
                            platform::MessageButtons::YesNo))
        .WillOnce([&](auto&&...) {
            duringQuestion = send(EncodeRequest({CommandKind::Note, "more"}));
            return platform::MessageAnswer::No;
        });
    EXPECT_EQ(send("quit\n"), (CommandAnswer{"ok\n", false}));
    EXPECT_EQ(duringQuestion, refusal("Jotwise is exiting"));
    EXPECT_EQ(view.exitCode, 0);
    EXPECT_TRUE(hidden->openNotes().empty());
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "Jotwise Data" / "keywords.jwk"));
    EXPECT_EQ(send("explorer\n"), refusal("Jotwise is exiting"));
}

TEST_F(CommandDispatcherTest, QuitStopsAtANoteWhoseSaveFailedAndSaysSo) {
    ASSERT_EQ(send(EncodeRequest({CommandKind::Note, "call the bank"})), ok);
    failing.failing() = {"Save"};
    EXPECT_CALL(boxes, show(_, "Would you like to save this action note?", _, _))
        .WillOnce(Return(platform::MessageAnswer::Yes));
    EXPECT_CALL(boxes, show(_, HasSubstr("Outlook refused 'Save'"), _, _));
    EXPECT_EQ(send("quit\n"), refusal("a note could not be saved; Jotwise goes on"));
    EXPECT_FALSE(view.exitCode);
    EXPECT_EQ(hidden->openNotes().size(), 1u);
}

TEST_F(CommandDispatcherTest, ARequestThatNamesNoCommandIsRefusedAndDoesNothing) {
    const std::string tooLong(kMaxRequestBytes + 1, 'x');
    for (const std::string& request :
         {std::string("open\n"), std::string("quit\0now\n", 9), std::string("note\n"),
          std::string("\n"), std::string("NOTE\0x\n", 7), tooLong}) {
        const std::optional<CommandAnswer> answer = send(request);
        ASSERT_TRUE(answer) << request.substr(0, 20);
        EXPECT_TRUE(answer->close);
        EXPECT_THAT(answer->text, ::testing::StartsWith("error ")) << request.substr(0, 20);
    }
    EXPECT_TRUE(hidden->openNotes().empty());
    EXPECT_FALSE(view.exitCode);
    EXPECT_TRUE(outlook->windows().defaultExplorer().shownFolderNames.empty());
}

}  // namespace
}  // namespace shell
