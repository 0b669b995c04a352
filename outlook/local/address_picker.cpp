#include "outlook/local/address_picker.h"

#include <algorithm>
#include <array>

#include "platform/text.h"

namespace outlook::local {

using platform::trimmed;

using namespace mapi;

namespace {

// There are only three recipient types to put in wells.
constexpr std::size_t kMaxWells = 3;
constexpr std::array<ULONG, kMaxWells> kDefaultTypes = {MAPI_TO, MAPI_CC, MAPI_BCC};
constexpr std::array<const char*, kMaxWells> kDefaultTitles = {"To", "Cc", "Bcc"};

// The properties an address book row passes on to the address list. PR_INSTANCE_KEY is
// left out: it only names the row within one table.
constexpr std::array<PropTag, 6> kEntryTags = {PR_ENTRYID,       PR_DISPLAY_NAME, PR_ADDRTYPE,
                                               PR_EMAIL_ADDRESS, PR_OBJECT_TYPE,  PR_DISPLAY_TYPE};

std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string textOf(const PropValueArray& props, PropTag tag) {
    const SPropValue* value = FindProp(props, tag);
    const std::string* text = value ? value->asString8() : nullptr;
    return text ? *text : std::string();
}

// The name the user sees: the display name, or the address of an entry without one.
std::string shownName(const PropValueArray& props) {
    std::string name = textOf(props, PR_DISPLAY_NAME);
    return name.empty() ? textOf(props, PR_EMAIL_ADDRESS) : name;
}

std::string titleFor(ULONG type, std::size_t position) {
    for (std::size_t i = 0; i < kMaxWells; ++i)
        if (kDefaultTypes[i] == type) return kDefaultTitles[i];
    return kDefaultTitles[position];
}

// Sets PR_RECIPIENT_TYPE, replacing any value (or error) already there for that property.
void setRecipientType(PropValueArray& props, ULONG type) {
    const auto sameId = [](const SPropValue& value) {
        return PROP_ID(value.ulPropTag) == PROP_ID(PR_RECIPIENT_TYPE);
    };
    const SPropValue typeValue = SPropValue::integer(PR_RECIPIENT_TYPE, static_cast<int>(type));
    const auto first = std::find_if(props.begin(), props.end(), sameId);
    if (first == props.end()) {
        props.push_back(typeValue);
        return;
    }
    *first = typeValue;
    props.erase(std::remove_if(std::next(first), props.end(), sameId), props.end());
}

}  // namespace

AddressPicker::AddressPicker(const ADRPARM& parameters, const RowSet& entries,
                             const ADRLIST& chosen)
    : caption_(parameters.lpszCaption.empty() ? "Address Book" : parameters.lpszCaption),
      wellsTitle_(parameters.lpszDestWellsTitle) {
    entries_.reserve(entries.size());
    for (const Row& row : entries) {
        Entry entry;
        for (PropTag tag : kEntryTags)
            if (const SPropValue* value = FindProp(row, tag)) entry.props.push_back(*value);
        entry.name = shownName(entry.props);
        entry.lowerName = lower(entry.name);
        entry.lowerEmail = lower(textOf(entry.props, PR_EMAIL_ADDRESS));
        entries_.push_back(std::move(entry));
    }
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const Entry& a, const Entry& b) { return a.lowerName < b.lowerName; });
    setSearch({});

    const bool pickOne = parameters.cDestFields == 0 || (parameters.ulFlags & ADDRESS_ONE) != 0;
    if (pickOne) return;
    const std::size_t count = std::min<std::size_t>(parameters.cDestFields, kMaxWells);
    for (std::size_t i = 0; i < count; ++i) {
        Well well;
        well.type =
            i < parameters.lpulDestComps.size() ? parameters.lpulDestComps[i] : kDefaultTypes[i];
        const bool titled =
            i < parameters.lppszDestTitles.size() && !parameters.lppszDestTitles[i].empty();
        well.title = titled ? parameters.lppszDestTitles[i] : titleFor(well.type, i);
        wells_.push_back(std::move(well));
    }
    if (parameters.nDestFieldFocus < wells_.size()) focusWell_ = parameters.nDestFieldFocus;

    for (const ADRENTRY& previous : chosen) {
        const SPropValue* typeValue = FindProp(previous.rgPropVals, PR_RECIPIENT_TYPE);
        const std::int32_t* type = typeValue ? typeValue->asLong() : nullptr;
        Well* target = &wells_.front();
        if (type) {
            const auto match = std::find_if(wells_.begin(), wells_.end(), [&](const Well& well) {
                return static_cast<std::int64_t>(well.type) == *type;
            });
            target = match == wells_.end() ? nullptr : &*match;
        }
        if (target)
            target->entries.push_back(previous.rgPropVals);
        else
            keptAside_.push_back(previous);
    }
}

