// A store that cannot be written (a read-only file, or read-only media where not even the
// files SQLite keeps beside it can be made) is read as usual and refuses every change with
// the reason. The commands run as a user file permissions bind (see unprivileged.h).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/parser/process.h"
#include "tests/support/temp_folder.h"

namespace {

using sentex::testing::runCommand;
using sentex::testing::shellQuote;

class ReadOnlyStore : public ::testing::Test {
protected:
    void SetUp() override {
        ::chmod(temp.path().c_str(), 0755);
        for (const char* name : {"--first Ann --last Lee", "--first Bob --last Smith"})
            ASSERT_EQ(runCommand(tool(std::string("add-contact ") + name, false)).exitCode, 0);
        // Everything the user may read; the store file read-only.
        ASSERT_EQ(runCommand("chmod -R a+rX " + shellQuote(temp.path().string())).exitCode, 0);
        ::chmod(store().c_str(), 0444);
    }
    void TearDown() override { ::chmod(folder().c_str(), 0755); }

    std::filesystem::path folder() const { return temp.path() / "data" / "jotwise"; }
    std::filesystem::path store() const { return folder() / "outlook.db"; }
    // The store tool with the test's profile; by default as a user that is not root.
    std::string tool(const std::string& args, bool unprivileged = true) const {
        const std::string asUser = unprivileged && ::geteuid() == 0
                                       ? "setpriv --reuid=65534 --regid=65534 --clear-groups "
                                       : "";
        return "XDG_CONFIG_HOME=" + shellQuote((temp.path() / "config").string()) +
               " XDG_DATA_HOME=" + shellQuote((temp.path() / "data").string()) + " " + asUser +
               shellQuote(JOTWISE_STORE_PATH) + " " + args + " 2>&1";
    }
    void expectReadButNotWritten() {
        const auto folders = runCommand(tool("folders"));
        EXPECT_EQ(folders.exitCode, 0) << folders.out;
        EXPECT_NE(folders.out.find("\t2\tContacts"), std::string::npos) << folders.out;
        const auto contacts = runCommand(tool("items Contacts"));
        EXPECT_EQ(contacts.exitCode, 0) << contacts.out;
        EXPECT_NE(contacts.out.find("\tAnn Lee"), std::string::npos) << contacts.out;
        const auto exported = runCommand(tool("export --vcf Contacts"));
        EXPECT_EQ(exported.exitCode, 0) << exported.out;
        EXPECT_NE(exported.out.find("FN:Bob Smith"), std::string::npos) << exported.out;

        const auto added = runCommand(tool("add-contact --first Cy --last Young"));
        EXPECT_EQ(added.exitCode, 1) << added.out;
        EXPECT_NE(added.out.find("'" + store().string() +
                                 "' cannot be written: it is read-only (attempt to write a "
                                 "readonly database)"),
                  std::string::npos)
            << added.out;
    }

    jotwise::testing::TempFolder temp{"jotwise-readonly"};
};

TEST_F(ReadOnlyStore, AReadOnlyFileIsReadAndRefusesChanges) {
    ::chmod(folder().c_str(), 0777);  // SQLite may make its files beside the store
    expectReadButNotWritten();
}

TEST_F(ReadOnlyStore, AStoreOnReadOnlyMediaIsReadAndRefusesChanges) {
    ::chmod(folder().c_str(), 0555);
    expectReadButNotWritten();
    EXPECT_FALSE(std::filesystem::exists(store().string() + "-shm")) << "nothing made beside it";
}

}  // namespace
