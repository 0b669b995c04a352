#pragma once

#include <cstdint>

namespace outlook {

// The object model's numbered values. The program passes them to late-bound calls and the
// local store reads them back, so both sides take them from here, never from copies.

// Application.CreateItem's item types.
enum OlItemType : std::int32_t {
    olMailItem = 0,
    olAppointmentItem = 1,
    olContactItem = 2,
    olTaskItem = 3,
    olJournalItem = 4,
    olNoteItem = 5,
};

// NameSpace.GetDefaultFolder's folders.
enum OlDefaultFolders : std::int32_t {
    olFolderDeletedItems = 3,
    olFolderOutbox = 4,
    olFolderSentMail = 5,
    olFolderInbox = 6,
    olFolderCalendar = 9,
    olFolderContacts = 10,
    olFolderJournal = 11,
    olFolderNotes = 12,
    olFolderTasks = 13,
    olFolderDrafts = 16,
};

// The item class an object reports in its Class property.
enum OlObjectClass : std::int32_t {
    olAppointment = 26,
    olContact = 40,
    olJournal = 42,
    olMail = 43,
    olNote = 44,
    olTask = 48,
    olTaskRequest = 49,
    olMeetingRequest = 53,
};

// How Attachments.Add attaches its source, and an attachment's Type.
enum OlAttachmentType : std::int32_t {
    olByValue = 1,
    olByReference = 4,
    olEmbeddedItem = 5,
};

// Attachments.Add's position that puts an attachment after every existing one.
inline constexpr std::int32_t kAfterLastAttachment = 999999;

// A recipient's Type: for mail To, Cc and Bcc; for meetings required and optional attendees.
enum OlMailRecipientType : std::int32_t {
    olOriginator = 0,
    olTo = 1,
    olCC = 2,
    olBCC = 3,
};

// An appointment's BusyStatus.
enum OlBusyStatus : std::int32_t {
    olFree = 0,
    olTentative = 1,
    olBusy = 2,
    olOutOfOffice = 3,
};

// An appointment's MeetingStatus.
enum OlMeetingStatus : std::int32_t {
    olNonMeeting = 0,
    olMeeting = 1,
    olMeetingReceived = 3,
    olMeetingCanceled = 5,
};

// A task's Status.
enum OlTaskStatus : std::int32_t {
    olTaskNotStarted = 0,
    olTaskInProgress = 1,
    olTaskComplete = 2,
    olTaskWaiting = 3,
    olTaskDeferred = 4,
};

// What an item's Close does with unsaved changes.
enum OlInspectorClose : std::int32_t {
    olSave = 0,
    olDiscard = 1,
    olPromptForSave = 2,
};

// A contact's SelectedMailingAddress.
enum OlMailingAddress : std::int32_t {
    olNoMailingAddress = 0,
    olHome = 1,
    olBusiness = 2,
    olOther = 3,
};

// A RecurrencePattern's RecurrenceType.
enum OlRecurrenceType : std::int32_t {
    olRecursDaily = 0,
    olRecursWeekly = 1,
    olRecursMonthly = 2,
    olRecursMonthNth = 3,
    olRecursYearly = 5,
    olRecursYearNth = 6,
};

// The bits of a RecurrencePattern's DayOfWeekMask.
enum OlDaysOfWeek : std::int32_t {
    olSunday = 1,
    olMonday = 2,
    olTuesday = 4,
    olWednesday = 8,
    olThursday = 16,
    olFriday = 32,
    olSaturday = 64,
};

}  // namespace outlook
