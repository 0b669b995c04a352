#pragma once

#include <functional>
#include <string>
#include <vector>

namespace shell {

// A desktop notification the user can answer: buttons ("Snooze 5 min", "Undo") and the
// notification itself, which a click opens.
struct ActionNotification {
    struct Action {
        std::string key;
        std::string label;
    };
    // The key a click on the notification itself answers with.
    static constexpr const char* kDefaultAction = "default";

    std::string summary;
    std::string body;
    // The notification's kind for the server, e.g. "x-jotwise.reminder".
    std::string category;
    std::vector<Action> actions;
    // A transient notification leaves no entry in the server's history.
    bool transient = false;
};

// The desktop's notification server, for notifications with actions. Answers arrive on the
// program's event loop.
class ActionNotifier {
public:
    using Answered = std::function<void(const std::string& actionKey)>;

    virtual ~ActionNotifier() = default;
    // Whether a server runs and shows actions; without it callers show their own window.
    virtual bool ShowsActions() = 0;
    // Shows the notification; `answered` is called once with the key of the action the user
    // chose, and not at all when the notification closes unanswered. Returns the id the
    // server gave, 0 when nothing was shown.
    virtual unsigned Show(const ActionNotification& notification, Answered answered) = 0;
    // Takes a notification away, e.g. once its item is gone.
    virtual void Close(unsigned id) = 0;
};

}  // namespace shell
