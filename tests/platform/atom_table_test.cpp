#include "platform/atom_table.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace platform {
namespace {

TEST(AtomTable, NamesAreCaseInsensitiveAndReferenceCounted) {
    AtomTable table;
    const auto atom = table.add("TaskbarCreated");
    EXPECT_GE(atom, AtomTable::kFirstAtom);
    EXPECT_EQ(table.add("TASKBARCREATED"), atom);
    EXPECT_EQ(table.find("taskbarcreated"), atom);
    EXPECT_EQ(table.name(atom), "TaskbarCreated");
    EXPECT_NE(table.add("Other"), atom);

    EXPECT_TRUE(table.remove(atom));
    EXPECT_EQ(table.find("TaskbarCreated"), atom) << "one reference is left";
    EXPECT_TRUE(table.remove(atom));
    EXPECT_EQ(table.find("TaskbarCreated"), 0);
    EXPECT_EQ(table.name(atom), "");
    EXPECT_FALSE(table.remove(atom));
}

TEST(AtomTable, RejectsBadNamesAndUnknownAtoms) {
    AtomTable table;
    EXPECT_EQ(table.add(""), 0);
    EXPECT_EQ(table.add(std::string(AtomTable::kMaxNameLength + 1, 'x')), 0);
    EXPECT_NE(table.add(std::string(AtomTable::kMaxNameLength, 'x')), 0);
    EXPECT_FALSE(table.remove(0));
    EXPECT_FALSE(table.remove(0x1234));
    EXPECT_FALSE(table.remove(0xFFFF));
    EXPECT_EQ(table.name(0xC123), "");
}

TEST(AtomTable, FillsExactlyTheAtomRangeAndReusesFreedAtoms) {
    AtomTable table;
    std::vector<std::uint16_t> atoms;
    for (int i = 0; i < 0x4000; ++i) {
        atoms.push_back(table.add("a" + std::to_string(i)));
        ASSERT_GE(atoms.back(), AtomTable::kFirstAtom) << i;
    }
    EXPECT_EQ(table.add("one too many"), 0);
    EXPECT_EQ(table.add("A100"), atoms[100]) << "existing names still resolve when full";
    EXPECT_TRUE(table.remove(atoms[5]));
    const auto reused = table.add("late");
    EXPECT_EQ(reused, atoms[5]);
    EXPECT_EQ(table.name(reused), "late");
}

TEST(AtomTable, ConcurrentAddsOfOneNameShareOneAtom) {
    AtomTable& table = globalAtomTable();
    std::vector<std::uint16_t> seen(8);
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < seen.size(); ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 1000; ++i)
                seen[t] = table.add(i % 2 ? "Shared" : "SHARED");
        });
    }
    for (auto& thread : threads)
        thread.join();
    for (const auto atom : seen)
        EXPECT_EQ(atom, seen[0]);
    for (int i = 0; i < 8000 - 1; ++i)
        ASSERT_TRUE(table.remove(seen[0]));
    EXPECT_EQ(table.find("shared"), seen[0]) << "one reference is left";
    EXPECT_TRUE(table.remove(seen[0]));
    EXPECT_EQ(table.find("shared"), 0);
}

}  // namespace
}  // namespace platform
