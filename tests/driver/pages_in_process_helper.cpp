// A test library that the GUI tests load into the setup program to send notifications that carry
// pointers, which no other process can send.
#include <windows.h>
#include <richedit.h>

namespace {

constexpr DWORD kAnswered = 0x100;  // tells "answered 0" apart from "not delivered"
constexpr DWORD kNotDelivered = 0xFFFF;

}  // namespace

// Tells the rich edit's parent that the user tried to type into protected text, as the control itself
// would; returns kAnswered | the parent's answer (1: refuse the change).
extern "C" __declspec(dllexport) DWORD WINAPI PagesSendEnProtected(void* richEdit) {
  HWND control = static_cast<HWND>(richEdit);
  ENPROTECTED notice = {};
  notice.nmhdr.hwndFrom = control;
  notice.nmhdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(control));
  notice.nmhdr.code = EN_PROTECTED;
  notice.msg = WM_CHAR;
  notice.wParam = L'x';
  notice.lParam = 1;
  notice.chrg.cpMin = 0;
  notice.chrg.cpMax = 1;
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(GetParent(control), WM_NOTIFY, notice.nmhdr.idFrom, reinterpret_cast<LPARAM>(&notice),
                           SMTO_NORMAL, 5000, &answer)) {
    return kNotDelivered;
  }
  return kAnswered | static_cast<DWORD>(answer & 0xFF);
}


namespace {

// The notification Windows' rich edit sends before it changes protected text; nonzero: refused.
LRESULT AskParent(HWND control, UINT msg, WPARAM wp, LPARAM lp) {
  ENPROTECTED notice = {};
  notice.nmhdr.hwndFrom = control;
  notice.nmhdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(control));
  notice.nmhdr.code = EN_PROTECTED;
  notice.msg = msg;
  notice.wParam = wp;
  notice.lParam = lp;
  SendMessageW(control, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&notice.chrg));
  return SendMessageW(GetParent(control), WM_NOTIFY, notice.nmhdr.idFrom, reinterpret_cast<LPARAM>(&notice));
}

bool ChangesText(UINT msg, WPARAM wp) {
  switch (msg) {
  case WM_SETTEXT: case EM_REPLACESEL: case EM_SETPARAFORMAT: case WM_CHAR: case WM_CUT: case WM_PASTE:
  case WM_CLEAR: case EM_SETTEXTEX:
    return true;
  case EM_SETCHARFORMAT:
    return wp != SCF_DEFAULT;
  default:
    return false;
  }
}

const wchar_t kOriginalProc[] = L"KorventaTestOriginalProc";

// Stricter than Windows, which asks only when the change touches protected text: here every change
// of every rich edit asks its parent first, and a refused change does not happen.
LRESULT CALLBACK AskingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto original = reinterpret_cast<WNDPROC>(GetPropW(hwnd, kOriginalProc));
  if (ChangesText(msg, wp) && GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD && AskParent(hwnd, msg, wp, lp) != 0) {
    return 0;
  }
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    RemovePropW(hwnd, kOriginalProc);
  }
  return CallWindowProcW(original, hwnd, msg, wp, lp);
}

HHOOK g_creationHook = nullptr;

LRESULT CALLBACK OnCreation(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_CREATEWND) {
    HWND hwnd = reinterpret_cast<HWND>(wp);
    wchar_t cls[32] = {};
    GetClassNameW(hwnd, cls, 32);
    if (lstrcmpiW(cls, L"RichEdit20W") == 0 && !GetPropW(hwnd, kOriginalProc)) {
      SetPropW(hwnd, kOriginalProc, reinterpret_cast<HANDLE>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)));
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AskingProc));
    }
  }
  return CallNextHookEx(g_creationHook, code, wp, lp);
}

HINSTANCE g_module = nullptr;

struct HookRequest {
  DWORD thread;
  HANDLE ready;
};

// A hook lives as long as the thread that set it: this one never ends.
DWORD WINAPI HookKeeper(void* parameter) {
  auto* request = static_cast<HookRequest*>(parameter);
  g_creationHook = SetWindowsHookExW(WH_CBT, &OnCreation, g_module, request->thread);
  SetEvent(request->ready);
  for (;;) Sleep(INFINITE);
}

}  // namespace

// Makes every rich edit that the given thread of the setup creates from now on report changes of its
// text through EN_PROTECTED, as Windows' rich edit does and Wine's does not; returns 1 once in place.
extern "C" __declspec(dllexport) DWORD WINAPI PagesEmulateProtection(void* uiThread) {
  HookRequest request{static_cast<DWORD>(reinterpret_cast<DWORD_PTR>(uiThread)), CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  HANDLE keeper = CreateThread(nullptr, 0, &HookKeeper, &request, 0, nullptr);
  if (!keeper || !request.ready) return 0;
  CloseHandle(keeper);
  WaitForSingleObject(request.ready, 5000);
  CloseHandle(request.ready);
  return g_creationHook ? 1 : 0;
}

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) g_module = module;
  return TRUE;
}
