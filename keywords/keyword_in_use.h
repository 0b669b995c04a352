#pragma once

#include <string>

namespace outlook {
class TDataStore;
}

namespace keywords {

// Says which keyword the text already is and what it names, for the line under the message
// that refuses it: "'work' is already the keyword of the category Work." Empty when the text
// is no keyword in use (it may still be refused for another reason).
std::string KeywordInUse(const outlook::TDataStore& store, const std::string& text);

}  // namespace keywords
