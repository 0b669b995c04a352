#include "outlook/local/transport/outbox_sender.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "outlook/local/store/file_time.h"
#include "outlook/local/store/store.h"
#include "outlook/local/store/store_tags.h"
#include "outlook/local/transport/mail_command.h"
#include "outlook/local/transport/mime_message.h"
#include "outlook/local/transport/outbox_properties.h"
#include "outlook/local/transport/outgoing_item.h"

namespace outlook::local::transport {

using namespace mapi;

namespace {

// Held while a sender works on the store; the system lets go of it when the process ends.
class OutboxLock {
public:
    explicit OutboxLock(const std::filesystem::path& database) {
        const std::string path = database.string() + ".outbox-lock";
        fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd_ >= 0)
            while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
            }
    }
    ~OutboxLock() {
        if (fd_ >= 0) ::close(fd_);
    }
    OutboxLock(const OutboxLock&) = delete;
    OutboxLock& operator=(const OutboxLock&) = delete;
    bool held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

std::string addressLine(const std::vector<RecipientRecord>& recipients) {
    std::string line;
    for (const RecipientRecord& r : recipients) {
        const std::string name = personalName(r);
        const std::string one = name.empty()        ? (r.address.empty() ? r.name : r.address)
                                : r.address.empty() ? name
                                                    : name + " <" + r.address + ">";
        line += (line.empty() ? "" : ", ") + one;
    }
    return line;
}

}  // namespace

std::string sentKindName(ItemKind kind) {
    switch (kind) {
        case ItemKind::MeetingRequest:
            return "meeting request";
        case ItemKind::TaskRequest:
            return "task request";
        default:
            return "message";
    }
}

std::string notSentText(const Delivery& delivery) {
    const std::string what = "The " + sentKindName(delivery.kind) + " waits in the Outbox";
    if (delivery.problem == kNothingSetUp)
        return "Not sent yet: " + delivery.problem + ". " + what +
               " and goes out once mail is set up; see Help, Sending mail.";
    if (delivery.state == DeliveryState::Interrupted)
        return "Not sent again: " + delivery.problem + ". " + what + "; see Help, Sending mail.";
    return "Not sent yet: " + delivery.problem + ". " + what +
           " and is tried again every 5 minutes; see Help, Sending mail.";
}

OutboxSender::OutboxSender(Store& store, MailSetup setup)
    : store_(store), setup_(std::move(setup)) {}

std::vector<Delivery> OutboxSender::sendWaiting(const std::vector<std::int64_t>* only,
                                                std::optional<std::int64_t> resend) {
    const OutboxLock lock(store_.path());
    std::vector<Delivery> deliveries;
    const std::int64_t outbox = store_.folder(FolderKind::Outbox).id;
    std::vector<std::int64_t> items =
        only ? *only : store_.itemIdsAfter(outbox, 0, std::numeric_limits<std::size_t>::max());
    for (const std::int64_t item : items) {
        // Another sender may have sent it, or the user moved it, while this one waited.
        if (store_.folderOfItem(item) != outbox) continue;
        deliveries.push_back(sendOne(item, resend == item));
    }
    return deliveries;
}

Delivery OutboxSender::sendOne(std::int64_t item, bool resend) {
    const OutboxTags tags = outboxTags(store_);
    std::optional<ItemRecord> record = store_.loadItem(item);
    Delivery delivery;
    delivery.item = item;
    if (!record) {
        delivery.problem = "it is no longer in the store";
        return delivery;
    }
    delivery.kind = itemKindFromMessageClass(record->props.string(PR_MESSAGE_CLASS));
    delivery.subject = record->props.string(PR_SUBJECT);
    delivery.recipients = addressLine(record->recipients);
    // Written only when it changed, so that retrying every few minutes leaves the item be.
    const auto keepProblem = [&](std::string problem) {
        delivery.problem = problem;
        if (record->props.has(tags.problem) && record->props.string(tags.problem) == problem &&
            !record->props.modified())
            return;
        record->props.setString(tags.problem, std::move(problem));
        store_.saveItem(*record);
    };

    if (record->props.has(tags.handedOver) && !resend) {
        delivery.state = DeliveryState::Interrupted;
        keepProblem(
            "it was handed to the mail command once without an answer and may have "
            "gone out, so it is not sent again by itself (jotwise-store send-outbox "
            "--resend " +
            HexFromBin(store_.itemEntryId(item)) + " sends it)");
        return delivery;
    }
    if (setup_.command.empty()) {
        keepProblem(kNothingSetUp);
        return delivery;
    }
    std::string problem;
    std::optional<OutgoingMessage> message;
    std::string text;
    try {
        message = outgoingMessage(store_, *record, setup_, problem);
        if (message) text = mimeMessageText(*message);
    } catch (const std::exception& e) {
        message.reset();
        problem = std::string("it cannot be put into a message: ") + e.what();
    }
    if (!message) {
        keepProblem(problem);
        return delivery;
    }

    // The mark goes in before the hand-over, with the Message-ID, so that a message handed
    // over again (on request) is one the recipient's programs can recognise.
    record->props.set({tags.handedOver, currentFileTime()});
    record->props.setString(tags::PR_INTERNET_MESSAGE_ID, message->messageId);
    record->props.erase(tags.problem);
    store_.saveItem(*record);

    const CommandOutcome outcome = runMailCommand(setup_.command, text, timeout_);
    if (afterHandOver_) afterHandOver_();
    if (outcome.delivered) {
        record->folder = store_.folder(FolderKind::SentItems).id;
        record->props.set({tags::PR_CLIENT_SUBMIT_TIME, currentFileTime()});
        record->props.erase(tags.handedOver);
        store_.saveItem(*record);
        delivery.state = DeliveryState::Sent;
        return delivery;
    }
    if (outcome.uncertain) {
        delivery.state = DeliveryState::Interrupted;
        keepProblem(outcome.problem +
                    "; it may have gone out, so it is not sent again by itself "
                    "(jotwise-store send-outbox --resend " +
                    HexFromBin(store_.itemEntryId(item)) + " sends it)");
        return delivery;
    }
    record->props.erase(tags.handedOver);
    keepProblem(outcome.problem);
    return delivery;
}

}  // namespace outlook::local::transport
