#include "driver/pages_typing.h"

#include <cstring>
#include <vector>

#include "driver/keyboard.h"
#include "driver/window_text.h"

namespace gui_driver {

namespace {

testing::AssertionResult Send(std::vector<INPUT>& inputs) {
  const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  if (sent != inputs.size()) return testing::AssertionFailure() << "SendInput failed, error " << GetLastError();
  return testing::AssertionSuccess();
}

testing::AssertionResult CheckFocus(HWND expectedFocus) {
  if (GetForegroundWindow() == GetAncestor(expectedFocus, GA_ROOT) && FocusedControl(expectedFocus) == expectedFocus) {
    return testing::AssertionSuccess();
  }
  return testing::AssertionFailure() << "the keys would not reach the control of class \""
                                     << Utf8(ClassName(expectedFocus)) << "\"";
}

// Clipboard access is exclusive; another program may hold it for a moment.
class OpenedClipboard {
 public:
  OpenedClipboard() {
    for (int attempt = 0; attempt < 50 && !open_; ++attempt) {
      open_ = OpenClipboard(nullptr) != FALSE;
      if (!open_) Sleep(20);
    }
  }
  ~OpenedClipboard() {
    if (open_) CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  bool Open() const { return open_; }

 private:
  bool open_ = false;
};

}  // namespace

testing::AssertionResult TypeText(HWND expectedFocus, const std::wstring& text) {
  for (wchar_t c : text) {
    testing::AssertionResult focused = CheckFocus(expectedFocus);
    if (!focused) return focused;
    std::vector<INPUT> keys(2);
    keys[0].type = INPUT_KEYBOARD;
    keys[0].ki.wScan = c;
    keys[0].ki.dwFlags = KEYEVENTF_UNICODE;
    keys[1] = keys[0];
    keys[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
    testing::AssertionResult sent = Send(keys);
    if (!sent) return sent;
  }
  return testing::AssertionSuccess();
}

testing::AssertionResult PressChord(HWND expectedFocus, std::initializer_list<WORD> keys) {
  testing::AssertionResult focused = CheckFocus(expectedFocus);
  if (!focused) return focused;
  std::vector<INPUT> inputs;
  for (WORD key : keys) {
    INPUT down = {};
    down.type = INPUT_KEYBOARD;
    down.ki.wVk = key;
    inputs.push_back(down);
  }
  for (auto it = keys.end(); it != keys.begin();) {
    INPUT up = {};
    up.type = INPUT_KEYBOARD;
    up.ki.wVk = *--it;
    up.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(up);
  }
  return Send(inputs);
}

testing::AssertionResult PutOnClipboard(const std::wstring& text) {
  OpenedClipboard clipboard;
  if (!clipboard.Open()) return testing::AssertionFailure() << "the clipboard cannot be opened";
  EmptyClipboard();
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return testing::AssertionFailure() << "no memory for the clipboard";
  void* data = GlobalLock(memory);
  std::memcpy(data, text.c_str(), bytes);
  GlobalUnlock(memory);
  if (!SetClipboardData(CF_UNICODETEXT, memory)) {
    GlobalFree(memory);  // still ours: the clipboard took nothing
    return testing::AssertionFailure() << "SetClipboardData failed, error " << GetLastError();
  }
  return testing::AssertionSuccess();
}

std::pair<DWORD, DWORD> EditSelection(HWND edit) {
  DWORD_PTR packed = 0;
  if (!SendMessageTimeoutW(edit, EM_GETSEL, 0, 0, SMTO_NORMAL, 5000, &packed)) return {~0u, ~0u};
  return {LOWORD(packed), HIWORD(packed)};
}

}  // namespace gui_driver
