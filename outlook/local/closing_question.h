#pragma once

#include <string>

#include "platform/message_boxes.h"

namespace outlook::local {

// What closing a form does with its changes.
enum class Closing { Save, Discard, KeepOpen };

// Asks "Would you like to save the changes to WHAT?" under the form's caption: Yes saves,
// No discards, Cancel keeps the form open.
Closing askToSaveChanges(platform::MessageBoxes& boxes, const std::string& caption,
                         const std::string& what);

}  // namespace outlook::local
