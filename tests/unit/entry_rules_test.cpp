// The shared judgement of installed entries' names and timestamps.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "install/datafile/entry_rules.h"

namespace datafile {
namespace {

TEST(EntryRules, NamesThatWindowsRefusesOrReadsOtherwise) {
    const std::pair<NameIssue, std::vector<std::u16string>> cases[] = {
        {NameIssue::Empty, {u""}},
        {NameIssue::Absolute, {u"\\x.txt", u"/x.txt"}},
        {NameIssue::Drive, {u"C:x.txt"}},
        {NameIssue::Network, {u"\\\\server\\x"}},
        {NameIssue::EmptyComponent, {u"sub\\\\x", u"sub\\"}},
        {NameIssue::DotsOnly, {u".\\x", u"a\\..\\..\\x", u".. \\x", u"..."}},
        {NameIssue::ForbiddenCharacter,
         {u"readme.txt:hidden", u"a*.txt", u"a?", u"a|b", u"a<b>", u"say\"hi\"", u"tab\tname", u"\x1f"}},
        {NameIssue::TrailingDotOrBlank, {u"readme.txt.", u"readme.txt ", u"dir.\\x"}},
        {NameIssue::ReservedDevice,
         {u"NUL.txt", u"com1", u"aux", u"Con.tar.gz", u"sub\\lpt9.log", u"prn .txt", u"nul..txt", u"lpt5\\x"}},
        // Only look close: they install.
        {NameIssue::None, {u"nul1.txt", u"con-fig.txt", u"com0", u"lpt10", u"a.b.c", u".profile",
                           u"sub dir\\ｶﾀｶﾅ 辞書.dat", u"drivers\\kv.sys"}},
    };
    for (const auto& [issue, names] : cases) {
        for (const std::u16string& name : names) {
            EXPECT_EQ(JudgeInstalledName(name), issue) << std::string(name.begin(), name.end());
        }
    }
}

TEST(EntryRules, NamesCompareAsWindowsComparesThem) {
    // ASCII names and separators are the validation's same-file rows.
    EXPECT_EQ(CaseFolded(u"sub/Ünï.txt"), CaseFolded(u"SUB\\ÜNÏ.TXT"));
    EXPECT_EQ(CaseFolded(u"ａｂｃ"), CaseFolded(u"ＡＢＣ"));
    EXPECT_EQ(CaseFolded(u"σς"), CaseFolded(u"ΣΣ"));
    EXPECT_EQ(CaseFolded(u"ёж"), CaseFolded(u"ЁЖ"));
    EXPECT_NE(CaseFolded(u"ｶ"), CaseFolded(u"カ")) << "half- and full-width kana are different names";
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
