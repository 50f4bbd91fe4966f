// What an installed entry's name adds to the Windows name rule: it stays inside its folder. Which
// stamps name a moment is the timestamp rule's table, where the setup and the tool must agree.
#include <gtest/gtest.h>

#include <vector>

#include "install/datafile/entry_rules.h"

namespace datafile {
namespace {

TEST(EntryRules, InstalledNamesAreRelativeWithUsableParts) {
    const std::pair<NameIssue, std::vector<std::u16string>> cases[] = {
        {NameIssue::Empty, {u""}},
        {NameIssue::Absolute, {u"\\x.txt", u"/x.txt"}},
        {NameIssue::Drive, {u"C:x.txt", u"z:"}},
        {NameIssue::Network, {u"\\\\server\\x", u"//server/x", u"\\/x"}},
        {NameIssue::ReservedDevice, {u"sub\\nul.txt"}},  // the parts' own rule, the Windows name rule's table
        {NameIssue::None, {u"drivers\\kv.sys", u"x"}},
    };
    for (const auto& [issue, names] : cases)
        for (const std::u16string& name : names) EXPECT_EQ(JudgeInstalledName(name), issue) << std::string(name.begin(), name.end());
}

}  // namespace
}  // namespace datafile
