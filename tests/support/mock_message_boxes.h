#pragma once

#include <gmock/gmock.h>

#include <string>

#include "platform/message_boxes.h"

namespace jotwise::testing {

class MockMessageBoxes : public platform::MessageBoxes {
public:
    MOCK_METHOD(platform::MessageAnswer, show,
                (const std::string&, const std::string&, platform::MessageIcon,
                 platform::MessageButtons),
                (override));
};

}  // namespace jotwise::testing
