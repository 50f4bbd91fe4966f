// Everything the loader check must refuse, in one program: functions Windows 2000 lacks (one
// directly, more through the posix-thread runtime), comctl32's subclassing imported by name
// (comctl32 is no known DLL either), a header that asks for Windows 7 and a manifest that
// changes the look and the reported version without asking for administrator rights.
#include <windows.h>
#include <commctrl.h>

#include <thread>

int main() {
    std::thread([] {}).join();
    ::SetWindowSubclass(nullptr, nullptr, 0, 0);
    return static_cast<int>(::GetTickCount64() & 1);
}
