// Whole installations by setup.exe against plain copies of the same bytes, side by side in one run.
// Run under the 64-bit Wine (tools/bench.sh install); it writes about 4 GB and takes three to five minutes:
//   KORVENTA_WINE64=1 KORVENTA_RUN_TIMEOUT=3600 tools/wine-run.sh build/win64/setup_bench.exe [setup.exe]
// KORVENTA_BENCH_ONLY=large,many,mixed,response,memory runs only the named cases. Prints one line per
// case with its ratio or value, its target and the host's steal meanwhile; the exit code is the number
// of targets missed.
// Standalone on purpose: it drives the wizard with the few window calls below.
#include <windows.h>
#include <prsht.h>
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "packer.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::uint32_t kMiB = 1 << 20;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// ---- files ----------------------------------------------------------------------------------

struct Entry {
  std::string name;
  std::uint32_t size;
  std::uint32_t seed;
  std::uint8_t type = 0;  // 0: installed everywhere; 9: on no system
};

std::vector<std::uint8_t> Content(const Entry& entry) {
  std::vector<std::uint8_t> bytes(entry.size);
  std::uint32_t x = entry.seed * 2654435761u + 1;
  for (std::uint8_t& b : bytes) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    b = static_cast<std::uint8_t>(x);
  }
  return bytes;
}

bool WriteWhole(const std::wstring& path, const std::uint8_t* data, std::size_t size) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  for (std::size_t done = 0; ok && done < size;) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size - done, 64 * kMiB));
    DWORD written = 0;
    ok = WriteFile(file, data + done, chunk, &written, nullptr) && written == chunk;
    done += chunk;
  }
  // On the disk before any timing starts: otherwise its write-back lands inside a timed step.
  if (ok && size >= kMiB) ok = FlushFileBuffers(file);
  return CloseHandle(file) && ok;
}

bool WriteDataFile(const std::wstring& path, const std::vector<Entry>& entries) {
  std::vector<dftool::PackEntry> pack;
  for (const Entry& entry : entries) pack.push_back({entry.name, "20240401090000", entry.type, Content(entry)});
  std::string error;
  const std::vector<std::uint8_t> bytes = dftool::PackDataFile(pack, datafile::kFormatVersion, &error);
  if (!error.empty()) std::printf("packing failed: %s\n", error.c_str());
  return error.empty() && WriteWhole(path, bytes.data(), bytes.size());
}

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

bool WriteSeparateFiles(const std::wstring& folder, const std::vector<Entry>& entries) {
  for (const Entry& entry : entries) {
    const std::vector<std::uint8_t> bytes = Content(entry);
    if (!WriteWhole(folder + L"\\" + Wide(entry.name), bytes.data(), bytes.size())) return false;
  }
  return true;
}

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found{};
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(find, &found));
    FindClose(find);
  }
  RemoveDirectoryW(folder.c_str());
}

std::wstring FreshFolder(const std::wstring& path) {
  RemoveTree(path);
  CreateDirectoryW(path.c_str(), nullptr);
  return path;
}

std::optional<double> TimedCopy(const std::wstring& from, const std::wstring& to) {
  DeleteFileW(to.c_str());
  const auto start = Clock::now();
  const bool ok = CopyFileW(from.c_str(), to.c_str(), FALSE);
  const double seconds = Seconds(Clock::now() - start);
  DeleteFileW(to.c_str());
  return ok ? std::optional<double>(seconds) : std::nullopt;
}

// The entries copied one by one into a fresh folder, which is removed afterwards.
std::optional<double> TimedCopies(const std::wstring& from, const std::wstring& to, const std::vector<Entry>& entries) {
  FreshFolder(to);
  const auto start = Clock::now();
  bool ok = true;
  for (const Entry& entry : entries) {
    const std::wstring name = L"\\" + Wide(entry.name);
    ok = ok && CopyFileW((from + name).c_str(), (to + name).c_str(), FALSE);
  }
  const double seconds = Seconds(Clock::now() - start);
  RemoveTree(to);
  return ok ? std::optional<double>(seconds) : std::nullopt;
}

// ---- the wizard -------------------------------------------------------------------------------

constexpr int kNextId = 12324;
constexpr int kFinishId = 12325;
constexpr int kPageTitleId = 1018;
constexpr int kDestinationEditId = 1011;
constexpr UINT kMessageTimeoutMs = 5000;

