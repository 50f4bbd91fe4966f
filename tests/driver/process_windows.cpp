#include "driver/process_windows.h"

#include "driver/window_text.h"

namespace gui_driver {

namespace {

struct Search {
  DWORD processId;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId) search->found.push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows(DWORD processId) {
  Search search{processId, {}};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> VisibleTopLevelWindows(DWORD processId) {
  std::vector<HWND> visible;
  for (HWND window : TopLevelWindows(processId)) {
    if (IsWindowVisible(window)) visible.push_back(window);
  }
  return visible;
}

bool IsDialog(HWND window) { return ClassName(window) == L"#32770"; }

}  // namespace gui_driver
