#include "outlook/local/closing_question.h"

namespace outlook::local {

Closing askToSaveChanges(platform::MessageBoxes& boxes, const std::string& caption,
                         const std::string& what) {
    switch (boxes.show(caption, "Would you like to save the changes to " + what + "?",
                       platform::MessageIcon::Warning, platform::MessageButtons::YesNoCancel)) {
        case platform::MessageAnswer::Yes:
            return Closing::Save;
        case platform::MessageAnswer::No:
            return Closing::Discard;
        default:
            return Closing::KeepOpen;
    }
}

}  // namespace outlook::local
