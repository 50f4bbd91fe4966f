#include <system_error>
#include <vector>

#include "commands.h"
#include "entry_name.h"
#include "file_io.h"
#include "examination.h"
#include "install/datafile/installed_name.h"
#include "timestamp.h"
#include "utf.h"

namespace dftool {

namespace fs = std::filesystem;

namespace {

// Names use '\' between folders, as on Windows; the shape was checked before.
fs::path UnderFolder(const fs::path& folder, const std::u16string& name) {
    fs::path path = folder;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = name.find(u'\\', start);
        path /= fs::u8path(Utf16ToUtf8(name.substr(start, end == std::u16string::npos ? end : end - start)));
        if (end == std::u16string::npos) return path;
        start = end + 1;
    }
}

}  // namespace

int Extract(const fs::path& dataFile, int osClass, const fs::path& dir, std::ostream& out, std::ostream& err) {
    std::vector<std::uint8_t> bytes;
    std::string error;
    if (!ReadWholeFile(dataFile, &bytes, &error)) {
        err << "extract: " << error << "\n";
        return kExitIo;
    }
    // Everything is judged before the first file is written, as the setup does.
    const FileChecks checks = CheckFile(bytes);
    bool refused = false;
    if (!checks.signature) err << "extract: the signature check failed\n", refused = true;
    if (!checks.version) err << "extract: the version check failed\n", refused = true;
    if (!checks.crc) err << "extract: the CRC check failed\n", refused = true;
    if (!checks.tableRead) err << "extract: " << checks.tableError << "\n", refused = true;
    if (checks.tableRead) {
        const ClassCheck cc = CheckClass(checks.table, bytes.size(), osClass);
        for (const std::string& p : cc.problems) err << "extract: class " << osClass << ": " << p << "\n";
        for (const std::string& w : cc.warnings) err << "extract: class " << osClass << ": warning: " << w << "\n";
        refused = refused || !cc.problems.empty();
    }
    if (refused) {
        err << "extract: " << PathText(dataFile) << " refused, nothing written\n";
        return kExitRefused;
    }

    const fs::path destDir = dir / "dest";
    const fs::path systemDir = dir / "system";
    std::size_t written = 0;
    for (const datafile::EntryRecord& e : checks.table.entries) {
        const datafile::EntryLanding landing = datafile::InstalledName(e, osClass, DecodeStoredName);
        if (landing.place == datafile::Placement::Skip) continue;
        const bool system = landing.place == datafile::Placement::SystemFolder;
        const fs::path path = UnderFolder(system ? systemDir : destDir, landing.name);

        std::error_code ec;
        fs::create_directories(path.parent_path(), ec);
        if (ec) {
            err << "extract: cannot create the folder \"" << PathText(path.parent_path()) << "\": " << ec.message()
                << "\n";
            return kExitIo;
        }
        const auto stamp = LocalTimeOf(e.timestamp);  // without one, the file keeps the time of writing
        if (!WriteWholeFile(path, bytes.data() + e.offset, e.size, &error) ||
            (stamp && !SetModificationTime(path, *stamp, &error))) {
            err << "extract: " << error << "\n";
            return kExitIo;
        }
        out << (system ? "system" : "dest") << "\\" << Utf16ToUtf8(landing.name) << "  " << e.size << " bytes\n";
        ++written;
    }
    out << "extracted " << written << " files for class " << osClass << " into " << PathText(dir) << "\n";
    return kExitOk;
}

}  // namespace dftool
