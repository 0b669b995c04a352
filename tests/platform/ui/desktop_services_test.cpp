// The desktop's services as the program uses them on the offscreen platform, where there is
// no X11 connection.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "platform/ui/desktop_help_viewer.h"
#include "platform/ui/x11_global_hot_key.h"
#include "tests/support/mock_message_boxes.h"
#include "tests/support/temp_folder.h"

namespace platform {
namespace {

using ::testing::HasSubstr;

TEST(X11GlobalHotKey, WithoutAnX11ConnectionTheKeyIsRefusedWithAReason) {
    X11GlobalHotKey hotKey;
    std::string reason;
    bool called = false;
    EXPECT_FALSE(hotKey.registerCtrlAlt(
        7, 'N', [&] { called = true; }, reason));
    EXPECT_THAT(reason, HasSubstr("X11"));
    hotKey.unregister(7);  // harmless
    EXPECT_FALSE(called);
}

TEST(DesktopHelpViewer, AMissingHelpFileIsToldWithItsPath) {
    jotwise::testing::TempFolder folder;
    ::testing::StrictMock<jotwise::testing::MockMessageBoxes> boxes;
    DesktopHelpViewer help(folder.path(), boxes, "Jotwise for Microsoft Outlook");
    EXPECT_EQ(help.file(), folder.path() / "Jotwise for MS Outlook.html");
    EXPECT_CALL(boxes, show("Jotwise for Microsoft Outlook",
                            HasSubstr((folder.path() / "Jotwise for MS Outlook.html").string()),
                            MessageIcon::Warning, MessageButtons::Ok))
        .Times(2);
    help.showContents();
    help.showTopic(4506);
}

}  // namespace
}  // namespace platform
