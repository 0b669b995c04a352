#include "outlook/local/window_sizes.h"

#include <gtest/gtest.h>

#include "tests/support/memory_registry.h"

namespace outlook::local {
namespace {

using jotwise::testing::MemoryRegistry;

TEST(WindowSizes, AreKeptPerWindowAndOnlyWhenUsable) {
    MemoryRegistry registry;
    MemoryWindowSizes memory;
    RegistryWindowSizes stored(registry);
    for (WindowSizes* sizes : std::initializer_list<WindowSizes*>{&memory, &stored}) {
        EXPECT_FALSE(sizes->size("Explorer"));
        sizes->setSize("Explorer", {900, 600});
        sizes->setSize("ContactForm", {500, 400});
        sizes->setSize("ContactForm", {0, 300});
        sizes->setSize("ContactForm", {-5, 300});
        EXPECT_EQ(sizes->size("Explorer"), (WindowSize{900, 600}));
        EXPECT_EQ(sizes->size("ContactForm"), (WindowSize{500, 400}));
    }
    // What the registry holds outlasts the object.
    EXPECT_EQ(RegistryWindowSizes(registry).size("Explorer"), (WindowSize{900, 600}));
}

TEST(WindowSizes, ASizeIsFittedIntoTheRoomOfAScreen) {
    EXPECT_EQ(fittedInto({2000, 1320}, {1920, 1040}), (WindowSize{1920, 1040}));
    EXPECT_EQ(fittedInto({2000, 600}, {960, 520}), (WindowSize{960, 520}));
    EXPECT_EQ(fittedInto({700, 500}, {960, 520}), (WindowSize{700, 500}));
    EXPECT_EQ(fittedInto({700, 500}, {0, 0}), (WindowSize{700, 500})) << "no screen, no limit";
}

TEST(WindowSizes, DamagedRegistryValuesAreIgnored) {
    MemoryRegistry registry;
    auto key = registry.createKey(platform::RegistryRoot::CurrentUser,
                                  "Software\\Jotwise\\Store Windows\\Explorer");
    key->setValue("Width", platform::RegistryValue::ofString("900"));
    key->setValue("Height", platform::RegistryValue::ofDword(600));
    RegistryWindowSizes sizes(registry);
    EXPECT_FALSE(sizes.size("Explorer"));
    key->setValue("Width", platform::RegistryValue::ofDword(0xFFFFFFFF));
    EXPECT_FALSE(sizes.size("Explorer"));
    key->setValue("Width", platform::RegistryValue::ofDword(700));
    EXPECT_EQ(sizes.size("Explorer"), (WindowSize{700, 600}));
}

}  // namespace
}  // namespace outlook::local
