#include "shell/splash.h"

#include <algorithm>
#include <exception>

#include "messages/error_box.h"
#include "outlook/session/data_store.h"
#include "shell/file_version.h"
#include "shell/startup.h"

namespace shell {

// ---- TSplashProgress ----

void TSplashProgress::SetText(const std::string& text) {
    view_.showProgressText(text);
}

void TSplashProgress::SetMin(std::int32_t value) {
    SetRange(value, max_);
}

void TSplashProgress::SetMax(std::int32_t value) {
    SetRange(min_, value);
}

void TSplashProgress::SetRange(std::int32_t minimum, std::int32_t maximum) {
    min_ = minimum;
    max_ = maximum;
    Show(position_);
}

void TSplashProgress::SetPosition(std::int32_t value) {
    Show(value);
}

void TSplashProgress::SetStep(std::int32_t value) {
    step_ = value;
}

void TSplashProgress::StepIt() {
    std::int64_t next = std::int64_t{position_} + step_;
    const std::int64_t span = std::int64_t{max_} - min_;
    // Past either end the bar starts again from the other.
    if (span > 0) {
        if (next > max_) next = (next - min_) % span + min_;
        if (next < min_) next = (next - min_) % span + max_;
    }
    Show(next);
}

void TSplashProgress::StepBy(std::int32_t delta) {
    Show(std::int64_t{position_} + delta);
}

void TSplashProgress::Show(std::int64_t position) {
    position_ = static_cast<std::int32_t>(
        std::clamp<std::int64_t>(position, min_, std::max<std::int64_t>(min_, max_)));
    view_.showProgressBar(min_, max_, position_);
}

// ---- TSplash ----

TSplash::TSplash(Services services) : services_(services), progress_(services.view) {}

void TSplash::FormShow() {
    services_.view.showVersion(VersionLabel(FILEVERSION(services_.programFile)));
    services_.loop.post([this] { Connect(); });
}

void TSplash::Connect() {
    std::int32_t result = 0;
    try {
        outlook::TDataStore& session = services_.host.CreateSession();
        result = session.Connect(0, progress_);
        if (result != 0) {
            const std::string reason = session.LastError();
            if (!reason.empty()) services_.console << "jotwise: " << reason << "\n";
        }
    } catch (const std::exception& error) {
        services_.console << "jotwise: " << error.what() << "\n";
        services_.host.DestroySession();
        messages::ShowError(messages::kInitializationFailed, messages::kOutOfMemory);
        services_.host.Quit(kProgramFailed);
        return;
    }
    if (result != 0) {
        Fail(result);
        return;
    }
    timerEnabled_ = true;
    services_.view.setTimerEnabled(true);
}

void TSplash::Fail(std::int32_t result) {
    services_.host.DestroySession();
    const auto id = static_cast<messages::MessageId>(result);
    if (id == messages::kCannotConnect)
        messages::ShowError(id);
    else
        messages::ShowError(messages::kInitializationFailed, id);
    services_.host.Quit(kProgramFailed);
}

void TSplash::tmTimerTimer() {
    if (!timerEnabled_) return;
    timerEnabled_ = false;
    services_.view.setTimerEnabled(false);
    services_.view.hideSplash();
    services_.host.ShowHidden();
}

}  // namespace shell
