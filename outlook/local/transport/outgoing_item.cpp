#include "outlook/local/transport/outgoing_item.h"

#include <fstream>
#include <iterator>
#include <random>

#include "outlook/local/mirror/calendar_writer.h"
#include "outlook/local/mirror/mirror_names.h"
#include "outlook/local/mirror/vcard_writer.h"
#include "outlook/local/store/item_kind.h"
#include "outlook/local/store/property_codec.h"
#include "outlook/local/store/store.h"
#include "outlook/local/store/store_tags.h"
#include "outlook/local/transport/invitation.h"
#include "outlook/local/transport/outbox_properties.h"

namespace outlook::local::transport {

using namespace mapi;

namespace {

// A larger file is refused rather than read whole into a message nobody's server takes.
constexpr std::uintmax_t kMostAttachedFile = 64u << 20;

std::optional<std::string> fileBytes(const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error || size > kMostAttachedFile) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) return std::nullopt;
    return bytes;
}

std::string randomHex(int digits) {
    std::random_device random;
    static const char kHex[] = "0123456789abcdef";
    std::string text;
    for (int i = 0; i < digits; ++i)
        text += kHex[random() % 16];
    return text;
}

// A copy of an item goes in the form other programs read: a contact as a vCard, an
// appointment or task as iCalendar. Other items are left out.
bool embeddedItemPart(Store& store, const Binary& data, OutgoingAttachment& part) {
    std::optional<PropertyBag> props = decodePropertyBag(data);
    if (!props) return false;
    ItemRecord item;
    item.props = std::move(*props);
    const std::string name = part.fileName.empty() ? "item" : part.fileName;
    if (itemKindFromMessageClass(item.props.string(PR_MESSAGE_CLASS)) == ItemKind::Contact) {
        part.bytes = mirror::vCardOf(item, store.known(), randomHex(24) + "@jotwise");
        part.fileName = name + ".vcf";
        part.mimeType = "text/vcard";
        return true;
    }
    part.bytes = mirror::calendarOf(store, item);
    part.fileName = name + ".ics";
    part.mimeType = "text/calendar";
    return !part.bytes.empty();
}

bool addAttachments(Store& store, const ItemRecord& item, OutgoingMessage& message,
                    std::string& problem) {
    for (const AttachmentRecord& attachment : item.attachments) {
        OutgoingAttachment part;
        part.fileName = attachment.fileName.empty() ? attachment.displayName : attachment.fileName;
        if (attachment.method == olByReference) {
            // A link to another item of this store means nothing to the recipient.
            if (attachment.path.empty() || attachment.path.front() != '/') continue;
            const auto bytes = fileBytes(attachment.path);
            if (!bytes) {
                problem = "the attached file " + attachment.path + " cannot be read";
                return false;
            }
            part.bytes = *bytes;
            if (part.fileName.empty())
                part.fileName = std::filesystem::path(attachment.path).filename().string();
        } else {
            const Binary data = attachment.data ? *attachment.data
                                : attachment.id ? store.attachmentData(attachment.id)
                                                : Binary();
            if (attachment.method == olEmbeddedItem) {
                if (!embeddedItemPart(store, data, part)) continue;
            } else {
                part.bytes.assign(data.begin(), data.end());
            }
        }
        if (part.fileName.empty()) part.fileName = "attachment";
        message.attachments.push_back(std::move(part));
    }
    return true;
}

}  // namespace

std::string personalName(const RecipientRecord& recipient) {
    std::string name = recipient.displayName.empty() ? recipient.name : recipient.displayName;
    constexpr std::string_view kSuffix = " (E-mail)";
    if (name.ends_with(kSuffix)) name.resize(name.size() - kSuffix.size());
    return name == recipient.address ? std::string() : name;
}

std::string newMessageId(const std::optional<MailAddress>& from) {
    const std::string id = "<" + randomHex(24);
    std::string domain = "jotwise.localhost";
    if (from) {
        const std::size_t at = from->address.rfind('@');
        if (at != std::string::npos) domain = from->address.substr(at + 1);
    }
    return id + "@" + domain + ">";
}

std::optional<OutgoingMessage> outgoingMessage(Store& store, const ItemRecord& item,
                                               const MailSetup& setup, std::string& problem) {
    OutgoingMessage message;
    message.from = setup.from;
    for (const RecipientRecord& recipient : item.recipients) {
        if (recipient.address.empty()) {
            problem = "the recipient \u201C" + recipient.name + "\u201D has no e-mail address";
            return std::nullopt;
        }
        MailAddress address{personalName(recipient), recipient.address};
        (recipient.type == MAPI_CC ? message.cc : message.to).push_back(std::move(address));
    }
    if (message.to.empty() && message.cc.empty()) {
        problem = "it has no recipients";
        return std::nullopt;
    }
    message.subject = item.props.string(PR_SUBJECT);
    message.body = item.props.string(PR_BODY);
    message.date = std::chrono::system_clock::now();
    message.messageId = item.props.string(tags::PR_INTERNET_MESSAGE_ID);
    if (message.messageId.empty()) message.messageId = newMessageId(setup.from);
    if (!addAttachments(store, item, message, problem)) return std::nullopt;

    const ItemKind kind = itemKindFromMessageClass(item.props.string(PR_MESSAGE_CLASS));
    if (kind == ItemKind::MeetingRequest || kind == ItemKind::TaskRequest) {
        if (!setup.from) {
            problem = "no sender address is set up, and an invitation names its sender";
            return std::nullopt;
        }
        std::string uid = item.props.string(outboxTags(store).calendarUid);
        if (uid.empty()) uid = mirror::uidOf(store.itemEntryId(item.id));
        message.calendar = requestCalendar(store, item, uid, *setup.from);
    }
    return message;
}

}  // namespace outlook::local::transport
