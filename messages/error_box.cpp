#include "messages/error_box.h"

namespace messages {
namespace {

ErrorBox* gErrorBox = nullptr;

std::string detailText(MessageId detailId, LastErrorSource* session) {
    if (detailId != 0) {
        std::string detail = LoadMessage(detailId);
        if (detail.empty())
            detail = "Unable to retrieve Error Message #" + std::to_string(detailId);
        return detail;
    }
    return session ? session->takeLastError() : std::string();
}

}  // namespace

std::string ErrorBoxText(MessageId id, MessageId detailId, LastErrorSource* session) {
    const std::string text = LoadMessage(id);
    // The detail is taken even when the message is missing, so a stale session error is
    // not shown under some later, unrelated message.
    const std::string detail = detailText(detailId, session);
    if (text.empty())
        return "An error occurred! Unable to retrieve Error Message #" + std::to_string(id) +
               ". Please contact Jotwise Technical Support to report this problem.";
    return text + "\n" + detail;
}

void ErrorBox::ShowError(MessageId id, MessageId detailId) const {
    boxes_.show(LoadMessage(kCaption), ErrorBoxText(id, detailId, session_),
                platform::MessageIcon::Stop, platform::MessageButtons::Ok);
}

void InstallErrorBox(ErrorBox* box) {
    gErrorBox = box;
}

void ShowError(MessageId id, MessageId detailId) {
    if (gErrorBox) gErrorBox->ShowError(id, detailId);
}

}  // namespace messages
