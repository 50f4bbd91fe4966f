#pragma once

#include <windows.h>

#include <string>

namespace gui_driver {

// Texts of another process's windows, read with bounded cross-process messages.
std::wstring WindowText(HWND window);
bool SetWindowTextRemote(HWND window, const std::wstring& text);
std::wstring ClassName(HWND window);

// For failure messages and comparisons that print readably (gtest shows UTF-8 "As Text").
std::string Utf8(const std::wstring& text);

std::wstring EnvironmentVariable(const wchar_t* name);

// The build hands paths over as Unix paths; Wine's drive Z: is the Unix root.
std::wstring WindowsPath(const std::wstring& path);

}  // namespace gui_driver
