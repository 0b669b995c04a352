#include "outlook/local/cli/mail_commands.h"

#include "outlook/local/store/store.h"
#include "outlook/local/transport/outbox_sender.h"

namespace outlook::local {

using namespace transport;

int sendOutbox(Store& store, platform::Registry& registry, std::optional<std::int64_t> resend,
               std::ostream& out) {
    OutboxSender sender(store, readMailSetup(registry));
    bool waiting = false;
    for (const Delivery& delivery : sender.sendWaiting(nullptr, resend)) {
        const std::string what =
            "\u201C" + delivery.subject + "\u201D (" + sentKindName(delivery.kind) + ")";
        switch (delivery.state) {
            case DeliveryState::Sent:
                out << "sent: " << what << " to " << delivery.recipients << "\n";
                break;
            case DeliveryState::Waiting:
                out << "waiting: " << what << ": " << delivery.problem << "\n";
                waiting = true;
                break;
            case DeliveryState::Interrupted:
                out << "not sent again: " << what << ": " << delivery.problem << "\n";
                waiting = true;
                break;
        }
    }
    return waiting ? 4 : 0;
}

void printMailSetup(platform::Registry& registry, std::ostream& out) {
    const MailSetup setup = readMailSetup(registry);
    if (setup.command.empty())
        out << "Send command: none; " << kNothingSetUp << " (see 'mail --command')\n";
    else
        out << "Send command: " << setup.command
            << (setup.commandFromSetting ? "" : " (found on this system)") << "\n";
    if (setup.from)
        out << "From: " << (setup.from->name.empty() ? "" : setup.from->name + " <")
            << setup.from->address << (setup.from->name.empty() ? "" : ">") << "\n";
    else if (!setup.fromSetting.empty())
        out << "From: '" << setup.fromSetting << "' holds no usable address\n";
    else
        out << "From: not set; the send command supplies the sender, and invitations wait "
               "until it is set (see 'mail --from')\n";
}

}  // namespace outlook::local
