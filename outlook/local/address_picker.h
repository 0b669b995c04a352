#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "outlook/mapi.h"

namespace outlook::local {

// What the address book dialog does, without a window: the entries the user can see, the
// wells (To, Cc, ...) the user fills, and the address list that results.
//
// In wells mode the user moves entries into wells; confirming lists each well's entries
// with the well's recipient type. In single-selection mode (no wells asked for, or
// ADDRESS_ONE) the user picks one entry and confirming lists just that entry.
//
// Entries are addressed by their position among the visible (sorted, filtered) entries;
// well contents by their position in the well.
class AddressPicker {
public:
    // `entries` are address book rows (PR_ENTRYID, PR_DISPLAY_NAME, PR_EMAIL_ADDRESS, ...);
    // `chosen` is the list chosen so far, which fills the wells.
    AddressPicker(const mapi::ADRPARM& parameters, const mapi::RowSet& entries,
                  const mapi::ADRLIST& chosen);

    const std::string& caption() const { return caption_; }
    // The heading over the wells; may be empty.
    const std::string& wellsTitle() const { return wellsTitle_; }
    bool singleSelection() const { return wells_.empty(); }

    // --- The address book entries ---
    void setSearch(std::string_view text);
    const std::string& search() const { return search_; }
    std::size_t visibleCount() const { return visible_.size(); }
    // The names shown for the visible entries, in order.
    std::vector<std::string> visibleNames() const;
    // The properties of a visible entry; nullptr when out of range.
    const mapi::PropValueArray* visibleEntry(std::size_t visibleIndex) const;

    // --- Wells (none in single-selection mode) ---
    std::size_t wellCount() const { return wells_.size(); }
    const std::string& wellTitle(std::size_t well) const { return wells_.at(well).title; }
    mapi::ULONG wellType(std::size_t well) const { return wells_.at(well).type; }
    // The well an entry goes to when the user just activates it.
    std::size_t focusWell() const { return focusWell_; }
    std::vector<std::string> wellNames(std::size_t well) const;
    // False when either index is out of range or the well already holds the entry.
    bool addToWell(std::size_t well, std::size_t visibleIndex);
    bool removeFromWell(std::size_t well, std::size_t position);

    // --- Single selection ---
    // False (and nothing changes) when out of range or in wells mode.
    bool select(std::size_t visibleIndex);
    void clearSelection() { selected_.reset(); }
    // The selected entry's visible position. A search that hides the selected entry
    // clears the selection, so that OK never confirms an entry the user cannot see.
    std::optional<std::size_t> selectedIndex() const;

    bool canConfirm() const;
    // The resulting address list; call only when canConfirm().
    mapi::ADRLIST confirm() const;

private:
    struct Entry {
        mapi::PropValueArray props;
        std::string name;
        std::string lowerName;
        std::string lowerEmail;
    };
    struct Well {
        std::string title;
        mapi::ULONG type = mapi::MAPI_TO;
        std::vector<mapi::PropValueArray> entries;
    };

    std::string caption_;
    std::string wellsTitle_;
    std::vector<Entry> entries_;
    std::vector<std::size_t> visible_;  // indexes into entries_
    std::string search_;
    std::vector<Well> wells_;
    std::size_t focusWell_ = 0;
    // Previous entries of a recipient type no well has, returned as they came.
    mapi::ADRLIST keptAside_;
    std::optional<std::size_t> selected_;  // index into entries_
};

}  // namespace outlook::local
