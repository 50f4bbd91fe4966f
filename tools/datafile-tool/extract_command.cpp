#include <system_error>
#include <vector>

#include "codepage.h"
#include "commands.h"
#include "file_io.h"
#include "examination.h"
#include "install/datafile/data_file_validation.h"
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
        const datafile::Placement place = datafile::Place(e.targetType, osClass);
        if (place == datafile::Placement::Skip) continue;
        if (std::uint64_t(e.offset) + e.size > bytes.size()) {
            err << "extract: the content of \"" << Utf16ToUtf8(*DecodeCp932(e.name)) << "\" runs past the end of the file\n";
            return kExitRefused;
        }
        const std::u16string stored = *DecodeCp932(e.name);
        const bool system = place == datafile::Placement::SystemFolder;
        const std::u16string name = system ? datafile::RemovePrefix(stored) : stored;
        const fs::path path = UnderFolder(system ? systemDir : destDir, name);

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
        out << (system ? "system" : "dest") << "\\" << Utf16ToUtf8(name) << "  " << e.size << " bytes\n";
        ++written;
    }
    out << "extracted " << written << " files for class " << osClass << " into " << PathText(dir) << "\n";
    return kExitOk;
}

}  // namespace dftool
