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

// Which stamps name a moment is the timestamp rule's table, where the setup and the tool must agree.
TEST(EntryRules, TimestampFields) {
    std::array<char, kTimestampSize> stored{};
    std::memcpy(stored.data(), "20240229235958", 14);
    const auto t = ParseTimestamp(stored);
    ASSERT_TRUE(t);
    EXPECT_EQ((std::array<int, 6>{t->year, t->month, t->day, t->hour, t->minute, t->second}),
              (std::array<int, 6>{2024, 2, 29, 23, 59, 58}));
}

}  // namespace
}  // namespace datafile
