#pragma once

#include <string>
#include <string_view>

namespace outlook::local::transport {

// The texts a message is made of, made safe for the headers and parts they go into. Text
// that is not well-formed UTF-8 has U+FFFD in place of the bad bytes.

// A subject or name on one line: each run of line breaks and tabs becomes one space and other
// control characters go, so that no text can start a header of its own; trimmed.
std::string oneLine(std::string_view text);

// A text part's content: line breaks as "\n" (the mail command writes them as CRLF), control
// characters other than tab and form feed removed.
std::string partText(std::string_view text);

// A file name as recipients see it: one line, without the folders of a path.
std::string attachmentFileName(std::string_view fileName);

// The address ("ann@example.org") trimmed. Throws std::invalid_argument when it is empty or
// is not exactly one address: a line break, a blank, a list or a name inside it.
std::string checkedAddress(std::string_view address);

// The Message-ID without its angle brackets. Throws std::invalid_argument when it is empty
// or holds anything but printable ASCII without blanks and further brackets.
std::string checkedMessageId(std::string_view messageId);

}  // namespace outlook::local::transport
