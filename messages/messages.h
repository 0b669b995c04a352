#pragma once

#include <cstdint>
#include <string>

namespace messages {

// Every operation of the program that can fail returns one of these; 0 is success.
using MessageId = std::uint16_t;

// The message table's text for `id`, or an empty text when the table has none.
std::string LoadMessage(MessageId id);

// Ids that code names directly.
inline constexpr MessageId kNoError = 0;
inline constexpr MessageId kSaveFailed = 2;
inline constexpr MessageId kContactLinkUnavailable = 5;
inline constexpr MessageId kAttachmentFailed = 6;
inline constexpr MessageId kContactsCommFailure = 19;
inline constexpr MessageId kCategoriesUnreadable = 21;
inline constexpr MessageId kOutOfMemory = 22;
inline constexpr MessageId kFolderInfoUnavailable = 23;
inline constexpr MessageId kCannotConnect = 25;
inline constexpr MessageId kInitialCountsUnavailable = 26;
inline constexpr MessageId kCannotShowOutlook = 29;
inline constexpr MessageId kRecurrenceFailed = 56;
inline constexpr MessageId kCannotShowNewContact = 30;
inline constexpr MessageId kInitializationFailed = 32;
inline constexpr MessageId kMapiLoginFailed = 37;
inline constexpr MessageId kFileLinkUnavailable = 44;
inline constexpr MessageId kKeywordsFileUnknown = 51;
inline constexpr MessageId kKeywordsFileNotWritten = 52;
inline constexpr MessageId kKeywordsFileUnreadable = 55;
inline constexpr MessageId kKeywordNotFound = 101;
inline constexpr MessageId kCaption = 1000;
inline constexpr MessageId kProductWord = 1006;
}  // namespace messages
