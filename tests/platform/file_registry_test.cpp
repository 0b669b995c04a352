#include "platform/file_registry.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>

#include "platform/atomic_file.h"
#include "tests/support/temp_folder.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kPosition = "Software\\Jotwise\\Note\\Position";

class FileRegistryTest : public ::testing::Test {
protected:
    // A test may leave the config folder read-only; the folder must stay removable.
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(dir_ / "config", fs::perms::owner_all, fs::perm_options::add, ignored);
    }

    static std::string read(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static void write(const fs::path& file, std::string_view text) {
        ASSERT_TRUE(writeFileAtomically(file, text, 0644));
    }
    FileRegistry registry() const { return FileRegistry(user_, machine_); }

    static std::optional<RegistryValue> query(Registry& registry, std::string_view key,
                                              std::string_view name,
                                              RegistryRoot root = RegistryRoot::CurrentUser) {
        const auto opened = registry.openKey(root, key);
        if (!opened) return std::nullopt;
        return opened->queryValue(name);
    }

    jotwise::testing::TempFolder temp_{"jotwise-registry"};
    const fs::path dir_ = temp_.path();
    const fs::path user_ = dir_ / "config" / "jotwise" / "HKEY_CURRENT_USER.reg";
    const fs::path machine_ = dir_ / "etc" / "HKEY_LOCAL_MACHINE.reg";
};

