// The tool's commands. Each writes its report to out and its complaints to err, and
// returns the process exit code.
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

namespace dftool {

enum ExitCode {
    kExitOk = 0,
    kExitRefused = 1,  // a check or validation failed, or the manifest was refused
    kExitUsage = 2,
    kExitIo = 3,       // a file could not be read or written
};

int Pack(const std::filesystem::path& manifest, const std::filesystem::path& output,
         const std::string& formatVersion, std::ostream& out, std::ostream& err);

int List(const std::filesystem::path& dataFile, std::ostream& out, std::ostream& err);

// All classes when osClass is empty.
int Verify(const std::filesystem::path& dataFile, std::optional<int> osClass, std::ostream& out,
           std::ostream& err);

// Writes what the setup installs on osClass under dir/dest and dir/system, only after
// every check has passed.
int Extract(const std::filesystem::path& dataFile, int osClass, const std::filesystem::path& dir,
            std::ostream& out, std::ostream& err);

}  // namespace dftool