const wchar_t* const kPagesBeforeDestination[] = {L"KORVENTA　セットアップウィザードへようこそ",
                                                  L"ソフトウェア使用許諾契約", L"著作権上の注意"};
const wchar_t kDestinationTitle[] = L"ｲﾝｽﾄｰﾙ先の選択";

template <typename Condition>
bool WaitFor(Condition condition, DWORD timeoutMs = 30000) {
  const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!condition()) {
    if (Clock::now() > end) return false;
    Sleep(5);
  }
  return true;
}

struct WindowSearch {
  DWORD processId;
  HWND skip;
  HWND found;
};

BOOL CALLBACK FindDialogOf(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (owner == search->processId && window != search->skip && IsWindowVisible(window) &&
      std::wstring(name) == L"#32770") {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// A visible top-level dialog of the process other than `skip`: the wizard, or a message box over it.
HWND DialogOf(DWORD processId, HWND skip = nullptr) {
  WindowSearch search{processId, skip, nullptr};
  EnumWindows(&FindDialogOf, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring Text(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);  // another process's window: read without a message
  return text;
}

std::wstring PageTitle(HWND sheet) {
  DWORD_PTR page = 0;
  if (!SendMessageTimeoutW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0, SMTO_NORMAL, kMessageTimeoutMs, &page)) return {};
  HWND title = GetDlgItem(reinterpret_cast<HWND>(page), kPageTitleId);
  return title ? Text(title) : std::wstring();
}

bool Usable(HWND button) { return button && IsWindowVisible(button) && IsWindowEnabled(button); }

bool WaitForPage(HWND sheet, const wchar_t* title) {
  return WaitFor([&] { return PageTitle(sheet) == title && Usable(GetDlgItem(sheet, kNextId)); });
}

void Click(HWND sheet, int id) { PostMessageW(GetDlgItem(sheet, id), BM_CLICK, 0, 0); }

// Answers the sheet's messages in a loop from its own thread and keeps the worst wait.
class Responsiveness {
 public:
  explicit Responsiveness(HWND sheet) : sheet_(sheet), thread_([this] { Run(); }) {}
  ~Responsiveness() { Stop(); }
  void Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  double WorstMs() const { return worst_ * 1000; }

 private:
  void Run() {
    while (!stop_) {
      const auto start = Clock::now();
      DWORD_PTR result = 0;
      SendMessageTimeoutW(sheet_, WM_NULL, 0, 0, SMTO_NORMAL, kMessageTimeoutMs, &result);
      worst_ = std::max(worst_, Seconds(Clock::now() - start));
      Sleep(2);  // leave the cores to the setup
    }
  }

  HWND sheet_;
  std::atomic<bool> stop_{false};
  double worst_ = 0;
  std::thread thread_;
};

struct InstallRun {
  bool ok = false;
  double seconds = 0;
  double worstResponseMs = -1;
  SIZE_T peakWorkingSet = 0;
};

std::wstring setupExe;

// A setup started and led to its destination page, with the destination typed, so that the
// timed part can follow another timed step at once: memory that a step frees goes back to the
// host after about two seconds here (free page reporting), and a step that waited longer than
// the other would write into memory the host must first hand out again.
class Setup {
 public:
  Setup(const std::wstring& folder, const char* label) : label_(label) {
    std::wstring line = L"\"" + setupExe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(setupExe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process)) {
      std::printf("%s: cannot start the setup (error %lu)\n", label, GetLastError());
      return;
    }
    CloseHandle(process.hThread);
    process_ = process.hProcess;
    id_ = process.dwProcessId;
    if (!WaitFor([&] { return (sheet_ = DialogOf(id_)) != nullptr && GetDlgItem(sheet_, kNextId); })) {
      Fail("the wizard did not come up");
      return;
    }
    for (const wchar_t* title : kPagesBeforeDestination) {
      if (!WaitForPage(sheet_, title)) {
        Fail("a page before the destination did not come up");
        return;
      }
      Click(sheet_, kNextId);
    }
    if (!WaitForPage(sheet_, kDestinationTitle)) {
      Fail("the destination page did not come up");
      return;
    }
    DWORD_PTR page = 0;
    SendMessageTimeoutW(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0, SMTO_NORMAL, kMessageTimeoutMs, &page);
    const std::wstring destination = folder + L"\\dest";
    DWORD_PTR typed = 0;
    if (!SendMessageTimeoutW(GetDlgItem(reinterpret_cast<HWND>(page), kDestinationEditId), WM_SETTEXT, 0,
                             reinterpret_cast<LPARAM>(destination.c_str()), SMTO_NORMAL, kMessageTimeoutMs, &typed)) {
      Fail("cannot type the destination");
      return;
    }
    ready_ = true;
  }
  ~Setup() {
    if (process_) Fail("the installation was not run");
  }
  Setup(const Setup&) = delete;
  Setup& operator=(const Setup&) = delete;

  // From pressing Next on the destination page until the finish button is enabled; then the
  // finish button, the completion message and the end of the setup.
  InstallRun Run(bool probe) {
    InstallRun run;
    if (!ready_) return run;
    ready_ = false;
    std::optional<Responsiveness> responses;
    if (probe) responses.emplace(sheet_);
    HWND finish = GetDlgItem(sheet_, kFinishId);
    const auto start = Clock::now();
    Click(sheet_, kNextId);
    auto lastHealthCheck = start;
    // Window state read without messages, so that the polling does not load the setup's window thread.
    while (!Usable(finish)) {
      const auto now = Clock::now();
      if (now - lastHealthCheck > std::chrono::milliseconds(100)) {
        lastHealthCheck = now;
        if (WaitForSingleObject(process_, 0) != WAIT_TIMEOUT || DialogOf(id_, sheet_) ||
            now - start > std::chrono::minutes(30)) {
          Fail("the installation did not complete");
          return run;
        }
      }
      Sleep(1);
    }
    run.seconds = Seconds(Clock::now() - start);
    if (responses) {
      responses->Stop();
      run.worstResponseMs = responses->WorstMs();
    }
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process_, &memory, sizeof memory)) run.peakWorkingSet = memory.PeakWorkingSetSize;

    Click(sheet_, kFinishId);
    HWND box = nullptr;
    if (!WaitFor([&] { return (box = DialogOf(id_, sheet_)) != nullptr; })) {
      Fail("no completion message");
      return run;
    }
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    DWORD code = 1;
    if (WaitForSingleObject(process_, 30000) != WAIT_OBJECT_0 || !GetExitCodeProcess(process_, &code) || code != 0) {
      Fail("the setup did not end as finished");
      return run;
    }
    CloseHandle(process_);
    process_ = nullptr;
    run.ok = true;
    return run;
  }

 private:
  void Fail(const char* what) {
    std::printf("%s: %s\n", label_, what);
    ready_ = false;
    if (!process_) return;
    TerminateProcess(process_, 99);
    WaitForSingleObject(process_, 10000);
    CloseHandle(process_);
    process_ = nullptr;
  }

  const char* label_;
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
  HWND sheet_ = nullptr;
  bool ready_ = false;
};

