#include "driver/message_box.h"

#include <algorithm>

#include "driver/process_windows.h"
#include "driver/window_text.h"

namespace gui_driver {

namespace {

constexpr int kTextId = 0xFFFF;
constexpr int kIconId = 1088;
constexpr int kWizardNextId = 12324;
constexpr int kButtonIds[] = {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO, IDHELP, IDTRYAGAIN,
                              IDCONTINUE};

HWND ShownChild(HWND parent, int id) {
  HWND child = GetDlgItem(parent, id);
  return child && IsWindowVisible(child) ? child : nullptr;
}

}  // namespace

std::wstring MessageBoxWindow::Caption() const { return WindowText(box_); }

std::wstring MessageBoxWindow::Text() const {
  HWND text = GetDlgItem(box_, kTextId);
  return text ? WindowText(text) : std::wstring();
}

bool MessageBoxWindow::HasIcon() const {
  HWND icon = ShownChild(box_, kIconId);
  if (!icon) return false;
  DWORD_PTR handle = 0;
  return SendMessageTimeoutW(icon, STM_GETICON, 0, 0, SMTO_NORMAL, 5000, &handle) && handle != 0;
}

testing::AssertionResult MessageBoxWindow::CentredOnScreen() const {
  RECT box = {}, work = {};
  if (!GetWindowRect(box_, &box) || !SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) {
    return testing::AssertionFailure() << "no rectangle";
  }
  const long dx = (box.left + box.right) - (work.left + work.right);
  const long dy = (box.top + box.bottom) - (work.top + work.bottom);
  if (dx >= -2 && dx <= 2 && dy >= -2 && dy <= 2) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "box at " << box.left << "," << box.top << "-" << box.right << ","
                                     << box.bottom << " on a work area of " << work.right << "x" << work.bottom;
}

std::vector<int> MessageBoxWindow::Buttons() const {
  std::vector<int> shown;
  for (int id : kButtonIds) {
    if (ShownChild(box_, id)) shown.push_back(id);
  }
  std::sort(shown.begin(), shown.end());
  return shown;
}

testing::AssertionResult MessageBoxWindow::Answer(int buttonId) const {
  HWND button = ShownChild(box_, buttonId);
  if (!button || !IsWindowEnabled(button)) {
    return testing::AssertionFailure() << "the message box \"" << Utf8(Text()) << "\" has no usable button "
                                       << buttonId;
  }
  if (!PostMessageW(button, BM_CLICK, 0, 0)) {
    return testing::AssertionFailure() << "posting the click failed, error " << GetLastError();
  }
  // Until the box is gone it still counts as one of the process's message boxes.
  if (!WaitFor([this] { return !IsWindow(box_) || !IsWindowVisible(box_); })) {
    return testing::AssertionFailure() << "the message box did not close after button " << buttonId;
  }
  return testing::AssertionSuccess();
}

std::vector<MessageBoxWindow> FindMessageBoxes(DWORD processId) {
  std::vector<MessageBoxWindow> boxes;
  for (HWND window : VisibleTopLevelWindows(processId)) {
    if (IsDialog(window) && !GetDlgItem(window, kWizardNextId)) boxes.emplace_back(window);
  }
  return boxes;
}

std::optional<MessageBoxWindow> WaitForMessageBox(DWORD processId, Millis timeout) {
  return WaitForValue<MessageBoxWindow>(
      [processId]() -> std::optional<MessageBoxWindow> {
        auto boxes = FindMessageBoxes(processId);
        if (boxes.empty()) return std::nullopt;
        return boxes.front();
      },
      timeout);
}

testing::AssertionResult NoMessageBoxWithin(DWORD processId, Millis period) {
  std::vector<MessageBoxWindow> boxes;
  if (!WaitFor([&] { return !(boxes = FindMessageBoxes(processId)).empty(); }, period)) {
    return testing::AssertionSuccess();
  }
  return testing::AssertionFailure() << "a message box came up: \"" << Utf8(boxes.front().Caption()) << "\": \""
                                     << Utf8(boxes.front().Text()) << "\"";
}

}  // namespace gui_driver
