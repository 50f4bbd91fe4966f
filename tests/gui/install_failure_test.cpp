// Installations that must stop: a damaged data file is refused before anything is written; a file
// that cannot be created or written stops the setup with what was written before it left intact;
// a data file with nothing to install for this system ends the setup without a word.
#include <windows.h>

#include "driver/install_checks.h"
#include "driver/install_fixture.h"
#include "driver/window_text.h"
#include "gui/wizard_pages.h"

namespace gui_tests {
namespace {

using gui_driver::Utf8;
using install_tests::DataEntry;
using install_tests::Damage;
using install_tests::EntryContent;

DataEntry Entry(std::uint8_t type, const std::string& name, std::uint32_t size, std::uint32_t seed) {
  return DataEntry{name, "20240401090000", type, EntryContent::Pattern(size, seed)};
}

// Two sound entries first: an installer that checked lazily would already have written them.
std::vector<DataEntry> WithLast(DataEntry last) {
  return {Entry(0, "KORVENTA.exe", 1500, 1), Entry(0, "readme.txt", 2000, 2), std::move(last)};
}

Damage Spoiled(void (*spoil)(Damage&)) {
  Damage damage;
  spoil(damage);
  return damage;
}

struct DamagedCase {
  const char* name;
  std::vector<DataEntry> entries;
  Damage damage;
  int barPercent;  // where the checks leave the bar: 0 before the CRC pass, 50 after it
  const char* outside;  // a file that a wrong name would have reached, relative to the test folder
};

void PrintTo(const DamagedCase& c, std::ostream* os) { *os << c.name; }

const DamagedCase kDamaged[] = {
    {"wrong_signature", WithLast(Entry(0, "c.dat", 100, 3)), Spoiled([](Damage& d) { d.signature = "KJ39"; }), 0,
     nullptr},
    {"newer_version", WithLast(Entry(0, "c.dat", 100, 3)), Spoiled([](Damage& d) { d.version = "V1.1"; }), 0,
     nullptr},
    {"content_byte_changed", WithLast(Entry(0, "c.dat", 100, 3)),
     Spoiled([](Damage& d) { d.flipContentByte = true; }), 50, nullptr},
    {"content_past_the_end", WithLast(Entry(0, "c.dat", 100, 3)),
     Spoiled([](Damage& d) { d.contentPastEnd = 2; }), 50, nullptr},
    {"name_climbs_out", WithLast(Entry(0, "..\\escaped.dat", 100, 3)), Damage{}, 50, "escaped.dat"},
    {"absolute_name", WithLast(Entry(0, "\\absolute-escape.dat", 100, 3)), Damage{}, 50,
     "..\\absolute-escape.dat"},
};

class DamagedDataFileTest : public InstallTest, public testing::WithParamInterface<DamagedCase> {};

TEST_P(DamagedDataFileTest, RefusedBeforeAnythingIsWritten) {
  const DamagedCase& c = GetParam();
  auto wizard = OpenAtDestination(c.entries, c.damage);
  ASSERT_TRUE(wizard);
  const std::wstring destination = InFolder(L"dest");
  ASSERT_TRUE(StartInstall(*wizard, destination));
  ASSERT_TRUE(gui_driver::WaitForMessageBox(setup_->Id()));
  EXPECT_EQ(Utf8(Log(*wizard)), Utf8(kLogCheck)) << "nothing but the check may be logged";
  EXPECT_TRUE(BarShows(*wizard, c.barPercent));
  ExpectStopsWith(*wizard, kDataFileDamaged, std::string("damaged-") + c.name);
  ExpectFolderHolds(destination, {});
  if (c.outside) {
    const std::string outside = c.outside;
    EXPECT_EQ(GetFileAttributesW(InFolder(std::wstring(outside.begin(), outside.end())).c_str()),
              INVALID_FILE_ATTRIBUTES)
        << c.outside << " was written outside the destination";
  }
}

INSTANTIATE_TEST_SUITE_P(Install, DamagedDataFileTest, testing::ValuesIn(kDamaged),
                         [](const testing::TestParamInfo<DamagedCase>& info) { return info.param.name; });

using StoppedInstallTest = InstallTest;

// A folder of the same name cannot be replaced by a file: the same message as for a missing data
// file, and the file written before it stays whole.
TEST_F(StoppedInstallTest, FolderInTheWayStopsWithEarlierFilesKept) {
  const std::vector<DataEntry> entries = {Entry(0, "first.dat", 1500, 1), Entry(0, "second.dat", 1000, 2),
                                          Entry(0, "third.dat", 500, 3)};
  const std::wstring destination = InFolder(L"dest");
  ASSERT_TRUE(CreateDirectoryW(destination.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW((destination + L"\\second.dat").c_str(), nullptr));
  auto wizard = OpenAtDestination(entries);
  ASSERT_TRUE(wizard);
  ASSERT_TRUE(StartInstall(*wizard, destination));
  ASSERT_TRUE(gui_driver::WaitForMessageBox(setup_->Id()));
  EXPECT_EQ(Utf8(Log(*wizard)), Utf8(JoinLog({kLogCheck, CreateLine(L"first.dat"), CreateLine(L"second.dat")})));
  ExpectStopsWith(*wizard, kDataFileMissing, "stopped-folder-in-the-way");
  ExpectFolderHolds(destination, {L"first.dat", L"second.dat\\"});
  const auto first = gui_driver::ReadWholeFile(destination + L"\\first.dat");
  EXPECT_TRUE(first && *first == entries[0].content.All()) << "the file written before the failure is not whole";
}

// A disk too small for the second file: the write fails, that file is not left half written, and
// the one before it stays whole. The disk is a small tmpfs that the test run mounts.
TEST_F(StoppedInstallTest, FullDiskStopsWithoutPartialFile) {
  const std::wstring disk = gui_driver::WindowsPath(gui_driver::EnvironmentVariable(L"KORVENTA_SMALL_DISK"));
  ULARGE_INTEGER free = {}, total = {};
  if (disk.empty() || !GetDiskFreeSpaceExW((disk + L"\\").c_str(), &free, &total, nullptr) ||
      total.QuadPart > (1u << 20)) {
    GTEST_SKIP() << "no small disk: mount a tmpfs of at most 1 MiB and name it in KORVENTA_SMALL_DISK (got \""
                 << Utf8(disk) << "\", " << total.QuadPart << " bytes)";
  }
  const std::vector<DataEntry> entries = {Entry(0, "small.dat", 1000, 1),
                                          Entry(0, "large.dat", static_cast<std::uint32_t>(total.QuadPart) + 4096, 2),
                                          Entry(0, "after.dat", 10, 3)};
  // A folder of its own on the shared disk, named after the test's folder.
  const std::wstring destination = disk + L"\\" + Folder().substr(Folder().rfind(L'\\') + 1);
  auto wizard = OpenAtDestination(entries);
  ASSERT_TRUE(wizard);
  ASSERT_TRUE(StartInstall(*wizard, destination));
  ASSERT_TRUE(gui_driver::WaitForMessageBox(setup_->Id(), gui_driver::Millis{30000}));
  EXPECT_EQ(Utf8(Log(*wizard)), Utf8(JoinLog({kLogCheck, CreateLine(L"small.dat"), CreateLine(L"large.dat")})));
  ExpectStopsWith(*wizard, kWriteFailed, "stopped-disk-full");
  ExpectFolderHolds(destination, {L"small.dat"});
  const auto small = gui_driver::ReadWholeFile(destination + L"\\small.dat");
  EXPECT_TRUE(small && *small == entries[0].content.All()) << "the file written before the failure is not whole";
}

// Nothing for this system holds a byte: the setup ends with exit code 1 and no message.
struct NothingCase {
  const char* name;
  std::vector<DataEntry> entries;
};

void PrintTo(const NothingCase& c, std::ostream* os) { *os << c.name; }

const NothingCase kNothing[] = {
    {"only_other_systems", {Entry(1, "%SYSTEM%\\a.sys", 100, 1), Entry(2, "%SYSTEM%\\b.sys", 100, 2),
                            Entry(4, "c.dll", 100, 3)}},
    {"only_empty_files", {Entry(0, "empty1.log", 0, 1), Entry(2, "%SYSTEM%\\b.sys", 100, 2),
                          Entry(0, "empty2.log", 0, 3)}},
};

class NothingToInstallTest : public InstallTest, public testing::WithParamInterface<NothingCase> {};

TEST_P(NothingToInstallTest, EndsWithExitCode1AndNoMessage) {
  auto wizard = OpenAtDestination(GetParam().entries);
  ASSERT_TRUE(wizard);
  const std::wstring destination = InFolder(L"dest");
  // The setup may be gone before the progress page can be seen: only its end counts here.
  ASSERT_TRUE(TypeDestination(*wizard, destination));
  ASSERT_TRUE(wizard->Press(gui_driver::WizardButton::Next));
  ExpectEndsSilently(kExitAfterError);
  ExpectFolderHolds(destination, {});
}

INSTANTIATE_TEST_SUITE_P(Install, NothingToInstallTest, testing::ValuesIn(kNothing),
                         [](const testing::TestParamInfo<NothingCase>& info) { return info.param.name; });

}  // namespace
}  // namespace gui_tests
