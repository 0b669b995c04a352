#include "outlook/local/desktop/desktop_address_book.h"

#include <algorithm>
#include <climits>
#include <mutex>
#include <type_traits>

#include "outlook/local/desktop/address_book_module.h"
#include "outlook/local/desktop/desktop_module.h"

namespace outlook::local::desktop {

struct AddressBookFunctions {
    JotwiseAddressBookNew make = nullptr;
    JotwiseAddressBookConnect connect = nullptr;
    JotwiseAddressBookRead read = nullptr;
    JotwiseAddressBookWait wait = nullptr;
    JotwiseAddressBookStop stop = nullptr;
    JotwiseAddressBookFree free = nullptr;
};

namespace {

// Nothing when the module or one of its functions is missing.
const AddressBookFunctions* functions(std::string& reason) {
    static AddressBookFunctions loaded;
    static bool complete = false;
    if (complete) return &loaded;
    const auto load = [&](auto& function, const char* name) {
        function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
            desktopModuleFunction(name, reason));
        return function != nullptr;
    };
    complete = load(loaded.make, JOTWISE_ADDRESS_BOOK_NEW) &&
               load(loaded.connect, JOTWISE_ADDRESS_BOOK_CONNECT) &&
               load(loaded.read, JOTWISE_ADDRESS_BOOK_READ) &&
               load(loaded.wait, JOTWISE_ADDRESS_BOOK_WAIT) &&
               load(loaded.stop, JOTWISE_ADDRESS_BOOK_STOP) &&
               load(loaded.free, JOTWISE_ADDRESS_BOOK_FREE);
    return complete ? &loaded : nullptr;
}

void appendText(void* context, const char* text) {
    static_cast<std::vector<std::string>*>(context)->emplace_back(text);
}

struct ReadSinks {
    std::vector<std::string> cards;
    std::string error;
};

}  // namespace

std::unique_ptr<DesktopAddressBook> DesktopAddressBook::create(std::string& reason) {
    static std::mutex mutex;
    std::lock_guard lock(mutex);
    const AddressBookFunctions* loaded = functions(reason);
    if (!loaded) return nullptr;
    return std::unique_ptr<DesktopAddressBook>(new DesktopAddressBook(*loaded, loaded->make()));
}

DesktopAddressBook::DesktopAddressBook(const AddressBookFunctions& functions,
                                       JotwiseAddressBook* book)
    : functions_(functions), book_(book) {}

DesktopAddressBook::~DesktopAddressBook() {
    functions_.free(book_);
}

bool DesktopAddressBook::connect(const std::string& sourceUid, std::string& error) {
    std::vector<std::string> errors;
    if (functions_.connect(book_, sourceUid.c_str(), appendText, &errors)) return true;
    error = errors.empty() ? "the address book cannot be opened" : errors.front();
    return false;
}

std::optional<std::vector<std::string>> DesktopAddressBook::read(std::string& error) {
    ReadSinks sinks;
    const int read = functions_.read(
        book_,
        [](void* context, const char* text) {
            static_cast<ReadSinks*>(context)->cards.emplace_back(text);
        },
        [](void* context, const char* text) { static_cast<ReadSinks*>(context)->error = text; },
        &sinks);
    if (read) return std::move(sinks.cards);
    error = sinks.error.empty() ? "the address book cannot be read" : sinks.error;
    return std::nullopt;
}

DesktopAddressBook::Wait DesktopAddressBook::wait(std::chrono::milliseconds timeout) {
    const auto ms = static_cast<int>(std::min<std::chrono::milliseconds::rep>(
        std::max<std::chrono::milliseconds::rep>(timeout.count(), 0), INT_MAX));
    switch (functions_.wait(book_, ms)) {
        case 1:
            return Wait::Changed;
        case -1:
            return Wait::Lost;
        default:
            return Wait::Quiet;
    }
}

void DesktopAddressBook::stop() {
    functions_.stop(book_);
}

}  // namespace outlook::local::desktop
