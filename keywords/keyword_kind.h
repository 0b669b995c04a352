#pragma once

#include <string_view>

#include "keywords/keywords_views.h"

namespace keywords {

// "Folders", "Categories", "Contacts": the filter's texts.
std::string_view FilterText(KeywordKind kind);
// "Folder", "Category", "Contact": the word in the edit window's caption and label.
std::string_view KindWord(KeywordKind kind);

}  // namespace keywords
