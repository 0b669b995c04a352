#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "outlook/local/store/item_kind.h"
#include "outlook/local/transport/mail_setup.h"

namespace outlook::local {
class Store;
}

namespace outlook::local::transport {

// Why an item waits when the profile has no way to send mail.
inline constexpr const char* kNothingSetUp = "no way to send mail is set up";

enum class DeliveryState {
    Sent,         // the mail command took it; it is in Sent Items
    Waiting,      // still in the Outbox, and tried again later
    Interrupted,  // handed over once without an answer: kept, and not sent again by itself
};

// How one Outbox item fared.
struct Delivery {
    std::int64_t item = 0;
    ItemKind kind = ItemKind::Mail;
    std::string subject;
    DeliveryState state = DeliveryState::Waiting;
    std::string problem;     // why it is still in the Outbox
    std::string recipients;  // "Ann Lee <ann@example.org>, bob@example.org"
};

// Delivers the Outbox: each waiting item is put into MIME form, handed to the profile's
// mail command, and moved to Sent Items with the time it was sent. What cannot go stays in
// the Outbox with the reason kept on it.
//
// Nothing goes out twice. One sender at a time works on a store (a lock file beside it,
// held by the process, so a crash lets go of it). Before the hand-over the item is marked
// in the store, and the mark is taken off once the command has answered; a sender that
// finds a mark knows the hand-over was interrupted, so it reports the item and leaves it.
class OutboxSender {
public:
    OutboxSender(Store& store, MailSetup setup);

    // Tries every item in the Outbox, or only those in `only`. An interrupted item is sent
    // again only when it is `resend`. Waits while another sender holds the store.
    std::vector<Delivery> sendWaiting(const std::vector<std::int64_t>* only = nullptr,
                                      std::optional<std::int64_t> resend = std::nullopt);

    void setCommandTimeout(std::chrono::seconds timeout) { timeout_ = timeout; }
    // Runs after the command took a message and before the store hears of it: tests stop
    // the process there to see what a crash at that moment leaves.
    void setAfterHandOver(std::function<void()> hook) { afterHandOver_ = std::move(hook); }

private:
    Delivery sendOne(std::int64_t item, bool resend);

    Store& store_;
    MailSetup setup_;
    std::chrono::seconds timeout_{120};
    std::function<void()> afterHandOver_;
};

// The words of the box and of jotwise add for an item that did not go: "Not sent yet: ...".
std::string notSentText(const Delivery& delivery);
// "message", "meeting request", "task request".
std::string sentKindName(ItemKind kind);

}  // namespace outlook::local::transport