InstallRun Install(const std::wstring& folder, const char* label, bool probe) {
  return Setup(folder, label).Run(probe);
}

// ---- the cases --------------------------------------------------------------------------------

Entry Sized(const std::string& name, std::uint32_t size, std::uint32_t seed) { return Entry{name, size, seed}; }

// Four large entries of `large` bytes each and a few small ones.
std::vector<Entry> FewLarge(std::uint32_t large) {
  std::vector<Entry> entries{Sized("KORVENTA.exe", 300000, 1)};
  for (int i = 0; i < 4; ++i) entries.push_back(Sized("large" + std::to_string(i) + ".bin", large, 10 + i));
  for (int i = 0; i < 4; ++i) entries.push_back(Sized("small" + std::to_string(i) + ".dat", 4096 * (i + 1), 20 + i));
  return entries;
}

// A few large entries and `small` small ones, `total` bytes of content in all.
std::vector<Entry> Mixed(std::uint32_t total, int large, int small) {
  std::vector<Entry> entries{Sized("KORVENTA.exe", 300000, 1)};
  std::uint32_t left = total - 300000;
  const std::uint32_t mean = total / 16 / small;
  for (int i = 0; i < small; ++i) {
    // 1 KiB to a little over twice the mean, varied by a cheap hash of the index.
    const std::uint32_t size = 1024 + (std::uint32_t(i) * 2654435761u) % (2 * mean - 1024);
    entries.push_back(Sized("small" + std::to_string(i) + ".dat", size, 100 + i));
    left -= size;
  }
  for (int i = 0; i < large; ++i) {
    const std::uint32_t size = i + 1 == large ? left : left / (large - i);
    entries.push_back(Sized("large" + std::to_string(i) + ".bin", size, 10 + i));
    left -= size;
  }
  return entries;
}

