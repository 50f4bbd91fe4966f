#include <string>
#include <vector>

#include "commands.h"
#include "file_io.h"
#include "manifest.h"
#include "packer.h"

namespace dftool {

int Pack(const std::filesystem::path& manifestPath, const std::filesystem::path& output,
         const std::string& formatVersion, std::ostream& out, std::ostream& err) {
    std::vector<std::uint8_t> text;
    std::string error;
    if (!ReadWholeFile(manifestPath, &text, &error)) {
        err << "pack: " << error << "\n";
        return kExitIo;
    }
    const Manifest manifest =
        ParseManifest(std::string(text.begin(), text.end()), manifestPath.parent_path());
    if (!manifest.errors.empty()) {
        for (const std::string& e : manifest.errors) err << "pack: " << PathText(manifestPath) << ", " << e << "\n";
        err << "pack: nothing written\n";
        return kExitRefused;
    }

    std::vector<PackEntry> entries;
    for (const ManifestEntry& m : manifest.entries) {
        PackEntry entry;
        entry.nameBytes = m.nameBytes;
        entry.timestamp = m.timestamp;
        entry.targetType = m.targetType;
        if (!ReadWholeFile(m.source, &entry.content, &error)) {
            err << "pack: " << PathText(manifestPath) << ", line " << m.line << ": " << error << "\n"
                << "pack: nothing written\n";
            return kExitIo;
        }
        entries.push_back(std::move(entry));
    }
    const std::vector<std::uint8_t> bytes = PackDataFile(entries, formatVersion, &error);
    if (!error.empty()) {
        err << "pack: " << error << "\npack: nothing written\n";
        return kExitRefused;
    }
    if (!WriteFileAtomically(output, bytes, &error)) {
        err << "pack: " << error << "\n";
        return kExitIo;
    }
    out << "packed " << entries.size() << " entries, " << bytes.size() << " bytes, into " << PathText(output)
        << "\n";
    return kExitOk;
}

}  // namespace dftool
