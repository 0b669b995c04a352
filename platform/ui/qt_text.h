#pragma once

#include <QString>
#include <string>

namespace platform {

// The logic keeps its texts as UTF-8 in std::string; Qt wants QString.
inline QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace platform
