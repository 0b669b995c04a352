#pragma once

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>

#include "outlook/session/progress_box.h"
#include "platform/event_loop.h"

namespace outlook {
class TDataStore;
}

namespace shell {

// The splash window as TSplash drives it.
class SplashView {
public:
    virtual ~SplashView() = default;
    virtual void showVersion(const std::string& label) = 0;
    // Both are drawn before they return: connecting holds the event loop, so nothing would
    // be drawn otherwise until it is over.
    virtual void showProgressText(const std::string& text) = 0;
    virtual void showProgressBar(std::int32_t minimum, std::int32_t maximum,
                                 std::int32_t position) = 0;
    virtual void hideSplash() = 0;
    // The hold timer (TSplash::kHold); when it fires, the window calls tmTimerTimer.
    virtual void setTimerEnabled(bool enabled) = 0;
};

// The running program as the splash sees it: the session it connects, and what takes over
// once it is connected.
class SplashHost {
public:
    virtual ~SplashHost() = default;
    // Makes the program's session and installs it; may throw.
    virtual outlook::TDataStore& CreateSession() = 0;
    virtual void DestroySession() = 0;
    // The tray window over the connected session (THidden::FormShow).
    virtual void ShowHidden() = 0;
    // Ends the event loop, and with it the program, with `exitCode`.
    virtual void Quit(int exitCode) = 0;
};

// The splash's progress bar and text, as the session reports its progress while it connects.
// The bar keeps its range and position as a progress control does: a position is held inside
// the range, and stepping past the end starts again from the beginning.
class TSplashProgress : public outlook::TProgressBox {
public:
    explicit TSplashProgress(SplashView& view) : view_(view) {}

    void SetText(const std::string& text) override;
    void SetMin(std::int32_t value) override;
    void SetMax(std::int32_t value) override;
    void SetPosition(std::int32_t value) override;
    void SetStep(std::int32_t value) override;
    void StepIt() override;
    void StepBy(std::int32_t delta) override;

    std::int32_t Min() const { return min_; }
    std::int32_t Max() const { return max_; }
    std::int32_t Position() const { return position_; }

private:
    void SetRange(std::int32_t minimum, std::int32_t maximum);
    // Shows the bar when what it shows has changed.
    void Show(std::int64_t position);

    SplashView& view_;
    std::int32_t min_ = 0, max_ = 100, position_ = 0, step_ = 10;
};

// The first window of the program: it shows the version, connects the session while it
// shows the progress, and two seconds after a connection hands over to the tray. A failed
// connection ends the program with one error box.
class TSplash {
public:
    struct Services {
        SplashView& view;
        SplashHost& host;
        platform::EventLoop& loop;
        // The program's own file, whose version is shown.
        std::filesystem::path programFile;
        // Where a failed connection's reason is also written, as the box shows none.
        std::ostream& console;
    };

    static constexpr std::chrono::milliseconds kHold{2000};

    explicit TSplash(Services services);
    TSplash(const TSplash&) = delete;
    TSplash& operator=(const TSplash&) = delete;

    // The window has been shown (and drawn): the version, then the connection, posted so
    // that it starts once this event is over.
    void FormShow();
    // Creates the session and connects it.
    void Connect();
    // The hold after a connection is over.
    void tmTimerTimer();

    TSplashProgress& Progress() { return progress_; }
    bool TimerEnabled() const { return timerEnabled_; }

private:
    void Fail(std::int32_t result);

    Services services_;
    TSplashProgress progress_;
    bool timerEnabled_ = false;
};

}  // namespace shell
