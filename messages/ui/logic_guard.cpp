#include "messages/ui/logic_guard.h"

#include "messages/messages.h"
#include "platform/ui/qt_message_boxes.h"

namespace messages::ui {

void showLogicFailure(QWidget* parent, const std::string& what) {
    platform::QtMessageBoxes boxes(parent);
    boxes.show(messages::LoadMessage(messages::kCaption), what, platform::MessageIcon::Stop,
               platform::MessageButtons::Ok);
}

}  // namespace messages::ui
