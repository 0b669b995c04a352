#include <unordered_map>

#include "outlook/items/contact.h"
#include "outlook/object_model.h"
#include "outlook/session/contact_listener.h"
#include "outlook/session/data_store.h"
#include "outlook/session/progress_box.h"
#include "sentex.h"

namespace outlook {

const mapi::PropTagArray TDataStore::kContactColumns = {mapi::PR_ENTRYID, mapi::PR_GIVEN_NAME,
                                                        mapi::PR_SURNAME, mapi::PR_COMPANY_NAME,
                                                        mapi::PR_ORIGINAL_ENTRYID};

namespace {

// A contact as a table row describes it; columns are found by tag, and a column of an
// unexpected type counts as absent.
struct ContactRow {
    std::string key;
    TContact::Names names;
    std::optional<mapi::Binary> originalEntryId;

    explicit ContactRow(const mapi::Row& row) {
        auto text = [&row](mapi::PropTag tag) {
            const mapi::SPropValue* value = mapi::FindProp(row, tag);
            const std::string* s = value ? value->asString8() : nullptr;
            return s ? *s : std::string();
        };
        auto bytes = [&row](mapi::PropTag tag) -> const mapi::Binary* {
            const mapi::SPropValue* value = mapi::FindProp(row, tag);
            return value ? value->asBinary() : nullptr;
        };
        names.givenName = text(mapi::PR_GIVEN_NAME);
        names.surname = text(mapi::PR_SURNAME);
        names.company = text(mapi::PR_COMPANY_NAME);
        names.fileAs = FileAsName(names.givenName, names.surname, names.company);
        if (const mapi::Binary* entryId = bytes(mapi::PR_ENTRYID)) key = mapi::HexFromBin(*entryId);
        if (const mapi::Binary* original = bytes(mapi::PR_ORIGINAL_ENTRYID))
            originalEntryId = *original;
    }

