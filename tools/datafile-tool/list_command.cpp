#include <iomanip>
#include <vector>

#include "commands.h"
#include "entry_name.h"
#include "examination.h"
#include "file_io.h"
#include "install/datafile/data_file.h"
#include "printable.h"

namespace dftool {

int List(const std::filesystem::path& dataFile, std::ostream& out, std::ostream& err) {
    std::vector<std::uint8_t> bytes;
    std::string error;
    if (!ReadWholeFile(dataFile, &bytes, &error)) {
        err << "list: " << error << "\n";
        return kExitIo;
    }
    datafile::MemoryByteSource source(bytes.data(), bytes.size());
    datafile::EntryTable table;
    const datafile::ReadStatus status = datafile::ReadEntryTable(source, &table);
    if (status != datafile::ReadStatus::Ok) {
        err << "list: " << PathText(dataFile) << ": " << TableProblem(status, table, bytes.size()) << "\n";
        return kExitRefused;
    }
    const char* raw = reinterpret_cast<const char*>(bytes.data());
    const auto field = [&](std::uint64_t offset) { return Escaped({raw + offset, datafile::kHeaderFieldSize}); };
    out << "signature \"" << field(datafile::kSignatureOffset) << "\", version \"" << field(datafile::kVersionOffset)
        << "\", " << table.count << " entries, " << bytes.size() << " bytes\n";
    out << std::right << std::setw(5) << "#" << std::setw(5) << "type" << "  " << std::left << std::setw(14)
        << "timestamp" << std::right << std::setw(11) << "offset" << std::setw(11) << "size" << "  name\n";
    for (std::size_t i = 0; i < table.entries.size(); ++i) {
        const datafile::EntryRecord& e = table.entries[i];
        out << std::right << std::setw(5) << i << std::setw(5) << static_cast<unsigned>(e.targetType) << "  "
            << std::left << std::setw(14) << Escaped({e.timestamp.data(), datafile::kTimestampDigits}) << std::right
            << std::setw(11) << e.offset << std::setw(11) << e.size << "  " << DisplayName(e.name) << "\n";
    }
    return kExitOk;
}

}  // namespace dftool
