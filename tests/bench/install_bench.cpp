// Whole installations by setup.exe timed against plain copies of the same bytes, side by side in
// one run. Run by hand under Wine (it writes about 1.6 GB and takes minutes):
//   KORVENTA_RUN_TIMEOUT=3600 KORVENTA_SHOTS=/tmp/shots tools/wine-run.sh <build>/install_bench.exe
// KORVENTA_SETUP_EXE names another setup program; KORVENTA_BENCH_ONLY=mid,large,many runs only the
// named measurements (mid: 16 MiB, large: 512 MiB, many: 5,000 x 1 KiB). Prints one line per measurement and a verdict per
// target; the exit code is the number of targets missed.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "driver/install_checks.h"
#include "driver/install_data_file.h"
#include "driver/message_box.h"
#include "driver/screenshot.h"
#include "driver/setup_process.h"
#include "driver/window_text.h"
#include "driver/wizard.h"
#include "gui/wizard_pages.h"

namespace {

using Clock = std::chrono::steady_clock;
using gui_driver::Millis;
using gui_driver::Utf8;
using gui_driver::Wizard;
using gui_driver::WizardButton;
using install_tests::DataEntry;
using install_tests::EntryContent;

constexpr std::uint32_t kMiB = 1 << 20;
constexpr Millis kInstallTimeout{30 * 60 * 1000};

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

std::wstring SetupExe() {
  std::wstring path = gui_driver::EnvironmentVariable(L"KORVENTA_SETUP_EXE");
  if (path.empty()) {
    const std::string built = SETUP_EXE;
    path.assign(built.begin(), built.end());
  }
  return gui_driver::WindowsPath(path);
}

// Removes a folder tree left by an earlier run.
void RemoveTree(const std::wstring& folder) {
  for (const std::wstring& name : gui_driver::FolderEntries(folder)) {
    const std::wstring path = folder + L"\\" + name;
    if (!name.empty() && name.back() == L'\\') {
      RemoveTree(path.substr(0, path.size() - 1));
    } else {
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(path.c_str());
    }
  }
  RemoveDirectoryW(folder.c_str());
}

std::wstring FreshFolder(const std::wstring& path) {
  RemoveTree(path);
  CreateDirectoryW(path.c_str(), nullptr);
  return path;
}

DataEntry Entry(const std::string& name, EntryContent content) {
  return DataEntry{name, "20240401090000", 0, std::move(content)};
}

// A few large entries and a few hundred small ones, `total` bytes of content in all.
std::vector<DataEntry> MixedEntries(std::uint32_t total, int large, int small) {
  std::vector<DataEntry> entries;
  entries.push_back(Entry("KORVENTA.exe", EntryContent::Pattern(300000, 1)));
  std::uint32_t left = total - 300000;
  const std::uint32_t smallPart = total / 16;
  for (int i = 0; i < small; ++i) {
    // 1 KiB to a little over twice the mean, varied by a cheap hash of the index.
    const std::uint32_t mean = smallPart / small;
    const std::uint32_t size = 1024 + (std::uint32_t(i) * 2654435761u) % (2 * mean - 1024);
    entries.push_back(Entry("small" + std::to_string(i) + ".dat", EntryContent::Pattern(size, 100 + i)));
    left -= size;
  }
  for (int i = 0; i < large; ++i) {
    const std::uint32_t size = i + 1 == large ? left : left / (large - i);
    entries.push_back(Entry("large" + std::to_string(i) + ".bin", EntryContent::Pattern(size, 10 + i)));
    left -= size;
  }
  return entries;
}

std::vector<DataEntry> ManySmallEntries(int count, std::uint32_t size) {
  std::vector<DataEntry> entries;
  entries.push_back(Entry("KORVENTA.exe", EntryContent::Pattern(size, 1)));
  for (int i = 1; i < count; ++i) {
    entries.push_back(Entry("f" + std::to_string(i) + ".dat", EntryContent::Pattern(size, 100 + i)));
  }
  return entries;
}

std::uint64_t ContentBytes(const std::vector<DataEntry>& entries) {
  std::uint64_t total = 0;
  for (const DataEntry& entry : entries) total += entry.content.Size();
  return total;
}

// Answers the sheet's message queue in a loop from its own thread and keeps the worst wait.
class Responsiveness {
 public:
  explicit Responsiveness(HWND sheet) : sheet_(sheet), thread_([this] { Run(); }) {}
  ~Responsiveness() { Stop(); }
  void Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  double WorstMs() const { return worst_ * 1000; }
  // When the worst wait began, in seconds after the probing started.
  double WorstAt() const { return worstAt_; }
  int Probes() const { return probes_; }
  int TimedOut() const { return timedOut_; }