    std::unique_ptr<TContact> makeContact() const {
        return std::make_unique<TContact>(key, names, originalEntryId);
    }
};

// The contact each keyword names, by the keyword's canonical text.
std::unordered_map<std::string, std::string> contactOfEachKeyword() {
    std::unordered_map<std::string, std::string> contactOf;
    char keyword[SENTEX_TEXT_SLOT], contact[SENTEX_TEXT_SLOT];
    for (std::int32_t found = Prs_GetFirstAlias(keyword, nullptr, nullptr, contact); found == 1;
         found = Prs_GetNextAlias(keyword, nullptr, nullptr, contact))
        if (contact[0]) contactOf.emplace(keyword, contact);
    return contactOf;
}

// Whether the contact's default keyword, its full name, is its own: registered by it and
// still naming it. A keyword of the same text may belong to another contact the user gave
// it to, and must then be left alone.
bool ownsDefaultKeyword(const TContact& contact,
                        const std::unordered_map<std::string, std::string>& contactOf) {
    if (contact.keywordsCustomized || contact.keywordCount == 0) return false;
    char canonical[SENTEX_TEXT_SLOT];
    if (Prs_FilterAlias(contact.FullName().c_str(), canonical) != 1) return false;
    const auto it = contactOf.find(canonical);
    return it != contactOf.end() && it->second == contact.Key();
}

}  // namespace

MessageId TDataStore::LoadContacts(TProgressBox& progress) {
    FolderTableParts parts;
    mapi::RowSet rows;
    if (mapi::Failed(OpenFolderTable(olFolderContacts, parts)) ||
        mapi::Failed(mapi::HrQueryAllRows(parts.table.get(), &kContactColumns, 0, rows)))
        return messages::kContactsCommFailure;
    for (const auto& row : rows) {
        const ContactRow contact(row);
        if (!contact.names.fileAs.empty()) {
            Prs_AddContact(contact.key.c_str());
            contacts_[contact.key] = contact.makeContact();
        }
        progress.StepIt();
    }
    return messages::kNoError;
}

void TDataStore::RemoveCachedContactKeywords() {
    const auto contactOf = contactOfEachKeyword();
    for (auto& [key, contact] : contacts_) {
        contact->seen = 0;
        // The default keyword is registered again, under the current name, at the end.
        if (ownsDefaultKeyword(*contact, contactOf) &&
            Prs_DeleteAlias(contact->FullName().c_str()) == 1)
            --contact->keywordCount;
    }
}

void TDataStore::RefreshContacts() {
    RemoveCachedContactKeywords();
    mapi::RowSet rows;
    if (mapi::Failed(mapi::HrQueryAllRows(contactsTable_.get(), &kContactColumns, 0, rows))) {
        messages::ShowError(messages::kContactsCommFailure);
        return;
    }
    for (const auto& row : rows) {
        const ContactRow fresh(row);
        if (fresh.names.fileAs.empty()) continue;
        if (TContact* cached = FindContact(fresh.key)) {
            cached->SetNames(fresh.names);
            cached->seen = 1;
        } else {
            auto contact = fresh.makeContact();
            contact->seen = 1;
            Prs_AddContact(fresh.key.c_str());
            ReturnHeldKeywords(*contact);
            contacts_[fresh.key] = std::move(contact);
        }
    }
    for (auto it = contacts_.begin(); it != contacts_.end();) {
        if (it->second->seen) {
            ++it;
            continue;
        }
        HoldContactKeywords(*it->second);
        Prs_DeleteContact(it->first.c_str());
        it = contacts_.erase(it);
    }
    RegisterContactKeywords();
}

bool TDataStore::OnContactAdded(const mapi::Row& columns) {
    const ContactRow row(columns);
    if (FindContact(row.key) || row.names.fileAs.empty()) return false;
    TContact* added = (contacts_[row.key] = row.makeContact()).get();
    Prs_AddContact(row.key.c_str());
    ReturnHeldKeywords(*added);
    if (!added->keywordsCustomized &&
        Prs_AddAlias(added->FullName().c_str(), "", "", row.key.c_str()) == 1)
        ++added->keywordCount;
    TellContactChanged(added, nullptr);
    return true;
}

bool TDataStore::OnContactModified(const mapi::Row& columns) {
    const ContactRow row(columns);
    TContact* old = FindContact(row.key);
    if (!old) {
        // A contact saved first without a name enters the cache once it has one.
        if (!row.names.fileAs.empty()) return OnContactAdded(columns);
        TellContactChanged(nullptr, nullptr);
        return true;
    }
    if (row.names.fileAs.empty()) return false;
    auto replacement = row.makeContact();
    replacement->keywordsCustomized = old->keywordsCustomized;
    replacement->keywordCount += old->keywordCount;
    if (ownsDefaultKeyword(*old, contactOfEachKeyword()))
        Prs_RenameAlias(old->FullName().c_str(), replacement->FullName().c_str());
    std::unique_ptr<TContact> previous = std::exchange(contacts_[row.key], std::move(replacement));
    TellContactChanged(contacts_[row.key].get(), previous.get());
    return true;
}

void TDataStore::HoldContactKeywords(const TContact& contact) {
    if (!contact.keywordsCustomized) return;
    std::vector<keywords::KeywordsLine> lines;
    char keyword[SENTEX_TEXT_SLOT], list[SENTEX_TEXT_SLOT], project[SENTEX_TEXT_SLOT],
        target[SENTEX_TEXT_SLOT];
    for (std::int32_t found = Prs_GetFirstAlias(keyword, list, project, target); found == 1;
         found = Prs_GetNextAlias(keyword, list, project, target))
        if (contact.Key() == target) lines.push_back({keyword, project, list, target});
    // Customised without a keyword of its own: the bare line keeps it so.
    if (lines.empty()) lines.push_back({"", "", "", contact.Key()});
    heldContactKeywords_[contact.Key()] = std::move(lines);
}

void TDataStore::ReturnHeldKeywords(TContact& contact) {
    const auto held = heldContactKeywords_.find(contact.Key());
    if (held == heldContactKeywords_.end()) return;
    contact.keywordsCustomized = true;
    for (const auto& line : held->second)
        if (!line.keyword.empty() && Prs_AddAlias(line.keyword.c_str(), line.list.c_str(),
                                                  line.project.c_str(), line.contact.c_str()) == 1)
            ++contact.keywordCount;
    heldContactKeywords_.erase(held);
}

bool TDataStore::StillStored(const std::string& key) const {
    if (!namespace_) return false;
    try {
        return namespace_->call("GetItemFromID", {key}).asObject() != nullptr;
    } catch (const AutomationError&) {
        return false;
    }
}

mapi::ULONG TDataStore::OnNotify(mapi::ULONG count, const mapi::NOTIFICATION* notifications) {
    try {
        for (mapi::ULONG i = 0; i < count; ++i) {
            if (notifications[i].ulEventType != mapi::fnevTableModified) continue;
            const mapi::TABLE_NOTIFICATION& table = notifications[i].tab;
            switch (table.ulTableEvent) {
                case mapi::TABLE_CHANGED:
                case mapi::TABLE_ROW_DELETED:
                case mapi::TABLE_RELOAD:
                    RefreshContacts();
                    TellContactChanged(nullptr, nullptr);
                    break;
                case mapi::TABLE_ROW_ADDED:
                    // A row that cannot be added ends the batch.
                    if (!OnContactAdded(table.row)) return 0;
                    break;
                case mapi::TABLE_ROW_MODIFIED:
                    if (!OnContactModified(table.row)) return 0;
                    break;
                default:
                    break;
            }
        }
    } catch (const std::bad_alloc&) {
        messages::ShowError(messages::kOutOfMemory);
    }
    return 0;
}

}  // namespace outlook
