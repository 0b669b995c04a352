#include "shell/splash.h"

#include <gmock/gmock.h>

#include <sstream>
#include <stdexcept>

#include "messages/error_box.h"
#include "tests/support/failing_dispatch.h"
#include "tests/support/mock_message_boxes.h"
#include "tests/support/session_fixture.h"

namespace shell {
namespace {

using ::testing::_;
using ::testing::HasSubstr;
using ::testing::StrictMock;

// What the splash window was told, in order. Its timer runs on the test's event loop.
class RecordingSplashView : public SplashView {
public:
    explicit RecordingSplashView(platform::EventLoop* loop = nullptr) : loop_(loop) {}
    void showVersion(const std::string& label) override { calls.push_back("version " + label); }
    void showProgressText(const std::string& text) override { calls.push_back("text " + text); }
    void showProgressBar(std::int32_t minimum, std::int32_t maximum,
                         std::int32_t position) override {
        bar = {minimum, maximum, position};
        ++bars;
    }
    void hideSplash() override { calls.push_back("hide"); }
    void setTimerEnabled(bool enabled) override {
        if (timer_) loop_->stopTimer(std::exchange(timer_, 0));
        if (enabled)
            timer_ = loop_->startTimer(
                TSplash::kHold, [this] { splash->tmTimerTimer(); }, true);
    }

    TSplash* splash = nullptr;

    std::vector<std::string> calls;
    std::array<std::int32_t, 3> bar{-1, -1, -1};
    int bars = 0;

private:
    platform::EventLoop* loop_;
    platform::EventLoop::TimerId timer_ = 0;
};

// ---- The progress bar ----

TEST(SplashProgress, PositionsAreHeldInsideTheRange) {
    RecordingSplashView view;
    TSplashProgress progress(view);
    progress.SetPosition(150);
    EXPECT_EQ(view.bar, (std::array<std::int32_t, 3>{0, 100, 100}));
    progress.SetPosition(-5);
    EXPECT_EQ(progress.Position(), 0);
    progress.SetPosition(40);
    progress.SetMax(20);
    EXPECT_EQ(view.bar, (std::array<std::int32_t, 3>{0, 20, 20})) << "a smaller range moves it";
    progress.StepBy(-30);
    EXPECT_EQ(progress.Position(), 0) << "StepBy stops at the ends";
    progress.SetMin(5);
    EXPECT_EQ(view.bar, (std::array<std::int32_t, 3>{5, 20, 5}));
}

TEST(SplashProgress, SteppingPastTheEndStartsAgain) {
    RecordingSplashView view;
    TSplashProgress progress(view);
    progress.SetStep(30);
    progress.SetPosition(80);
    progress.StepIt();
    EXPECT_EQ(progress.Position(), 10);
    progress.SetStep(-30);
    progress.StepIt();
    EXPECT_EQ(progress.Position(), 80) << "and past the beginning from the end";
    progress.SetMax(0);
    progress.SetMin(0);
    progress.SetStep(1);
    progress.StepIt();
    EXPECT_EQ(progress.Position(), 0) << "an empty range stays empty";
}

// ---- The splash over a real session ----

class FakeSplashHost : public SplashHost {
public:
    explicit FakeSplashHost(std::function<std::unique_ptr<outlook::TDataStore>()> make)
        : make_(std::move(make)) {}
    outlook::TDataStore& CreateSession() override {
        calls.push_back("create");
        if (throws) throw std::runtime_error("no session today");
        session = make_();
        outlook::InstallDataStore(session.get());
        return *session;
    }
    void DestroySession() override {
        calls.push_back("destroy");
        outlook::InstallDataStore(nullptr);
        session.reset();
    }
    void ShowHidden() override { calls.push_back("show hidden"); }
    void Quit(int exitCode) override { calls.push_back("quit " + std::to_string(exitCode)); }

    std::vector<std::string> calls;
    std::unique_ptr<outlook::TDataStore> session;
    bool throws = false;

private:
    std::function<std::unique_ptr<outlook::TDataStore>()> make_;
};

class SplashTest : public outlook::testing::SessionTest {
protected:
    void SetUp() override {
        view.splash = splash.get();
        automation = &failing;
        messages::InstallErrorBox(&errorBox);
    }
    void TearDown() override {
        splash.reset();
        host.session.reset();
        messages::InstallErrorBox(nullptr);
    }
    // Shows the splash and runs the connection it posts.
    void showAndConnect() {
        splash->FormShow();
        EXPECT_EQ(host.calls, std::vector<std::string>{}) << "the connection waits for the loop";
        loop.runPending();
    }