 private:
  void Run() {
    const auto begin = Clock::now();
    while (!stop_) {
      const auto start = Clock::now();
      DWORD_PTR result = 0;
      if (!SendMessageTimeoutW(sheet_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result)) ++timedOut_;
      const double waited = Seconds(Clock::now() - start);
      if (waited > worst_) {
        worst_ = waited;
        worstAt_ = Seconds(start - begin);
      }
      ++probes_;
      Sleep(2);  // leave the two cores to the setup
    }
  }

  HWND sheet_;
  std::atomic<bool> stop_{false};
  double worst_ = 0;
  double worstAt_ = 0;
  int probes_ = 0;
  int timedOut_ = 0;
  std::thread thread_;
};

struct InstallRun {
  bool ok = false;
  double seconds = 0;
  double crcSeconds = -1;  // until the bar passed the half
  double worstResponseMs = -1;
  double worstResponseAt = 0;
  int probes = 0;
  std::optional<SIZE_T> peakWorkingSet;
};

void Shot(const Wizard& wizard, const std::string& name) {
  gui_driver::SaveScreenshot(wizard.Handle(), name);
}

// From pressing Next on the destination page to the finish button being enabled; then the finish
// button, the completion message and the end of the setup.
InstallRun Install(const std::wstring& folder, const std::string& label, bool probeResponses) {
  InstallRun run;
  std::wstring error;
  auto setup = gui_driver::SetupProcess::Start(SetupExe(), folder, &error);
  if (!setup) {
    std::printf("%s: %s\n", label.c_str(), Utf8(error).c_str());
    return run;
  }
  auto wizard = gui_driver::WaitForWizard(setup->Id());
  if (!wizard || !gui_tests::Reach(*wizard, gui_tests::Page::Destination, L"")) {
    std::printf("%s: the destination page did not come up\n", label.c_str());
    return run;
  }
  if (!gui_tests::TypeDestination(*wizard, folder + L"\\dest")) return run;

  std::optional<Responsiveness> responses;
  if (probeResponses) responses.emplace(wizard->Handle());
  const auto start = Clock::now();
  if (!wizard->Press(WizardButton::Next)) return run;
  const std::vector<double> shotTimes = {0.5, 2.0, 5.0};
  size_t nextShot = 0;
  auto lastBarRead = start;
  HWND bar = nullptr;
  HWND finish = GetDlgItem(wizard->Handle(), static_cast<int>(WizardButton::Finish));
  auto lastHealthCheck = start;
  for (;;) {
    const auto now = Clock::now();
    // Window state without a message: polling by message would slow the setup's window thread.
    if (IsWindowVisible(finish) && IsWindowEnabled(finish) && wizard->PageTitle() == L"インストール完了") break;
    if (now - lastHealthCheck > Millis{100}) {
      lastHealthCheck = now;
      if (!setup->Running() || !gui_driver::FindMessageBoxes(setup->Id()).empty() || now - start > kInstallTimeout) {
        std::printf("%s: the installation did not complete\n", label.c_str());
        return run;
      }
    }
    if (probeResponses) {
      if (!bar) bar = wizard->PageControl(gui_tests::kBarId);
      if (bar && run.crcSeconds < 0 && now - lastBarRead > Millis{25}) {
        lastBarRead = now;
        const auto picture = gui_driver::ReadBarPicture(bar);
        if (picture && picture->Percent() > 50) run.crcSeconds = Seconds(now - start);
      }
      if (nextShot < shotTimes.size() && Seconds(now - start) >= shotTimes[nextShot]) {
        const auto picture = bar ? gui_driver::ReadBarPicture(bar) : std::nullopt;
        std::printf("%s: at %.1f s the bar shows %d%%\n", label.c_str(), Seconds(now - start),
                    picture ? picture->Percent() : -1);
        Shot(*wizard, label + "-" + std::to_string(nextShot + 1) + "-during");
        ++nextShot;
      }
    }
    Sleep(1);
  }
  run.seconds = Seconds(Clock::now() - start);
  if (responses) {
    responses->Stop();
    run.worstResponseMs = responses->WorstMs();
    run.worstResponseAt = responses->WorstAt();
    run.probes = responses->Probes();
    if (responses->TimedOut() > 0) std::printf("%s: %d probes timed out\n", label.c_str(), responses->TimedOut());
  }
  run.peakWorkingSet = gui_driver::PeakWorkingSet(setup->Id());
  if (probeResponses) Shot(*wizard, label + "-9-complete");

  if (!wizard->Press(WizardButton::Finish)) return run;
  auto box = gui_driver::WaitForMessageBox(setup->Id());
  if (box) box->Answer(IDOK);
  const auto code = setup->WaitForExit(Millis{30000});
  run.ok = box && code && *code == 0;
  if (!run.ok) std::printf("%s: the setup did not end as finished\n", label.c_str());
  return run;
}

std::optional<double> TimedCopy(const std::wstring& from, const std::wstring& to) {
  DeleteFileW(to.c_str());
  const auto start = Clock::now();
  if (!CopyFileW(from.c_str(), to.c_str(), FALSE)) return std::nullopt;
  return Seconds(Clock::now() - start);
}

bool WriteData(const std::wstring& folder, const std::vector<DataEntry>& entries) {
  const auto start = Clock::now();
  const bool ok = gui_driver::WriteDataFileAt(folder + L"\\KORVENTA.cab", entries);
  std::printf("data file of %zu entries, %.1f MiB: written in %.1f s\n", entries.size(),
              double(ContentBytes(entries)) / kMiB, Seconds(Clock::now() - start));
  return ok;
}

int missed = 0;

bool Selected(const wchar_t* name) {
  const std::wstring only = gui_driver::EnvironmentVariable(L"KORVENTA_BENCH_ONLY");
  return only.empty() || (L"," + only + L",").find(L"," + std::wstring(name) + L",") != std::wstring::npos;
}

void Verdict(const char* what, double value, double target, const char* unit) {
  const bool met = value <= target;
  if (!met) ++missed;
  std::printf("%-58s %10.2f %-3s (target <= %.2f): %s\n", what, value, unit, target, met ? "met" : "MISSED");
}

void PrintRun(const char* label, const InstallRun& run) {
  std::printf("%s: install %.2f s", label, run.seconds);
  if (run.crcSeconds >= 0) std::printf(" (bar past 50%% after %.2f s)", run.crcSeconds);
  if (run.worstResponseMs >= 0) {
    std::printf(", worst WM_NULL answer %.1f ms (at %.2f s) of %d probes", run.worstResponseMs, run.worstResponseAt,
                run.probes);
  }
  if (run.peakWorkingSet) std::printf(", peak working set %.1f MiB", double(*run.peakWorkingSet) / kMiB);
  std::printf("\n");
}


// The 512 MiB install, its CopyFileW before and after, and the responsiveness during it.
struct LargeResult {
  InstallRun run;
  double copySeconds = 0;
};

std::optional<InstallRun> MeasureMid(const std::wstring& root) {
  const std::wstring mid = FreshFolder(root + L"\\mid");
  if (!WriteData(mid, MixedEntries(16 * kMiB, 2, 50))) return std::nullopt;
  const InstallRun run = Install(mid, "16MiB", false);
  PrintRun("16 MiB", run);
  RemoveTree(mid);
  return run.ok ? std::optional<InstallRun>(run) : std::nullopt;
}

std::optional<LargeResult> MeasureLarge(const std::wstring& root) {
  const std::wstring large = FreshFolder(root + L"\\large");
  if (!WriteData(large, MixedEntries(512 * kMiB, 4, 300))) return std::nullopt;
  const std::wstring cab = large + L"\\KORVENTA.cab";
  const std::wstring copy = large + L"\\copy.cab";
  // Copies on both sides of the install, so that neither gets the quieter disk alone.
  const auto copyBefore = TimedCopy(cab, copy);
  DeleteFileW(copy.c_str());
  const InstallRun run = Install(large, "512MiB", true);
  const auto copyAfter = TimedCopy(cab, copy);
  PrintRun("512 MiB", run);
  RemoveTree(large);
  if (!copyBefore || !copyAfter || !run.ok) return std::nullopt;
  std::printf("512 MiB: CopyFileW of the data file %.2f s before, %.2f s after the install\n", *copyBefore, *copyAfter);
  return LargeResult{run, (*copyBefore + *copyAfter) / 2};
}

// 5,000 entries of 1 KiB against the same 5,000 files copied one by one; the ratio.
std::optional<double> MeasureMany(const std::wstring& root) {
  const std::wstring many = FreshFolder(root + L"\\many");
  const std::vector<DataEntry> entries = ManySmallEntries(5000, 1024);
  if (!WriteData(many, entries)) return std::nullopt;
  const std::wstring sources = FreshFolder(root + L"\\many-src");
  const std::wstring copies = FreshFolder(root + L"\\many-copy");
  for (const DataEntry& entry : entries) {
    const std::wstring name(entry.name.begin(), entry.name.end());
    if (!gui_driver::WriteWholeFile(sources + L"\\" + name, entry.content.All())) return std::nullopt;
  }
  const auto copyStart = Clock::now();
  for (const DataEntry& entry : entries) {
    const std::wstring name(entry.name.begin(), entry.name.end());
    if (!CopyFileW((sources + L"\\" + name).c_str(), (copies + L"\\" + name).c_str(), FALSE)) return std::nullopt;
  }
  const double copySeconds = Seconds(Clock::now() - copyStart);
  const InstallRun run = Install(many, "5000x1KiB", false);
  PrintRun("5,000 x 1 KiB", run);
  std::printf("5,000 x 1 KiB: CopyFileW one by one %.2f s\n", copySeconds);
  RemoveTree(many);
  RemoveTree(sources);
  RemoveTree(copies);
  return run.ok ? std::optional<double>(run.seconds / copySeconds) : std::nullopt;
}

}  // namespace

