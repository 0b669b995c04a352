#include "parser/text_filter.h"

#include <gtest/gtest.h>

#include <string>

namespace sentex {
namespace {

TEST(TextFilterTest, SaysNoOnlyForTextsNeverAddedOrAllWithdrawn) {
    TextFilter filter;
    EXPECT_FALSE(filter.mayHold(""));
    EXPECT_FALSE(filter.mayHold("bob"));

    // "bob" and "bab" share length and first and last bytes, and so a count.
    filter.add("bob");
    filter.add("bab");
    filter.add("");
    EXPECT_TRUE(filter.mayHold("bob"));
    EXPECT_TRUE(filter.mayHold(""));
    filter.remove("bab");
    EXPECT_TRUE(filter.mayHold("bob"));
    filter.remove("bob");
    EXPECT_FALSE(filter.mayHold("bob"));
    EXPECT_FALSE(filter.mayHold("bab"));

    filter.add("acme corp");
    filter.clear();
    EXPECT_FALSE(filter.mayHold("acme corp"));
    EXPECT_FALSE(filter.mayHold(""));
}

TEST(TextFilterTest, BytesAboveAsciiAndLongTextsAreTexts) {
    TextFilter filter;
    const std::string longText(100000, 'x');
    filter.add("\xC3\xA9t\xC3\xA9");
    filter.add(longText);
    EXPECT_TRUE(filter.mayHold("\xC3\xA9t\xC3\xA9"));
    EXPECT_TRUE(filter.mayHold(longText));
}

}  // namespace
}  // namespace sentex
