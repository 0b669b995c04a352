#include "messages/messages.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace messages {
namespace {

#define JOTWISE_SUPPORT_ADDRESS "https://support.jotwise.example"

struct Message {
    MessageId id;
    std::string_view text;
};

// Sorted by id.
constexpr std::array kMessages = std::to_array<Message>({
    {0, "No error occurred."},
    {1, "An unimplemented function was called."},
    {2, "An error occurred while attempting to save changes to an Outlook object"},
    {3, "Unable to set the 'body' property for an Outlook object."},
    {4, "Unable to move a new Outlook object to the proper folder."},
    {5,
     "The attempt to add a Contact link to this action note has failed. Contact link "
     "attachments are not available in the Outlook 98 'Internet Mail Only' version. To use "
     "this Jotwise feature you must upgrade your Outlook Installation to the 'Corporate or "
     "Workgroup' version. You may do this from the Add/Remove programs Control Panel. Please "
     "visit " JOTWISE_SUPPORT_ADDRESS " for complete details on this issue.\n\nDo you want to "
     "save this action note without any Contact links?"},
    {6, "Unable to add an attachment to an Outlook object."},
    {7, "Unable to set the Outlook categories for an object."},
    {8, "Unable to set the subject for an Outlook object."},
    {9, "Unable to set the type for an Outlook Journal Entry."},
    {10, "Unable to set the 'contact' property for an Outlook Journal Entry."},
    {11, "Unable to set the 'untimed' property for an Outlook event."},
    {12, "Unable to set the 'duration' property for an Outlook event."},
    {13, "Unable to set the end time for an Outlook event."},
    {14, "Unable to set the begin time for an Outlook event."},
    {15, "Unable to set the 'company' property for an Outlook task."},
    {16, "Unable to set the 'contacts' property for an Outlook task."},
    {17, "Unable to set the 'total work' property for an Outlook task."},
    {18, "Unable to set the 'start time' property for an Outlook task."},
    {19,
     "Unable to retrieve Contact information from Outlook. An unexpected communication "
     "error occurred."},
    {20, "Unable to retrieve Contact information from Outlook."},
    {21, "Unable to retrieve category information from the system registry."},
    {22, "Unable to allocate requested memory."},
    {23, "Unable to retrieve Folder information from Outlook."},
    {24,
     "Unable to retrieve Folder information from Outlook. An unexpected communication "
     "error occurred."},
    {25,
     "Unable to connect to Outlook.  Please verify that Outlook is properly configured and "
     "working on this system, and that a user profile is selected."},
    {26, "Unable to retrieve initial object counts from Outlook."},
    {27,
     "An unexpected error occurred while trying to retrieve initial information about "
     "Outlook folders."},
    {28, "Unable to add Jotwise for Microsoft Outlook's icon to the system tray."},
    {29, "Unable to open and display an Outlook window."},
    {30, "Unable to invoke the 'New Contact' dialog in Outlook."},
    {32, "Application initialization failed because: "},
    {36, "Unable to retrieve information required to initialize action note shadow because:"},
    {37, "Unable to login to MAPI."},
    {38, "Unable to open the MAPI address book."},
    {39, "Unable to retrieve the 'DisplayName' property from Outlook."},
    {40, "Unable to add recipients to an Outlook object."},
    {42, "Outlook was unable to send a Mail Message, Task Request, or Meeting Request."},
    {43, "Outlook was unable to assign a Task Request."},
    {44,
     "The attempt to add a file link to this action note has failed. File link attachments "
     "are not available in the Outlook 98 'Internet Mail Only' version. To use this Jotwise "
     "feature you must upgrade your Outlook Installation to the 'Corporate or Workgroup' "
     "version. You may do this from the Add/Remove programs Control Panel. Please "
     "visit " JOTWISE_SUPPORT_ADDRESS " for complete details on this issue.\n\nDo you want to save "
     "this action note without any File links?"},
    {48, "Unable to access the default MAPI message store."},
    {49, "Unable to access the MAPI Inbox folder."},
    {50, "Outlook was unable to set the coordinates for a Note object."},
    {51, "Unable to determine the name or path to the Keywords file."},
    {52, "Unable to create the Keywords file."},
    {53, "The parser was unable to add a new alias."},
    {55,
     "Unable to read the Keywords file. Jotwise uses the default keywords for now and will "
     "not change the file until it is restarted."},
    {56,
     "Outlook was unable to make this item repeat. The note stays open: drop the repeat to "
     "file the item once."},
    {100, "Unable to register a system-wide hot-key for Jotwise for Microsoft Outlook."},
    {101, "Could not find an expected keyword in an internal data structure."},
    {102,
     "You have attempted to register a duplicate keyword. The new keyword will be "
     "ignored."},
    {103, "Are you sure you want to delete the '%s' keyword?"},
    {104, "Do you want to save this empty action note?"},
    {1000, "Jotwise for Microsoft Outlook"},
    {1001, "Would you like to save this action note?"},
    {1002,
     "Mail Message, Task Request, and Meeting Request action notes must have at least "
     "one recipient!"},
    {1003, "The keyword you have entered is invalid or is already in use."},
    {1004, "Please enter a valid Start time."},
    {1005, "Please enter a valid End time."},
    {1006, "Jotwise"},
    {1007, "Please enter a valid Date."},
});

static_assert(std::ranges::is_sorted(kMessages, {}, &Message::id));

}  // namespace

std::string LoadMessage(MessageId id) {
    const auto it = std::ranges::lower_bound(kMessages, id, {}, &Message::id);
    if (it == kMessages.end() || it->id != id) return {};
    return std::string(it->text);
}

}  // namespace messages
