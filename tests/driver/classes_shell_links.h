#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace gui_driver {

// The component object library for the calling thread, for as long as the object lives.
class ComApartment {
 public:
  ComApartment();
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment();
  bool Ok() const { return ok_; }

 private:
  bool ok_;
};

// What a shortcut file holds, read back through the shell's own link object.
struct ShellLinkInfo {
  std::wstring target;
  std::wstring workingDirectory;
  std::wstring description;
  int showCommand = 0;
};

// Needs a ComApartment on the calling thread.
std::optional<ShellLinkInfo> ReadShellLink(const std::wstring& path);
// Rewrites the shortcut's description, so that a later overwrite can be told from a shortcut left alone.
bool SetShellLinkDescription(const std::wstring& path, const std::wstring& description);

// The file-system path of a shell folder (CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_COMMON_PROGRAMS).
std::wstring ShellFolderPath(int csidl);

// Names of the setup's shortcut files in `folder` ("QTX KORVENTA*.LNK", any case), sorted.
std::vector<std::wstring> SetupShortcuts(const std::wstring& folder);
void DeleteSetupShortcuts(const std::wstring& folder);

}  // namespace gui_driver
