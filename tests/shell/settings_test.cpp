#include "shell/settings.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace shell {
namespace {

using platform::RegistryKey;
using platform::RegistryRoot;
using platform::RegistryType;
using platform::RegistryValue;

// An in-memory current-user root whose opens and writes can be made to fail.
class FakeRegistry : public platform::Registry {
public:
    std::map<std::string, std::map<std::string, RegistryValue>> keys;
    bool failOpen = false;
    std::set<std::string> unwritableValues;
    int opens = 0;

    class Key : public RegistryKey {
    public:
        Key(FakeRegistry& r, std::string path) : r_(r), path_(std::move(path)) {}
        std::optional<RegistryValue> queryValue(std::string_view name) const override {
            const auto& values = r_.keys[path_];
            const auto it = values.find(std::string(name));
            if (it == values.end()) return std::nullopt;
            return it->second;
        }
        bool setValue(std::string_view name, const RegistryValue& value) override {
            if (r_.unwritableValues.count(std::string(name))) return false;
            r_.keys[path_][std::string(name)] = value;
            return true;
        }
        bool deleteValue(std::string_view name) override {
            return r_.keys[path_].erase(std::string(name)) > 0;
        }

    private:
        FakeRegistry& r_;
        std::string path_;
    };

    std::unique_ptr<RegistryKey> openKey(RegistryRoot root, std::string_view path) override {
        ++opens;
        if (failOpen || root != RegistryRoot::CurrentUser || !keys.count(std::string(path)))
            return nullptr;
        return std::make_unique<Key>(*this, std::string(path));
    }
    std::unique_ptr<RegistryKey> createKey(RegistryRoot root, std::string_view path) override {
        ++opens;
        if (failOpen || root != RegistryRoot::CurrentUser) return nullptr;
        keys[std::string(path)];
        return std::make_unique<Key>(*this, std::string(path));
    }
};

const std::string kPosition = "Software\\Jotwise\\Note\\Position";
const std::string kShadow = "Software\\Jotwise\\Note\\Shadow";

TEST(TRegistry, NothingStoredMeansDefaults) {
    FakeRegistry fake;
    TRegistry settings(fake);
    int a = 7, b = 8;
    EXPECT_FALSE(settings.ReadPosition(a, b));
    EXPECT_FALSE(settings.ReadSize(a, b));
    EXPECT_EQ(a, 7);
    EXPECT_EQ(b, 8);
    EXPECT_TRUE(settings.ReadBeside());
    EXPECT_TRUE(fake.keys.empty()) << "reads must not create keys";
}

TEST(TRegistry, WrittenPairsAndSideReadBackAsDwords) {
    FakeRegistry fake;
    TRegistry settings(fake);
    settings.WritePosition(-120, 40);
    settings.WriteSize(300, 182);
    settings.WriteBeside(false);
    EXPECT_EQ(fake.keys[kPosition]["Left"].type, RegistryType::Dword);
    EXPECT_EQ(fake.keys[kShadow]["Side"].dword, 0u);

    TRegistry later(fake);
    int left = 0, top = 0, width = 0, height = 0;
    ASSERT_TRUE(later.ReadPosition(left, top));
    ASSERT_TRUE(later.ReadSize(width, height));
    EXPECT_EQ(left, -120);
    EXPECT_EQ(top, 40);
    EXPECT_EQ(width, 300);
    EXPECT_EQ(height, 182);
    EXPECT_FALSE(later.ReadBeside());
    later.WriteBeside(true);
    EXPECT_TRUE(later.ReadBeside());
}

TEST(TRegistry, AValueOfAnotherTypeCountsAsAbsent) {
    FakeRegistry fake;
    fake.keys[kShadow]["Side"] = RegistryValue::ofString("0");
    fake.keys[kPosition]["Left"] = RegistryValue::ofDword(10);
    fake.keys[kPosition]["Top"] = RegistryValue::ofString("20");
    TRegistry settings(fake);
    int left = -1, top = -1;
    EXPECT_TRUE(settings.ReadBeside());
    EXPECT_FALSE(settings.ReadPosition(left, top)) << "a pair needs both values";
}

TEST(TRegistry, SecondValueIsWrittenOnlyAfterTheFirst) {
    FakeRegistry fake;
    fake.unwritableValues = {"Width"};
    TRegistry settings(fake);
    settings.WriteSize(500, 400);
    EXPECT_FALSE(fake.keys[kPosition].count("Height"));
}

TEST(TRegistry, KeysStayOpenAndAFailedOpenIsRetried) {
    FakeRegistry fake;
    fake.failOpen = true;
    TRegistry settings(fake);
    settings.WritePosition(1, 2);
    EXPECT_TRUE(fake.keys.empty());

    fake.failOpen = false;
    settings.WritePosition(1, 2);
    const int opensAfterCreate = fake.opens;
    int left = 0, top = 0;
    EXPECT_TRUE(settings.ReadPosition(left, top));
    settings.WriteSize(3, 4);
    EXPECT_EQ(fake.opens, opensAfterCreate) << "the open handle is reused";
}

}  // namespace
}  // namespace shell
