#pragma once

#include <string>
#include <string_view>

namespace platform {

// The text with every byte sequence that is not well-formed UTF-8 (stray continuation
// bytes, truncated or overlong sequences, surrogates, code points above U+10FFFF) replaced
// by U+FFFD, one replacement per maximal ill-formed subpart. Well-formed text comes back
// unchanged. Text enters the program this way, so that nothing written later (JSON, the
// mirror's files, the store) carries bytes a reader must reject.
std::string validUtf8(std::string_view text);

// Whether the text is well-formed UTF-8.
bool isValidUtf8(std::string_view text);

// The text without C0 control characters other than tab, line feed and carriage return,
// and without DEL and the C1 controls (U+0080..U+009F): what iCalendar and vCard text may
// hold. Expects well-formed UTF-8.
std::string withoutControlCharacters(std::string_view text);

}  // namespace platform
