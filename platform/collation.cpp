#include "platform/collation.h"

#include <locale.h>
#include <wchar.h>
#include <wctype.h>

#include <cstdlib>
#include <string>

namespace platform {
namespace {

// The user's collation and character classes, made once; the C locale when the
// environment names none that exists.
locale_t userLocale() {
    static const locale_t locale = [] {
        locale_t made = newlocale(LC_COLLATE_MASK | LC_CTYPE_MASK, "", locale_t(0));
        if (made == locale_t(0))
            made = newlocale(LC_COLLATE_MASK | LC_CTYPE_MASK, "C", locale_t(0));
        return made;
    }();
    return locale;
}

// The text as wide characters, lowered when asked; bytes that are not UTF-8 are taken one
// by one, so that no text is refused.
std::wstring wide(std::string_view text, bool lower, locale_t locale) {
    std::wstring out;
    std::mbstate_t state{};
    const locale_t previous = uselocale(locale);
    for (std::size_t i = 0; i < text.size();) {
        wchar_t c = 0;
        std::size_t used = mbrtowc(&c, text.data() + i, text.size() - i, &state);
        if (used == 0) used = 1;
        if (used == static_cast<std::size_t>(-1) || used == static_cast<std::size_t>(-2)) {
            c = static_cast<unsigned char>(text[i]);
            used = 1;
            state = {};
        }
        out += lower ? static_cast<wchar_t>(towlower_l(static_cast<wint_t>(c), locale)) : c;
        i += used;
    }
    uselocale(previous);
    return out;
}

}  // namespace

int compareInLocale(std::string_view a, std::string_view b, bool ignoreCase) {
    const locale_t locale = userLocale();
    if (locale == locale_t(0)) return a.compare(b);
    return wcscoll_l(wide(a, ignoreCase, locale).c_str(), wide(b, ignoreCase, locale).c_str(),
                     locale);
}

}  // namespace platform
