#include <vector>

#include "commands.h"
#include "file_io.h"
#include "examination.h"
#include "install/datafile/os_classes.h"

namespace dftool {

namespace {

const char* Verdict(bool ok) { return ok ? "passed" : "FAILED"; }

}  // namespace

int Verify(const std::filesystem::path& dataFile, std::optional<int> osClass, std::ostream& out,
           std::ostream& err) {
    std::vector<std::uint8_t> bytes;
    std::string error;
    if (!ReadWholeFile(dataFile, &bytes, &error)) {
        err << "verify: " << error << "\n";
        return kExitIo;
    }
    const FileChecks checks = CheckFile(bytes);
    out << "signature check: " << Verdict(checks.signature) << "\n"
        << "version check: " << Verdict(checks.version) << "\n"
        << "CRC check: " << Verdict(checks.crc) << "\n"
        << "entry table: " << (checks.tableRead ? "read, " + std::to_string(checks.table.count) + " entries"
                                                : "FAILED: " + checks.tableError)
        << "\n";
    bool ok = checks.Ok();
    if (checks.tableRead) {
        const std::vector<int> classes =
            osClass ? std::vector<int>{*osClass}
                    : std::vector<int>(datafile::kAllOsClasses.begin(), datafile::kAllOsClasses.end());
        for (int c : classes) {
            const ClassCheck cc = CheckClass(checks.table, bytes.size(), c);
            out << "class " << c << ": " << (cc.problems.empty() ? "passed" : "FAILED") << ", " << cc.toDest
                << " to the destination folder, " << cc.toSystem << " to the system folder, " << cc.totalSize
                << " bytes\n";
            for (const std::string& p : cc.problems) out << "  " << p << "\n";
            for (const std::string& w : cc.warnings) out << "  warning: " << w << "\n";
            ok = ok && cc.problems.empty();
        }
    }
    out << (ok ? "verify: passed\n" : "verify: FAILED\n");
    return ok ? kExitOk : kExitRefused;
}

}  // namespace dftool
