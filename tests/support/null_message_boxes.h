#pragma once

#include <string>

#include "platform/message_boxes.h"

namespace jotwise::testing {

// Message boxes nobody sees: each is counted and answered the same way.
class NullMessageBoxes : public platform::MessageBoxes {
public:
    platform::MessageAnswer show(const std::string&, const std::string& text, platform::MessageIcon,
                                 platform::MessageButtons) override {
        ++shown;
        lastText = text;
        return answer;
    }
    platform::MessageAnswer answer = platform::MessageAnswer::No;
    int shown = 0;
    std::string lastText;
};

}  // namespace jotwise::testing
