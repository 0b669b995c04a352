#include "outlook/items/note.h"

namespace outlook {

MessageId TNote::SetSubject(const std::string&) {
    return 0;
}

MessageId TNote::SetBody(const std::string& text) {
    return Guarded(3, [&] { Put("Body", text); });
}

MessageId TNote::SetCoordinates(std::int32_t left, std::int32_t top, std::int32_t width,
                                std::int32_t height) {
    return Guarded(50, [&] {
        Put("Left", left);
        Put("Top", top);
        Put("Width", width);
        Put("Height", height);
    });
}

}  // namespace outlook
