#include <unordered_map>

#include "outlook/items/contact.h"
#include "outlook/object_model.h"
#include "outlook/session/contact_cache.h"
#include "outlook/session/contact_listener.h"
#include "outlook/session/contact_row.h"
#include "outlook/session/data_store.h"
#include "outlook/session/progress_box.h"
#include "sentex.h"

namespace outlook {

const mapi::PropTagArray TDataStore::kContactColumns = {mapi::PR_ENTRYID, mapi::PR_GIVEN_NAME,
                                                        mapi::PR_SURNAME, mapi::PR_COMPANY_NAME,
                                                        mapi::PR_ORIGINAL_ENTRYID};

namespace {

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

// The folder's identity and change time; nothing when the store does not tell its change
// time, and then nothing can be kept.
std::optional<ContactsVersion> versionOf(mapi::IMAPIFolder& folder) {
    const mapi::PropTagArray tags = {mapi::PR_STORE_ENTRYID, mapi::PR_ENTRYID,
                                     mapi::PR_LOCAL_COMMIT_TIME_MAX};
    mapi::PropValueArray values;
    if (mapi::Failed(folder.GetProps(&tags, 0, values)) || values.size() != tags.size())
        return std::nullopt;
    const mapi::Binary* store = values[0].asBinary();
    const mapi::Binary* entryId = values[1].asBinary();
    const mapi::FileTime* changed = values[2].asFileTime();
    if (!store || !entryId || !changed) return std::nullopt;
    return ContactsVersion{*store, *entryId, changed->ticks};
}

}  // namespace

MessageId TDataStore::LoadContacts(TProgressBox& progress) {
    FolderTableParts parts;
    std::vector<ContactRow> rows;
    if (mapi::Failed(OpenFolderTable(olFolderContacts, parts)) ||
        mapi::Failed(ReadContactRows(parts, rows)))
        return messages::kContactsCommFailure;
    for (const auto& contact : rows) {
        if (!contact.names.fileAs.empty()) {
            Prs_AddContact(contact.key.c_str());
            contacts_[contact.key] = contact.makeContact();
        }
        progress.StepIt();
    }
    return messages::kNoError;
}

mapi::HRESULT TDataStore::ReadContactRows(FolderTableParts& parts, std::vector<ContactRow>& rows) {
    // Taken before the rows: a change made while they are read gives the folder a later time,
    // so the rows are kept under a time that is already out of date, never the other way.
    const std::optional<ContactsVersion> version =
        contactCacheFile_ ? versionOf(*parts.folder) : std::nullopt;
    if (version) {
        if (auto cached = ReadContactCache(*contactCacheFile_, *version)) {
            rows = std::move(*cached);
            return mapi::S_OK;
        }
    }
    mapi::RowSet table;
    const mapi::HRESULT result =
        mapi::HrQueryAllRows(parts.table.get(), &kContactColumns, 0, table);
    if (mapi::Failed(result)) return result;
    rows.reserve(table.size());
    for (const auto& row : table)
        rows.emplace_back(row);
    if (version) WriteContactCache(*contactCacheFile_, *version, rows);
    return mapi::S_OK;
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
