#include "install/datafile/installed_name.h"

#include "install/datafile/os_classes.h"

namespace datafile {

Placement Place(std::uint8_t targetType, int osClass) {
    if (targetType == kTargetDestFolder) return Placement::DestFolder;
    if (int(targetType) == osClass) return Placement::SystemFolder;
    // The class-3 files also serve class 5, from the destination folder.
    if (targetType == kOsNt6Minor0 && osClass == kOsNt6Other) return Placement::DestFolder;
    return Placement::Skip;
}

std::u16string RemovePrefix(const std::u16string& name) {
    std::size_t start = 0;
    bool marked = false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == u'%') {
            start = i + 2;
            marked = true;
        }
    }
    if (!marked) return name;
    return start >= name.size() ? std::u16string() : name.substr(start);
}

EntryLanding InstalledName(const EntryRecord& entry, int osClass, const AnsiDecoder& decode) {
    EntryLanding landing;
    landing.place = Place(entry.targetType, osClass);
    if (landing.place == Placement::Skip) return landing;
    landing.name = decode(entry.name);
    if (landing.place == Placement::SystemFolder) landing.name = RemovePrefix(landing.name);
    return landing;
}

}  // namespace datafile
