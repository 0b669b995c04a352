#pragma once

#include <string>

namespace platform {

enum class MessageIcon { None, Stop, Question, Warning, Information };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// Modal message boxes: the program's questions and error boxes go through this.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual MessageAnswer show(const std::string& caption, const std::string& text,
                               MessageIcon icon, MessageButtons buttons) = 0;
};

}  // namespace platform
