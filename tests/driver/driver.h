// The test driver: starts setup.exe in the Wine prefix and plays a scenario against it, a table of
// steps a person would take (buttons, keys, the mouse, message boxes), with screenshots on the way.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "framework/handles.h"

namespace drv {

using Millis = std::chrono::milliseconds;
// Waits for something that must happen: generous, as an emulated process runs several times slower;
// it costs nothing when things go well.
constexpr Millis kLong{120000};

inline std::string ToCodePage(const std::wstring& text, UINT codePage) {
  std::string out(text.size() * 3, '\0');
  out.resize(WideCharToMultiByte(codePage, 0, text.data(), int(text.size()), out.data(), int(out.size()), 0, 0));
  return out;
}
inline std::string Utf8(const std::wstring& text) { return ToCodePage(text, CP_UTF8); }
// A path of the build as Wine sees it; BuiltEnv: the one an environment variable names, empty if none.
inline std::wstring Built(const std::string& unixPath) {
  std::wstring path(unixPath.begin(), unixPath.end());
  if (path.empty() || path[0] != L'/') return path;
  return L"Z:" + (std::replace(path.begin(), path.end(), L'/', L'\\'), path);
}
inline std::wstring BuiltEnv(const char* name) { const char* path = std::getenv(name); return Built(path ? path : ""); }
inline bool WaitFor(const std::function<bool()>& done, Millis timeout = kLong) {
  // A poll of another process's windows: there is no event to wait on.
  for (const auto end = std::chrono::steady_clock::now() + timeout; !done(); Sleep(10))
    if (std::chrono::steady_clock::now() > end) return false;
  return true;
}
inline LRESULT Send(HWND window, UINT message, WPARAM w = 0, LPARAM l = 0) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window, message, w, l, SMTO_NORMAL, 10000, &result) ? LRESULT(result) : 0;
}
// One WM_GETTEXT: a length query first could race with the worker.
inline std::wstring Text(HWND window) {
  std::vector<wchar_t> buffer(1 << 16);
  const size_t n = size_t(Send(window, WM_GETTEXT, buffer.size(), LPARAM(buffer.data())));
  return std::wstring(buffer.data(), std::min(n, buffer.size() - 1));
}
// The control with the focus in the window's thread.
inline HWND FocusOf(HWND window) {
  GUITHREADINFO info = {sizeof(info)};
  return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}
inline std::optional<std::string> ReadAll(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  std::ostringstream bytes;
  return in && (bytes << in.rdbuf(), in.peek() == EOF) ? std::optional(bytes.str()) : std::nullopt;
}
inline bool WriteAll(const std::wstring& path, const std::string& bytes) {
  std::ofstream out(std::filesystem::path(path), std::ios::binary);
  return out.write(bytes.data(), std::streamsize(bytes.size())) && (out.close(), !out.fail());
}
// Relative paths below `folder`, sorted; folders end in "\".
std::vector<std::wstring> Below(const std::wstring& folder, bool recurse = true, const wchar_t* pattern = L"*");
inline ULONGLONG Ticks(const FILETIME& t) { return (ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime; }
inline ULONGLONG NowTicks() { FILETIME now = {}; GetSystemTimeAsFileTime(&now); return Ticks(now); }

// Data files come from the tool's packer.
struct Entry { std::uint8_t type; const char* stamp; std::wstring name; std::string content; };  // name: in CP 932
inline std::string Pattern(size_t size, unsigned seed) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = char((i * 131 + seed * 7919 + (i >> 8)) & 0xFF);
  return bytes;
}
std::string Pack(const std::vector<Entry>& entries);

enum Button { Back = 12323, Next = 12324, Finish = 12325, Cancel = IDCANCEL };
struct ButtonLook { bool shown, enabled; const wchar_t* caption; };
// The title (static 1018), the subtitle (1019; null: not checked) and the sheet's buttons.
struct PageLook { const char* name; const wchar_t *title, *subtitle; ButtonLook back, next, finish, cancel; };
enum class Owner { HiddenMain, Wizard, Centred };
// `under`: the page the wizard must keep showing under the box, or none.
struct BoxLook { const wchar_t *caption, *text; bool icon; std::vector<int> buttons; Owner owner; const PageLook* under; };

class Session;
enum class Op { Start, At, Press, Type, Keys, CloseBox, SysClose, Box, Quiet, Exit, Shot, Bar, CloseLook, Do };
struct Step {  // id: a control (a sheet button id, else the page's), an answer, an exit code, a percentage
  Op op; int id = 0; std::wstring text; std::vector<WORD> keys;
  const PageLook* page = nullptr; const BoxLook* box = nullptr; std::function<void(Session&)> fn;
};
using Steps = std::vector<Step>;
inline Steps Cat(std::initializer_list<Steps> parts) {
  Steps all;
  for (const Steps& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

inline Step Start() { return {Op::Start}; }
inline Step At(const PageLook& page) { return {Op::At, 0, L"", {}, &page}; }
inline Step Press(Button button) { return {Op::Press, button}; }
inline Step Type(int id, const std::wstring& text) { return {Op::Type, id, text}; }  // WM_SETTEXT; "%F": the test's folder
// Typed into the control with the focus on it, then the keys pressed together.
inline Step Keys(int id, const std::wstring& text, std::vector<WORD> keys = {}) { return {Op::Keys, id, text, keys}; }
inline Step CloseBox() { return {Op::CloseBox}; }  // clicked with the mouse
inline Step SysClose() { return {Op::SysClose}; }  // posted as the title bar's menu sends it
inline Step Box(const BoxLook& box, int answer) { return {Op::Box, answer, L"", {}, nullptr, &box}; }  // 0: look only
// Everything the last steps set off has been handled, the setup runs, and no message box is up.
inline Step Quiet() { return {Op::Quiet}; }
inline Step Exit(DWORD code) { return {Op::Exit, int(code)}; }
inline Step Shot(const std::string& name) { return {Op::Shot, 0, std::wstring(name.begin(), name.end())}; }
inline Step Bar(int percent) { return {Op::Bar, percent}; }  // the bar shows the fill and its number
inline Step CloseLook(bool enabled) { return {Op::CloseLook, enabled}; }  // the close box drawn enabled or grey
inline Step Do(std::function<void(Session&)> fn) { return {Op::Do, 0, L"", {}, nullptr, nullptr, std::move(fn)}; }

// One test's setup runs: a fresh C:\test-N, its data file, the steps.
class Session {
 public:
  Session();
  ~Session();
  void Play(const Steps& steps);

  // version: Wine's Windows version for setup.exe, empty: the prefix's; current: the setup's current
  // folder, empty: the test's folder.
  std::wstring folder, exe, version, current;
  std::optional<std::string> data = std::string();  // KORVENTA.cab, written at each start
  DWORD pid = 0;
  HWND sheet = nullptr;
  win::UniqueHandle process;
  std::vector<win::UniqueFile> held;  // files the test holds open meanwhile, as another program would

  std::wstring Path(std::wstring text) const;  // "%F" -> folder
  HWND Control(int id) const;
  std::vector<HWND> Dialogs() const;  // the setup's shown dialogs: its wizard and message boxes
  std::vector<HWND> Boxes() const;    // its shown message boxes
  bool Running() const;
  bool Shows(const PageLook& page) const;
  std::string Describe() const;  // the page, buttons and boxes, for failures
  void Perform(const Step& step);
};

}  // namespace drv