TEST_F(FileRegistryTest, CreatedKeysAndTheirParentsExistAndPersist) {
    FileRegistry first = registry();
    EXPECT_EQ(first.openKey(RegistryRoot::CurrentUser, kPosition), nullptr);
    ASSERT_NE(first.createKey(RegistryRoot::CurrentUser, kPosition), nullptr);

    struct stat status {};
    ASSERT_EQ(::stat(user_.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);

    FileRegistry second = registry();
    for (const char* path :
         {"", "Software", "SOFTWARE\\jotwise", "Software\\Jotwise\\Note\\Position"})
        EXPECT_NE(second.openKey(RegistryRoot::CurrentUser, path), nullptr) << path;
    EXPECT_EQ(second.openKey(RegistryRoot::CurrentUser, "Software\\Jot"), nullptr);
    EXPECT_EQ(second.openKey(RegistryRoot::CurrentUser, "Software\\Jotwise\\Other"), nullptr);
    EXPECT_EQ(second.openKey(RegistryRoot::LocalMachine, "Software"), nullptr);
}

TEST_F(FileRegistryTest, ValuesKeepTheirTypesAcrossInstances) {
    const RegistryValue binary{RegistryType::Binary, {}, 0, std::string("\0\xff\x10", 3)};
    const RegistryValue expand{static_cast<RegistryType>(2), {}, 0, std::string("%A%\0", 4)};
    {
        FileRegistry writer = registry();
        auto key = writer.createKey(RegistryRoot::CurrentUser, kPosition);
        ASSERT_NE(key, nullptr);
        EXPECT_TRUE(key->setValue("Left", RegistryValue::ofDword(100)));
        EXPECT_TRUE(key->setValue("", RegistryValue::ofString("Business;Calls")));
        EXPECT_TRUE(key->setValue("Path", RegistryValue::ofString(R"(C:\a "b")")));
        EXPECT_TRUE(key->setValue("Blob", binary));
        EXPECT_TRUE(key->setValue("Expand", expand));
        EXPECT_FALSE(key->setValue("Two\nLines", RegistryValue::ofDword(1)));
    }
    FileRegistry reader = registry();
    EXPECT_EQ(query(reader, kPosition, "Left")->dword, 100u);
    EXPECT_EQ(query(reader, kPosition, "")->text, "Business;Calls");
    EXPECT_EQ(query(reader, kPosition, "Path")->text, R"(C:\a "b")");
    EXPECT_EQ(query(reader, kPosition, "Blob")->bytes, binary.bytes);
    EXPECT_EQ(query(reader, kPosition, "Expand")->type, expand.type);
    EXPECT_EQ(query(reader, kPosition, "Expand")->bytes, expand.bytes);
    EXPECT_EQ(query(reader, kPosition, "Two\nLines"), std::nullopt);
    EXPECT_EQ(query(reader, kPosition, "Top"), std::nullopt);
}

TEST_F(FileRegistryTest, AValueOfTheWrongTypeIsReportedWithItsType) {
    write(user_,
          "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Jotwise\\Note\\Position]\n"
          "\"Left\"=\"100\"\n\"Top\"=hex:64,00,00,00\n");
    FileRegistry reg = registry();
    const auto left = query(reg, kPosition, "Left");
    ASSERT_TRUE(left);
    EXPECT_EQ(left->type, RegistryType::String);
    EXPECT_EQ(left->text, "100");
    const auto top = query(reg, kPosition, "Top");
    ASSERT_TRUE(top);
    EXPECT_EQ(top->type, RegistryType::Binary);
}

TEST_F(FileRegistryTest, KeysAndValueNamesIgnoreCase) {
    FileRegistry reg = registry();
    auto key = reg.createKey(RegistryRoot::CurrentUser, "Software\\Jotwise");
    ASSERT_TRUE(key && key->setValue("Name", RegistryValue::ofString("a")));
    auto shouted = reg.createKey(RegistryRoot::CurrentUser, "SOFTWARE\\JOTWISE");
    ASSERT_NE(shouted, nullptr);
    EXPECT_EQ(shouted->queryValue("NAME")->text, "a");
    EXPECT_TRUE(shouted->setValue("NAME", RegistryValue::ofString("b")));
    EXPECT_EQ(key->queryValue("name")->text, "b");

    const std::string file = read(user_);
    EXPECT_NE(file.find("[HKEY_CURRENT_USER\\Software\\Jotwise]\n\"Name\"=\"b\"\n"),
              std::string::npos)
        << file;
    EXPECT_EQ(file.find("JOTWISE"), std::string::npos) << file;
}

TEST_F(FileRegistryTest, DeletingAValueSavesAndFailsWhenItIsMissing) {
    FileRegistry reg = registry();
    auto key = reg.createKey(RegistryRoot::CurrentUser, kPosition);
    ASSERT_TRUE(key && key->setValue("Left", RegistryValue::ofDword(1)));
    EXPECT_TRUE(key->deleteValue("LEFT"));
    EXPECT_FALSE(key->deleteValue("Left"));
    FileRegistry other = registry();
    EXPECT_EQ(query(other, kPosition, "Left"), std::nullopt);
    EXPECT_NE(other.openKey(RegistryRoot::CurrentUser, kPosition), nullptr);
}

TEST_F(FileRegistryTest, HandlesAndInstancesSeeEachOthersChanges) {
    FileRegistry first = registry();
    FileRegistry second = registry();
    auto a = first.createKey(RegistryRoot::CurrentUser, kPosition);
    auto b = first.openKey(RegistryRoot::CurrentUser, kPosition);
    ASSERT_TRUE(a && b);
    ASSERT_TRUE(a->setValue("Left", RegistryValue::ofDword(1)));
    EXPECT_EQ(b->queryValue("Left")->dword, 1u);

    // The first instance writes right after the second, without reading in between: it
    // re-reads the file first and so keeps the second's value.
    auto c = second.openKey(RegistryRoot::CurrentUser, kPosition);
    ASSERT_NE(c, nullptr);
    ASSERT_TRUE(c->setValue("Top", RegistryValue::ofDword(2)));
    ASSERT_TRUE(b->setValue("Width", RegistryValue::ofDword(4)));
    EXPECT_EQ(query(second, kPosition, "Top")->dword, 2u);
    EXPECT_EQ(query(second, kPosition, "Width")->dword, 4u);
    // Reads notice the second's changes too.
    ASSERT_TRUE(c->setValue("Left", RegistryValue::ofDword(3)));
    EXPECT_EQ(a->queryValue("Left")->dword, 3u);

    // The file taken away by hand: both see an empty root.
    fs::remove(user_);
    EXPECT_EQ(a->queryValue("Left"), std::nullopt);
    EXPECT_EQ(second.openKey(RegistryRoot::CurrentUser, kPosition), nullptr);
}

TEST_F(FileRegistryTest, DamagedFileKeepsWhatIsReadableAndIsCopiedAsideOnce) {
    const std::string damaged =
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Jotwise\\Note\\Position]\n"
        "\"Left\"=dword:00000064\n\x01\x02garbage\n\"Top\"=dword:0000";
    write(user_, damaged);
    const fs::path copy = user_.string() + ".damaged";

    FileRegistry reg = registry();
    auto key = reg.openKey(RegistryRoot::CurrentUser, kPosition);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->queryValue("Left")->dword, 100u);
    EXPECT_EQ(key->queryValue("Top"), std::nullopt);
    EXPECT_FALSE(fs::exists(copy));  // reading alone changes nothing

    ASSERT_TRUE(key->setValue("Top", RegistryValue::ofDword(5)));
    EXPECT_EQ(read(copy), damaged);
    const std::string clean = read(user_);
    EXPECT_EQ(clean.find("garbage"), std::string::npos);
    EXPECT_NE(clean.find("\"Left\"=dword:00000064"), std::string::npos);

    ASSERT_TRUE(key->setValue("Top", RegistryValue::ofDword(6)));
    EXPECT_FALSE(fs::exists(user_.string() + ".damaged.1"));
    EXPECT_EQ(read(copy), damaged);

    // Damaged again later: the earlier copy is kept and the new one goes beside it.
    write(user_, damaged);
    ASSERT_TRUE(key->setValue("Top", RegistryValue::ofDword(7)));
    EXPECT_EQ(read(user_.string() + ".damaged.1"), damaged);
}

