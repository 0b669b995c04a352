#include "keywords/keyword_kind.h"

namespace keywords {

std::string_view FilterText(KeywordKind kind) {
    switch (kind) {
        case KeywordKind::Folders:
            return "Folders";
        case KeywordKind::Categories:
            return "Categories";
        case KeywordKind::Contacts:
            return "Contacts";
    }
    return {};
}

std::string_view KindWord(KeywordKind kind) {
    switch (kind) {
        case KeywordKind::Folders:
            return "Folder";
        case KeywordKind::Categories:
            return "Category";
        case KeywordKind::Contacts:
            return "Contact";
    }
    return {};
}

}  // namespace keywords
