// The program that the sample medium installs: it says what it is and where it was started, and
// closes when the user confirms.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t folder[MAX_PATH] = {};
  const DWORD length = GetCurrentDirectoryW(MAX_PATH, folder);
  const std::wstring text = std::wstring(L"KORVENTA sample program for the setup's sample medium.\n\nStarted in: ") +
                            (length < MAX_PATH ? folder : L"?");
  MessageBoxW(nullptr, text.c_str(), L"KORVENTA", MB_OK | MB_ICONINFORMATION);
  return 0;
}