std::vector<Entry> ManySmall(int count, std::uint32_t size) {
  std::vector<Entry> entries{Sized("KORVENTA.exe", size, 1)};
  for (int i = 1; i < count; ++i) entries.push_back(Sized("f" + std::to_string(i) + ".dat", size, 100 + i));
  return entries;
}

int missed = 0;

bool Selected(const char* name) {
  char only[256] = {};
  if (!GetEnvironmentVariableA("KORVENTA_BENCH_ONLY", only, sizeof only)) return true;
  return ("," + std::string(only) + ",").find("," + std::string(name) + ",") != std::string::npos;
}

// The processor time of the whole machine so far and the part of it that the hypervisor gave to other
// guests (steal), from the Linux host's /proc/stat as Wine shows it; nothing where there is none.
std::optional<std::pair<double, double>> MachineTimes() {
  FILE* stat = _wfopen(L"Z:\\proc\\stat", L"r");
  if (!stat) return std::nullopt;
  double field[8] = {};
  const int n = std::fscanf(stat, "cpu %lf %lf %lf %lf %lf %lf %lf %lf", &field[0], &field[1], &field[2], &field[3],
                            &field[4], &field[5], &field[6], &field[7]);
  std::fclose(stat);
  if (n != 8) return std::nullopt;
  double total = 0;
  for (double f : field) total += f;
  return std::make_pair(total, field[7]);
}

// The steal since the previous line: a line measured under much of it measured the host as much as the setup.
std::string StealSinceLastLine() {
  static std::optional<std::pair<double, double>> last = MachineTimes();
  const auto now = MachineTimes();
  std::string text;
  if (last && now && now->first > last->first) {
    char buf[48];
    std::snprintf(buf, sizeof buf, " [host steal %.0f %%]", 100 * (now->second - last->second) / (now->first - last->first));
    text = buf;
  }
  last = now;
  return text;
}

void Verdict(const char* what, std::optional<double> value, double target, const char* unit, const char* detail) {
  const std::string steal = StealSinceLastLine();
  if (!value) {
    ++missed;
    std::printf("%-58s     failed%s\n", what, steal.c_str());
    return;
  }
  const bool met = *value <= target;
  if (!met) ++missed;
  std::printf("%-58s %8.2f %-3s (target <= %.2f): %-6s %s%s\n", what, *value, unit, target, met ? "met" : "MISSED",
              detail, steal.c_str());
}

// Rounds of each timing, alternated so that neither side alone gets the quieter moments; the
// medians are compared, so that one disturbed round does not decide.
constexpr int kRounds = 9;
constexpr std::size_t kResponseRounds = 3;

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

void Ratio(const char* what, const std::vector<double>& installs, const std::vector<double>& copies, double target) {
  if (installs.size() != kRounds || copies.size() != kRounds + 1) {
    Verdict(what, std::nullopt, target, "x", "");
    return;
  }
  char detail[128];
  std::snprintf(detail, sizeof detail, "[install %.3f s, copy %.3f s, medians of %d and %d]", Median(installs),
                Median(copies), kRounds, kRounds + 1);
  Verdict(what, Median(installs) / Median(copies), target, "x", detail);
}

std::string Detail(const InstallRun& run, double copySeconds) {
  char text[128];
  std::snprintf(text, sizeof text, "[install %.3f s, copy %.3f s]", run.seconds, copySeconds);
  return text;
}

