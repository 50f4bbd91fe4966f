// wchar_t is UTF-16 on Windows: the portable code's std::u16string crosses over as is.
#pragma once

#include <windows.h>

#include <string>

namespace win {

inline std::wstring ToWide(const std::u16string& s) { return std::wstring(s.begin(), s.end()); }
inline std::u16string ToU16(const std::wstring& s) { return std::u16string(s.begin(), s.end()); }

// A string resource of this module.
std::wstring LoadText(UINT id);
// A window's whole text, read in one request.
std::wstring GetText(HWND hwnd);

}  // namespace win
