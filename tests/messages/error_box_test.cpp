#include "messages/error_box.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/mock_message_boxes.h"

namespace messages {
namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;
using ::testing::_;
using ::testing::Return;

using jotwise::testing::MockMessageBoxes;

class FakeSession : public LastErrorSource {
public:
    std::string lastError;
    std::string takeLastError() override { return std::exchange(lastError, {}); }
};

TEST(Messages, LoadsTextsByIdAndNothingForMissingIds) {
    EXPECT_EQ(LoadMessage(0), "No error occurred.");
    EXPECT_EQ(LoadMessage(23), "Unable to retrieve Folder information from Outlook.");
    EXPECT_EQ(LoadMessage(1000), "Jotwise for Microsoft Outlook");
    EXPECT_EQ(LoadMessage(1007), "Please enter a valid Date.");
    for (MessageId missing : {31, 33, 41, 45, 54, 99, 105, 107, 999, 1008, 65535})
        EXPECT_EQ(LoadMessage(missing), "") << missing;
}

TEST(Messages, QuestionsEndWithTheirQuestionAfterABlankLine) {
    for (MessageId id : {5, 44}) {
        const std::string text = LoadMessage(id);
        EXPECT_NE(text.find("Please visit "), std::string::npos);
        EXPECT_NE(text.find(" for complete details on this issue.\n\nDo you want to save this "
                            "action note without any "),
                  std::string::npos)
            << id;
    }
}

TEST(ErrorBoxText, SessionErrorIsTheDetailOnceAndThenUsedUp) {
    FakeSession session;
    session.lastError = "The operation failed: folder not found";
    EXPECT_EQ(ErrorBoxText(23, 0, &session),
              "Unable to retrieve Folder information from Outlook.\n"
              "The operation failed: folder not found");
    EXPECT_EQ(ErrorBoxText(23, 0, &session),
              "Unable to retrieve Folder information from Outlook.\n");
}

TEST(ErrorBoxText, WithoutSessionTheDetailIsEmpty) {
    EXPECT_EQ(ErrorBoxText(37, 0, nullptr), "Unable to login to MAPI.\n");
}

TEST(ErrorBoxText, DetailIdWinsOverTheSessionAndLeavesItsTextAlone) {
    FakeSession session;
    session.lastError = "kept";
    EXPECT_EQ(ErrorBoxText(32, 37, &session),
              "Application initialization failed because: \nUnable to login to MAPI.");
    EXPECT_EQ(session.lastError, "kept");
}

TEST(ErrorBoxText, MissingTextsFallBackToTextsNamingTheId) {
    EXPECT_EQ(ErrorBoxText(32, 999, nullptr),
              "Application initialization failed because: \n"
              "Unable to retrieve Error Message #999");
    FakeSession session;
    session.lastError = "stale";
    EXPECT_EQ(ErrorBoxText(54, 0, &session),
              "An error occurred! Unable to retrieve Error Message #54. Please contact Jotwise "
              "Technical Support to report this problem.");
    EXPECT_EQ(session.lastError, "");
}

TEST(ErrorBox, ShowsOneStopBoxWithTheProgramCaptionAndOk) {
    MockMessageBoxes boxes;
    FakeSession session;
    session.lastError = "disk full";
    ErrorBox box(boxes);
    box.setSession(&session);
    EXPECT_CALL(boxes, show("Jotwise for Microsoft Outlook",
                            "An error occurred while attempting to save changes to an Outlook "
                            "object\ndisk full",
                            MessageIcon::Stop, MessageButtons::Ok))
        .WillOnce(Return(MessageAnswer::Ok));
    box.ShowError(2);
}

TEST(ErrorBox, ProgramWideBoxIsUsedOnlyWhileInstalled) {
    MockMessageBoxes boxes;
    ErrorBox box(boxes);
    EXPECT_CALL(boxes, show(_, "Unable to login to MAPI.\n", _, _)).Times(1);
    InstallErrorBox(&box);
    ShowError(37);
    InstallErrorBox(nullptr);
    ShowError(37);
}

}  // namespace
}  // namespace messages
