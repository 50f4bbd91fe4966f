#include "driver/classes_data_file.h"

#include "driver/window_text.h"
#include "entry_name.h"
#include "packer.h"

namespace gui_driver {

namespace {

std::wstring BuiltPath(const char* unixPath) {
  const std::string path = unixPath;
  return WindowsPath(std::wstring(path.begin(), path.end()));
}

}  // namespace

std::optional<std::string> PackDataFile(const std::vector<DataFileEntry>& entries, std::string* error) {
  std::vector<dftool::PackEntry> packed;
  for (const DataFileEntry& entry : entries) {
    const dftool::EncodedName name = dftool::EncodeEntryName(Utf8(entry.name), entry.targetType);
    if (!name.error.empty()) {
      *error = "entry \"" + Utf8(entry.name) + "\": " + name.error;
      return std::nullopt;
    }
    dftool::PackEntry one;
    one.nameBytes = name.bytes;
    one.timestamp = entry.timestamp;
    one.targetType = entry.targetType;
    one.content.assign(entry.content.begin(), entry.content.end());
    packed.push_back(std::move(one));
  }
  const std::vector<std::uint8_t> bytes = dftool::PackDataFile(packed, dftool::kFormatVersion, error);
  if (bytes.empty()) return std::nullopt;
  return std::string(bytes.begin(), bytes.end());
}

std::optional<size_t> StoredNameSize(const std::wstring& name, std::uint8_t targetType) {
  const dftool::EncodedName encoded = dftool::EncodeEntryName(Utf8(name), targetType);
  if (!encoded.error.empty()) return std::nullopt;
  return encoded.bytes.size();
}

std::string PatternBytes(size_t size, unsigned seed) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((seed * 131u + i * 7u + (i >> 8)) & 0xFF);
  return bytes;
}

std::wstring DriverStandinPath() { return BuiltPath(DRIVER_STANDIN_EXE); }
std::wstring SampleProgramPath() { return BuiltPath(SAMPLE_PROGRAM_EXE); }

}  // namespace gui_driver