// The data file of a few large entries against CopyFileW of it, copied before and after the
// install so that neither side alone gets the quieter disk. A second install answers WM_NULL probes.
void FewLargeCase(const std::wstring& root) {
  const std::wstring folder = FreshFolder(root + L"\\large");
  const std::wstring cab = folder + L"\\KORVENTA.cab";
  if (!WriteDataFile(cab, FewLarge(64 * kMiB))) {
    Verdict("4 x 64 MiB install / CopyFileW of the data file", std::nullopt, 1.3, "x", "");
    return;
  }
  if (Selected("large")) {
    std::vector<double> installs, copies;
    for (int i = 0; i < kRounds; ++i) {
      // Each timed step follows the other's clean-up at once.
      Setup setup(folder, "large");
      RemoveTree(folder + L"\\dest");
      const auto copy = TimedCopy(cab, folder + L"\\copy.cab");
      const InstallRun run = setup.Run(false);
      if (copy) copies.push_back(*copy);
      if (run.ok) installs.push_back(run.seconds);
    }
    RemoveTree(folder + L"\\dest");
    if (const auto copy = TimedCopy(cab, folder + L"\\copy.cab")) copies.push_back(*copy);
    Ratio("4 x 64 MiB install / CopyFileW of the data file", installs, copies, 1.3);
  }
  if (Selected("response")) {
    // Three installs, each with its worst answer; their median decides, so that one stall of the
    // machine itself does not.
    std::vector<double> worst;
    for (std::size_t i = 0; i < kResponseRounds; ++i) {
      const InstallRun run = Install(folder, "response", true);
      RemoveTree(folder + L"\\dest");
      if (run.ok) worst.push_back(run.worstResponseMs);
    }
    char detail[128] = "";
    if (worst.size() == kResponseRounds)
      std::snprintf(detail, sizeof detail, "[worst answers %.1f, %.1f, %.1f ms]", worst[0], worst[1], worst[2]);
    Verdict("worst WM_NULL answer in a 4 x 64 MiB install (median of 3)",
            worst.size() == kResponseRounds ? std::optional(Median(worst)) : std::nullopt, 30, "ms", detail);
  }
  RemoveTree(folder);
}

void ManyCase(const std::wstring& root) {
  const std::wstring folder = FreshFolder(root + L"\\many");
  const std::vector<Entry> entries = ManySmall(5000, 1024);
  const std::wstring sources = FreshFolder(root + L"\\many-src");
  std::optional<double> ratio;
  InstallRun run;
  std::optional<double> copy;
  if (WriteDataFile(folder + L"\\KORVENTA.cab", entries) && WriteSeparateFiles(sources, entries)) {
    Setup setup(folder, "many");
    const auto before = TimedCopies(sources, root + L"\\many-copy", entries);
    run = setup.Run(false);
    const auto after = TimedCopies(sources, root + L"\\many-copy", entries);
    if (before && after && run.ok) {
      copy = (*before + *after) / 2;
      ratio = run.seconds / *copy;
    }
  }
  Verdict("5,000 x 1 KiB install / CopyFileW of 5,000 files", ratio, 1.1, "x", ratio ? Detail(run, *copy).c_str() : "");
  RemoveTree(folder);
  RemoveTree(sources);
}

// The 512 MiB mixed file against its entries copied as separate files; its peak working set.
std::optional<SIZE_T> MixedCase(const std::wstring& root) {
  const std::wstring folder = FreshFolder(root + L"\\mixed");
  const std::vector<Entry> entries = Mixed(512 * kMiB, 4, 300);
  const std::wstring sources = FreshFolder(root + L"\\mixed-src");
  InstallRun run;
  std::vector<double> installs, copies;
  if (WriteDataFile(folder + L"\\KORVENTA.cab", entries) && WriteSeparateFiles(sources, entries)) {
    for (int i = 0; i < kRounds; ++i) {
      Setup setup(folder, "mixed");
      RemoveTree(folder + L"\\dest");
      const auto copied = TimedCopies(sources, root + L"\\mixed-copy", entries);
      run = setup.Run(false);
      if (copied) copies.push_back(*copied);
      if (run.ok) installs.push_back(run.seconds);
    }
    RemoveTree(folder + L"\\dest");
    if (const auto copied = TimedCopies(sources, root + L"\\mixed-copy", entries)) copies.push_back(*copied);
  }
  const std::string what = "512 MiB, " + std::to_string(entries.size()) + " entries / CopyFileW of the entries";
  Ratio(what.c_str(), installs, copies, 1.3);
  RemoveTree(folder);
  RemoveTree(sources);
  return run.ok ? std::optional<SIZE_T>(run.peakWorkingSet) : std::nullopt;
}

