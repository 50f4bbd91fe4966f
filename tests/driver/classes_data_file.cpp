#include "driver/classes_data_file.h"

#include "driver/install_data_file.h"
#include "driver/window_text.h"
#include "entry_name.h"

namespace gui_driver {

namespace {

std::wstring BuiltPath(const char* unixPath) {
  const std::string path = unixPath;
  return WindowsPath(std::wstring(path.begin(), path.end()));
}

}  // namespace

std::optional<std::string> PackDataFile(const std::vector<DataFileEntry>& entries, std::string* error) {
  std::vector<install_tests::DataEntry> packed;
  for (const DataFileEntry& entry : entries) {
    // The tool's own name rules, so that a test cannot store a name that the tool would refuse.
    const dftool::EncodedName name = dftool::EncodeEntryName(Utf8(entry.name), entry.targetType);
    if (!name.error.empty()) {
      *error = "entry \"" + Utf8(entry.name) + "\": " + name.error;
      return std::nullopt;
    }
    packed.push_back(
        {name.bytes, entry.timestamp, entry.targetType, install_tests::EntryContent::Bytes(entry.content)});
  }
  const std::vector<std::uint8_t> bytes = install_tests::DataFileBytes(packed);
  if (bytes.empty()) {
    *error = "the entries cannot be stored";
    return std::nullopt;
  }
  return std::string(bytes.begin(), bytes.end());
}

std::optional<size_t> StoredNameSize(const std::wstring& name, std::uint8_t targetType) {
  const dftool::EncodedName encoded = dftool::EncodeEntryName(Utf8(name), targetType);
  if (!encoded.error.empty()) return std::nullopt;
  return encoded.bytes.size();
}

std::wstring DriverStandinPath() { return BuiltPath(DRIVER_STANDIN_EXE); }
std::wstring SampleProgramPath() { return BuiltPath(SAMPLE_PROGRAM_EXE); }

}  // namespace gui_driver
