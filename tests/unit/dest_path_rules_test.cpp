#include "pages/dest_path_rules.h"

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

TEST(DestPathRules, TrimsOnlyLeadingWindowsSpace) {
    const char16_t spaces[] = {0x0009, 0x000A, 0x000B, 0x000C, 0x000D, 0x0020, 0x0085, 0x00A0, 0x1680,
                               0x2000, 0x2005, 0x200A, 0x2028, 0x2029, 0x202F, 0x205F, 0x3000};
    for (char16_t space : spaces) {
        const std::u16string typed = std::u16string(2, space) + u"C:\\K" + space;
        EXPECT_EQ(pages::TrimLeadingSpace(typed), std::u16string(u"C:\\K") + space)
            << "U+" << std::hex << static_cast<int>(space);
    }
    // Zero-width space, backspace and word joiner look blank but are not spaces.
    const std::u16string kept[] = {u"\u200BC:\\", u"\u0008C:\\", u"\u2060C:\\", u"C:\\a b "};
    for (const std::u16string& path : kept) EXPECT_EQ(pages::TrimLeadingSpace(path), path);
    EXPECT_EQ(pages::TrimLeadingSpace(u" \u3000 "), u"");
}

TEST(DestPathRules, NextAcceptsOnlyDriveRootForm) {
    // "1:\A" passes the form; the drive test refuses it later. The caller trims first.
    const std::u16string accepted[] = {u"C:\\", u"c:\\Program Files\\KORVENTA", u"C:\\\\A", u"1:\\A"};
    const std::u16string refused[] = {u"", u"C:", u"C:KORVENTA", u"C:KORVENTA\\x", u"\\\\server\\share",
                                      u"KORVENTA\\mv-t30582", u"\\KORVENTA", u":\\", u"CC:\\", u"C\\:",
                                      u" C:\\"};
    for (const auto& path : accepted) EXPECT_TRUE(pages::HasDriveRootForm(path));
    for (const auto& path : refused) EXPECT_FALSE(pages::HasDriveRootForm(path));
}

TEST(DestPathRules, DriveLetterSelectsMaskBit) {
    const std::uint32_t cAndD = (1u << 2) | (1u << 3);
    const struct {
        std::u16string path;
        std::uint32_t mask;
        bool valid;
    } rows[] = {
        {u"C:\\K", cAndD, true},   {u"c:\\K", cAndD, true},     {u"d:", cAndD, true},
        {u"E:\\K", cAndD, false},  {u"B:\\K", cAndD, false},    {u"A:\\", 1u, true},
        {u"Z:\\", 1u << 25, true}, {u"z:\\", 1u << 25, true},   {u"Y:\\", 1u << 25, false},
    };
    for (const auto& row : rows) EXPECT_EQ(pages::IsDriveValid(row.path, row.mask), row.valid) << row.mask;
    // Neighbours of the letter ranges and malformed paths, with every drive present.
    const std::u16string invalid[] = {u"@:\\", u"[:\\", u"`:\\", u"{:\\", u"1:\\",
                                      u"Ｃ:\\", u"",    u"C",    u"CC:\\"};
    for (const auto& path : invalid) EXPECT_FALSE(pages::IsDriveValid(path, 0xFFFFFFFFu));
}

TEST(DestPathRules, FolderChainWalksThePath) {
    const struct {
        std::u16string path;
        std::vector<std::u16string> chain;
    } rows[] = {
        {u"C:\\A\\B\\C", {u"C:\\A", u"C:\\A\\B", u"C:\\A\\B\\C"}},
        {u"C:\\", {}},
        {u"C:\\\\", {}},
        {u"C:\\A", {u"C:\\A"}},
        {u"C:\\A\\\\B", {u"C:\\A", u"C:\\A\\B"}},
        {u"C:\\\\A", {u"C:\\A"}},
        {u"C:\\A\\", {u"C:\\A", u"C:\\A\\"}},
        // The second backslash of a trailing pair is skipped before the end is seen.
        {u"C:\\A\\\\", {u"C:\\A"}},
        {u"C:\\a b \\c", {u"C:\\a b ", u"C:\\a b \\c"}},
    };
    for (const auto& row : rows) EXPECT_EQ(pages::FolderChain(row.path), row.chain);
}

TEST(DestPathRules, LongDestinationLeavesRoomForEntryNames) {
    const std::u16string longest = u"C:\\" + std::u16string(223, u'k');  // + "\" + 32 = 259
    EXPECT_TRUE(pages::FitsDestLength(longest));
    EXPECT_FALSE(pages::FitsDestLength(longest + u'k'));
}

TEST(DestPathRules, FreeSpaceRootFollowsTrimmedPath) {
    const struct {
        std::u16string path;
        std::optional<std::u16string> root;
    } rows[] = {
        {u"C:\\Program Files", u"C:\\"}, {u"  \u3000d:\\x", u"d:\\"}, {u"E:", u"E:\\"},
        {u"E:x", u"E:\\"},              {u"x:y:", u"x:\\"},          {u"", std::nullopt},
        {u"  ", std::nullopt},          {u"C", std::nullopt},        {u"ab:\\", std::nullopt},
        {u"\\\\srv\\share", std::nullopt},
    };
    for (const auto& row : rows) EXPECT_EQ(pages::FreeSpaceRoot(row.path), row.root);
}

TEST(DestPathRules, DefaultDestinationOnSystemDrive) {
    EXPECT_EQ(pages::DefaultDestDir(u"C:\\WINDOWS\\system32"), u"C:\\Program Files\\KORVENTA\\mv-t30582");
    EXPECT_EQ(pages::DefaultDestDir(u"D:\\Windows\\SysWOW64"), u"D:\\Program Files\\KORVENTA\\mv-t30582");
}

}  // namespace
