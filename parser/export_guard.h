#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace sentex {

// A C caller's text: null counts as empty.
inline std::string_view textArgument(const char* text) {
    return text ? text : "";
}

// Copies a text into a caller's 128-byte buffer, NUL-terminated; a null buffer is skipped.
inline void writeOutput(char* buffer, std::string_view text) {
    if (!buffer) return;
    const std::size_t n = text.size() < 127 ? text.size() : 127;
    if (n > 0) std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

// Runs an export's body; nothing thrown inside crosses into a C caller, which sees 0.
template <class F>
int32_t guardedExport(F&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return 0;
    }
}

}  // namespace sentex
