#pragma once

#include <exception>
#include <string>
#include <type_traits>

class QWidget;

namespace messages::ui {

// Shows why a call into a window's logic failed, in the program's error box over `parent`.
void showLogicFailure(QWidget* parent, const std::string& what);

// Runs a call into a window's logic from a Qt slot or event handler. An exception must not leave
// such a handler (Qt would end the program), so its text is shown instead and the call
// answers a default value (false for the key handlers: the key is not consumed).
template <class Call>
std::invoke_result_t<Call> guarded(QWidget* parent, Call&& call) {
    try {
        return call();
    } catch (const std::exception& error) {
        showLogicFailure(parent, error.what());
    } catch (...) {
        showLogicFailure(parent, "Unexpected error.");
    }
    if constexpr (!std::is_void_v<std::invoke_result_t<Call>>) return {};
}

}  // namespace messages::ui
