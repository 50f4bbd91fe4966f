// One timestamp rule: for every stamp, the rule names a moment exactly when the data-file tool neither
// warns nor refuses, and the tool's extraction sets a time only then. The setup's own conversion to a
// file time is judged on the files it installs (tests/gui/install_test.cpp, the class rows).
#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "examination.h"
#include "install/datafile/entry_rules.h"
#include "timestamp.h"

namespace {

using Stored = std::array<char, datafile::kTimestampSize>;

// What verify says of one entry with this stamp.
bool ToolWarns(const Stored& stamp) {
    return !dftool::CheckClass({1, {{"a.txt", stamp, 96, 1}}}, 97, datafile::kTargetDestFolder).warnings.empty();
}

TEST(TimestampRule, TheSetupAndTheToolAgreeOnEveryStamp) {
    const std::pair<const char*, bool> rows[] = {  // the stamp, whether it names a moment
        {"20240229235958", true},  {"19700101000000", true},  {"20371231235959", true},  {"20000229120000", true},
        {"20241401000000", false}, {"20240101240000", false}, {"19691231235959", false}, {"20380101000000", false},
        {"20240001000000", false}, {"20230229000000", false}, {"19000229000000", false}, {"20240431000000", false},
        {"20240100000000", false}, {"20240101006000", false}, {"20240101000060", false}, {"20230230000000", false},
        {"2024010100000", false},  {"20240101 00000", false}};  // the last digit missing; a blank for a digit
    for (const auto& [text, moment] : rows) {
        Stored stamp{};
        std::memcpy(stamp.data(), text, std::strlen(text));
        EXPECT_EQ(datafile::ParseTimestamp(stamp).has_value(), moment) << text;
        EXPECT_EQ(ToolWarns(stamp), !moment) << text;
        EXPECT_EQ(dftool::CheckTimestamp(text).empty(), moment) << text;
        EXPECT_FALSE(!moment && dftool::LocalTimeOf(stamp)) << text << ": extract would set a time";
    }
}

}  // namespace
