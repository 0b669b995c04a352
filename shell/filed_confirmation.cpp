#include "shell/filed_confirmation.h"

#include "messages/messages.h"
#include "shell/filed_summary.h"

namespace shell {
namespace {

constexpr const char* kUndo = "undo";

}  // namespace

TFiledConfirmation::TFiledConfirmation(Services services, Reopen reopen)
    : services_(services),
      reopen_(std::move(reopen)),
      self_(std::make_shared<TFiledConfirmation*>(this)) {}

void TFiledConfirmation::Filed(const notes::FiledNote& filed) {
    if (!services_.settings.FiledConfirmationOn()) return;
    const FiledText text = DescribeFiled(filed, services_.clock.today());
    ActionNotification notification;
    notification.summary = text.summary;
    notification.body = text.body;
    notification.category = "x-jotwise.filed";
    notification.transient = true;
    if (services_.notifier.ShowsActions()) {
        if (!filed.sent && !filed.entryId.empty()) notification.actions.push_back({kUndo, "Undo"});
        if (!filed.entryId.empty())
            notification.actions.push_back({ActionNotification::kDefaultAction, "Open"});
    }
    std::weak_ptr<TFiledConfirmation*> self = self_;
    services_.notifier.Show(notification, [self, filed](const std::string& action) {
        if (const auto confirmation = self.lock()) (*confirmation)->answered(filed, action);
    });
}

void TFiledConfirmation::answered(const notes::FiledNote& filed, const std::string& action) {
    if (action == kUndo)
        Undo(filed);
    else if (action == ActionNotification::kDefaultAction)
        Open(filed.entryId);
}

outlook::DispatchPtr TFiledConfirmation::item(const std::string& entryId) {
    return services_.store.MapiNamespace()->call("GetItemFromID", {entryId}).asObject();
}

bool TFiledConfirmation::Undo(const notes::FiledNote& filed) {
    try {
        item(filed.entryId)->call("Delete");
    } catch (const outlook::AutomationError& error) {
        services_.boxes.show(
            messages::LoadMessage(messages::kCaption),
            std::string("The note's item could not be taken back: ") + error.what(),
            platform::MessageIcon::Warning, platform::MessageButtons::Ok);
        return false;
    }
    // The journal entry only records the filing; one already gone does not stop the Undo.
    if (!filed.journalEntryId.empty()) {
        try {
            item(filed.journalEntryId)->call("Delete");
        } catch (const outlook::AutomationError&) {
        }
    }
    if (reopen_) reopen_(filed.snapshot);
    return true;
}

void TFiledConfirmation::Open(const std::string& entryId) {
    try {
        item(entryId)->call("Display");
    } catch (const outlook::AutomationError& error) {
        services_.boxes.show(messages::LoadMessage(messages::kCaption),
                             std::string("The item could not be opened: ") + error.what(),
                             platform::MessageIcon::Warning, platform::MessageButtons::Ok);
    }
}

}  // namespace shell
