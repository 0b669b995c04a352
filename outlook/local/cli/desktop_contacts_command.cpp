#include "outlook/local/cli/desktop_contacts_command.h"

#include "outlook/local/desktop/desktop_address_book.h"
#include "outlook/local/desktop/desktop_contacts_sync.h"
#include "outlook/local/desktop/desktop_setting.h"

namespace outlook::local {

int syncDesktopContactsOnce(const std::shared_ptr<Store>& store, platform::Registry* registry,
                            std::ostream& out, std::ostream& err) {
    const std::string source =
        registry ? desktop::readDesktopSetting(*registry).addressBook : std::string();
    std::string error;
    const auto book = desktop::DesktopAddressBook::create(error);
    std::optional<std::vector<std::string>> cards;
    if (book && book->connect(source, error)) cards = book->read(error);
    if (!cards) {
        err << "jotwise-store: the desktop's address book cannot be read: " << error << "\n";
        return 1;
    }
    const auto counts = desktop::syncDesktopContacts(store, *cards);
    if (counts.unusable > 0)
        err << "jotwise-store: " << counts.unusable << " of the address book's contacts "
            << (counts.unusable == 1 ? "has" : "have") << " no UID and stayed out\n";
    out << counts.added << " added, " << counts.updated << " updated, " << counts.removed
        << " removed\n";
    return 0;
}

}  // namespace outlook::local
