// The shared judgement of installed entries' names and timestamps.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "install/datafile/entry_rules.h"

namespace datafile {
namespace {

// The parts' own rule is the Windows name rule's table; an installed name must also stay inside its
// folder.
TEST(EntryRules, InstalledNamesAreRelativeWithUsableParts) {
    const std::pair<NameIssue, std::vector<std::u16string>> cases[] = {
        {NameIssue::Empty, {u""}},
        {NameIssue::Absolute, {u"\\x.txt", u"/x.txt"}},
        {NameIssue::Drive, {u"C:x.txt", u"z:"}},
        {NameIssue::Network, {u"\\\\server\\x", u"//server/x", u"\\/x"}},
        {NameIssue::DotsOnly, {u"a\\..\\..\\x"}},
        {NameIssue::ReservedDevice, {u"sub\\nul.txt"}},
        {NameIssue::None, {u"drivers\\kv.sys", u"x"}},
    };
    for (const auto& [issue, names] : cases) {
        for (const std::u16string& name : names) {
            EXPECT_EQ(JudgeInstalledName(name), issue) << std::string(name.begin(), name.end());
        }
    }
}

std::array<char, kTimestampSize> Stored(const char* text) {
    std::array<char, kTimestampSize> stored{};
    std::memcpy(stored.data(), text, std::strlen(text));
    return stored;
}

TEST(EntryRules, Timestamps) {
    const auto t = ParseTimestamp(Stored("20240229235958"));
    ASSERT_TRUE(t);
    EXPECT_EQ((std::array<int, 6>{t->year, t->month, t->day, t->hour, t->minute, t->second}),
              (std::array<int, 6>{2024, 2, 29, 23, 59, 58}));
    for (const char* valid : {"19700101000000", "20371231235959", "20000229120000"})
        EXPECT_TRUE(ParseTimestamp(Stored(valid))) << valid;
    for (const char* invalid : {"19691231235959", "20380101000000", "20241301000000", "20240001000000",
                                "20230229000000", "19000229000000", "20240431000000", "20240100000000",
                                "20240101240000", "20240101006000", "20240101000060", "2024010100000",
                                "2024-1-1 00:00", "20240101 00000", "+2024010100000", ""})
        EXPECT_FALSE(ParseTimestamp(Stored(invalid))) << "\"" << invalid << "\"";
}

}  // namespace
}  // namespace datafile
