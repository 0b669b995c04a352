#include "shell/cli/local_quick_add.h"

#include <iostream>

#include "outlook/local/local_outlook.h"
#include "outlook/local/transport/outbox_sender.h"
#include "outlook/session/contact_cache.h"
#include "platform/file_registry.h"
#include "platform/unattended_event_loop.h"
#include "shell/quick_add.h"

namespace shell::cli {

namespace {

using namespace outlook::local;

// Delivers what the note queued, now: the command waits for the answer, so that it can say
// whether the message went out.
std::optional<QuickAddDelivery> deliverQueued(LocalOutlook& outlook, platform::Registry& registry,
                                              const std::vector<std::int64_t>& queued) {
    if (queued.empty()) return std::nullopt;
    const auto store = outlook.store();
    if (!store) return std::nullopt;
    transport::OutboxSender sender(*store, transport::readMailSetup(registry));
    const std::vector<transport::Delivery> deliveries = sender.sendWaiting(&queued);
    if (deliveries.empty()) return std::nullopt;
    QuickAddDelivery outcome;
    outcome.sent = true;
    for (const transport::Delivery& delivery : deliveries) {
        if (delivery.state != transport::DeliveryState::Sent) {
            return QuickAddDelivery{false, delivery.problem, transport::notSentText(delivery)};
        }
        outcome.text += (outcome.text.empty() ? "" : ", ") + delivery.recipients;
    }
    return outcome;
}

}  // namespace

int RunQuickAddOnLocalStore(const std::vector<std::string>& args) {
    // A command line that cannot be used leaves everything as it was: no store, no settings.
    const std::optional<QuickAddOptions> options = ParseQuickAdd(args, std::cerr);
    if (!options) return kQuickAddRefused;
    const auto registry = platform::openUserRegistry();
    // One command and then the end: table notifications have nobody to reach.
    platform::UnattendedEventLoop loop;
    std::string error;
    const auto outlook =
        LocalOutlook::open(LocalOutlook::defaultDatabasePath(), *registry, loop, &error);
    if (!outlook) {
        std::cerr << "jotwise add: " << error << "\n";
        return kQuickAddFailed;
    }
    std::vector<std::int64_t> queued;
    outlook->outbox().setListener([&queued](std::int64_t item) { queued.push_back(item); });
    QuickAddPlatform platform{{outlook->automation(), outlook->mapi(), *registry}, std::nullopt};
    platform.contactCacheFile = outlook::DefaultContactCacheFile();
    platform.deliver = [&] { return deliverQueued(*outlook, *registry, queued); };
    return RunQuickAdd(*options, platform, std::cout, std::cerr);
}

}  // namespace shell::cli
