#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "outlook/local/store/property_bag.h"
#include "outlook/object_model.h"

namespace outlook::local {

struct RecipientRecord {
    std::string name;  // as the user gave it
    std::int32_t type = mapi::MAPI_TO;
    std::string address;      // the e-mail address once resolved
    std::string displayName;  // the address book's name once resolved
    bool resolved = false;
    mapi::EntryId entry;  // the address book entry it resolved to, if any
};

struct AttachmentRecord {
    std::int64_t id = 0;              // 0 until saved
    std::int32_t method = olByValue;  // an OlAttachmentType
    std::string displayName;
    std::string fileName;
    std::string path;  // the source file, or the referenced item's entry id (hex)
    std::int64_t size = 0;
    // The content: present for new attachments, loaded on demand for saved ones.
    std::optional<mapi::Binary> data;
};

// One item as the store keeps it. id 0 means never saved.
struct ItemRecord {
    std::int64_t id = 0;
    std::int64_t folder = 0;
    PropertyBag props;
    std::vector<RecipientRecord> recipients;
    std::vector<AttachmentRecord> attachments;
    bool recipientsChanged = false;
    bool attachmentsChanged = false;
};

}  // namespace outlook::local
