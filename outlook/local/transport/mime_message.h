#pragma once

#include <string>

#include "outlook/local/transport/outgoing_message.h"

namespace outlook::local::transport {

// The whole message in MIME form, as a sendmail-compatible command reads it with -t: the
// headers (From when given, To, Cc when any, Subject, Date, Message-ID, MIME-Version) and
// the body, lines ending in "\n".
//
// The body is the text alone (text/plain, UTF-8); with a calendar, a multipart/alternative
// of the text and the calendar (text/calendar with the message's method); with attachments,
// a multipart/mixed of that and one base64 part per attachment.
//
// Subjects and names are kept on one line, so no text can add a header. Throws
// std::invalid_argument when the message cannot be sent as given: no To or Cc recipient, an
// address that is not exactly one address, no usable Message-ID, or a calendar method that
// is not a word or not the calendar's own METHOD; std::runtime_error when GMime cannot
// write it.
std::string mimeMessageText(const OutgoingMessage& message);

}  // namespace outlook::local::transport
