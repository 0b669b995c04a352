#include "outlook/local/desktop/desktop_contacts.h"

#include "outlook/local/desktop/desktop_address_book.h"

namespace outlook::local::desktop {

DesktopContacts::DesktopContacts(std::shared_ptr<Store> store, Options options)
    : store_(std::move(store)), options_(std::move(options)), thread_([this] { work(); }) {}

DesktopContacts::~DesktopContacts() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        if (book_) book_->stop();
    }
    wake_.notify_all();
    thread_.join();
}

bool DesktopContacts::bringIn(DesktopAddressBook& book, std::string& error) {
    const auto cards = book.read(error);
    if (!cards) return false;
    try {
        const ContactSyncCounts counts = syncDesktopContacts(store_, *cards);
        if (options_.synced) options_.synced(counts);
        return true;
    } catch (const std::exception& e) {
        // The store busy past its timeout or full: the next comparison tries again.
        error = std::string("its contacts cannot be written to Contacts: ") + e.what();
        return false;
    }
}

void DesktopContacts::work() {
    const auto tell = [this](const std::string& problem) {
        if (options_.problem) options_.problem(problem);
    };
    std::string reason;
    const auto book = DesktopAddressBook::create(reason);
    if (!book) {
        tell(reason);
        return;
    }
    {
        std::lock_guard lock(mutex_);
        if (stopping_) return;
        book_ = book.get();
    }
    bool told = false;
    for (;;) {
        std::string error;
        if (book->connect(options_.sourceUid, error) && bringIn(*book, error)) {
            told = false;
            for (;;) {
                const auto wait = book->wait(options_.recheck);
                if (wait == DesktopAddressBook::Wait::Lost) {
                    error = "the address book's service ended";
                    break;
                }
                {
                    std::lock_guard lock(mutex_);
                    if (stopping_) break;
                }
                if (!bringIn(*book, error)) break;
            }
        }
        std::unique_lock lock(mutex_);
        if (stopping_) break;
        if (!told && !error.empty()) {
            told = true;
            lock.unlock();
            tell(error);
            lock.lock();
        }
        wake_.wait_for(lock, options_.retry, [this] { return stopping_; });
        if (stopping_) break;
    }
    std::lock_guard lock(mutex_);
    book_ = nullptr;
}

}  // namespace outlook::local::desktop
