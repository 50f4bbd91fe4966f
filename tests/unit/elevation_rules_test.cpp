// The rules that keep an elevated setup safe from what lies beside it: the DLL search per system,
// and which temporary files a run may remove.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "framework/dll_search_plan.h"
#include "install/temp_names.h"

namespace {

TEST(DllSearchPlan, RestrictsWhereItCanAndLoadsTheListFirstElsewhere) {
    using win::kLoadLibrarySearchSystem32, win::kLoadWithAlteredSearchPath;
    const std::tuple<const char*, bool, int, int, bool, bool, bool, std::uint32_t> rows[] = {
        // what, SetDefaultDllDirectories, major, minor, .local, restrict, preload, full-path flags
        {"Windows 2000", false, 5, 0, false, false, true, kLoadWithAlteredSearchPath},
        {"Windows 2000 with a .local: nothing loads before the refusal", false, 5, 0, true, false, false, kLoadWithAlteredSearchPath},
        {"XP with a .local, which it ignores", false, 5, 1, true, false, true, kLoadWithAlteredSearchPath},
        {"Vista with KB2533623: not restricted", true, 6, 0, false, false, true, kLoadWithAlteredSearchPath},
        {"7 without KB2533623", false, 6, 1, false, false, true, kLoadWithAlteredSearchPath},
        {"7 with KB2533623", true, 6, 1, false, true, true, kLoadLibrarySearchSystem32},
        {"10 with a .local", true, 10, 0, true, true, true, kLoadLibrarySearchSystem32},
    };
    for (const auto& [what, can, major, minor, dotLocal, restrict, preload, flags] : rows) {
        const win::DllSearchPlan p = win::PlanDllSearch(can, major, minor, dotLocal);
        EXPECT_EQ(std::make_tuple(p.restrictDefault, p.preload, p.fullPathFlags), std::make_tuple(restrict, preload, flags)) << what;
    }
}

TEST(TempNames, OnlyTheSetupsOwnAreRecognised) {
    EXPECT_EQ(install::TempName(0xBEEF01u), u"~KVSETUP00BEEF01.tmp");
    EXPECT_TRUE(install::IsTempName(install::TempName(0xFFFFFFFFu)));
    EXPECT_TRUE(install::IsTempName(u"~kvsetup0000abcd.TMP"));
    for (const char16_t* other : {u"~KVSETUP0000ABC.tmp", u"~KVSETUP0000ABCDE.tmp", u"~KVSETUP0000ABCG.tmp",
                                  u"~KVSETUP0000ABCD.tmp.exe", u"KVSETUP0000ABCD.tmp", u"~KVSETUP0000ABCD.dll",
                                  u"~KVSETUP0000 BCD.tmp", u"readme.tmp"})
        EXPECT_FALSE(install::IsTempName(other)) << std::string(other, other + 12);
}

}  // namespace
