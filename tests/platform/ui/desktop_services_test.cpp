// The desktop's services as the program uses them on the offscreen platform, where there is
// no X11 connection.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>
#include <QUrl>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/ui/desktop_help_viewer.h"
#include "platform/ui/global_hot_key_choice.h"
#include "platform/ui/x11_global_hot_key.h"
#include "tests/support/mock_message_boxes.h"
#include "tests/support/null_message_boxes.h"
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

TEST(GlobalHotKeyChoice, APlatformWithoutSystemWideKeysNamesTheDesktopShortcutInstead) {
    const auto hotKey = chooseGlobalHotKey({"new-note", "New action note"});
    std::string reason;
    EXPECT_FALSE(hotKey->registerCtrlAlt(
        7, 'N', [] {}, reason));
    EXPECT_THAT(reason, HasSubstr("\"jotwise note\""));
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

// Puts a folder of the test's own first on PATH for the life of the scope.
class OpenerOnPath {
public:
    explicit OpenerOnPath(const std::filesystem::path& folder) : before_(qgetenv("PATH")) {
        qputenv("PATH", QByteArray::fromStdString(folder.string()) + ":" + before_);
    }
    ~OpenerOnPath() { qputenv("PATH", before_); }
    OpenerOnPath(const OpenerOnPath&) = delete;
    OpenerOnPath& operator=(const OpenerOnPath&) = delete;

private:
    QByteArray before_;
};

// The desktop's opener as a script: it keeps what it was given and ends with `exitCode`.
class HelpOpenerTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::ofstream(help.file()) << "<html></html>";
        std::filesystem::create_directory(bin.path() / "bin");
    }
    void writeOpener(int exitCode, const std::string& firstLine = "#!/bin/sh") {
        const std::filesystem::path opener = bin.path() / "bin" / "xdg-open";
        std::ofstream(opener) << firstLine << "\nprintf '%s' \"$1\" > '" << given().string()
                              << "'\nexit " << exitCode << "\n";
        std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
    }
    std::filesystem::path given() const { return bin.path() / "given"; }
    std::string pageNamed() const {
        return "No program to show the help file was found: " + help.file().string();
    }

    jotwise::testing::TempFolder folder, bin;
    jotwise::testing::NullMessageBoxes boxes;
    DesktopHelpViewer help{folder.path(), boxes, "Jotwise for Microsoft Outlook"};
    OpenerOnPath path{bin.path() / "bin"};
};

TEST_F(HelpOpenerTest, AnOpenerThatFailsIsToldLikeNoOpenerWithThePage) {
    writeOpener(3);
    help.showTopic(1503);
    QTRY_COMPARE(boxes.shown, 1);
    EXPECT_EQ(boxes.lastText, pageNamed());
    std::ifstream in(given());
    const std::string url(std::istreambuf_iterator<char>(in), {});
    EXPECT_EQ(url, QUrl::fromLocalFile(QString::fromStdString(help.file().string()))
                           .toString(QUrl::FullyEncoded)
                           .toStdString() +
                       "#topic-1503");
}

TEST_F(HelpOpenerTest, AnOpenerThatCannotStartIsToldToo) {
    writeOpener(0, "#!/no/such/interpreter");
    help.showContents();
    QTRY_COMPARE(boxes.shown, 1);
    EXPECT_EQ(boxes.lastText, pageNamed());
}

}  // namespace
}  // namespace platform
