// The Windows name rule that installed entries and destination folders share.
#include "install/datafile/windows_names.h"

#include <gtest/gtest.h>

#include <vector>

namespace datafile {
namespace {

TEST(WindowsNames, PartsThatWindowsRefusesOrReadsOtherwise) {
    const std::pair<NameIssue, std::vector<std::u16string>> cases[] = {
        {NameIssue::EmptyComponent, {u"sub\\\\x", u"sub\\", u"sub//x", u"/x", u""}},
        {NameIssue::DotsOnly, {u".\\x", u"a\\..\\..\\x", u"a/../x", u".. \\x", u"..."}},
        {NameIssue::ForbiddenCharacter, {u"readme.txt:hidden", u"a*.txt", u"a?", u"a|b", u"a<b>", u"say\"hi\"", u"\x1f"}},
        {NameIssue::TrailingDotOrBlank, {u"readme.txt.", u"readme.txt ", u"dir.\\x", u"dir /x"}},
        {NameIssue::ReservedDevice, {u"NUL.txt", u"com1", u"aux", u"Con.tar.gz", u"sub\\lpt9.log", u"prn .txt", u"lpt5\\x"}},
        // Only look close: they install. Full-width letters name no device on their own.
        {NameIssue::None, {u"nul1.txt", u"con-fig.txt", u"com0", u"lpt10", u"a.b.c", u".profile", u"ｃｏｎ",
                           u"sub dir\\ｶﾀｶﾅ 辞書.dat", u"drivers/kv.sys"}},
    };
    for (const auto& [issue, names] : cases)
        for (const std::u16string& name : names) EXPECT_EQ(JudgePathParts(name), issue) << std::string(name.begin(), name.end());
}

TEST(WindowsNames, NamesCompareAsWindowsComparesThem) {
    // ASCII names and separators are the validation's same-file rows.
    EXPECT_EQ(CaseFolded(u"sub/Ünï.txt"), CaseFolded(u"SUB\\ÜNÏ.TXT"));
    EXPECT_EQ(CaseFolded(u"ａｂｃ"), CaseFolded(u"ＡＢＣ"));
    EXPECT_EQ(CaseFolded(u"σς"), CaseFolded(u"ΣΣ"));
    EXPECT_EQ(CaseFolded(u"ёж"), CaseFolded(u"ЁЖ"));
    EXPECT_NE(CaseFolded(u"ｶ"), CaseFolded(u"カ")) << "half- and full-width kana are different names";
}

}  // namespace
}  // namespace datafile
