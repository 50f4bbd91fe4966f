// Where an entry lands and under which name: the rule that validation, extraction and the tool share.
#include "install/datafile/installed_name.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "codepage.h"

namespace datafile {
namespace {

TEST(Place, FollowsTheTargetTypeTable) {
    // Types 0 to 5 and one more on the classes -1 to 5 are the GUI's class rows; these are the rest.
    const std::tuple<int, int, Placement> cases[] = {  // target type, class, placement
        {0, 0, Placement::DestFolder}, {1, 0, Placement::Skip}, {255, -1, Placement::Skip}, {6, 5, Placement::Skip}};
    for (const auto& [type, osClass, expected] : cases)
        EXPECT_EQ(Place(static_cast<std::uint8_t>(type), osClass), expected) << "type " << type << " class " << osClass;
}

// Decoded first, as the setup decodes on a Japanese system: the '%' then takes the whole double-byte
// character after it. In the system folder a name loses all up to the character after its last '%' (a
// full-width one is no prefix); whole for type 3 on class 5, which goes to the destination.
TEST(InstalledName, DecodesThenPlacesThenDropsThePrefixInTheSystemFolder) {
    const auto decode = [](const std::string& bytes) { return dftool::DecodeCp932(bytes).value_or(u"?"); };
    const std::tuple<const char*, int, int, Placement, std::u16string> cases[] = {  // stored, type, class, place, name
        {"%SystemRoot%\\drivers\\k.sys", 3, 3, Placement::SystemFolder, u"drivers\\k.sys"},
        {"%SystemRoot%\\drivers\\k.sys", 3, 5, Placement::DestFolder, u"%SystemRoot%\\drivers\\k.sys"},
        {"%SystemRoot%\\drivers\\k.sys", 3, 4, Placement::Skip, u""},
        {"%\x95\x5C.txt", 2, 2, Placement::SystemFolder, u".txt"}, {"%\x95\x5C.txt", 0, 2, Placement::DestFolder, u"%表.txt"},
        {"a%b%cd%\\e", 1, 1, Placement::SystemFolder, u"e"},  {"%%abc", 5, 5, Placement::SystemFolder, u"bc"},
        {"k.sys%", 2, 2, Placement::SystemFolder, u""}, {"\x81\x93\\w.dll", 2, 2, Placement::SystemFolder, u"％\\w.dll"},
    };
    for (const auto& [stored, type, osClass, place, name] : cases) {
        const EntryLanding landing = InstalledName({stored, {}, 0, 0, static_cast<std::uint8_t>(type)}, osClass, decode);
        EXPECT_EQ(std::make_pair(landing.place, landing.name), std::make_pair(place, name)) << stored << " on class " << osClass;
    }
}

}  // namespace
}  // namespace datafile
