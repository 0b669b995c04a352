#include "platform/reg_file_format.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

namespace platform {
namespace {

using ::testing::ElementsAre;
using ::testing::Field;

constexpr std::string_view kUser = "HKEY_CURRENT_USER";

RegistryValue raw(RegistryType type, std::string bytes) {
    return {type, {}, 0, std::move(bytes)};
}

void expectValue(const RegFileContents& contents, std::string_view key, std::string_view name,
                 const RegistryValue& expected) {
    SCOPED_TRACE(std::string(key) + " / " + std::string(name));
    const RegKeyEntry* entry = contents.findKey(key);
    ASSERT_NE(entry, nullptr);
    const RegistryValue* value = entry->find(name);
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->type, expected.type);
    EXPECT_EQ(value->text, expected.text);
    EXPECT_EQ(value->dword, expected.dword);
    EXPECT_EQ(value->bytes, expected.bytes);
}

TEST(RegFileFormat, EveryValueTypeSurvivesWritingAndReading) {
    std::string longBinary;
    for (int i = 0; i < 100; ++i)
        longBinary += static_cast<char>(i * 7);
    const std::vector<RegNamedValue> values = {
        {"", RegistryValue::ofString("Business;Calls")},
        {"Path \"quoted\" \\ name", RegistryValue::ofString(R"(C:\notes\"x"\)")},
        {"Left", RegistryValue::ofDword(100)},
        {"Max", RegistryValue::ofDword(0xFFFFFFFFu)},
        {"Blob", raw(RegistryType::Binary, longBinary)},
        {"Empty", raw(RegistryType::Binary, "")},
        {"Expand", raw(static_cast<RegistryType>(2), std::string("%HOME%\0", 7))},
        {"Nothing", raw(RegistryType::None, "\x01")},
        {"Lines", RegistryValue::ofString(std::string("one\r\ntwo\0", 9))},
        {"Unicode", RegistryValue::ofString("Grüße, 日本")},
    };
    RegFileContents contents;
    contents.addKey("Software\\Jotwise\\Note").values = values;

    const std::string text = formatRegFile(contents, kUser);
    for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
        end = text.find('\n', start);
        EXPECT_LE(end - start, 80u) << text.substr(start, end - start);
    }
    const RegFileContents read = parseRegFile(text, kUser);
    EXPECT_TRUE(read.unreadable.empty()) << read.unreadable.front().reason;
    for (const auto& [name, value] : values)
        expectValue(read, "Software\\Jotwise\\Note", name, value);
    EXPECT_EQ(formatRegFile(read, kUser), text);
}

TEST(RegFileFormat, WritesKeysSortedWithTheirParents) {
    RegFileContents contents;
    contents.addKey("Software\\Jotwise\\Note\\Position").values = {
        {"Left", RegistryValue::ofDword(100)}};
    contents.addKey("Software\\Jotwise\\Categories").values = {
        {"", RegistryValue::ofString("Business;Calls")}};
    contents.addKey("Software\\Jotwise Extra");
    contents.addKey("");  // the root without values is left out

    EXPECT_EQ(formatRegFile(contents, kUser),
              "REGEDIT4\n\n"
              "[HKEY_CURRENT_USER\\Software]\n\n"
              "[HKEY_CURRENT_USER\\Software\\Jotwise]\n\n"
              "[HKEY_CURRENT_USER\\Software\\Jotwise\\Categories]\n"
              "@=\"Business;Calls\"\n\n"
              "[HKEY_CURRENT_USER\\Software\\Jotwise\\Note]\n\n"
              "[HKEY_CURRENT_USER\\Software\\Jotwise\\Note\\Position]\n"
              "\"Left\"=dword:00000064\n\n"
              "[HKEY_CURRENT_USER\\Software\\Jotwise Extra]\n\n");
}

TEST(RegFileFormat, ReadsFilesWrittenByOtherTools) {
    const std::string text =
        "\xEF\xBB\xBFREGEDIT4\r\n"
        "; a comment\r\n"
        "[hkey_current_user\\Software\\\\Jotwise\\]\r\n"
        "  \"Top\" = DWORD:0000002A  \r\n"
        "\"Blob\"=hex:01,02,\\\r\n"
        "  03,04\r\n"
        "\"Title\"=hex(1):48,69,00\r\n"
        "\"Count\"=hex(4):10,00,00,00\r\n"
        "\"Many\"=hex(7):41,00,00";
    const RegFileContents read = parseRegFile(text, kUser);
    EXPECT_TRUE(read.unreadable.empty());
    expectValue(read, "Software\\Jotwise", "Top", RegistryValue::ofDword(42));
    expectValue(read, "Software\\Jotwise", "Blob", raw(RegistryType::Binary, "\x01\x02\x03\x04"));
    expectValue(read, "Software\\Jotwise", "Title", RegistryValue::ofString("Hi"));
    expectValue(read, "Software\\Jotwise", "Count", RegistryValue::ofDword(16));
    expectValue(read, "Software\\Jotwise", "Many",
                raw(static_cast<RegistryType>(7), std::string("A\0\0", 3)));
}

TEST(RegFileFormat, SkipsAndReportsWhatCannotBeRead) {
    const std::string text =
        "REGEDIT4\n"
        "\"Early\"=dword:00000001\n"                        // 2: before any key
        "[HKEY_CURRENT_USER\\Software\\Jotwise]\n"          // 3
        "\"Good\"=\"kept\"\n"                               // 4
        "%%% garbage %%%\n"                                 // 5
        "\"Short\"=dword:0064\n"                            // 6
        "\"Letters\"=dword:0000006g\n"                      // 7
        "\"Open\"=\"no end\n"                               // 8
        "\"Escape\"=\"a\\nb\"\n"                            // 9
        "\"OddDword\"=hex(4):01,02\n"                       // 10
        "\"After\"=dword:00000002\n"                        // 11
        "[HKEY_LOCAL_MACHINE\\Software]\n"                  // 12
        "\"Elsewhere\"=\"x\"\n"                             // 13
        "[HKEY_CURRENT_USER\\Software\\Jotwise\\Cut\n"      // 14
        "\"Orphan\"=\"x\"\n"                                // 15
        "[HKEY_CURRENT_USER\\Software\\Jotwise\\Binary]\n"  // 16
        "\"Bytes\"=hex:01,02,\\\n"                          // 17
        "[HKEY_CURRENT_USER\\Software\\Jotwise\\Last]\n"    // 18
        "\"Whole\"=\"yes\"\n"                               // 19
        "\"Truncated\"=hex:01,0";                           // 20
    const RegFileContents read = parseRegFile(text, kUser);

    expectValue(read, "Software\\Jotwise", "Good", RegistryValue::ofString("kept"));
    expectValue(read, "Software\\Jotwise", "After", RegistryValue::ofDword(2));
    expectValue(read, "Software\\Jotwise\\Last", "Whole", RegistryValue::ofString("yes"));
    ASSERT_NE(read.findKey("Software\\Jotwise"), nullptr);
    EXPECT_EQ(read.findKey("Software\\Jotwise")->values.size(), 2u);
    EXPECT_TRUE(read.keyExists("Software\\Jotwise\\Binary"));
    EXPECT_TRUE(read.findKey("Software\\Jotwise\\Binary")->values.empty());
    EXPECT_FALSE(read.keyExists("Software\\Jotwise\\Cut"));

    std::vector<std::size_t> lines;
    for (const auto& bad : read.unreadable)
        lines.push_back(bad.lineNumber);
    EXPECT_THAT(lines, ElementsAre(2u, 5u, 6u, 7u, 8u, 9u, 10u, 12u, 13u, 14u, 15u, 17u, 20u));
    EXPECT_THAT(read.unreadable,
                testing::Contains(Field(&RegUnreadableLine::text, "\"Open\"=\"no end")));
}

TEST(RegFileFormat, ReportsAMissingHeaderButKeepsTheKeys) {
    const RegFileContents read =
        parseRegFile("[HKEY_CURRENT_USER\\A]\n\"x\"=dword:00000001\n", kUser);
    ASSERT_EQ(read.unreadable.size(), 1u);
    EXPECT_EQ(read.unreadable[0].lineNumber, 1u);
    expectValue(read, "A", "x", RegistryValue::ofDword(1));

    EXPECT_TRUE(parseRegFile("", kUser).unreadable.empty());
    EXPECT_TRUE(parseRegFile("\n  \n", kUser).unreadable.empty());
}

TEST(RegFileFormat, NamesIgnoreCaseAndKeepTheirFirstSpelling) {
    const RegFileContents read = parseRegFile(
        "REGEDIT4\n"
        "[HKEY_CURRENT_USER\\Software\\Jotwise]\n"
        "\"Name\"=\"first\"\n"
        "\"Other\"=\"o\"\n"
        "[HKEY_CURRENT_USER\\SOFTWARE\\JOTWISE]\n"
        "\"NAME\"=\"second\"\n"
        "[HKEY_CURRENT_USER\\SOFTWARE\\Tools]\n",
        kUser);
    EXPECT_EQ(read.keys.size(), 2u);
    const RegKeyEntry* key = read.findKey("software\\jotwise");
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->path, "Software\\Jotwise");
    ASSERT_EQ(key->values.size(), 2u);
    EXPECT_EQ(key->values[0].name, "Name");
    EXPECT_EQ(key->values[0].value.text, "second");
    // A new key reuses the spelling of the parent that already exists.
    ASSERT_NE(read.findKey("software\\tools"), nullptr);
    EXPECT_EQ(read.findKey("software\\tools")->path, "Software\\Tools");

    EXPECT_TRUE(read.keyExists("SOFTWARE"));
    EXPECT_TRUE(read.keyExists(""));
    EXPECT_FALSE(read.keyExists("Soft"));
    EXPECT_FALSE(read.keyExists("Software\\Jotwise\\Note"));
}

}  // namespace
}  // namespace platform
