#pragma once

#include <gtest/gtest.h>

#include <string>

#include "include/sentex.h"
#include "parser/parse.h"

namespace sentex::testing {

// Wednesday 15 April 1998, 10:00.
inline DateTime referenceNow() {
    return DateTime::fromParts(1998, 4, 15, 10, 0, 0);
}

inline ParseEnvironment fixedEnvironment(DateTime now = referenceNow(), DateFormat format = {}) {
    return ParseEnvironment{[now] { return now; }, std::move(format), false};
}

// A parser of its own with a fixed now and a month-day-year "/" date format.
class ParseTest : public ::testing::Test {
protected:
    ParseTest() : state(SettingsFile(), fixedEnvironment()) {}

    void setNow(DateTime now) {
        state.environment.clock = [now] { return now; };
    }
    void setNow(int y, int m, int d, int h = 10) { setNow(DateTime::fromParts(y, m, d, h, 0, 0)); }

    TParseResults parse(const std::string& text) {
        TParseResults r;
        parseNote(state, text.c_str(), ParseMode::Full, reinterpret_cast<char*>(&r));
        return r;
    }
    std::string date(const std::string& text) { return parse(text).date; }

    ParseState state;
};

inline int32_t recurInterval(const TParseResults& r) {
    return static_cast<int32_t>(r.recurInterval[0] | r.recurInterval[1] << 8 |
                                r.recurInterval[2] << 16 |
                                static_cast<uint32_t>(r.recurInterval[3]) << 24);
}

}  // namespace sentex::testing
