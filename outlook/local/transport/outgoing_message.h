#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace outlook::local::transport {

struct MailAddress {
    std::string name;     // may be empty
    std::string address;  // "ann@example.org"
};

struct OutgoingAttachment {
    std::string fileName;
    std::string mimeType;  // empty: guessed from the file name, else application/octet-stream
    std::string bytes;
};

// One message as its recipients will read it, before it is put into MIME form.
struct OutgoingMessage {
    std::optional<MailAddress> from;  // nothing: the mail command supplies the sender
    std::vector<MailAddress> to, cc;
    std::string subject;
    std::string body;  // plain text, UTF-8, lines ending in '\n'
    std::vector<OutgoingAttachment> attachments;
    std::chrono::system_clock::time_point date;
    std::string messageId;  // "<id@domain>"
    // An iCalendar object with METHOD:REQUEST, sent beside the text as text/calendar so that
    // mail and calendar programs offer Accept and Decline; empty for a plain message.
    std::string calendar;
    std::string calendarMethod = "REQUEST";
};

}  // namespace outlook::local::transport