std::optional<SIZE_T> SmallPeak(const std::wstring& root) {
  const std::wstring folder = FreshFolder(root + L"\\mid");
  InstallRun run;
  // The same entries in number as the 512 MiB file, so that only the bytes differ.
  if (WriteDataFile(folder + L"\\KORVENTA.cab", Mixed(16 * kMiB, 4, 300))) run = Install(folder, "16 MiB", false);
  RemoveTree(folder);
  return run.ok ? std::optional<SIZE_T>(run.peakWorkingSet) : std::nullopt;
}

// A million entries of which one suits the system, against two that both do: peak working sets
// and the time the million adds, which is the validation's reading of the table.
void EntriesCase(const std::wstring& root) {
  constexpr int kCount = 1000000;
  std::vector<Entry> many;
  many.reserve(kCount);
  many.push_back(Sized("KORVENTA.exe", 1024, 1));
  for (int i = 1; i < kCount; ++i) many.push_back(Entry{"never" + std::to_string(i) + ".dat", 0, 0, 9});
  const std::vector<Entry> two = {Sized("KORVENTA.exe", 1024, 1), Sized("readme.txt", 1024, 2)};
  InstallRun manyRun, twoRun;
  const std::wstring folder = FreshFolder(root + L"\\entries");
  if (WriteDataFile(folder + L"\\KORVENTA.cab", two)) twoRun = Install(folder, "two entries", false);
  RemoveTree(folder + L"\\dest");
  if (WriteDataFile(folder + L"\\KORVENTA.cab", many)) manyRun = Install(folder, "a million entries", false);
  RemoveTree(folder);
  std::optional<double> growth;
  std::string detail;
  if (manyRun.ok && twoRun.ok) {
    growth = (double(manyRun.peakWorkingSet) - double(twoRun.peakWorkingSet)) / kMiB;
    const double added = manyRun.seconds - twoRun.seconds;
    char line[200];
    std::snprintf(line, sizeof line, "[two entries %zu KiB, %.2f s; a million %zu KiB, %.2f s: %.0f entries a second]",
                  size_t(twoRun.peakWorkingSet / 1024), twoRun.seconds, size_t(manyRun.peakWorkingSet / 1024),
                  manyRun.seconds, added > 0 ? kCount / added : 0.0);
    detail = line;
  }
  Verdict("peak working set, a million entries against two", growth, 8, "MiB", detail.c_str());
}

std::wstring WindowsPath(std::wstring path) {
  if (path.empty() || path[0] != L'/') return path;
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  return L"Z:" + path;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  StealSinceLastLine();  // the first line's share counts from here
  setupExe = WindowsPath(argc > 1 ? argv[1] : Wide(SETUP_EXE));
  // KORVENTA_BENCH_WINDOWS: the Windows version Wine gives the setup ("winxp": class 2, where the
  // driver's files are not held); the prefix's own by default (class 5).
  wchar_t version[32] = {};
  const wchar_t* appKey = L"Software\\Wine\\AppDefaults\\setup.exe";
  if (GetEnvironmentVariableW(L"KORVENTA_BENCH_WINDOWS", version, 32))
    RegSetKeyValueW(HKEY_CURRENT_USER, appKey, L"Version", REG_SZ, version, DWORD((wcslen(version) + 1) * 2));
  else
    RegDeleteKeyValueW(HKEY_CURRENT_USER, appKey, L"Version");
  const std::wstring root = FreshFolder(L"C:\\bench");
  if (Selected("large") || Selected("response")) FewLargeCase(root);
  if (Selected("many")) ManyCase(root);
  if (Selected("entries")) EntriesCase(root);
  const std::optional<SIZE_T> large = Selected("mixed") || Selected("memory") ? MixedCase(root) : std::nullopt;
  if (Selected("memory")) {
    const std::optional<SIZE_T> small = SmallPeak(root);
    std::optional<double> growth;
    std::string detail;
    const SIZE_T smallPeak = small.value_or(0), largePeak = large.value_or(0);
    if (smallPeak > 0 && largePeak > 0) {
      growth = std::abs(double(largePeak) - double(smallPeak)) / kMiB;
      detail = "[16 MiB file " + std::to_string(smallPeak / 1024) + " KiB, 512 MiB file " +
               std::to_string(largePeak / 1024) + " KiB]";
    }
    Verdict("peak working set, 512 MiB file against 16 MiB file", growth, 2, "MiB", detail.c_str());
  }
  RemoveTree(root);
  return missed;
}
