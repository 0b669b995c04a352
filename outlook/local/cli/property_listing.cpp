#include "outlook/local/cli/property_listing.h"

#include <ctime>

#include "outlook/local/store/item_kind.h"
#include "outlook/local/store/property_value.h"
#include "outlook/local/store/recurrence_property.h"
#include "outlook/local/store/store.h"
#include "outlook/local/store/store_tags.h"
#include "outlook/recurrence/recurrence_words.h"

namespace outlook::local {

using namespace mapi;

namespace {

const char* fixedTagName(PropTag tag) {
    static const std::pair<ULONG, const char*> kNames[] = {
        {PROP_ID(PR_MESSAGE_CLASS), "PR_MESSAGE_CLASS"},
        {PROP_ID(PR_SUBJECT), "PR_SUBJECT"},
        {PROP_ID(PR_BODY), "PR_BODY"},
        {PROP_ID(PR_DISPLAY_NAME), "PR_DISPLAY_NAME"},
        {PROP_ID(PR_ADDRTYPE), "PR_ADDRTYPE"},
        {PROP_ID(PR_EMAIL_ADDRESS), "PR_EMAIL_ADDRESS"},
        {PROP_ID(PR_COMMENT), "PR_COMMENT"},
        {PROP_ID(PR_CREATION_TIME), "PR_CREATION_TIME"},
        {PROP_ID(PR_LAST_MODIFICATION_TIME), "PR_LAST_MODIFICATION_TIME"},
        {PROP_ID(PR_GIVEN_NAME), "PR_GIVEN_NAME"},
        {PROP_ID(PR_BUSINESS_TELEPHONE_NUMBER), "PR_BUSINESS_TELEPHONE_NUMBER"},
        {PROP_ID(PR_SURNAME), "PR_SURNAME"},
        {PROP_ID(PR_ORIGINAL_ENTRYID), "PR_ORIGINAL_ENTRYID"},
        {PROP_ID(PR_COMPANY_NAME), "PR_COMPANY_NAME"},
        {PROP_ID(PR_TITLE), "PR_TITLE"},
        {PROP_ID(PR_COUNTRY), "PR_COUNTRY"},
        {PROP_ID(PR_LOCALITY), "PR_LOCALITY"},
        {PROP_ID(PR_STATE_OR_PROVINCE), "PR_STATE_OR_PROVINCE"},
        {PROP_ID(PR_STREET_ADDRESS), "PR_STREET_ADDRESS"},
        {PROP_ID(PR_POSTAL_CODE), "PR_POSTAL_CODE"},
        {PROP_ID(PR_POST_OFFICE_BOX), "PR_POST_OFFICE_BOX"},
        {PROP_ID(tags::PR_RESPONSE_REQUESTED), "PR_RESPONSE_REQUESTED"},
        {PROP_ID(tags::PR_IMPORTANCE), "PR_IMPORTANCE"},
    };
    for (const auto& [id, name] : kNames)
        if (id == PROP_ID(tag)) return name;
    return nullptr;
}

std::string nameOf(Store& store, PropTag tag) {
    const ULONG id = PROP_ID(tag);
    if (id < 0x8000) {
        const char* name = fixedTagName(tag);
        return name ? name : "";
    }
    const MAPINAMEID* name = store.names().nameOf(id);
    if (!name) return "(unnamed)";
    char number[16];
    std::snprintf(number, sizeof number, "0x%04X", static_cast<unsigned>(name->lID));
    std::string text = formatGuid(name->guid) + ":" +
                       (name->ulKind == MNID_STRING ? "'" + name->name + "'" : std::string(number));
    for (std::size_t i = 0; i < kKnownCount; ++i) {
        if (store.known()[static_cast<Known>(i)] == tag ||
            PROP_ID(store.known()[static_cast<Known>(i)]) == id) {
            text += " (" + std::string(knownName(static_cast<Known>(i)).label) + ")";
            break;
        }
    }
    return text;
}

void listProps(Store& store, const PropValueArray& values, std::ostream& out) {
    for (const auto& value : values) {
        out << formatPropTag(value.ulPropTag) << "  " << propTypeName(PROP_TYPE(value.ulPropTag));
        const std::string name = nameOf(store, value.ulPropTag);
        if (!name.empty()) out << "  " << name;
        out << "  " << formatPropValue(value) << '\n';
    }
}

std::string localTime(FileTime time) {
    const std::time_t seconds =
        static_cast<std::time_t>((time.ticks - 116'444'736'000'000'000) / 10'000'000);
    std::tm fields{};
    localtime_r(&seconds, &fields);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &fields);
    return text;
}

}  // namespace

std::string itemSummary(Store& store, const PropertyBag& props) {
    const std::string messageClass = props.string(PR_MESSAGE_CLASS);
    const ItemKind kind = itemKindFromMessageClass(messageClass);
    const KnownTags& known = store.known();
    std::string title = props.string(PR_SUBJECT), detail;
    switch (kind) {
        case ItemKind::Contact:
            title = props.string(PR_DISPLAY_NAME);
            if (title.empty()) title = props.string(known[Known::FileAs]);
            detail = props.string(known[Known::Email1Address]);
            break;
        case ItemKind::Note:
            title = props.string(PR_SUBJECT);
            break;
        case ItemKind::Appointment:
        case ItemKind::MeetingRequest:
        case ItemKind::Journal:
            if (const auto start = props.time(known[Known::Start])) detail = localTime(*start);
            break;
        case ItemKind::Task:
        case ItemKind::TaskRequest:
            if (const auto due = props.time(known[Known::DueDate])) detail = localTime(*due);
            break;
        default:
            break;
    }
    for (char& c : title)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    std::string line = messageClass + '\t' + title;
    if (!detail.empty()) line += '\t' + detail;
    return line;
}

void listItem(Store& store, const ItemRecord& item, std::ostream& out) {
    const FolderRecord* folder = store.folderById(item.folder);
    out << "Entry id: " << HexFromBin(store.itemEntryId(item.id)) << '\n'
        << "Folder: " << (folder ? folder->name : "?") << '\n';
    listProps(store, item.props.all(), out);
    if (const auto pattern = storedRecurrence(store, item.props))
        out << "Repeats: " << DescribeRecurrence(*pattern) << '\n';
    for (const auto& r : item.recipients) {
        static const char* kTypes[] = {"From", "To", "Cc", "Bcc"};
        out << "Recipient: " << (r.type >= 0 && r.type <= 3 ? kTypes[r.type] : "?") << ' '
            << (r.resolved ? r.displayName : r.name);
        if (!r.address.empty()) out << " <" << r.address << '>';
        out << (r.resolved ? "" : " (unresolved)") << '\n';
    }
    for (const auto& a : item.attachments) {
        out << "Attachment: " << a.displayName << " ("
            << (a.method == olByReference ? "by reference to " + a.path
                                          : std::to_string(a.size) + " bytes")
            << ")\n";
    }
}

void listAddressEntry(Store& store, const AddressEntry& entry, std::ostream& out) {
    out << "Entry id: " << HexFromBin(entry.entryId) << '\n'
        << "Address book entry: "
        << (entry.kind == EntryKind::DistList ? "distribution list" : "mail user") << '\n';
    listProps(store, entry.props.all(), out);
    if (entry.kind != EntryKind::DistList) return;
    for (const auto& member : store.addressBook().members(entry.row)) {
        const auto resolved = store.addressBook().load(member);
        out << "Member: " << HexFromBin(member) << ' '
            << (resolved ? resolved->props.string(PR_DISPLAY_NAME) : "(gone)") << '\n';
    }
}

}  // namespace outlook::local
