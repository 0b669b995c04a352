#include "shell/getting_started.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <optional>

#include "platform/file_registry.h"
#include "shell/settings.h"
#include "tests/support/null_message_boxes.h"
#include "tests/support/temp_folder.h"

namespace shell {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

class FakeView : public GettingStartedView {
public:
    void setAutostartChecked(bool on) override { autostart = on; }
    void setDesktopCalendar(bool offered, bool checked) override {
        calendarOffered = offered;
        calendarChecked = checked;
    }
    void setTrayWording(bool trayIcon) override { trayWording = trayIcon; }
    void showAndActivate() override {
        ++shown;
        trayWordingShown = trayWording;
    }
    std::optional<bool> autostart;
    std::optional<bool> calendarOffered, calendarChecked;
    std::optional<bool> trayWording;
    std::optional<bool> trayWordingShown;  // as the window last came up
    int shown = 0;
};

class FakeCalendarSwitch : public DesktopCalendarSwitch {
public:
    bool Offered() const override { return offered; }
    bool On() const override { return on; }
    bool Set(bool wanted, std::string& reason) override {
        if (!writable) {
            reason = "cannot write";
            return false;
        }
        on = wanted;
        return true;
    }
    bool offered = true, on = false, writable = true;
};

// A profile in a temporary folder: its registry file, and the desktop's autostart folder.
class GettingStartedTest : public ::testing::Test {
protected:
    // The program starting (once more) on the profile as it is on disk.
    TGettingStarted& start() {
        logic.reset();
        settings.reset();
        registry = std::make_unique<platform::FileRegistry>(folder.path() / "user.reg",
                                                            folder.path() / "machine.reg");
        settings = std::make_unique<TRegistry>(*registry);
        logic = std::make_unique<TGettingStarted>(TGettingStarted::Services{
            *settings, view, boxes, autostart, folder.path() / "bin" / "jotwise", calendar});
        return *logic;
    }

    jotwise::testing::TempFolder folder;
    fs::path autostart = folder.path() / "config" / "autostart";
    FakeView view;
    DesktopCalendarSwitch* calendar = nullptr;
    jotwise::testing::NullMessageBoxes boxes;
    std::unique_ptr<platform::FileRegistry> registry;
    std::unique_ptr<TRegistry> settings;
    std::unique_ptr<TGettingStarted> logic;
};

TEST_F(GettingStartedTest, ANewProfileIsWelcomedOnceAndAfterwardsOnlyWhenAsked) {
    start();
    // The store writes its categories into a new profile: that is no setting of the program.
    registry->createKey(platform::RegistryRoot::CurrentUser, "Software\\Microsoft\\Office")
        ->setValue("", platform::RegistryValue::ofString("x"));
    EXPECT_TRUE(start().FirstStart());
    logic->ProgramStarted();
    logic->ProgramStarted();
    EXPECT_EQ(view.shown, 1);

    start().ProgramStarted();
    EXPECT_EQ(view.shown, 1);
    logic->Show();
    EXPECT_EQ(view.shown, 2);
}

TEST_F(GettingStartedTest, AProfileWithAnySettingOfTheProgramIsNoNewOne) {
    start();
    settings->WritePosition(10, 20);  // a note was placed somewhere
    EXPECT_FALSE(start().FirstStart());
}

TEST_F(GettingStartedTest, TheCheckBoxStartsTheProgramAtLoginAndShowsWhatIsTrue) {
    start().Show();
    EXPECT_EQ(view.autostart, false);
    logic->chkAutostartClick(true);
    EXPECT_TRUE(fs::exists(autostart / "jotwise.desktop"));
    start().Show();
    EXPECT_EQ(view.autostart, true) << "read back from the desktop's folder";
    logic->chkAutostartClick(false);
    EXPECT_FALSE(fs::exists(autostart / "jotwise.desktop"));
    EXPECT_EQ(view.autostart, false);

    // A folder that cannot be made: the reason is told and the box stays off.
    fs::remove_all(autostart);
    std::ofstream(autostart) << "a file where the folder should be";
    EXPECT_EQ(boxes.shown, 0);
    logic->chkAutostartClick(true);
    EXPECT_EQ(boxes.shown, 1);
    EXPECT_THAT(boxes.lastText, HasSubstr(autostart.string()));
    EXPECT_EQ(view.autostart, false);
}

TEST_F(GettingStartedTest, TheTextsSpeakOfTheTrayOnlyWhileItsIconIsShown) {
    start().TrayIconShown(false);
    logic->ProgramStarted();
    EXPECT_EQ(view.trayWordingShown, false) << "welcomed while no icon is shown";

    // The icon comes while the window is open: its texts change with it.
    logic->TrayIconShown(true);
    EXPECT_EQ(view.trayWording, true);
    logic->Show();
    EXPECT_EQ(view.trayWordingShown, true);
}

}  // namespace
}  // namespace shell

namespace shell {
namespace {

TEST_F(GettingStartedTest, TheDesktopCalendarIsOfferedWhereTheDesktopHasOneAndShowsWhatIsTrue) {
    start().Show();
    EXPECT_EQ(view.calendarOffered, false) << "no switch, no check box";

    FakeCalendarSwitch desktop;
    calendar = &desktop;
    start().Show();
    EXPECT_EQ(view.calendarOffered, true);
    EXPECT_EQ(view.calendarChecked, false);
    logic->chkDesktopCalendarClick(true);
    EXPECT_TRUE(desktop.on);
    EXPECT_EQ(view.calendarChecked, true);

    // A setting that cannot be written is told, and the box shows it is still on.
    desktop.writable = false;
    logic->chkDesktopCalendarClick(false);
    EXPECT_EQ(boxes.shown, 1);
    EXPECT_EQ(view.calendarChecked, true);

    desktop.offered = false;
    logic->Show();
    EXPECT_EQ(view.calendarOffered, false);
    EXPECT_EQ(view.calendarChecked, false);
}

}  // namespace
}  // namespace shell
