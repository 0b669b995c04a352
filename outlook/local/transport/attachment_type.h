#pragma once

#include <string>
#include <string_view>

namespace outlook::local::transport {

// The MIME type an attachment is sent as, lower case: the given type when it is a plain
// "type/subtype", else the type of the file name's extension, else application/octet-stream.
// The extensions are a table of their own rather than the system's MIME database, so that a
// file is sent with the same type on every machine.
std::string attachmentType(std::string_view fileName, std::string_view mimeType);

}  // namespace outlook::local::transport
