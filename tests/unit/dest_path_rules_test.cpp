#include "pages/dest_path_rules.h"

#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

namespace {

TEST(DestPathRules, TrimsOnlyLeadingWindowsSpace) {
    for (char16_t space : {0x0009, 0x000D, 0x0020, 0x0085, 0x00A0, 0x1680, 0x2000, 0x2005, 0x200A, 0x2028, 0x2029,
                           0x202F, 0x205F, 0x3000})
        EXPECT_EQ(pages::TrimLeadingSpace(std::u16string(2, space) + u"C:\\K" + space), std::u16string(u"C:\\K") + space)
            << "U+" << std::hex << static_cast<int>(space);
    // Zero-width space, backspace and word joiner look blank but are not spaces.
    for (const std::u16string path : {u"\u200BC:\\", u"\u0008C:\\", u"\u2060C:\\", u"\u200CC:\\"})
        EXPECT_EQ(pages::TrimLeadingSpace(path), path);
    EXPECT_EQ(pages::TrimLeadingSpace(u" \u3000 "), u"");
}

TEST(DestPathRules, NextAcceptsOnlyDriveRootFormWithUsableFolderNames) {
    // "1:\A" passes the form; the drive test refuses it later. The caller trims first.
    for (const std::u16string path : {u"C:\\", u"c:\\Program Files\\KORVENTA", u"C:\\\\A\\\\B\\", u"1:\\A"})
        EXPECT_EQ(std::make_pair(pages::HasDriveRootForm(path), pages::HasValidFolderNames(path)), std::make_pair(true, true));
    for (const std::u16string path : {u"", u"C:", u"C:KORVENTA\\x", u"\\\\server\\share", u":\\", u"CC:\\", u"C\\:", u" C:\\", u"C:/dir/x"})
        EXPECT_FALSE(pages::HasDriveRootForm(path));
    // The folders after the drive's colon go by the Windows name rule, whose table has the rest.
    for (const std::u16string path : {u"C:\\x\\con", u"C:\\a:b"}) EXPECT_FALSE(pages::HasValidFolderNames(path));
}

TEST(DestPathRules, DriveLetterSelectsMaskBit) {
    const std::uint32_t cAndD = (1u << 2) | (1u << 3);
    const std::tuple<std::u16string, std::uint32_t, bool> rows[] = {  // path, drives, valid
        {u"C:\\K", cAndD, true},   {u"d:", cAndD, true},      {u"E:\\K", cAndD, false}, {u"B:\\K", cAndD, false},
        {u"A:\\", 1u, true},       {u"z:\\", 1u << 25, true}, {u"Z:\\", 1u << 25, true}, {u"Y:\\", 1u << 25, false},
    };
    for (const auto& [path, mask, valid] : rows) EXPECT_EQ(pages::IsDriveValid(path, mask), valid) << mask;
    // Neighbours of the letter ranges and malformed paths, with every drive present.
    for (const std::u16string path : {u"@:\\", u"[:\\", u"`:\\", u"{:\\", u"Ｃ:\\", u"", u"C", u"CC:\\"})
        EXPECT_FALSE(pages::IsDriveValid(path, 0xFFFFFFFFu));
}

TEST(DestPathRules, FolderChainWalksThePath) {
    const std::pair<std::u16string, std::vector<std::u16string>> rows[] = {
        {u"C:\\A\\B\\C", {u"C:\\A", u"C:\\A\\B", u"C:\\A\\B\\C"}}, {u"C:\\\\", {}}, {u"C:\\A\\\\B", {u"C:\\A", u"C:\\A\\B"}},
        {u"C:\\\\A", {u"C:\\A"}}, {u"C:\\A\\", {u"C:\\A", u"C:\\A\\"}},
        {u"C:\\A\\\\", {u"C:\\A"}},  // the second backslash of a trailing pair is skipped before the end is seen
    };
    for (const auto& [path, chain] : rows) EXPECT_EQ(pages::FolderChain(path), chain);
}

TEST(DestPathRules, DefaultOnTheSystemDriveAndLongestDestination) {
    EXPECT_EQ(pages::DefaultDestDir(u"D:\\Windows\\SysWOW64"), u"D:\\Program Files\\KORVENTA\\mv-t30582");
    const std::u16string longest = u"C:\\" + std::u16string(223, u'k');  // + "\" + 32 = 259
    EXPECT_TRUE(pages::FitsDestLength(longest));
    EXPECT_FALSE(pages::FitsDestLength(longest + u'k'));
}

}  // namespace
