#include "outlook/local/mirror/mirror_names.h"

#include <gtest/gtest.h>

namespace outlook::local::mirror {
namespace {

TEST(MirrorNames, UidsAndFileNamesMapToEntryIdsBothWays) {
    const mapi::EntryId id = {0x00, 'J', 'W', 3, 0xAB, 0x01, 0xFF};
    const std::string uid = uidOf(id);
    EXPECT_EQ(uid, "004A5703AB01FF-jotwise");
    EXPECT_EQ(entryIdOfUid(uid), id);
    EXPECT_EQ(fileNameOf(MirrorFolder::Calendar, uid), uid + ".ics");
    EXPECT_EQ(fileNameOf(MirrorFolder::Contacts, uid), uid + ".vcf");
    EXPECT_EQ(uidOfFileName(MirrorFolder::Tasks, uid + ".ics"), uid);
    EXPECT_EQ(uidOfFileName(MirrorFolder::Contacts, uid + ".vcf"), uid);
    // Anything else is not ours: other extensions, lower case, odd digits, temporary files.
    for (const char* name :
         {"004A5703AB01FF-jotwise.vcf", "004a5703ab01ff-jotwise.ics", "004A5703AB01F-jotwise.ics",
          ".004A5703AB01FF-jotwise.ics.tmp-x", "-jotwise.ics", "004A5703AB01FF.ics", "holiday.ics"})
        EXPECT_EQ(uidOfFileName(MirrorFolder::Calendar, name), std::nullopt) << name;
}

}  // namespace
}  // namespace outlook::local::mirror
