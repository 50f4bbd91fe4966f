#include "driver/keyboard.h"

#include "driver/wait_for.h"
#include "driver/window_text.h"

namespace gui_driver {

HWND FocusedControl(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

testing::AssertionResult FocusControl(HWND control) {
  HWND root = GetAncestor(control, GA_ROOT);
  const DWORD self = GetCurrentThreadId();
  const DWORD target = GetWindowThreadProcessId(control, nullptr);
  // Focus belongs to the other thread's input state; share it for the moment of the change.
  const bool attached = AttachThreadInput(self, target, TRUE) != FALSE;
  SetForegroundWindow(root);
  SetFocus(control);
  if (attached) AttachThreadInput(self, target, FALSE);
  if (!WaitFor([&] { return GetForegroundWindow() == root && FocusedControl(control) == control; },
               Millis{5000})) {
    return testing::AssertionFailure() << "could not focus the control of class \"" << Utf8(ClassName(control))
                                       << "\" (focus is on class \""
                                       << Utf8(ClassName(FocusedControl(control))) << "\")";
  }
  return testing::AssertionSuccess();
}

testing::AssertionResult PressKey(HWND expectedFocus, WORD virtualKey) {
  if (GetForegroundWindow() != GetAncestor(expectedFocus, GA_ROOT) ||
      FocusedControl(expectedFocus) != expectedFocus) {
    return testing::AssertionFailure() << "the key would not reach the control of class \""
                                       << Utf8(ClassName(expectedFocus)) << "\"";
  }
  INPUT keys[2] = {};
  keys[0].type = INPUT_KEYBOARD;
  keys[0].ki.wVk = virtualKey;
  keys[1] = keys[0];
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  if (SendInput(2, keys, sizeof(INPUT)) != 2) {
    return testing::AssertionFailure() << "SendInput failed, error " << GetLastError();
  }
  return testing::AssertionSuccess();
}

}  // namespace gui_driver