    outlook::testing::FailingAutomationServer failing{outlook->automation()};
    StrictMock<jotwise::testing::MockMessageBoxes> boxes;
    messages::ErrorBox errorBox{boxes};
    RecordingSplashView view{&loop};
    FakeSplashHost host{[this] { return makeSession(); }};
    std::ostringstream console;
    std::unique_ptr<TSplash> splash =
        std::make_unique<TSplash>(TSplash::Services{view, host, loop, "/bin/sh", console});
};

TEST_F(SplashTest, AConnectionIsHeldTwoSecondsThenTheTrayTakesOver) {
    for (int i = 0; i < 3; ++i)
        addContact("Given" + std::to_string(i), "Surname");
    showAndConnect();
    EXPECT_EQ(view.calls.front(), "version Version unknown");
    EXPECT_THAT(view.calls, ::testing::Contains("text Loading Outlook Contacts..."));
    EXPECT_EQ(view.calls.back(), "text Done!");
    EXPECT_EQ(view.bar, (std::array<std::int32_t, 3>{0, 3, 3}));
    ASSERT_NE(host.session, nullptr);
    EXPECT_EQ(host.session->Contacts().size(), 3u);
    EXPECT_TRUE(splash->TimerEnabled());

    loop.advance(std::chrono::milliseconds(1999));
    EXPECT_EQ(host.calls, std::vector<std::string>{"create"});
    loop.advance(std::chrono::milliseconds(1));
    EXPECT_EQ(host.calls, (std::vector<std::string>{"create", "show hidden"}));
    EXPECT_EQ(view.calls.back(), "hide") << "the splash goes before the tray appears";
    EXPECT_FALSE(splash->TimerEnabled());
    loop.advance(std::chrono::seconds(10));
    EXPECT_EQ(host.calls.size(), 2u) << "the hold's timer is stopped when it fires";
}

TEST_F(SplashTest, AStoreThatCannotBeReachedShowsMessage25Alone) {
    failing.failing() = {"Outlook.Application"};
    EXPECT_CALL(boxes, show(_,
                            "Unable to connect to Outlook.  Please verify that Outlook is "
                            "properly configured and working on this system, and that a user "
                            "profile is selected.\n",
                            platform::MessageIcon::Stop, platform::MessageButtons::Ok));
    showAndConnect();
    EXPECT_EQ(host.calls, (std::vector<std::string>{"create", "destroy", "quit 1"}));
    EXPECT_EQ(outlook::DataStore, nullptr);
    EXPECT_THAT(console.str(), HasSubstr("Cannot create 'Outlook.Application'"))
        << "the reason is not lost";
    loop.advance(std::chrono::seconds(5));
    EXPECT_EQ(host.calls.size(), 3u) << "no hand-over";
}

TEST_F(SplashTest, AnyOtherFailureIsMessage32WithItsOwnMessageBelow) {
    failing.failing() = {"Items"};
    EXPECT_CALL(boxes, show(_,
                            "Application initialization failed because: \nUnable to retrieve "
                            "initial object counts from Outlook.",
                            platform::MessageIcon::Stop, _));
    showAndConnect();
    EXPECT_EQ(host.calls, (std::vector<std::string>{"create", "destroy", "quit 1"}));
}

TEST_F(SplashTest, AnExceptionWhileConnectingIsMessage32WithMessage22) {
    host.throws = true;
    EXPECT_CALL(boxes, show(_,
                            "Application initialization failed because: \nUnable to allocate "
                            "requested memory.",
                            platform::MessageIcon::Stop, _));
    showAndConnect();
    EXPECT_EQ(host.calls, (std::vector<std::string>{"create", "destroy", "quit 1"}));
    EXPECT_FALSE(splash->TimerEnabled());
}

TEST_F(SplashTest, TheVersionComesFromTheProgramsFile) {
#ifdef JOTWISE_PROGRAM_PATH
    TSplash ours(TSplash::Services{view, host, loop, JOTWISE_PROGRAM_PATH, console});
    ours.FormShow();
    EXPECT_EQ(view.calls.front(), "version Version " JOTWISE_FILE_VERSION);
#else
    GTEST_SKIP() << "the program is built with the windows";
#endif
}

}  // namespace
}  // namespace shell
