#pragma once

#include <string>

#include "messages/messages.h"
#include "platform/message_boxes.h"

namespace messages {

// Where an error's detail comes from when the caller names none: the text of the last
// failure the Outlook session caught. Taking it empties it.
class LastErrorSource {
public:
    virtual ~LastErrorSource() = default;
    virtual std::string takeLastError() = 0;
};

// The text the standard error box shows for `id` with the detail message `detailId` (0 for
// none). Without a detail id the session's last-error text is the detail, and is used up.
std::string ErrorBoxText(MessageId id, MessageId detailId, LastErrorSource* session);

// The standard error box: one modal box with the program's caption, a stop icon and OK.
class ErrorBox {
public:
    explicit ErrorBox(platform::MessageBoxes& boxes) : boxes_(boxes) {}

    // The session whose last-error text details errors; null while there is none.
    void setSession(LastErrorSource* session) { session_ = session; }

    void ShowError(MessageId id, MessageId detailId = 0) const;

private:
    platform::MessageBoxes& boxes_;
    LastErrorSource* session_ = nullptr;
};

// The program's error box, reached by every part of the program. Showing an error while
// none is installed does nothing.
void InstallErrorBox(ErrorBox* box);
void ShowError(MessageId id, MessageId detailId = 0);

}  // namespace messages
