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

BOOL WINAPI DllMain(HINSTANCE, DWORD, void*) { return TRUE; }
