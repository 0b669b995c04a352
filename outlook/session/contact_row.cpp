#include "outlook/session/contact_row.h"

namespace outlook {

ContactRow::ContactRow(const mapi::Row& row) {
    auto text = [&row](mapi::PropTag tag) {
        const mapi::SPropValue* value = mapi::FindProp(row, tag);
        const std::string* s = value ? value->asString8() : nullptr;
        return s ? *s : std::string();
    };
    auto bytes = [&row](mapi::PropTag tag) -> const mapi::Binary* {
        const mapi::SPropValue* value = mapi::FindProp(row, tag);
        return value ? value->asBinary() : nullptr;
    };
    if (const mapi::Binary* entryId = bytes(mapi::PR_ENTRYID)) key = mapi::HexFromBin(*entryId);
    names.givenName = text(mapi::PR_GIVEN_NAME);
    names.surname = text(mapi::PR_SURNAME);
    names.company = text(mapi::PR_COMPANY_NAME);
    names.fileAs = FileAsName(names.givenName, names.surname, names.company);
    if (const mapi::Binary* original = bytes(mapi::PR_ORIGINAL_ENTRYID))
        originalEntryId = *original;
}

ContactRow::ContactRow(std::string key, std::string givenName, std::string surname,
                       std::string company, std::optional<mapi::Binary> originalEntryId)
    : key(std::move(key)), originalEntryId(std::move(originalEntryId)) {
    names.fileAs = FileAsName(givenName, surname, company);
    names.givenName = std::move(givenName);
    names.surname = std::move(surname);
    names.company = std::move(company);
}

}  // namespace outlook
