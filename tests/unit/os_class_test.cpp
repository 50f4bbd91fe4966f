#include "install/os_class.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(OsClass, MapsEveryVersionRowAndAsksAboutWow64OnlyFromNt6) {
    const std::tuple<const char*, install::OsVersion, bool, int, bool> rows[] = {  // what, version, WOW64, class, asked
        {"query failed", {false, 2, 10, 0}, true, 0, false},
        {"Win32s platform", {true, 0, 6, 1}, false, -1, false},
        {"9x platform with a high major", {true, 1, 6, 0}, true, -1, false},
        // NT 4 to 6.1 as Wine reports them are the GUI's class rows.
        {"64-bit NT 5.0", {true, 2, 5, 0}, true, 1, false},
        {"64-bit NT 5.2", {true, 2, 5, 2}, true, 2, false},
        {"NT 10.0", {true, 2, 10, 0}, false, 3, true},
        {"NT 10.0 under WOW64", {true, 2, 10, 0}, true, 4, true},
    };
    for (const auto& [what, version, wow64, expected, wow64Asked] : rows) {
        int asked = 0;
        EXPECT_EQ(install::GetOsClass(version, [&, wow64 = wow64] { return ++asked, wow64; }), expected) << what;
        EXPECT_EQ(asked, wow64Asked ? 1 : 0) << what;
    }
    EXPECT_EQ(install::GetOsClass({true, 2, 6, 2}, nullptr), 5) << "no WOW64 query means not WOW64";
}

}  // namespace
