// The module that talks to the desktop's calendar loads only from where it is looked for, and
// says why when it cannot.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "outlook/local/desktop/desktop_module.h"

namespace outlook::local::desktop {
namespace {

using ::testing::HasSubstr;

TEST(DesktopModule, AMissingModuleIsReportedWithItsReasonAndTheBuildsOneLoads) {
    setDesktopModulePath("/nonexistent/libjotwise-desktop.so");
    std::string reason;
    EXPECT_EQ(desktopModuleFunction("jotwise_desktop_module_version", reason), nullptr);
    EXPECT_THAT(reason, HasSubstr("could not be loaded"));

    setDesktopModulePath(JOTWISE_DESKTOP_MODULE);
    reason.clear();
    void* version = desktopModuleFunction("jotwise_desktop_module_version", reason);
    ASSERT_NE(version, nullptr) << reason;
    EXPECT_EQ(reinterpret_cast<int (*)()>(version)(), kDesktopModuleVersion);
    EXPECT_EQ(desktopModuleFunction("no_such_function", reason), nullptr);
    EXPECT_THAT(reason, HasSubstr("no_such_function"));
    setDesktopModulePath({});
}

}  // namespace
}  // namespace outlook::local::desktop
