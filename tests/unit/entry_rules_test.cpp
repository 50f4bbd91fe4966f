// The shared judgement of installed entries' names and timestamps.
#include <gtest/gtest.h>

#include <cstring>

#include "install/datafile/entry_rules.h"

namespace datafile {
namespace {

TEST(EntryRules, NamesThatWindowsRefusesOrReadsOtherwise) {
    const struct {
        const char16_t* name;
        NameIssue issue;
    } cases[] = {
        {u"", NameIssue::Empty},
        {u"\\x.txt", NameIssue::Absolute},
        {u"/x.txt", NameIssue::Absolute},
        {u"C:x.txt", NameIssue::Drive},
        {u"\\\\server\\x", NameIssue::Network},
        {u"sub\\\\x", NameIssue::EmptyComponent},
        {u"sub\\", NameIssue::EmptyComponent},
        {u".\\x", NameIssue::DotsOnly},
        {u"a\\..\\..\\x", NameIssue::DotsOnly},
        {u".. \\x", NameIssue::DotsOnly},
        {u"...", NameIssue::DotsOnly},
        {u"readme.txt:hidden", NameIssue::ForbiddenCharacter},
        {u"a*.txt", NameIssue::ForbiddenCharacter},
        {u"a?", NameIssue::ForbiddenCharacter},
        {u"a|b", NameIssue::ForbiddenCharacter},
        {u"a<b>", NameIssue::ForbiddenCharacter},
        {u"say\"hi\"", NameIssue::ForbiddenCharacter},
        {u"tab\tname", NameIssue::ForbiddenCharacter},
        {u"\x1f", NameIssue::ForbiddenCharacter},
        {u"readme.txt.", NameIssue::TrailingDotOrBlank},
        {u"readme.txt ", NameIssue::TrailingDotOrBlank},
        {u"dir.\\x", NameIssue::TrailingDotOrBlank},
        {u"NUL.txt", NameIssue::ReservedDevice},
        {u"com1", NameIssue::ReservedDevice},
        {u"aux", NameIssue::ReservedDevice},
        {u"Con.tar.gz", NameIssue::ReservedDevice},
        {u"sub\\lpt9.log", NameIssue::ReservedDevice},
        {u"prn .txt", NameIssue::ReservedDevice},
        {u"nul..txt", NameIssue::ReservedDevice},
        {u"lpt5\\x", NameIssue::ReservedDevice},
        // Only look close: they install.
        {u"nul1.txt", NameIssue::None},
        {u"con-fig.txt", NameIssue::None},
        {u"com0", NameIssue::None},
        {u"lpt10", NameIssue::None},
        {u"a.b.c", NameIssue::None},
        {u".profile", NameIssue::None},
        {u"sub dir\\ｶﾀｶﾅ 辞書.dat", NameIssue::None},
        {u"drivers\\kv.sys", NameIssue::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name, c.name + std::char_traits<char16_t>::length(c.name)));
        EXPECT_EQ(JudgeInstalledName(c.name), c.issue);
    }
}

TEST(EntryRules, NamesCompareAsWindowsComparesThem) {
    EXPECT_EQ(CaseFolded(u"data.bin"), CaseFolded(u"DATA.BIN"));
    EXPECT_EQ(CaseFolded(u"sub/Ünï.txt"), CaseFolded(u"SUB\\ÜNÏ.TXT"));
    EXPECT_EQ(CaseFolded(u"ａｂｃ"), CaseFolded(u"ＡＢＣ"));
    EXPECT_EQ(CaseFolded(u"σς"), CaseFolded(u"ΣΣ"));
    EXPECT_EQ(CaseFolded(u"ёж"), CaseFolded(u"ЁЖ"));
    EXPECT_NE(CaseFolded(u"data1.bin"), CaseFolded(u"data.bin"));
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
    for (const char* valid : {"19700101000000", "20371231235959", "20000229120000"}) {
        EXPECT_TRUE(ParseTimestamp(Stored(valid))) << valid;
    }
    for (const char* invalid : {"19691231235959", "20380101000000", "20241301000000", "20240001000000",
                                "20230229000000", "19000229000000", "20240431000000", "20240100000000",
                                "20240101240000", "20240101006000", "20240101000060", "2024010100000",
                                "2024-1-1 00:00", "20240101 00000", "+2024010100000", ""}) {
        EXPECT_FALSE(ParseTimestamp(Stored(invalid))) << "\"" << invalid << "\"";
    }
}

}  // namespace
}  // namespace datafile
