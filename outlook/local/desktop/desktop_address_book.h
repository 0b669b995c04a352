#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct JotwiseAddressBook;

namespace outlook::local::desktop {

struct AddressBookFunctions;

// The desktop's address book (Evolution Data Server), reached through the desktop module.
// It belongs to the thread that made it; only stop() may be called from another.
class DesktopAddressBook {
public:
    enum class Wait { Changed, Quiet, Lost };

    // nullptr with the reason when the module cannot be loaded.
    static std::unique_ptr<DesktopAddressBook> create(std::string& reason);
    ~DesktopAddressBook();
    DesktopAddressBook(const DesktopAddressBook&) = delete;
    DesktopAddressBook& operator=(const DesktopAddressBook&) = delete;

    // The book with this source UID, or the desktop's default one when it is empty.
    bool connect(const std::string& sourceUid, std::string& error);
    // Every contact as vCard text; nothing with the reason when the book cannot be read.
    std::optional<std::vector<std::string>> read(std::string& error);
    Wait wait(std::chrono::milliseconds timeout);
    void stop();

private:
    DesktopAddressBook(const AddressBookFunctions& functions, JotwiseAddressBook* book);

    const AddressBookFunctions& functions_;
    JotwiseAddressBook* book_;
};

}  // namespace outlook::local::desktop
