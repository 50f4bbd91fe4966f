// A test library whose creation hook the GUI tests set on the setup's window thread: Wine's rich
// edit does not send EN_PROTECTED, so every rich edit created from then on asks its page, as
// Windows' does, before any change of its text.
#include <windows.h>
#include <richedit.h>

#include <initializer_list>

namespace {

const wchar_t kOriginalProc[] = L"KorventaTestOriginalProc";

LRESULT AskParent(HWND control, UINT msg, WPARAM wp, LPARAM lp) {
  ENPROTECTED notice = {{control, UINT_PTR(GetDlgCtrlID(control)), EN_PROTECTED}, msg, wp, lp, {0, 1}};
  return SendMessageW(GetParent(control), WM_NOTIFY, notice.nmhdr.idFrom, LPARAM(&notice));
}

// Stricter than Windows, which asks only when the change touches protected text: here every change of
// the whole text or the selection asks (the ways the pages and the tests change it), and a refused one
// does not happen. The registered message asks about a typed 'x' from outside and returns the page's
// answer (1: refused).
LRESULT CALLBACK AskingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  static const UINT ask = RegisterWindowMessageW(L"KorventaTestAskProtected");
  auto original = WNDPROC(GetPropW(hwnd, kOriginalProc));
  if (msg == ask) return AskParent(hwnd, WM_CHAR, L'x', 1);
  if ((msg == WM_SETTEXT || msg == EM_REPLACESEL || msg == EM_SETTEXTEX) && AskParent(hwnd, msg, wp, lp)) return 0;
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, LONG_PTR(original));
    RemovePropW(hwnd, kOriginalProc);
  }
  return CallWindowProcW(original, hwnd, msg, wp, lp);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK PagesOnCreation(int code, WPARAM wp, LPARAM lp) {
  wchar_t cls[32] = {};
  HWND hwnd = HWND(wp);
  if (code == HCBT_CREATEWND && GetClassNameW(hwnd, cls, 32) && lstrcmpiW(cls, L"RichEdit20W") == 0) {
    SetPropW(hwnd, kOriginalProc, HANDLE(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)));
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, LONG_PTR(&AskingProc));
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}