int wmain() {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  const std::wstring root = FreshFolder(L"C:\\bench");
  const std::optional<InstallRun> mid = Selected(L"mid") ? MeasureMid(root) : std::nullopt;
  const std::optional<LargeResult> large = Selected(L"large") ? MeasureLarge(root) : std::nullopt;
  const std::optional<double> manyRatio = Selected(L"many") ? MeasureMany(root) : std::nullopt;
  RemoveTree(root);

  std::printf("\n");
  const std::pair<const wchar_t*, bool> outcomes[] = {
      {L"mid", mid.has_value()}, {L"large", large.has_value()}, {L"many", manyRatio.has_value()}};
  for (const auto& [name, ran] : outcomes) {
    if (Selected(name) && !ran) {
      std::printf("the %s measurement failed\n", Utf8(name).c_str());
      ++missed;
    }
  }
  if (large) {
    Verdict("512 MiB install / CopyFileW of the data file", large->run.seconds / large->copySeconds, 1.5, "x");
    Verdict("worst WM_NULL answer during the 512 MiB install", large->run.worstResponseMs, 50, "ms");
  }
  if (manyRatio) Verdict("5,000 x 1 KiB install / CopyFileW of 5,000 files", *manyRatio, 2.0, "x");
  if (mid && large) {
    if (mid->peakWorkingSet && large->run.peakWorkingSet) {
      const double midMiB = double(*mid->peakWorkingSet) / kMiB;
      const double largeMiB = double(*large->run.peakWorkingSet) / kMiB;
      std::printf("peak working set: 16 MiB file %.1f MiB, 512 MiB file %.1f MiB\n", midMiB, largeMiB);
      // Growth with the file would show as tens of MiB between 16 and 512 MiB; allow noise of 8 MiB.
      Verdict("peak working set growth from 16 to 512 MiB", largeMiB - midMiB, 8, "MiB");
    } else {
      std::printf("peak working set: not readable\n");
      ++missed;
    }
  }
  return missed;
}
