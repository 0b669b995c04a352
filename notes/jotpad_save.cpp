// The save command: the questions and checks before filing, and what the user sees after.
#include "messages/error_box.h"
#include "notes/jotpad.h"
#include "notes/note_filing.h"
#include "notes/note_host.h"
#include "platform/text.h"

namespace notes {
namespace {

constexpr MessageId kSaveEmptyNote = 104;
constexpr MessageId kInvalidStart = 1004;
constexpr MessageId kInvalidEnd = 1005;
constexpr MessageId kInvalidDate = 1007;

// The hourglass over the note while Outlook files it, taken away on every way out.
class BusyCursor {
public:
    explicit BusyCursor(JotPadView& view) : view_(view) { view_.setBusy(true); }
    ~BusyCursor() { view_.setBusy(false); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    JotPadView& view_;
};

}  // namespace

bool TJotPad::ShadowIsValid() {
    const auto refuse = [this](MessageId id, void (TShadow::*focus)()) {
        context_.boxes.show(messages::LoadMessage(messages::kCaption), messages::LoadMessage(id),
                            platform::MessageIcon::Warning, platform::MessageButtons::Ok);
        ((*shadow_).*focus)();
        return false;
    };
    const bool hasStart = !shadow_->StartText().empty();
    if (hasStart && !shadow_->StartTime()) return refuse(kInvalidStart, &TShadow::FocusStart);
    if (!shadow_->EndText().empty()) {
        if (!shadow_->EndTime()) return refuse(kInvalidEnd, &TShadow::FocusEnd);
        if (!hasStart) return refuse(kInvalidStart, &TShadow::FocusStart);
    }
    if (!shadow_->DateText().empty() && !shadow_->Date())
        return refuse(kInvalidDate, &TShadow::FocusDate);
    return true;
}

void TJotPad::btnSaveClick() {
    if (platform::trimmed(memoText_).empty()) {
        view_.focusMemo();
        switch (context_.boxes.show(
            messages::LoadMessage(messages::kCaption), messages::LoadMessage(kSaveEmptyNote),
            platform::MessageIcon::Warning, platform::MessageButtons::YesNoCancel)) {
            case platform::MessageAnswer::Yes:
                break;
            case platform::MessageAnswer::No:
                view_.closeWindow();
                return;
            default:
                return;
        }
    }
    if (!ShadowIsValid()) return;

    FilingResult result;
    {
        BusyCursor busy(view_);
        result = FileNote(*this);
    }
    lastFiling_ = result;
    if (result.id && result.id != kFilingDeclined) messages::ShowError(result.id);
    if (result.committed) {
        context_.host.NoteFiled(*this, result);
        view_.closeWindow();
    }
}

}  // namespace notes