void AddressPicker::setSearch(std::string_view text) {
    search_ = std::string(text);
    const std::string needle = lower(trimmed(text));
    visible_.clear();
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const Entry& entry = entries_[i];
        if (entry.lowerName.find(needle) != std::string::npos ||
            entry.lowerEmail.find(needle) != std::string::npos)
            visible_.push_back(i);
    }
    if (selected_ && std::find(visible_.begin(), visible_.end(), *selected_) == visible_.end())
        selected_.reset();
}

std::vector<std::string> AddressPicker::visibleNames() const {
    std::vector<std::string> names;
    names.reserve(visible_.size());
    for (std::size_t index : visible_)
        names.push_back(entries_[index].name);
    return names;
}

const PropValueArray* AddressPicker::visibleEntry(std::size_t visibleIndex) const {
    return visibleIndex < visible_.size() ? &entries_[visible_[visibleIndex]].props : nullptr;
}

std::vector<std::string> AddressPicker::wellNames(std::size_t well) const {
    std::vector<std::string> names;
    for (const PropValueArray& props : wells_.at(well).entries)
        names.push_back(shownName(props));
    return names;
}

bool AddressPicker::addToWell(std::size_t well, std::size_t visibleIndex) {
    const PropValueArray* entry = visibleEntry(visibleIndex);
    if (well >= wells_.size() || !entry) return false;
    auto& contents = wells_[well].entries;
    if (const SPropValue* id = FindProp(*entry, PR_ENTRYID)) {
        const bool present = std::any_of(contents.begin(), contents.end(), [&](const auto& props) {
            const SPropValue* other = FindProp(props, PR_ENTRYID);
            return other && *other == *id;
        });
        if (present) return false;
    }
    contents.push_back(*entry);
    return true;
}

bool AddressPicker::removeFromWell(std::size_t well, std::size_t position) {
    if (well >= wells_.size() || position >= wells_[well].entries.size()) return false;
    auto& contents = wells_[well].entries;
    contents.erase(contents.begin() + static_cast<std::ptrdiff_t>(position));
    return true;
}

bool AddressPicker::select(std::size_t visibleIndex) {
    if (!singleSelection() || visibleIndex >= visible_.size()) return false;
    selected_ = visible_[visibleIndex];
    return true;
}

std::optional<std::size_t> AddressPicker::selectedIndex() const {
    if (!selected_) return std::nullopt;
    const auto it = std::find(visible_.begin(), visible_.end(), *selected_);
    if (it == visible_.end()) return std::nullopt;
    return static_cast<std::size_t>(it - visible_.begin());
}

bool AddressPicker::canConfirm() const {
    return !singleSelection() || selected_.has_value();
}

ADRLIST AddressPicker::confirm() const {
    ADRLIST list;
    if (singleSelection()) {
        if (selected_) list.push_back({entries_[*selected_].props});
        return list;
    }
    for (const Well& well : wells_) {
        for (const PropValueArray& props : well.entries) {
            list.push_back({props});
            setRecipientType(list.back().rgPropVals, well.type);
        }
    }
    list.insert(list.end(), keptAside_.begin(), keptAside_.end());
    return list;
}

}  // namespace outlook::local