TEST_F(FileRegistryTest, LocalMachineIsOnlyRead) {
    const std::string text =
        "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Jotwise]\n\"Server\"=\"mail\"\n";
    write(machine_, text);
    FileRegistry reg = registry();
    EXPECT_EQ(query(reg, "Software\\Jotwise", "Server", RegistryRoot::LocalMachine)->text, "mail");
    EXPECT_EQ(query(reg, "Software\\Jotwise", "Server"), std::nullopt);

    auto key = reg.createKey(RegistryRoot::LocalMachine, "software\\jotwise");
    ASSERT_NE(key, nullptr);  // opening what exists is no change
    EXPECT_FALSE(key->setValue("Server", RegistryValue::ofString("other")));
    EXPECT_FALSE(key->setValue("New", RegistryValue::ofDword(1)));
    EXPECT_FALSE(key->deleteValue("Server"));
    EXPECT_EQ(reg.createKey(RegistryRoot::LocalMachine, "Software\\Jotwise\\New"), nullptr);
    EXPECT_EQ(read(machine_), text);
    EXPECT_FALSE(fs::exists(user_));
}

TEST_F(FileRegistryTest, WriteFailsWhileTheFolderIsBlockedThenWorks) {
    // A regular file where the config folder belongs: even root cannot create the folder.
    const fs::path config = dir_ / "config";
    write(config, "in the way");
    FileRegistry reg = registry();
    EXPECT_EQ(reg.createKey(RegistryRoot::CurrentUser, kPosition), nullptr);
    EXPECT_EQ(reg.openKey(RegistryRoot::CurrentUser, kPosition), nullptr);
    auto root = reg.createKey(RegistryRoot::CurrentUser, "");
    ASSERT_NE(root, nullptr);
    EXPECT_FALSE(root->setValue("Left", RegistryValue::ofDword(1)));
    EXPECT_EQ(root->queryValue("Left"), std::nullopt);

    fs::remove(config);
    fs::create_directory(config);
    EXPECT_TRUE(root->setValue("Left", RegistryValue::ofDword(1)));
    auto key = reg.createKey(RegistryRoot::CurrentUser, kPosition);
    ASSERT_NE(key, nullptr);
    EXPECT_TRUE(key->setValue("Top", RegistryValue::ofDword(2)));
    FileRegistry other = registry();
    EXPECT_EQ(query(other, "", "Left")->dword, 1u);
    EXPECT_EQ(query(other, kPosition, "Top")->dword, 2u);
}

