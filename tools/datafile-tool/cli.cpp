#include "cli.h"

#include <filesystem>
#include <optional>

#include "commands.h"
#include "install/datafile/data_file.h"
#include "install/datafile/os_classes.h"
#include "packer.h"
#include "timestamp.h"

namespace dftool {

namespace {

// "-1 0 1 2 3 4 5"
std::string ClassList() {
    std::string text;
    for (int c : datafile::kAllOsClasses) text += (text.empty() ? "" : " ") + std::to_string(c);
    return text;
}

}  // namespace

std::string HelpText() {
    using datafile::kSignature, datafile::kFormatVersion;
    return std::string() +
    "usage: datafile-tool COMMAND ARGUMENTS\n"
    "\n"
    "Builds and checks the setup's data file (KORVENTA.cab).\n"
    "\n"
    "commands:\n"
    "  pack MANIFEST OUTPUT [--format-version TEXT]\n"
    "      Builds a data file from a manifest: header (\"" + kSignature + "\", format version \"" + kFormatVersion +
    "\" or the\n"
    "      4 ASCII characters of TEXT, entry count), entry table, contents in manifest order,\n"
    "      and the CRC-16/X-25 of all of that as the last two bytes, low byte first.\n"
    "      The bytes that the setup never reads (header bytes 4-15, 20-23 and 28-31, record\n"
    "      bytes 57-63, and the last 2 of each 16-byte timestamp field) are filled with zeros.\n"
    "      OUTPUT is replaced only when the whole file has been built and written.\n"
    "  list DATAFILE\n"
    "      Shows the header and every entry: index, target type, timestamp, content offset,\n"
    "      content size and name (in UTF-8). Checks nothing but the table's bounds.\n"
    "  verify DATAFILE [--class N]\n"
    "      Runs the setup's signature, version and CRC checks, reads the entry table, and for\n"
    "      Windows version class N (default: each of " + ClassList() + ") validates the entries\n"
    "      that the setup installs there: content inside the file, names that decode from\n"
    "      code page 932 and form relative Windows paths, valid timestamps, at least one byte\n"
    "      to install.\n"
    "  extract DATAFILE DIR --class N\n"
    "      After the checks of verify for class N, writes what the setup installs there:\n"
    "      destination-folder entries into DIR/dest, system-folder entries into DIR/system\n"
    "      under their names after prefix removal, each with its timestamp as local time.\n"
    "      Missing folders are created (the setup itself creates none). Nothing is written\n"
    "      when a check fails.\n"
    "  help, --help, -h\n"
    "      Shows this text.\n"
    "\n"
    "manifest: one entry a line, four fields separated by single tabs:\n"
    "  TYPE<TAB>YYYYMMDDhhmmss<TAB>NAME<TAB>SOURCE\n"
    "  TYPE    target type, 0 to 255 (0: destination folder on every class; N: system folder\n"
    "          on class N; 3 also destination folder on class 5)\n"
    "  YYYYMMDDhhmmss  modification time, local wall-clock time,\n"
    "          " + TimestampRuleText() + "\n"
    "  NAME    the installed name in UTF-8, '\\' between folders; stored in code page 932,\n"
    "          at most " + std::to_string(datafile::kNameSize) + " bytes; names code page 932 cannot hold are refused\n"
    "  SOURCE  the file whose bytes are stored, relative to the manifest's folder\n"
    "  Blank lines and lines starting with '#' are ignored.\n"
    "\n"
    "exit codes:\n"
    "  0  done; every check passed\n"
    "  1  a check or validation failed, or the manifest was refused (nothing written)\n"
    "  2  usage error\n"
    "  3  a file could not be read or written\n";
}

namespace {

struct Parsed {
    std::vector<std::string> positional;
    std::optional<int> osClass;
    std::optional<std::string> formatVersion;
    std::string error;
};

bool ParseClass(const std::string& text, int* value) {
    for (int c : datafile::kAllOsClasses) {
        if (text == std::to_string(c)) {
            *value = c;
            return true;
        }
    }
    return false;
}

Parsed ParseArguments(const std::vector<std::string>& args) {
    Parsed parsed;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--class" || a == "--format-version") {
            if (i + 1 == args.size()) {
                parsed.error = a + " needs a value";
                return parsed;
            }
            const std::string& value = args[++i];
            if (a == "--class") {
                int c = 0;
                if (!ParseClass(value, &c)) {
                    parsed.error = "the class must be one of " + ClassList() + ", not \"" + value + "\"";
                    return parsed;
                }
                parsed.osClass = c;
            } else {
                bool ascii = value.size() == datafile::kHeaderFieldSize;
                for (char ch : value) ascii = ascii && ch >= 0x20 && ch < 0x7F;
                if (!ascii) {
                    parsed.error = "the format version must be 4 ASCII characters, not \"" + value + "\"";
                    return parsed;
                }
                parsed.formatVersion = value;
            }
        } else if (a.size() > 1 && a[0] == '-' && a != "-") {
            parsed.error = "unknown option \"" + a + "\"";
            return parsed;
        } else {
            parsed.positional.push_back(a);
        }
    }
    return parsed;
}

int Usage(const std::string& message, std::ostream& err) {
    err << "datafile-tool: " << message << "\n(datafile-tool --help shows the usage)\n";
    return kExitUsage;
}

}  // namespace

int RunTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) return Usage("no command given", err);
    const std::string& command = args[0];
    for (const std::string& a : args) {
        if (a == "--help" || a == "-h" || (&a == &args[0] && a == "help")) {
            out << HelpText();
            return kExitOk;
        }
    }
    const Parsed p = ParseArguments(args);
    if (!p.error.empty()) return Usage(p.error, err);
    const auto path = [&](std::size_t i) { return std::filesystem::u8path(p.positional[i]); };
    const auto expect = [&](std::size_t count, const char* form) -> std::string {
        if (p.positional.size() != count) return std::string("usage: datafile-tool ") + form;
        return {};
    };
    const bool classAllowed = command == "verify" || command == "extract";
    if (p.osClass && !classAllowed) return Usage("--class is not an option of " + command, err);
    if (p.formatVersion && command != "pack") return Usage("--format-version is an option of pack only", err);

    if (command == "pack") {
        if (auto e = expect(2, "pack MANIFEST OUTPUT [--format-version TEXT]"); !e.empty()) return Usage(e, err);
        return Pack(path(0), path(1), p.formatVersion.value_or(datafile::kFormatVersion), out, err);
    }
    if (command == "list") {
        if (auto e = expect(1, "list DATAFILE"); !e.empty()) return Usage(e, err);
        return List(path(0), out, err);
    }
    if (command == "verify") {
        if (auto e = expect(1, "verify DATAFILE [--class N]"); !e.empty()) return Usage(e, err);
        return Verify(path(0), p.osClass, out, err);
    }
    if (command == "extract") {
        if (auto e = expect(2, "extract DATAFILE DIR --class N"); !e.empty()) return Usage(e, err);
        if (!p.osClass) return Usage("extract needs --class N (one of " + ClassList() + ")", err);
        return Extract(path(0), *p.osClass, path(1), out, err);
    }
    return Usage("unknown command \"" + command + "\"", err);
}

}  // namespace dftool
