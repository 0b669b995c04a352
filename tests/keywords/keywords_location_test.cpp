#include "keywords/keywords_location.h"

#include <gtest/gtest.h>

#include "platform/own_file_name.h"

namespace keywords {
namespace {

TEST(KeywordsLocation, IsBesideTheProgramsFolder) {
    EXPECT_EQ(keywordsFileFor("/opt/jotwise/bin/jotwise"),
              "/opt/jotwise/Jotwise Data/keywords.jwk");
    EXPECT_EQ(keywordsFileFor("/usr/bin/jotwise"), "/usr/Jotwise Data/keywords.jwk");
    EXPECT_EQ(keywordsFileFor("/bin/jotwise"), "/Jotwise Data/keywords.jwk");
    EXPECT_EQ(keywordsFileFor("build/shell/jotwise"), "build/Jotwise Data/keywords.jwk");
}

TEST(KeywordsLocation, IsUnknownWithoutTwoSlashes) {
    EXPECT_EQ(keywordsFileFor(""), "");
    EXPECT_EQ(keywordsFileFor("jotwise"), "");
    EXPECT_EQ(keywordsFileFor("/jotwise"), "");
    EXPECT_EQ(keywordsFileFor("bin/jotwise"), "");
}

TEST(KeywordsLocation, DefaultsToTheRunningProgramsPath) {
    const auto own = platform::ownFileName();
    ASSERT_FALSE(own.empty());
    const auto file = defaultKeywordsFile();
    EXPECT_EQ(file, own.parent_path().parent_path() / "Jotwise Data" / "keywords.jwk");
}

}  // namespace
}  // namespace keywords
