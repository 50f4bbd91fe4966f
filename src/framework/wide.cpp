#include "framework/wide.h"

#include <vector>

namespace win {

std::wstring LoadText(UINT id) {
    const wchar_t* p = nullptr;
    // With a zero buffer size LoadStringW hands out a pointer into the resource itself.
    int n = ::LoadStringW(::GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&p), 0);
    return n > 0 && p ? std::wstring(p, static_cast<size_t>(n)) : std::wstring();
}

std::wstring GetText(HWND hwnd) {
    int len = ::GetWindowTextLengthW(hwnd);
    std::vector<wchar_t> buf(static_cast<size_t>(len) + 1);
    int got = ::GetWindowTextW(hwnd, buf.data(), len + 1);
    return std::wstring(buf.data(), got > 0 ? static_cast<size_t>(got) : 0);
}

}  // namespace win