TEST_F(FileRegistryTest, WriteFailsInAReadOnlyFolderThenWorks) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    FileRegistry reg = registry();
    auto key = reg.createKey(RegistryRoot::CurrentUser, kPosition);
    ASSERT_TRUE(key && key->setValue("Left", RegistryValue::ofDword(1)));
    ASSERT_EQ(::chmod(user_.parent_path().c_str(), 0500), 0);
    EXPECT_FALSE(key->setValue("Left", RegistryValue::ofDword(2)));
    EXPECT_EQ(key->queryValue("Left")->dword, 1u);
    ASSERT_EQ(::chmod(user_.parent_path().c_str(), 0700), 0);
    EXPECT_TRUE(key->setValue("Left", RegistryValue::ofDword(2)));
    FileRegistry fresh = registry();
    EXPECT_EQ(query(fresh, kPosition, "Left")->dword, 2u);
}

TEST_F(FileRegistryTest, AStrayTemporaryFromACrashIsIgnored) {
    {
        FileRegistry reg = registry();
        auto key = reg.createKey(RegistryRoot::CurrentUser, kPosition);
        ASSERT_TRUE(key && key->setValue("Left", RegistryValue::ofDword(1)));
    }
    EXPECT_FALSE(writeFileAtomically(user_, "REGEDIT4\n\n[HKEY_CURRENT_USER\\Crashed]\n", 0600,
                                     nullptr, [](const fs::path&) { return false; }));
    FileRegistry reg = registry();
    EXPECT_EQ(reg.openKey(RegistryRoot::CurrentUser, "Crashed"), nullptr);
    EXPECT_EQ(query(reg, kPosition, "Left")->dword, 1u);
    EXPECT_TRUE(reg.openKey(RegistryRoot::CurrentUser, kPosition)
                    ->setValue("Left", RegistryValue::ofDword(2)));
    FileRegistry fresh = registry();
    EXPECT_EQ(query(fresh, kPosition, "Left")->dword, 2u);
}

TEST_F(FileRegistryTest, UserFileFollowsXdgConfigHome) {
    const char* savedXdg = std::getenv("XDG_CONFIG_HOME");
    const std::optional<std::string> xdg =
        savedXdg ? std::optional<std::string>(savedXdg) : std::nullopt;
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";

    ::setenv("XDG_CONFIG_HOME", (dir_ / "xdg").c_str(), 1);
    EXPECT_EQ(userRegistryFile().string(),
              (dir_ / "xdg" / "jotwise" / "HKEY_CURRENT_USER.reg").string());
    EXPECT_NE(openUserRegistry()->createKey(RegistryRoot::CurrentUser, "Software"), nullptr);
    EXPECT_TRUE(fs::exists(dir_ / "xdg" / "jotwise" / "HKEY_CURRENT_USER.reg"));

    ::setenv("HOME", (dir_ / "home").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", "", 1);
    EXPECT_EQ(userRegistryFile().string(),
              (dir_ / "home" / ".config" / "jotwise" / "HKEY_CURRENT_USER.reg").string());
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(userRegistryFile().string(),
              (dir_ / "home" / ".config" / "jotwise" / "HKEY_CURRENT_USER.reg").string());
    EXPECT_EQ(machineRegistryFile().string(), "/etc/jotwise/HKEY_LOCAL_MACHINE.reg");

    ::setenv("HOME", home.c_str(), 1);
    if (xdg) ::setenv("XDG_CONFIG_HOME", xdg->c_str(), 1);
}

}  // namespace
}  // namespace platform
